#include "core/mouse.h"

#include <gtest/gtest.h>

#include "core/controls.h"
#include "core/errors.h"
#include "support/scheduler_rig.h"

namespace tc {
namespace {

using Kind = FakeInput::Kind;

struct MouseTest : ::testing::Test {
    SchedulerRig rig;

    void SetStart(TDateTime moment) {
        rig.form.SetDateTime(kMouseStartDatePicker, DateOf(moment) + 0.7);
        rig.form.SetDateTime(kMouseStartTimePicker,
                             EncodeDate(2021, 5, 5) + TimeOf(moment) + 0.1 / 86400);
    }
    // Ticks the box at the given moment; the ticks then come 20 ms after each second.
    void TickBoxAt(int h, int m, int s) {
        rig.At(h, m, s, 0);
        rig.form.SetChecked(kMouseOnCheck, true);
        rig.clock.AdvanceMs(20);
    }
    // Runs n ticks and returns the numbers (1-based, counted from here) of the ticks that clicked,
    // once per burst.
    std::vector<int> Ticks(int n) {
        std::vector<int> clicked;
        for (int i = 1; i <= n; ++i) {
            rig.clock.AdvanceMs(1000);
            const int before = rig.input.Bursts();
            rig.scheduler.MouseTick();
            for (int b = before; b < rig.input.Bursts(); ++b) clicked.push_back(i);
        }
        return clicked;
    }
    const std::vector<std::string>& Lines() const { return rig.form.ActivityLines(); }
};

TEST_F(MouseTest, StartMomentWithInterval60) {
    SetStart(Moment(2023, 1, 19, 10, 0, 0));
    rig.form.SetText(kClickIntervalEdit, "60");
    TickBoxAt(9, 59, 30);
    // The start moment on the 30th tick, the next burst 59 ticks later, then every 60.
    EXPECT_EQ(Ticks(30 + 59 + 60 + 5), (std::vector<int>{30, 89, 149}));
    EXPECT_EQ(Lines().front(), "鼠标单击坐标-1080,654-执行时间-2023/1/19 10:00:00");
}

TEST_F(MouseTest, IntervalOneOnTheStartTickGivesTwoBursts) {
    SetStart(Moment(2023, 1, 19, 10, 0, 0));
    TickBoxAt(9, 59, 57);
    EXPECT_EQ(Ticks(4), (std::vector<int>{1, 2, 3, 3, 4}));
    EXPECT_EQ(Lines().size(), 5u);
}

TEST_F(MouseTest, BurstIsThreeClicksAtThePointAndTheCursorGoesBack) {
    rig.form.SetText(kClickXEdit, "-5");
    rig.form.SetText(kClickYEdit, "3000");
    rig.input.cursor = {12, 34};
    TickBoxAt(9, 0, 0);
    Ticks(1);
    const Point at{-5, 3000};
    const std::vector<FakeInput::Event> expected = {
        {Kind::Move, at}, {Kind::Down, at}, {Kind::Up, at}, {Kind::Down, at},
        {Kind::Up, at},   {Kind::Down, at}, {Kind::Up, at}, {Kind::Move, {12, 34}}};
    EXPECT_EQ(rig.input.events, expected);
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{"鼠标单击坐标--5,3000-执行时间-2023/1/19 09:00:01"}));
}

