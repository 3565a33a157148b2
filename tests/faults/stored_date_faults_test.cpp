// A config.ini whose stored date is a number the date pickers refuse (edited by hand or by
// another program). The real window loads it from the real file: the user is told "Failed to set
// calendar date or time", every other value loads, and the clock is not started by itself.
#include <map>

#include "core/controls.h"
#include "core/tdatetime.h"
#include "fault_rig.h"
#include "platform/win32/win32_text.h"
#include "window_fixture.h"

namespace tc::test {
namespace {

struct StoredDate {
    const char* section;
    const char* key;
    const char* picker;
    std::string stored;
    bool refused;
};

std::string Whole(double days) { return std::to_string(static_cast<long long>(days)); }

class StoredDateFaults : public FaultTest {
protected:
    // Every stored control given a value of its own, then saved by the window itself.
    void SaveDistinctSettings() {
        Open();
        for (int row = 1; row <= 5; ++row) {
            Values().SetText(RowName("Edit", row), "C:\\程序\\p" + std::to_string(row) + ".exe");
            Values().SetChecked(RowName("chk", row), row % 2 == 1);
            Values().SetChecked(RowName("softchk", row), row % 2 == 0);
            Values().SetChecked(RowName(row < 3 ? "rbtColse" : "rbtOp", row), true);
            Values().SetDateTime(RowName("FSetDate", row), FromLocalTime({2027, row, 10 + row}));
            Values().SetDateTime(RowName("FSetTime", row),
                                 FromLocalTime({2026, 3, 4, row, 10 + row, 20 + row}));
        }
        Values().SetText(kCountdownMinutesEdit, "45");
        Values().SetItemIndex(kPowerCommandCombo, 1);
        Values().SetChecked(kCountdownCheck, true);
        Values().SetChecked(kSetMomentCheck, true);
        Values().SetChecked(kByClockCheck, true);
        Values().SetDateTime(kSetMomentDatePicker, FromLocalTime({2028, 2, 29, 10, 50, 57}));
        Values().SetDateTime(kSetMomentTimePicker, FromLocalTime({2026, 3, 4, 23, 59, 58}));
        Values().SetText(kClickIntervalEdit, "9");
        Values().SetText(kClickXEdit, "321");
        Values().SetText(kClickYEdit, "123");
        Values().SetChecked(kAutoStartCheck, true);
        Click(kSaveButton);
        ASSERT_TRUE(Boxes().shown.empty());
        for (const ControlSpec* c : StoredControls())
            saved_[std::string(c->name)] = StoredValue(Values(), *c);
        Close();
    }

    std::map<std::string, std::string> saved_;
};

TEST_F(StoredDateFaults, DateThePickersRefuseIsReportedAndEverythingElseLoads) {
    SaveDistinctSettings();
    const std::string config = folder.File("config.ini");
    const std::string settings = ReadBytes(config).value_or("");
    ASSERT_FALSE(settings.empty());

    const TDateTime first = EncodeDate(1601, 1, 1), last = EncodeDate(9999, 12, 31);
    const StoredDate cases[] = {
        {"SoftRun", "TaskDate3", "FSetDate3", Whole(last + 1), true},
        {"SoftWare", "ptTaskDate", "dtpStartDate", Whole(first - 1), true},
        {"SoftRun", "TaskDate1", "FSetDate1", "1000000000000", true},
        {"SoftRun", "TaskDate5", "FSetDate5", "-1000000000.5", true},
        // A date the control itself refuses: Wine's pickers begin on 1752-09-14.
        {"SoftRun", "TaskDate2", "FSetDate2", Whole(EncodeDate(1700, 1, 1)), true},
        // Dates far out that the pickers take load as they are.
        {"SoftRun", "TaskDate4", "FSetDate4", Whole(EncodeDate(1800, 1, 1)), false},
        {"SoftRun", "TaskDate2", "FSetDate2", Whole(last - 1), false},
    };
    for (const StoredDate& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.stored);
        ASSERT_TRUE(WriteBytes(config, settings));
        ASSERT_TRUE(WritePrivateProfileStringA(c.section, c.key, c.stored.c_str(),
                                               codePage.ToAnsi(config).c_str()));
        Boxes() = BoxScript{};
        clock.Set(2026, 5, 6, 7, 8, 9, 0);  // another day: a refused picker keeps today
        Open();

        for (const ControlSpec* control : StoredControls()) {
            if (control->name == c.picker) continue;
            EXPECT_EQ(StoredValue(Values(), *control), saved_[std::string(control->name)])
                << control->name;
        }
        const TDateTime pickerDay = DateOf(Values().DateTime(c.picker));
        if (!c.refused) {
            EXPECT_TRUE(Boxes().shown.empty());
            EXPECT_EQ(Whole(pickerDay), c.stored);
            EXPECT_TRUE(form->Schedule().Running());  // started by itself, as saved
            Close();
            continue;
        }
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{std::string(c.key) +
                                                       ": Failed to set calendar date or time."});
        EXPECT_EQ(pickerDay, EncodeDate(2026, 5, 6));
        // The clock waits for the user: the automatic start is ticked but did not run.
        EXPECT_TRUE(Values().Checked(kAutoStartCheck));
        EXPECT_FALSE(form->Schedule().Running());
        EXPECT_TRUE(IsWindowEnabled(Ctl(kStartButton)));
        EXPECT_FALSE(IsWindowEnabled(Ctl(kStopButton)));
        Close();
    }
}

}  // namespace
}  // namespace tc::test
