#include "core/power.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/controls.h"
#include "core/errors.h"
#include "platform/errors.h"
#include "support/scheduler_rig.h"

namespace tc {
namespace {

const ShellCall kShutdown{"shutdown.exe", "-s -t 0", ShellOwner::AppWindow};
const ShellCall kRestart{"shutdown.exe", "-r -t 0", ShellOwner::AppWindow};

struct PowerTest : ::testing::Test {
    SchedulerRig rig;

    // Countdown on, started at 10:00:00.010; the ticks then come 20 ms after each second.
    void ArmAndStart() {
        rig.At(10, 0, 0, 10);
        rig.form.SetChecked(kCountdownCheck, true);
        rig.scheduler.StartScheduling();
        rig.At(10, 0, 0, 20);
    }
    // n ticks, one a second from where the clock stands.
    void Ticks(int n) {
        for (int i = 0; i < n; ++i) {
            rig.clock.AdvanceMs(1000);
            rig.scheduler.PowerTick();
        }
    }
    std::string Label15() const { return rig.form.Text(kRemainingSecondsLabel); }
};

TEST_F(PowerTest, MinutesFollowEdit9FromTheDesignTextOn) {
    EXPECT_EQ(rig.scheduler.CountdownMinutes(), 10);
    rig.form.SetText(kCountdownMinutesEdit, "25");
    EXPECT_EQ(rig.scheduler.CountdownMinutes(), 25);
    EXPECT_EQ(Label15(), "1500");
}

TEST_F(PowerTest, CountdownArmedAtX010FiresOnceInItsTargetSecond) {
    ArmAndStart();
    EXPECT_EQ(rig.form.Text(kCountdownStartLabel), "开始时间 2023/1/19 10:00:00");
    EXPECT_EQ(rig.form.Text(kCountdownTargetLabel), "预计执行时间 2023/1/19 10:10:00");
    EXPECT_TRUE(rig.form.Visible(kCountdownStartLabel) && rig.form.Visible(kCountdownTargetLabel));
    EXPECT_EQ(Label15(), "600");

    Ticks(1);
    EXPECT_EQ(Label15(), "599");
    Ticks(598);  // 10:09:59.020
    EXPECT_EQ(Label15(), "1");
    EXPECT_TRUE(rig.shell.calls.empty());

    Ticks(1);  // 10:10:00.020, after the target instant 10:10:00.010
    ASSERT_EQ(rig.shell.calls, std::vector<ShellCall>{kShutdown});
    EXPECT_EQ(Label15(), "600");  // a shutdown sets the remaining seconds back
    EXPECT_NE(rig.CommandLogText().find("执行命令-关机--Time--2023/1/19 10:10:00\r\n"),
              std::string::npos);

    Ticks(30);
    EXPECT_EQ(rig.shell.calls.size(), 1u);
    EXPECT_EQ(Label15(), "600");
    EXPECT_FALSE(rig.scheduler.CountdownArmed());
}

TEST_F(PowerTest, CountdownWhoseSecondALateTickSkippedStillFiresOnce) {
    ArmAndStart();
    Ticks(599);  // 10:09:59.020
    rig.PowerTickAt(10, 10, 1, 500);
    rig.PowerTickAt(10, 10, 1, 900);
    rig.PowerTickAt(10, 10, 2, 20);
    EXPECT_EQ(rig.shell.calls, std::vector<ShellCall>{kShutdown});
}

TEST_F(PowerTest, CountdownThatRanOutDuringASleepIsNotCaughtUp) {
    // Its target fell into a long gap: nothing runs on waking, nor later, until it is re-armed.
    ArmAndStart();
    rig.PowerTickAt(10, 5, 0, 20);
    rig.PowerTickAt(11, 30, 0, 40);  // an hour and a half asleep
    for (int s = 1; s < 30; ++s) rig.PowerTickAt(11, 30, s, 40);
    EXPECT_TRUE(rig.shell.calls.empty());
    EXPECT_EQ(rig.CommandLogText(), "");
    EXPECT_FALSE(rig.scheduler.CountdownArmed());
}

// Armed by Start, or ticked while the clock already runs: then the target would be the very
// second the next tick looks at.
TEST_F(PowerTest, CountdownOfZeroMinutesOrFewerNeverFires) {
    for (const bool clockRunning : {false, true}) {
        for (const char* minutes : {"0", "-5"}) {
            SCOPED_TRACE(std::string(minutes) + (clockRunning ? ", ticked while running" : ""));
            SchedulerRig fresh;
            fresh.form.SetText(kCountdownMinutesEdit, minutes);
            fresh.At(10, 0, 0, 10);
            if (clockRunning) {
                fresh.scheduler.StartScheduling();
                for (int s = 1; s < 5; ++s) fresh.PowerTickAt(10, 0, s, 20);
                fresh.At(10, 0, 5, 10);
                fresh.form.SetChecked(kCountdownCheck, true);
            } else {
                fresh.form.SetChecked(kCountdownCheck, true);
                fresh.scheduler.StartScheduling();
            }
            for (int s = clockRunning ? 5 : 0; s < 120; ++s)
                fresh.PowerTickAt(10, s / 60, s % 60, 20);
            EXPECT_TRUE(fresh.shell.calls.empty());
            EXPECT_EQ(fresh.CommandLogText(), "");
        }
    }
}

TEST_F(PowerTest, Edit9ClearedShowsOneAndABadTextKeepsTheMinutes) {
    rig.form.SetText(kCountdownMinutesEdit, "");
    EXPECT_EQ(rig.form.Text(kCountdownMinutesEdit), "1");
    EXPECT_EQ(rig.scheduler.CountdownMinutes(), 1);
    EXPECT_EQ(Label15(), "60");

    try {
        rig.form.SetText(kCountdownMinutesEdit, "12a");
        FAIL() << "no error";
    } catch (const ConvertError& e) {
        EXPECT_STREQ(e.what(), "'12a' is not a valid integer value");
    }
    EXPECT_EQ(rig.scheduler.CountdownMinutes(), 1);
}

TEST_F(PowerTest, StopFreezesTheRemainingSecondsAndStartArmsAgain) {
    ArmAndStart();
    Ticks(5);
    EXPECT_EQ(Label15(), "595");
    rig.scheduler.StopScheduling();
    Ticks(3);
    EXPECT_EQ(Label15(), "595");
    EXPECT_TRUE(rig.form.Visible(kCountdownStartLabel));

    rig.At(11, 0, 0, 500);
    rig.scheduler.StartScheduling();
    EXPECT_EQ(Label15(), "600");
    EXPECT_EQ(rig.form.Text(kCountdownTargetLabel), "预计执行时间 2023/1/19 11:10:00");
    rig.PowerTickAt(11, 9, 59, 520);  // a gap: only the tick's own second
    EXPECT_EQ(Label15(), "1");
    rig.PowerTickAt(11, 10, 0, 520);
    EXPECT_EQ(rig.shell.calls.size(), 1u);
}

TEST_F(PowerTest, UntickingHidesTheLabelsAndStopsTheCountdown) {
    ArmAndStart();
    rig.form.SetChecked(kCountdownCheck, false);
    EXPECT_FALSE(rig.form.Visible(kCountdownStartLabel) || rig.form.Visible(kCountdownTargetLabel));
    rig.PowerTickAt(10, 10, 0, 20);
    EXPECT_TRUE(rig.shell.calls.empty());
}

TEST_F(PowerTest, ClockOnlyCountdownOfMoreThanADayFiresAtTheFirstMatchingTimeOfDay) {
    rig.form.SetChecked(kByClockCheck, true);
    rig.form.SetText(kCountdownMinutesEdit,
                     "1500");  // 25 hours: the target is tomorrow at 11:00:00
    ArmAndStart();
    EXPECT_EQ(rig.form.Text(kCountdownTargetLabel), "预计执行时间 11:00:00");
    rig.PowerTickAt(10, 59, 59, 20);
    EXPECT_TRUE(rig.shell.calls.empty());
    rig.PowerTickAt(11, 0, 0, 20);
    EXPECT_EQ(rig.shell.calls, std::vector<ShellCall>{kShutdown});
    rig.PowerTickAt(11, 0, 0, 20, 1);  // tomorrow, the target itself: armed no longer
    EXPECT_EQ(rig.shell.calls.size(), 1u);

    // A whole day, ticked while the clock runs, in a second whose tick has not come yet: the
    // arming second has the target's time of day but is not the countdown's; it acts tomorrow.
    SchedulerRig day;
    day.form.SetChecked(kByClockCheck, true);
    day.form.SetText(kCountdownMinutesEdit, "1440");
    day.At(10, 0, 0, 500);
    day.scheduler.StartScheduling();
    day.PowerTickAt(10, 0, 1, 20);
    day.At(10, 0, 2, 5);
    day.form.SetChecked(kCountdownCheck, true);
    day.PowerTickAt(10, 0, 2, 20);
    day.PowerTickAt(10, 0, 3, 20);
    EXPECT_TRUE(day.shell.calls.empty());
    day.PowerTickAt(10, 0, 2, 20, 1);
    EXPECT_EQ(day.shell.calls, std::vector<ShellCall>{kShutdown});
}

TEST_F(PowerTest, ClockOnlyCountdownOfTenMinutesFiresLikeTheDatedOne) {
    rig.form.SetChecked(kByClockCheck, true);
    ArmAndStart();
    Ticks(599);
    EXPECT_TRUE(rig.shell.calls.empty());
    Ticks(1);
    EXPECT_EQ(rig.shell.calls.size(), 1u);
}

struct SetMomentTest : PowerTest {
    void SetMoment(TDateTime moment, bool clockOnly) {
        rig.form.SetDateTime(kSetMomentDatePicker, DateOf(moment) + 0.4520567476865835);
        rig.form.SetDateTime(kSetMomentTimePicker, EncodeDate(2020, 2, 2) + TimeOf(moment));
        rig.form.SetChecked(kByClockCheck, clockOnly);
        rig.form.SetChecked(kSetMomentCheck, true);
    }
    void TicksAround(int h, int m, int s, int day = 0) {
        rig.PowerTickAt(h, m, s - 1, 20, day);
        rig.PowerTickAt(h, m, s, 20, day);
        rig.PowerTickAt(h, m, s, 600, day);
        rig.PowerTickAt(h, m, s + 1, 20, day);
    }
    void SetUp() override {
        rig.At(9, 0, 0);
        rig.scheduler.StartScheduling();
    }
};

TEST_F(SetMomentTest, PastMomentNeverFiresButClockOnlyFiresOncePerDay) {
    SetMoment(Moment(2023, 1, 18, 12, 0, 5), /*clockOnly=*/false);
    TicksAround(12, 0, 5);
    EXPECT_TRUE(rig.shell.calls.empty());

    rig.form.SetItemIndex(kPowerCommandCombo, 1);
    rig.form.SetChecked(kByClockCheck, true);
    TicksAround(12, 0, 5);
    rig.PowerTickAt(11, 0, 0);  // the clock set back an hour
    TicksAround(12, 0, 5);
    EXPECT_EQ(rig.shell.calls, std::vector<ShellCall>{kRestart});
    EXPECT_NE(rig.CommandLogText().find("执行命令-重启--Time--2023/1/19 12:00:05\r\n"),
              std::string::npos);
    EXPECT_EQ(rig.form.Text(kRemainingSecondsLabel), "600");  // a restart leaves the label alone

    TicksAround(12, 0, 5, /*day=*/1);
    EXPECT_EQ(rig.shell.calls.size(), 2u);
}

TEST_F(SetMomentTest, NoItemSelectedRunsNothingAndLogsNothing) {
    rig.form.SetItemIndex(kPowerCommandCombo, -1);
    SetMoment(Moment(2023, 1, 19, 12, 0, 5), false);
    TicksAround(12, 0, 5);
    EXPECT_TRUE(rig.shell.calls.empty());
    EXPECT_EQ(rig.files.appendCalls, 0);
}

TEST_F(SetMomentTest, EachItemRunsItsOwnCommandOnceAndIsNamedByItsItem) {
    // The design selection is shutdown; then every item in turn, a minute apart.
    EXPECT_EQ(rig.form.ItemIndex(kPowerCommandCombo), 0);
    const struct {
        const char* name;
        std::optional<ShellCall> shell;
        const char* action;
    } items[] = {{"关机", kShutdown, nullptr},
                 {"重启", kRestart, nullptr},
                 {"睡眠", std::nullopt, "sleep"},
                 {"休眠", ShellCall{"shutdown.exe", "-h", ShellOwner::AppWindow}, nullptr},
                 {"注销", ShellCall{"shutdown.exe", "-l", ShellOwner::AppWindow}, nullptr},
                 {"锁定", std::nullopt, "lock"}};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(items[i].name);
        rig.shell.calls.clear();
        rig.powerActions.done.clear();
        rig.form.SetItemIndex(kPowerCommandCombo, i);
        SetMoment(Moment(2023, 1, 19, 12, i, 5), false);
        TicksAround(12, i, 5);
        EXPECT_EQ(rig.shell.calls, items[i].shell ? std::vector<ShellCall>{*items[i].shell}
                                                  : std::vector<ShellCall>{});
        EXPECT_EQ(rig.powerActions.done, items[i].action ? std::vector<std::string>{items[i].action}
                                                         : std::vector<std::string>{});
        const std::string at = "2023/1/19 12:0" + std::to_string(i) + ":05";
        EXPECT_NE(
            rig.CommandLogText().find(std::string("执行命令-") + items[i].name + "--Time--" + at),
            std::string::npos);
        EXPECT_EQ(rig.notices.warnings.back(), "将于 12:0" + std::to_string(i) + ":05 " +
                                                   items[i].name + "。点击“停止”可取消。");
    }

    // Sleep or lock refused by the system: the error reaches the window's error box, and
    // nothing is logged as executed.
    rig.powerActions.refuse = true;
    const int appends = rig.files.appendCalls;
    SetMoment(Moment(2023, 1, 19, 12, 30, 5), false);
    rig.PowerTickAt(12, 30, 4);
    EXPECT_THROW(rig.PowerTickAt(12, 30, 5), SystemError);
    EXPECT_EQ(rig.files.appendCalls, appends);
}

TEST_F(SetMomentTest, EarlierSetMomentIssuesTheCommandBeforeTheCountdown) {
    rig.At(10, 0, 0, 10);
    rig.form.SetChecked(kCountdownCheck, true);  // countdown target 10:10:00.010
    SetMoment(Moment(2023, 1, 19, 10, 5, 0), false);
    rig.PowerTickAt(10, 4, 59, 20);
    EXPECT_TRUE(rig.shell.calls.empty());
    rig.PowerTickAt(10, 5, 0, 20);
    EXPECT_EQ(rig.shell.calls.size(), 1u);
    EXPECT_TRUE(rig.scheduler.CountdownArmed());
}

}  // namespace
}  // namespace tc