TEST_F(MouseTest, IntervalsGiveBurstsEveryNthTickAndNoneAtZeroOrBelow) {
    const struct {
        const char* interval;
        std::vector<int> clicked;
    } cases[] = {{"5", {5, 10, 15}},
                 {"1", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
                 {"0", {}},
                 {"-3", {}},
                 {"$A", {10}}};
    for (const auto& c : cases) {
        SchedulerRig fresh;
        fresh.form.SetText(kClickIntervalEdit, c.interval);
        fresh.At(9, 0, 0);
        fresh.form.SetChecked(kMouseOnCheck, true);
        std::vector<int> clicked;
        for (int i = 1; i <= 15; ++i) {
            fresh.clock.AdvanceMs(1000);
            const int before = fresh.input.Bursts();
            fresh.scheduler.MouseTick();
            if (fresh.input.Bursts() > before) clicked.push_back(i);
        }
        EXPECT_EQ(clicked, c.clicked) << c.interval;
    }
}

TEST_F(MouseTest, LoweredIntervalClicksOnTheNextTick) {
    rig.form.SetText(kClickIntervalEdit, "10");
    TickBoxAt(9, 0, 0);
    EXPECT_TRUE(Ticks(5).empty());
    rig.form.SetText(kClickIntervalEdit, "3");
    EXPECT_EQ(Ticks(4), (std::vector<int>{1, 4}));
}

TEST_F(MouseTest, BadIntervalFailsEachTickWhileTheCountGoesOn) {
    rig.form.SetText(kClickIntervalEdit, "");
    TickBoxAt(9, 0, 0);
    for (int i = 1; i <= 3; ++i) {
        rig.clock.AdvanceMs(1000);
        try {
            rig.scheduler.MouseTick();
            FAIL() << "no error";
        } catch (const ConvertError& e) {
            EXPECT_STREQ(e.what(), "'' is not a valid integer value");
        }
        EXPECT_EQ(rig.scheduler.ClickTickCount(), i);
        EXPECT_EQ(rig.timers.ArmCount(TimerId::Mouse), i + 1);  // re-armed after the failure too
    }
    rig.form.SetText(kClickIntervalEdit, "2");
    EXPECT_EQ(Ticks(1), (std::vector<int>{1}));  // the count had passed 2: click at once
}

TEST_F(MouseTest, BadCoordinateStopsThatClickOnlyAndQuotesEdit8First) {
    rig.form.SetText(kClickIntervalEdit, "2");
    rig.form.SetText(kClickXEdit, "x");
    rig.form.SetText(kClickYEdit, "y");
    TickBoxAt(9, 0, 0);
    Ticks(1);
    rig.clock.AdvanceMs(1000);
    EXPECT_THROW(
        {
            try {
                rig.scheduler.MouseTick();
            } catch (const ConvertError& e) {
                EXPECT_STREQ(e.what(), "'y' is not a valid integer value");
                throw;
            }
        },
        ConvertError);
    EXPECT_EQ(rig.input.events.size(), 0u);
    EXPECT_EQ(rig.scheduler.ClickTickCount(), 2);
    rig.form.SetText(kClickXEdit, "10");
    rig.form.SetText(kClickYEdit, "20");
    EXPECT_EQ(Ticks(1), (std::vector<int>{1}));  // the count ran past the interval: still clicks
    EXPECT_EQ(rig.scheduler.ClickTickCount(), 0);
}

TEST_F(MouseTest, BadCoordinateAtTheStartMomentLeavesThatTickUncounted) {
    SetStart(Moment(2023, 1, 19, 9, 0, 1));
    rig.form.SetText(kClickIntervalEdit, "100");
    rig.form.SetText(kClickYEdit, "");
    TickBoxAt(9, 0, 0);
    rig.clock.AdvanceMs(1000);
    EXPECT_THROW(rig.scheduler.MouseTick(), ConvertError);
    EXPECT_EQ(rig.scheduler.ClickTickCount(), 0);
}

TEST_F(MouseTest, RefusedCursorSkipsTheBurstQuietlyAndTriesAgainNextTick) {
    // While the lock screen has the input: no error, no click, no line, the timer goes on.
    SetStart(Moment(2023, 1, 19, 9, 0, 2));
    rig.form.SetText(kClickIntervalEdit, "2");
    rig.input.refuseCursorPos = true;
    TickBoxAt(9, 0, 0);
    EXPECT_TRUE(Ticks(3).empty());  // the interval click is due on tick 2, the start on tick 2
    EXPECT_TRUE(rig.input.events.empty());
    EXPECT_TRUE(Lines().empty());
    EXPECT_TRUE(rig.timers.Enabled(TimerId::Mouse));
    EXPECT_EQ(rig.timers.ArmCount(TimerId::Mouse), 4);
    // Once the cursor is back, the interval click that was due comes on the next tick; the
    // start moment, whose second has passed, is not caught up.
    rig.input.refuseCursorPos = false;
    EXPECT_EQ(Ticks(1), (std::vector<int>{1}));
    EXPECT_EQ(Lines().size(), 1u);
    EXPECT_EQ(rig.scheduler.ClickTickCount(), 0);
}

TEST_F(MouseTest, StartMomentClicksOnceEvenWhenItsSecondComesRoundAgain) {
    SetStart(Moment(2023, 1, 19, 10, 0, 0));
    rig.form.SetText(kClickIntervalEdit, "0");
    TickBoxAt(9, 59, 58);
    rig.MouseTickAt(9, 59, 59, 990);
    rig.MouseTickAt(10, 0, 1, 5);    // late: 10:00:00 caught up
    rig.MouseTickAt(10, 0, 1, 600);  // twice in one second
    rig.MouseTickAt(10, 0, 0, 100);  // clock set back a second
    rig.MouseTickAt(9, 0, 0, 100);   // and an hour
    rig.MouseTickAt(10, 0, 0, 100);
    EXPECT_EQ(rig.input.Bursts(), 1);
    EXPECT_EQ(rig.scheduler.ClickTickCount(), 5);  // one per tick, whatever the seconds
    SetStart(Moment(2023, 1, 19, 10, 0, 2));       // a new start moment clicks again
    rig.MouseTickAt(10, 0, 2, 100);
    EXPECT_EQ(rig.input.Bursts(), 2);
}

TEST_F(MouseTest, TheCheckBoxSwitchesTheTimerAndTickingAgainResetsTheCount) {
    TickBoxAt(9, 0, 0);
    rig.form.SetText(kClickIntervalEdit, "100");
    Ticks(3);
    EXPECT_TRUE(rig.timers.Enabled(TimerId::Mouse));
    rig.form.SetChecked(kMouseOnCheck, false);
    EXPECT_FALSE(rig.timers.Enabled(TimerId::Mouse));
    EXPECT_EQ(rig.scheduler.ClickTickCount(), 3);
    rig.form.SetChecked(kMouseOnCheck, true);
    EXPECT_EQ(rig.scheduler.ClickTickCount(), 0);
    // The mouse task runs whatever Start and Stop say.
    EXPECT_FALSE(rig.scheduler.Running());
}

}  // namespace
}  // namespace tc
