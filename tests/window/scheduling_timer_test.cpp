// The three scheduling timers on one window timer: a tick runs those that are on and due, each
// once and in the order slots, power, mouse; one that is off or not yet due is left out, and with
// all of them off nothing is left to wake the program.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/win32_timers.h"

namespace tc::test {
namespace {

class SchedulingTimerTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override { DestroyWindow(window); }
    // KillTimer answers whether the shared timer was set; it is put back afterwards.
    bool SharedTimerSet() {
        const bool set = KillTimer(window, kSchedulingTimer) != FALSE;
        if (set) SetTimer(window, kSchedulingTimer, 1000, nullptr);
        return set;
    }

    HWND window = nullptr;
};

using Due = std::vector<TimerId>;

Due TakeDue(Win32Timers& timers) {
    const DueTimers due = timers.TakeDue();
    return {due.begin(), due.end()};
}

TEST_F(SchedulingTimerTest, ATickRunsTheDueTimersThatAreOnOnceInTheirOrder) {
    Win32Timers timers(window);
    for (TimerId id : {TimerId::Mouse, TimerId::Power, TimerId::Slots}) {
        timers.Enable(id, true);
        timers.ArmNext(id, 0);
    }
    EXPECT_EQ(TakeDue(timers), (Due{TimerId::Slots, TimerId::Power, TimerId::Mouse}));
    timers.Rearm();
    EXPECT_EQ(TakeDue(timers), Due{});  // each ran once: the next is a second away
    timers.Rearm();

    // Switched off, a timer is left out even when it was due; one not yet due waits.
    timers.ArmNext(TimerId::Slots, 0);
    timers.ArmNext(TimerId::Power, 0);
    timers.ArmNext(TimerId::Mouse, 5000);
    timers.Enable(TimerId::Slots, false);
    EXPECT_EQ(TakeDue(timers), Due{TimerId::Power});
    timers.Rearm();
    EXPECT_TRUE(timers.IsStale(kSlotTimer));
    EXPECT_FALSE(timers.IsStale(kPowerTimer));
}

TEST_F(SchedulingTimerTest, OneWindowTimerWaitsWhileAnyIsOnAndNoneWhenAllAreOff) {
    Win32Timers timers(window);
    EXPECT_FALSE(SharedTimerSet());
    timers.Enable(TimerId::Slots, true);
    timers.Enable(TimerId::Mouse, true);
    EXPECT_TRUE(SharedTimerSet());
    // The scheduling timers' own ids are never set: the shared one serves them all.
    for (UINT_PTR own : {kSlotTimer, kPowerTimer, kMouseTimer})
        EXPECT_FALSE(KillTimer(window, own));
    timers.Enable(TimerId::Slots, false);
    EXPECT_TRUE(SharedTimerSet());
    timers.Enable(TimerId::Mouse, false);
    EXPECT_FALSE(SharedTimerSet());
}

}  // namespace
}  // namespace tc::test
