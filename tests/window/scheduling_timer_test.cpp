// The three scheduling timers on one window timer: it waits while any of them is on, and with all
// of them off nothing is left to wake the program. (Which timers a wake runs: the unit tests of
// the schedule.)
#include <windows.h>

#include <gtest/gtest.h>

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
