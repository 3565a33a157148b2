#pragma once
// A clock that stands still until told to move.
#include "core/tdatetime.h"
#include "platform/clock.h"

namespace tc {

class FakeClock : public Clock {
public:
    FakeClock() = default;
    explicit FakeClock(LocalTime t) : now_(t) {}

    LocalTime Now() override {
        ++reads_;
        return now_;
    }

    void Set(LocalTime t) { now_ = t; }
    void Set(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
        now_ = {y, mo, d, h, mi, s, ms};
    }
    // Moves the clock by a signed number of milliseconds, across days, months and years.
    void AdvanceMs(long long ms);
    int reads() const { return reads_; }

private:
    LocalTime now_{2023, 1, 19, 10, 0, 0, 0};
    int reads_ = 0;
};

}  // namespace tc
