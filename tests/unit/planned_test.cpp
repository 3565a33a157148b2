// What the scheduler tells without being asked: the moments a gap between ticks passed over,
// the next action in the notification icon's tooltip, and the warning before a power command.
#include "core/planned.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/controls.h"
#include "support/scheduler_rig.h"

namespace tc {
namespace {

using Lines = std::vector<std::string>;

// The set moment ticked, for the drop-down's `command`.
void SetPowerMoment(SchedulerRig& rig, int command, TDateTime date, TDateTime time) {
    rig.form.SetItemIndex(kPowerCommandCombo, command);
    rig.form.SetChecked(kSetMomentCheck, true);
    rig.form.SetDateTime(kSetMomentDatePicker, date);
    rig.form.SetDateTime(kSetMomentTimePicker, time);
}

// The mouse task's start moment, with no repeated clicks.
void SetMouseStart(SchedulerRig& rig, TDateTime time) {
    rig.form.SetDateTime(kMouseStartDatePicker, EncodeDate(2023, 1, 19));
    rig.form.SetDateTime(kMouseStartTimePicker, time);
    rig.form.SetText(kClickIntervalEdit, "0");
}

// Every kind of target, then the machine asleep for two and a half days: each target whose moment
// the sleep passed over is told once, a daily one for its last day; a clock set back tells nothing,
// and a gap over the same moments again tells nothing new.
TEST(SkippedMomentsTest, EachTargetAGapPassedOverIsToldOnce) {
    SchedulerRig rig;
    rig.SetSlot(1, "D:\\a.exe", Moment(2023, 1, 19, 10, 30, 0));
    rig.SetSlot(2, "D:\\b.exe", Moment(2022, 5, 1, 3, 30, 0), /*daily=*/true, /*close=*/true);
    rig.SetSlot(3, "D:\\c.exe", Moment(2023, 1, 19, 10, 0, 1));  // acts before the sleep
    rig.SetSlot(4, "", Moment(2023, 1, 19, 10, 30, 0));          // no path
    rig.SetSlot(5, "D:\\e.exe", Moment(2023, 1, 19, 10, 30, 0), false, false, /*enabled=*/false);
    SetPowerMoment(rig, 1, EncodeDate(2023, 1, 19), EncodeTime(10, 45, 0, 0));  // restart
    rig.form.SetText(kCountdownMinutesEdit, "60");
    SetMouseStart(rig, EncodeTime(10, 15, 0, 0));

    rig.At(10, 0, 0, 10);
    rig.form.SetChecked(kCountdownCheck, true);  // countdown to 11:00:00
    rig.form.SetChecked(kMouseOnCheck, true);
    rig.scheduler.StartScheduling();
    rig.WakeAt(10, 0, 1);
    rig.WakeAt(10, 0, 2);
    ASSERT_EQ(rig.form.ActivityLines(), Lines{"打开程序-D:\\c.exe-执行时间-2023/1/19 10:00:01"});

    rig.WakeAt(3, 0, 0, 30, /*day=*/3);  // asleep until three days later, 03:00
    for (int s = 1; s < 5; ++s) rig.WakeAt(3, 0, s, 30, 3);
    const Lines told = {
        "打开程序-D:\\c.exe-执行时间-2023/1/19 10:00:01",
        "已跳过-打开程序-D:\\a.exe-计划时间-2023/1/19 10:30:00",
        "已跳过-关闭程序-D:\\b.exe-计划时间-2023/1/21 03:30:00",
        "已跳过-重启-计划时间-2023/1/19 11:00:00",
        "已跳过-重启-计划时间-2023/1/19 10:45:00",
        "已跳过-鼠标单击-计划时间-2023/1/19 10:15:00",
    };
    EXPECT_EQ(rig.form.ActivityLines(), told);
    EXPECT_TRUE(rig.shell.calls.size() == 1u) << "nothing is caught up";
    EXPECT_EQ(rig.CommandLogText(), "");

    // The clock set back three days and forward again over the same moments.
    for (int s = 0; s < 3; ++s) rig.WakeAt(9, 0, s, 30);
    rig.WakeAt(3, 10, 0, 30, 3);
    EXPECT_EQ(rig.form.ActivityLines(), told);
}

// What the tooltip says as the day goes on, with a warning a minute before each power command.
TEST(NextActionTest, TheTipFollowsTheNextTargetAndChangesOnlyWhenItDoes) {
    SchedulerRig rig;
    rig.SetSlot(1, "D:\\Tools\\qzvt.exe", Moment(2023, 1, 19, 10, 30, 0));
    rig.SetSlot(2, "D:\\x\\b.exe", Moment(2022, 5, 1, 8, 0, 0), /*daily=*/true, /*close=*/true);
    // On the same second as slot 1: the lower slot is the one told.
    rig.SetSlot(3, "D:\\x\\c.exe", Moment(2023, 1, 19, 10, 30, 0));
    SetPowerMoment(rig, 0, EncodeDate(2023, 1, 19), EncodeTime(10, 45, 0, 0));
    SetMouseStart(rig, EncodeTime(9, 30, 0, 0));
    rig.form.SetText(kCountdownMinutesEdit, "1");

    rig.At(9, 0, 0, 10);
    rig.form.SetChecked(kMouseOnCheck, true);
    rig.WakeAt(9, 0, 1);
    EXPECT_TRUE(rig.notices.tips.empty()) << "the clock is not started";
    rig.At(9, 0, 1, 500);
    rig.scheduler.StartScheduling();
    for (int second = 9 * 3600 + 2; second < 10 * 3600 + 50 * 60; ++second)
        rig.WakeAt(second / 3600, second / 60 % 60, second % 60);
    // A countdown of one minute ticked while the clock runs: warned of at once.
    rig.At(10, 50, 0, 500);
    rig.form.SetChecked(kCountdownCheck, true);
    for (int s = 1; s <= 5; ++s) rig.WakeAt(10, 50, s);
    const std::string countdownTip = rig.notices.tips.back();
    for (int s = 6; s < 70; ++s) rig.WakeAt(10, 50 + s / 60, s % 60);
    // New regional settings: the same next action, told in the new date form.
    rig.locale.Set(GermanLocale());
    rig.moments.ReloadLocale();
    rig.WakeAt(10, 51, 10);
    rig.scheduler.StopScheduling();
    rig.WakeAt(10, 51, 11);

    EXPECT_EQ(rig.notices.tips, (Lines{
                                    "Tallowcron\n下一项：鼠标单击 2023/1/19 09:30:00",
                                    "Tallowcron\n下一项：打开程序 qzvt.exe 2023/1/19 10:30:00",
                                    "Tallowcron\n下一项：关机 2023/1/19 10:45:00",
                                    "Tallowcron\n下一项：关闭程序 b.exe 2023/1/20 08:00:00",
                                    "Tallowcron\n下一项：关机 2023/1/19 10:51:00",
                                    "Tallowcron\n下一项：关闭程序 b.exe 2023/1/20 08:00:00",
                                    "Tallowcron\n下一项：关闭程序 b.exe 20.01.2023 08:00:00",
                                    "Tallowcron",
                                }));
    EXPECT_EQ(countdownTip, "Tallowcron\n下一项：关机 2023/1/19 10:51:00");
    EXPECT_EQ(rig.notices.warnings, (Lines{"将于 10:45:00 关机。点击“停止”可取消。",
                                           "将于 10:51:00 关机。点击“停止”可取消。"}));
    EXPECT_EQ(rig.shell.calls.size(), 4u);  // qzvt.exe, c.exe, the set moment, the countdown
}

TEST(NextActionTest, WarningComesAMinuteBeforeOncePerPlannedCommandAndNotWhenStopped) {
    SchedulerRig rig;
    SetPowerMoment(rig, 1, EncodeDate(2020, 1, 1), EncodeTime(10, 5, 0, 0));
    rig.form.SetChecked(kByClockCheck, true);  // every day at 10:05:00
    rig.At(10, 0, 0, 10);
    rig.scheduler.StartScheduling();
    for (int s = 1; s < 240; ++s) rig.WakeAt(10, s / 60, s % 60);
    EXPECT_TRUE(rig.notices.warnings.empty()) << "more than a minute ahead";
    rig.WakeAt(10, 4, 0);
    rig.WakeAt(10, 4, 0, 990);  // a second tick in the same second
    rig.WakeAt(10, 4, 1);
    ASSERT_EQ(rig.notices.warnings, Lines{"将于 10:05:00 重启。点击“停止”可取消。"});
    rig.scheduler.StopScheduling();  // the user cancels
    for (int s = 2; s < 30; ++s) rig.WakeAt(10, 4, s);
    EXPECT_TRUE(rig.shell.calls.empty());
    // Started again within the minute: warned again; tomorrow's moment is another one.
    rig.At(10, 4, 30, 500);
    rig.form.SetItemIndex(kPowerCommandCombo, 1);
    rig.scheduler.StartScheduling();
    EXPECT_EQ(rig.notices.warnings.size(), 1u);
    rig.WakeAt(10, 4, 31);
    EXPECT_EQ(rig.notices.warnings.size(), 2u);
    for (int s = 32; s < 60; ++s) rig.WakeAt(10, 4, s);
    rig.WakeAt(10, 5, 0);
    EXPECT_EQ(rig.shell.calls.size(), 1u);
    rig.WakeAt(10, 4, 0, 30, 1);
    EXPECT_EQ(rig.notices.warnings.size(), 3u);
    // No command selected: nothing would run, so nothing is told.
    rig.form.SetItemIndex(kPowerCommandCombo, -1);
    rig.WakeAt(10, 4, 0, 30, 2);
    EXPECT_EQ(rig.notices.warnings.size(), 3u);
    EXPECT_EQ(rig.notices.tips.back(), "Tallowcron");
}

TEST(TrayTipTest, EveryTipFitsTheShellsRoomAndKeepsTheMomentAndTheExtension) {
    const LocaleForms forms(FakeLocale().Read());
    const std::string moment = " 2023/12/28 23:59:59";
    for (const std::string unit : {"a", "程", "\xF0\x9F\x98\x80", "ab程"}) {
        std::string stem;
        for (int n = 0; n < 140; ++n) {
            const std::string name = stem + ".exe";
            const std::string tip = TrayTip(
                PlannedAction{ToWholeSeconds(EncodeDateTime({2023, 12, 28}, {23, 59, 59, 0})),
                              "打开程序", name},
                forms);
            SCOPED_TRACE(name);
            EXPECT_LE(Utf16Length(tip), kTrayTipLength);
            EXPECT_EQ(tip.rfind("Tallowcron\n下一项：打开程序 ", 0), 0u);
            EXPECT_EQ(tip.substr(tip.size() - moment.size()), moment);
            EXPECT_NE(tip.find(".exe" + moment), std::string::npos);
            if (Utf16Length(tip) < kTrayTipLength) {
                EXPECT_NE(tip.find(name), std::string::npos);
            }
            stem += unit;
        }
    }
}

}  // namespace
}  // namespace tc
