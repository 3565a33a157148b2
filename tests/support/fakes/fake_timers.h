#pragma once
// The three scheduling timers in memory: records switching and every re-arm.
#include <map>
#include <optional>
#include <vector>

#include "platform/timers.h"

namespace tc {

class FakeTimers : public Timers {
public:
    struct Arm {
        TimerId id;
        int delayMs;
    };
    std::vector<Arm> arms;

    void Enable(TimerId id, bool on) override { enabled_[id] = on; }
    bool Enabled(TimerId id) const override {
        const auto it = enabled_.find(id);
        return it != enabled_.end() && it->second;
    }
    void ArmNext(TimerId id, int delayMs) override { arms.push_back({id, delayMs}); }

    std::optional<int> LastDelay(TimerId id) const {
        for (auto it = arms.rbegin(); it != arms.rend(); ++it)
            if (it->id == id) return it->delayMs;
        return std::nullopt;
    }
    int ArmCount(TimerId id) const {
        int n = 0;
        for (const Arm& a : arms) n += a.id == id;
        return n;
    }

private:
    std::map<TimerId, bool> enabled_;
};

}  // namespace tc
