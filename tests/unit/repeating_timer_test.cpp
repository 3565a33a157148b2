// The phase rule of the repeating system timer: aimed 20 ms past every second, it is set again
// only until it repeats on that phase, and after that never while the firings come on time.
#include <gtest/gtest.h>

#include <cstdint>

#include "core/repeating_timer.h"

namespace tc {
namespace {

TEST(RepeatingTimerTest, AimedAtEverySecondItIsSetUntilItRepeatsOnThatPhase) {
    RepeatingTimer timer;
    EXPECT_EQ(timer.NextFiring(), std::nullopt);
    std::uint64_t now = 5437;  // the phase of the moment the clock was started
    std::uint64_t due = 6020;
    int sets = 0;
    for (int second = 0; second < 60; ++second) {
        if (const auto delay = timer.SetFor(due, now)) {
            ++sets;
            EXPECT_GE(*delay, RepeatingTimer::kMinimumMs);
        }
        // The system fires when the timer as set says, within the slack of the moment asked.
        const std::uint64_t fires = *timer.NextFiring();
        EXPECT_LE(fires, due + RepeatingTimer::kRepeatSlackMs);
        EXPECT_GE(fires + RepeatingTimer::kRepeatSlackMs, due);
        now = fires;
        timer.Fired(now);
        due += 1000;
    }
    // Once to start, once more to take the exact second as its period: then it repeats.
    EXPECT_EQ(sets, 2);

    // A moment its repeat would miss sets it again; one already past gets the shortest delay.
    EXPECT_EQ(timer.SetFor(now + 400, now), 400u);
    EXPECT_EQ(timer.SetFor(now + 400, now), std::nullopt);  // asked again: already so
    EXPECT_EQ(timer.SetFor(now - 50, now), RepeatingTimer::kMinimumMs);
    // A delay a few ms off a second is set as the second.
    EXPECT_EQ(timer.SetFor(now + 1009, now), 1000u);
    EXPECT_TRUE(timer.Kill());
    EXPECT_FALSE(timer.Kill());
    EXPECT_EQ(timer.NextFiring(), std::nullopt);
}

}  // namespace
}  // namespace tc
