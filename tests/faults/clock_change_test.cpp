// The system clock set back one hour, and forward one hour, while the scheduling runs. The real
// window with every scheduler switched on ticks through its own timer messages, one a second,
// while a test clock stands in for the system's (Wine's own clock cannot be set). Nothing may act
// twice when an hour comes round again, and nothing may act for the hour that was skipped.
#include <cstdio>

#include "core/controls.h"
#include "core/tdatetime.h"
#include "fault_rig.h"
#include "window_fixture.h"

namespace tc::test {
namespace {

constexpr int kHour = 3600;

class ClockChange : public FaultTest {
protected:
    void SetUp() override {
        FaultTest::SetUp();
        fakeShell.onOpen = [this](const ShellCall& call) {
            const LocalTime now = clock.Now();
            actions_.push_back(call.file + " " + call.parameters + " at " + Clock(now));
        };
    }

    static std::string Clock(const LocalTime& t) {
        char text[16];
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
        return text;
    }
    static TDateTime Today(int hour, int minute, int second) {
        return FromLocalTime({2026, 3, 4, hour, minute, second, 0});
    }

    // Slot `row` opens `path` at that moment, once or every day.
    void Slot(int row, const std::string& path, TDateTime moment, bool daily) {
        Values().SetText(RowName("Edit", row), path);
        Values().SetChecked(RowName("chk", row), true);
        Values().SetChecked(RowName("softchk", row), daily);
        Values().SetChecked(RowName("rbtOp", row), true);
        Values().SetDateTime(RowName("FSetDate", row), moment);
        Values().SetDateTime(RowName("FSetTime", row), moment);
    }
    // Restart once at a set moment, and shut down when a countdown of `minutes` ends.
    void Power(TDateTime moment, int minutes) {
        Values().SetItemIndex(kPowerCommandCombo, 1);
        Values().SetChecked(kSetMomentCheck, true);
        Values().SetChecked(kByClockCheck, false);
        Values().SetDateTime(kSetMomentDatePicker, moment);
        Values().SetDateTime(kSetMomentTimePicker, moment);
        Values().SetText(kCountdownMinutesEdit, std::to_string(minutes));
        Values().SetChecked(kCountdownCheck, true);
    }
    // The mouse task clicks once at its start moment; its repeat interval is out of reach.
    void Mouse(TDateTime start) {
        Values().SetDateTime(kMouseStartDatePicker, start);
        Values().SetDateTime(kMouseStartTimePicker, start);
        Values().SetText(kClickIntervalEdit, "100000");
        Values().SetText(kClickXEdit, "5");
        Values().SetText(kClickYEdit, "6");
        Click(kMouseOnCheck);
    }

    // One tick a second for `seconds` seconds.
    void RunFor(int seconds) {
        for (int i = 0; i < seconds; ++i) {
            clock.AdvanceMs(1000);
            Tick();
        }
    }
    void Mark(const char* what) { actions_.push_back(what); }
    // The mouse bursts, as actions.
    void NoteClicks() {
        for (int i = clicksNoted_; i < input.Bursts(); ++i) actions_.push_back("click 5,6");
        clicksNoted_ = input.Bursts();
    }
    std::vector<std::string> CommandLogLines() {
        return TextLines(folder.File("log\\_Log260304.txt"));
    }

    std::vector<std::string> actions_;
    int clicksNoted_ = 0;
};

TEST_F(ClockChange, ClockSetBackAnHourActsForNothingTwice) {
    clock.Set(2026, 3, 4, 10, 0, 0, 500);
    Open();
    Mouse(Today(10, 0, 20));
    Slot(1, "C:\\daily.exe", Today(10, 0, 30), true);
    Slot(2, "C:\\once.exe", Today(10, 0, 40), false);
    Power(Today(10, 0, 50), 1);
    Click(kStartButton);  // the countdown runs from 10:00:00.500 to 10:01:00.500

    for (int i = 0; i < 70; ++i) {
        RunFor(1);
        NoteClicks();
    }
    Mark("clock set back");
    clock.AdvanceMs(-kHour * 1000LL);  // 09:01:10.500
    RunFor(kHour + 10);                // through the same hour again, to 10:01:20.500
    NoteClicks();

    EXPECT_EQ(actions_, (std::vector<std::string>{
                            "click 5,6",
                            "C:\\daily.exe  at 10:00:30",
                            "C:\\once.exe  at 10:00:40",
                            "shutdown.exe -r -t 0 at 10:00:50",
                            "shutdown.exe -r -t 0 at 10:01:00",
                            "clock set back",
                        }));
    EXPECT_EQ(CommandLogLines().size(), 2u)
        << "folder: " << ::testing::PrintToString(FilesIn(folder.Path()))
        << ", log: " << ::testing::PrintToString(FilesIn(folder.File("log")));
    EXPECT_TRUE(Boxes().shown.empty());
    EXPECT_TRUE(form->Schedule().Running());
}

TEST_F(ClockChange, ClockSetForwardAnHourSkipsThatHourAndActsOnceAfterIt) {
    clock.Set(2026, 3, 4, 11, 0, 0, 500);
    Open();
    Mouse(Today(11, 20, 0));
    Slot(1, "C:\\daily.exe", Today(11, 30, 0), true);
    Slot(2, "C:\\once.exe", Today(11, 45, 0), false);
    Slot(3, "C:\\landed.exe", Today(12, 0, 10), false);  // the second the clock is set to
    Slot(4, "C:\\after.exe", Today(12, 0, 20), false);
    Power(Today(11, 50, 0), 30);  // and a countdown to 11:30:00.500
    Click(kStartButton);

    RunFor(10);
    Mark("clock set forward");
    clock.AdvanceMs(kHour * 1000LL - 1000);  // from 11:00:10.500 to 12:00:09.500
    RunFor(21);                              // to 12:00:30.500
    NoteClicks();

    EXPECT_EQ(actions_, (std::vector<std::string>{
                            "clock set forward",
                            "C:\\landed.exe  at 12:00:10",
                            "C:\\after.exe  at 12:00:20",
                        }));
    EXPECT_FALSE(form->Schedule().CountdownArmed());  // left behind, not caught up
    EXPECT_TRUE(CommandLogLines().empty());
    EXPECT_TRUE(Boxes().shown.empty());
}

}  // namespace
}  // namespace tc::test
