#pragma once
// Which wall-clock seconds one timer tick has to look at.
//
// The scheduling timers are re-armed on every tick to fire shortly after the next wall-clock
// second, but a tick can still come late (a busy message loop, a slow shell call), two ticks can
// land in one second, the machine can sleep and the user can set the clock. So a tick does not
// just test "now": it tests every second that has begun since the previous tick's second.
//
//   previous second s0, this tick's second s1:
//   - no previous tick (timer just switched on, nothing remembered): s1 only;
//   - s1 == s0 (a second tick in the same second): nothing, the second was already looked at;
//   - 0 < s1 - s0 <= kCatchUpSeconds: s0+1 .. s1, so seconds a late tick skipped are caught up;
//   - longer gaps (sleep, clock set forward) and a clock set back: s1 only, then on from there.
//     A gap forward is reported as the seconds it passed over (s0+1 .. s1-1), so that targets
//     whose moment fell inside can be told as skipped; a clock set back passes over nothing.
//
// A clock set back makes seconds come round again; the schedulers keep their own record of what
// each target last acted for, so nothing acts twice for the same occurrence.
#include <algorithm>
#include <cstdint>
#include <optional>

#include "core/tdatetime.h"

namespace tc {

// A tick up to ten seconds late still catches up every second it skipped (the gap to the
// previous tick's second is then at most eleven).
inline constexpr std::int64_t kCatchUpSeconds = 11;

// Seconds from `first` to `last`, both included.
struct SecondRange {
    std::int64_t first = 0;
    std::int64_t last = 0;
    bool Holds(std::int64_t second) const { return second >= first && second <= last; }
    bool operator==(const SecondRange&) const = default;
};

// Seconds in a row, oldest first: a tick looks at a run of seconds, so it is held as its ends
// rather than as a list made on every tick. Walked with a range-for.
class DueSeconds {
public:
    class Iterator {
    public:
        explicit Iterator(std::int64_t second) : second_(second) {}
        std::int64_t operator*() const { return second_; }
        Iterator& operator++() {
            ++second_;
            return *this;
        }
        bool operator==(const Iterator&) const = default;

    private:
        std::int64_t second_;
    };

    DueSeconds() = default;
    // From `first` up to `last`, both included; none when `last` comes before `first`, so a
    // walk over it always ends.
    DueSeconds(std::int64_t first, std::int64_t last)
        : first_(first), end_(std::max(first, last + 1)) {}

    bool empty() const { return first_ == end_; }
    Iterator begin() const { return Iterator(first_); }
    Iterator end() const { return Iterator(end_); }

private:
    std::int64_t first_ = 0;
    std::int64_t end_ = 0;
};

// What one tick looks at.
struct TickSpan {
    DueSeconds due;                      // the seconds to evaluate, oldest first
    std::optional<SecondRange> skipped;  // seconds a long gap forward passed over unseen
};

class TickSeconds {
public:
    // Forgets the previous tick: the next tick looks at its own second only.
    void Reset() { last_.reset(); }
    // The timer was switched on during `second`: the next tick starts after it.
    void StartAfter(std::int64_t second) { last_ = second; }

    // The seconds this tick looks at, and those it passed over; remembers the newest as done.
    TickSpan Next(std::int64_t nowSecond);

private:
    std::optional<std::int64_t> last_;
};

// Delay from `now` until 20 ms after the start of the next wall-clock second.
int DelayToNextSecond(TDateTime now);

}  // namespace tc
