#include "core/slots.h"

#include <gtest/gtest.h>

#include "platform/errors.h"
#include "support/scheduler_rig.h"

namespace tc {
namespace {

const std::string kAt10 = "2023/1/19 10:00:00";

struct SlotsTest : ::testing::Test {
    SchedulerRig rig;
    const TDateTime ten = Moment(2023, 1, 19, 10, 0, 0);

    void SetUp() override {
        rig.At(9, 59, 58, 400);
        rig.scheduler.StartScheduling();
    }
    const std::vector<std::string>& Lines() const { return rig.form.ActivityLines(); }
};

TEST_F(SlotsTest, OpenActsOnTheTickInsideTheTargetSecondOnly) {
    rig.SetSlot(2, "C:\\Tools\\backup.bat", ten);
    rig.SlotTickAt(9, 59, 59, 400);
    EXPECT_TRUE(rig.shell.calls.empty());
    rig.SlotTickAt(10, 0, 0, 400);
    rig.SlotTickAt(10, 0, 0, 900);  // a second tick in the same second
    rig.SlotTickAt(10, 0, 1, 400);
    ASSERT_EQ(rig.shell.calls.size(), 1u);
    EXPECT_EQ(rig.shell.calls[0], (ShellCall{"C:\\Tools\\backup.bat", "", ShellOwner::MainWindow}));
    EXPECT_EQ(
        Lines(),
        (std::vector<std::string>{"打开程序-C:\\Tools\\backup.bat-执行时间-2023/1/19 10:00:00"}));
}

TEST_F(SlotsTest, SlotsDueInOneTickActInRowOrder) {
    rig.SetSlot(4, "D:\\four.exe", ten);
    rig.SetSlot(1, "D:\\one.exe", ten);
    rig.SetSlot(3, "D:\\three.exe", ten, /*daily=*/true);
    rig.SlotTickAt(10, 0, 0);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"打开程序-D:\\one.exe-执行时间-" + kAt10,
                                                 "打开程序-D:\\three.exe-执行时间-" + kAt10,
                                                 "打开程序-D:\\four.exe-执行时间-" + kAt10}));
}

TEST_F(SlotsTest, SkippedSlotsLeaveNoTrace) {
    rig.SetSlot(1, "", ten);  // empty path
    rig.SetSlot(2, "D:\\off.exe", ten, false, false, /*enabled=*/false);
    rig.SetSlot(3, "D:\\offdaily.exe", ten, /*daily=*/true, false, /*enabled=*/false);
    rig.SetSlot(4, "D:\\yesterday.exe", ten - 1);  // one-time, date passed
    rig.SlotTickAt(10, 0, 0);
    EXPECT_TRUE(rig.shell.calls.empty());
    EXPECT_TRUE(Lines().empty());
    EXPECT_EQ(rig.processes.snapshots, 0);
}

TEST_F(SlotsTest, DailySlotWithLastYearsDateActsOnceEveryDay) {
    rig.SetSlot(5, "D:\\daily.exe", Moment(2022, 3, 1, 8, 0, 0), /*daily=*/true);
    for (int day = 1; day <= 3; ++day) {
        rig.SlotTickAt(7, 59, 59, 50, day);
        rig.SlotTickAt(8, 0, 0, 50, day);
        rig.SlotTickAt(8, 0, 0, 700, day);  // a second tick in the same second
        rig.SlotTickAt(8, 0, 1, 50, day);
    }
    ASSERT_EQ(Lines().size(), 3u);
    EXPECT_EQ(Lines()[0], "打开程序-D:\\daily.exe-执行时间-2023/1/20 08:00:00");
    EXPECT_EQ(Lines()[2], "打开程序-D:\\daily.exe-执行时间-2023/1/22 08:00:00");
}

