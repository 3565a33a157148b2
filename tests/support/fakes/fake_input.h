#pragma once
// The cursor and the left button in memory: records every move and button event in order.
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/input.h"

namespace tc {

class FakeInput : public Input {
public:
    enum class Kind { Move, Down, Up };
    struct Event {
        Kind kind;
        Point at;  // where the cursor was (Down, Up) or was moved to (Move)
        bool operator==(const Event&) const = default;
    };

    Point cursor{400, 300};
    std::vector<Event> events;
    // When set, reading the cursor position fails as the system can refuse it.
    bool refuseCursorPos = false;

    Point CursorPos() override {
        if (refuseCursorPos) throw SystemError(5, "拒绝访问。");
        return cursor;
    }
    void SetCursorPos(Point p) override {
        cursor = p;
        events.push_back({Kind::Move, p});
    }
    void LeftDown() override {
        events.push_back({Kind::Down, cursor});
        ++downs_;
    }
    void LeftUp() override { events.push_back({Kind::Up, cursor}); }

    int Downs() const { return downs_; }
    // A burst is three clicks.
    int Bursts() const { return downs_ / 3; }

private:
    int downs_ = 0;
};

}  // namespace tc