TEST_F(SlotsTest, CloseEndsEveryProcessOfThatImageNameWhateverCaseOrFolder) {
    const std::uint32_t a = rig.processes.Start("foo.exe");
    const std::uint32_t b = rig.processes.Start("FOO.EXE");
    const std::uint32_t c = rig.processes.Start("C:\\Other\\Foo.exe");
    const std::uint32_t guarded = rig.processes.Start("fOo.exe");
    const std::uint32_t d = rig.processes.Start("foo.exe.bak");
    const std::uint32_t e = rig.processes.Start("xfoo.exe");
    const std::uint32_t f = rig.processes.Start("bar.exe");
    rig.processes.protectedPids.insert(guarded);
    rig.SetSlot(3, "C:\\Tools\\Foo.exe", ten, false, /*close=*/true);
    rig.SlotTickAt(10, 0, 0);
    EXPECT_EQ(rig.processes.terminated, (std::vector<std::uint32_t>{a, b, c}));
    for (std::uint32_t survivor : {guarded, d, e, f})
        EXPECT_TRUE(rig.processes.IsRunning(survivor));
    EXPECT_TRUE(rig.shell.calls.empty());
    EXPECT_EQ(Lines(), (std::vector<std::string>{"关闭程序-C:\\Tools\\Foo.exe-执行时间-" + kAt10}));
}

TEST_F(SlotsTest, CloseWithNothingRunningStillWritesItsLine) {
    rig.SetSlot(1, "C:\\Tools\\Foo.exe", ten, false, /*close=*/true);
    rig.SlotTickAt(10, 0, 0);
    EXPECT_EQ(rig.processes.snapshots, 1);
    EXPECT_EQ(Lines().size(), 1u);
}

// A file chosen with a browse button: the extension decides, in any case, whether the row can
// still close; any other file only sets the path.
TEST_F(SlotsTest, AChosenBatchFileCanOnlyBeOpenedAndAProgramCanBeClosedAgain) {
    struct Case {
        const char* file;
        bool closeEnabledAfter;
        bool openSelectedAfter;
    } cases[] = {
        {"D:\\x\\Nightly.Bat", false, true},
        {"D:\\x\\tool.exe", true, false},
        {"D:\\x\\BACKUP.BAT", false, true},
        {"D:\\x\\Tool.ExE", true, false},
    };
    for (const Case& c : cases) {
        rig.form.SetChecked(RowName(kCloseButtonPrefix, 5), true);
        SetChosenSlotFile(rig.form, 5, c.file);
        EXPECT_EQ(rig.form.Text(RowName(kSlotPathPrefix, 5)), c.file);
        EXPECT_EQ(rig.form.Enabled(RowName(kCloseButtonPrefix, 5)), c.closeEnabledAfter) << c.file;
        EXPECT_EQ(rig.form.Checked(RowName(kOpenButtonPrefix, 5)), c.openSelectedAfter) << c.file;
    }
    // Another extension: the path is taken, the buttons stay as they are.
    rig.form.SetChecked(RowName(kCloseButtonPrefix, 5), true);
    SetChosenSlotFile(rig.form, 5, "D:\\docs\\notes.txt");
    EXPECT_EQ(rig.form.Text(RowName(kSlotPathPrefix, 5)), "D:\\docs\\notes.txt");
    EXPECT_TRUE(rig.form.Checked(RowName(kCloseButtonPrefix, 5)));
    SetChosenSlotFile(rig.form, 5, "D:\\x\\run.bat");
    SetChosenSlotFile(rig.form, 5, "D:\\bat.folder\\README");  // no extension: still disabled
    EXPECT_FALSE(rig.form.Enabled(RowName(kCloseButtonPrefix, 5)));
    for (int row = 1; row < 5; ++row)  // the other rows are left alone
        EXPECT_TRUE(rig.form.Enabled(RowName(kCloseButtonPrefix, row))) << row;
}

// A path the shell refuses before the call (too long for it): the error reaches the error
// handler once for that occurrence, nothing is logged as opened, and the other slots due in the
// same tick still act. Closing by such a path works as ever.
TEST_F(SlotsTest, RefusedOpenIsReportedOnceLogsNothingAndHoldsUpNoOtherSlot) {
    const std::string tooLong = "C:\\" + std::string(1000, 'a') + ".exe";
    rig.shell.onOpen = [&](const ShellCall& call) {
        if (call.file == tooLong) throw SystemError(206, "The filename or extension is too long.");
    };
    rig.SetSlot(1, tooLong, ten);
    rig.SetSlot(2, "D:\\two.exe", ten);
    rig.SetSlot(3, tooLong, ten, false, /*close=*/true);
    rig.SetSlot(4, tooLong, ten, /*daily=*/true);
    EXPECT_THROW(rig.SlotTickAt(10, 0, 0, 400), SystemError);
    rig.SlotTickAt(10, 0, 0, 900);
    rig.SlotTickAt(10, 0, 1, 400);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"打开程序-D:\\two.exe-执行时间-" + kAt10,
                                                 "关闭程序-" + tooLong + "-执行时间-" + kAt10}));
    EXPECT_EQ(rig.shell.calls.size(), 3u);  // each once: slots 1, 2 and 4
}

// Ticks that come late, twice, or around a gap, and a clock that moves.

TEST_F(SlotsTest, TickLateBy990MsStillActsForTheSecondItSkipped) {
    rig.SetSlot(1, "D:\\one.exe", ten);
    rig.SlotTickAt(9, 59, 59, 990);
    rig.SlotTickAt(10, 0, 1, 5);  // the 10:00:00 tick never came
    rig.SlotTickAt(10, 0, 2, 5);
    ASSERT_EQ(rig.shell.calls.size(), 1u);
    // The line tells when it really acted.
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{"打开程序-D:\\one.exe-执行时间-2023/1/19 10:00:01"}));
}

TEST_F(SlotsTest, TickTenSecondsLateCatchesUpButAnHourLongGapDoesNot) {
    rig.SetSlot(1, "D:\\late.exe", Moment(2023, 1, 19, 10, 0, 3));
    rig.SetSlot(2, "D:\\gap.exe", Moment(2023, 1, 19, 10, 30, 0));
    rig.SetSlot(3, "D:\\wake.exe", Moment(2023, 1, 19, 11, 0, 12));
    rig.SlotTickAt(10, 0, 0);
    rig.SlotTickAt(10, 0, 10, 900);  // ten seconds late: 10:00:01 .. 10:00:10 looked at
    rig.SlotTickAt(11, 0, 12, 30);   // an hour asleep: only the waking second, the gap told
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{"打开程序-D:\\late.exe-执行时间-2023/1/19 10:00:10",
                                        "已跳过-打开程序-D:\\gap.exe-计划时间-2023/1/19 10:30:00",
                                        "打开程序-D:\\wake.exe-执行时间-2023/1/19 11:00:12"}));
    EXPECT_TRUE(rig.shell.calls.size() == 2u);
}

TEST_F(SlotsTest, ClockSetBackDoesNotRepeatAnActionUntilTheSettingsChange) {
    rig.SetSlot(1, "D:\\once.exe", ten);
    rig.SetSlot(2, "D:\\daily.exe", ten, /*daily=*/true);
    rig.SlotTickAt(10, 0, 0);
    rig.SlotTickAt(9, 0, 0);  // clock set back an hour
    rig.SlotTickAt(9, 59, 59);
    rig.SlotTickAt(10, 0, 0);
    rig.SlotTickAt(10, 0, 1);
    EXPECT_EQ(rig.shell.calls.size(), 2u);

    // A new path is a new setting: the one-time slot may act again; the daily one waits a day.
    rig.SetSlot(1, "D:\\other.exe", ten);
    rig.SlotTickAt(9, 59, 59);
    rig.SlotTickAt(10, 0, 0);
    ASSERT_EQ(rig.shell.calls.size(), 3u);
    EXPECT_EQ(rig.shell.calls[2].file, "D:\\other.exe");
    rig.SlotTickAt(9, 59, 59, 50, 1);
    rig.SlotTickAt(10, 0, 0, 50, 1);
    ASSERT_EQ(rig.shell.calls.size(), 4u);
    EXPECT_EQ(rig.shell.calls[3].file, "D:\\daily.exe");
}

TEST_F(SlotsTest, StopEndsSlotActionsAndStartTakesThemUpAgain) {
    rig.SetSlot(1, "D:\\one.exe", Moment(2023, 1, 19, 10, 0, 5));
    rig.SlotTickAt(10, 0, 0);
    rig.scheduler.StopScheduling();
    rig.SlotTickAt(10, 0, 5);  // a tick that was already on its way
    EXPECT_TRUE(rig.shell.calls.empty());
    rig.SetSlot(1, "D:\\one.exe", Moment(2023, 1, 19, 10, 0, 7));
    rig.At(10, 0, 6, 100);
    rig.scheduler.StartScheduling();
    rig.SlotTickAt(10, 0, 8, 100);  // late first tick: 10:00:07 is still looked at
    EXPECT_EQ(rig.shell.calls.size(), 1u);
}

}  // namespace
}  // namespace tc
