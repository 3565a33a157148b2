#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/controls.h"
#include "core/convert.h"
#include "core/errors.h"
#include "platform/errors.h"
#include "settings/ini_file.h"
#include "settings/start_with_windows.h"
#include "support/fakes/fake_registry.h"
#include "support/scheduler_rig.h"

namespace tc {
namespace {

const std::string kConfig = "C:\\Tools\\Tallowcron\\config.ini";

// The whole window on fakes, with the settings file; what loading asks of the scheduler and the
// window handlers it triggers are recorded in order and then carried out by the real scheduler.
struct SettingsRig : SchedulerRig {
    FakeRegistry registry;
    std::vector<std::string> events;
    SettingsFile settings{form, moments, {files, codePage, registry}};

    SettingsRig() {
        WireScheduler(form, scheduler,
                      [this](const SchedulerBinding& b) { events.push_back(b.handler); });
    }

    bool Saw(const std::string& event) const {
        return std::find(events.begin(), events.end(), event) != events.end();
    }
    std::optional<std::string> Stored(std::string_view section, std::string_view key) {
        return ReadIniSValue(IniFile::Parse(files.files.at(kConfig)), section, key);
    }
    // Loads as the window does (the values, then what the window applies) and returns the
    // report's lines, none when everything loaded.
    std::vector<std::string> LoadLines(SettingsFile& from) {
        LoadedSettings loaded = from.LoadSettings();
        if (loaded.countdownMinutes)
            events.push_back("minutes " + std::to_string(*loaded.countdownMinutes));
        if (loaded.startClock) events.push_back("StartScheduling");
        scheduler.ApplyLoadedSettings(loaded.countdownMinutes, loaded.startClock);
        return loaded.failures;
    }
    // ... and the report as the box shows it, empty when none.
    std::string Load(SettingsFile& from) {
        const std::vector<std::string> lines = LoadLines(from);
        return lines.empty() ? std::string() : SettingsError(lines).what();
    }
    std::string Load() { return Load(settings); }
};

int RowOf(std::string_view name) { return name.back() - '0'; }

// A value for every stored control, different from its design value and from the others.
struct Planted {
    static std::string Text(const ControlSpec& c) {
        if (c.name == kCountdownMinutesEdit) return "25";
        return "C:\\Program Files\\程序 " + std::to_string(c.saveOrder) + "\\tool.exe";
    }
    static bool Flag(const ControlSpec& c) { return !c.checked; }
    static bool Open(const ControlSpec& c) { return RowOf(c.name) % 2 == 0; }
    static TDateTime Date(const ControlSpec& c) {
        return EncodeDate(2024, 2, 1) + c.saveOrder + EncodeTime(6, 30, 0, 0);
    }
    static TDateTime Time(const ControlSpec& c) {
        return EncodeDate(2019, 4, 15) +
               EncodeTime(c.saveOrder % 24, c.saveOrder, 59 - c.saveOrder, 0);
    }
};

void Plant(MemoryControlValues& form) {
    for (const ControlSpec* c : StoredControls()) {
        switch (c->storedAs) {
        case StoredAs::Text:
            form.SetText(c->name, Planted::Text(*c));
            break;
        case StoredAs::Flag:
            form.SetChecked(c->name, Planted::Flag(*c));
            break;
        case StoredAs::ItemIndex:
            form.SetItemIndex(c->name, 1);
            break;
        case StoredAs::OpenClose:
            form.SetChecked(RowName(Planted::Open(*c) ? "rbtOp" : "rbtColse", RowOf(c->name)),
                            true);
            break;
        case StoredAs::DateSerial:
            form.SetDateTime(c->name, Planted::Date(*c));
            break;
        case StoredAs::TimeText:
            form.SetDateTime(c->name, Planted::Time(*c));
            break;
        case StoredAs::None:
            break;
        }
    }
}

// Save, restart, load: every stored control comes back, the five slot times included, and each
// picker keeps the part of its value that is not stored.
TEST(SettingsFile, SaveThenLoadGivesBackEveryStoredControl) {
    SettingsRig before;
    before.Load();
    Plant(before.form);
    before.settings.SaveSettings();

    // The file holds the 42 keys in table order, under their three sections.
    const IniFile saved = IniFile::Parse(before.files.files.at(kConfig));
    std::vector<std::string> keys, expectedKeys;
    std::string lastSection;
    for (const ControlSpec* c : StoredControls()) {
        expectedKeys.push_back(std::string(c->key));
        EXPECT_TRUE(ReadIniSValue(saved, c->section, c->key)) << c->key;
    }
    for (std::size_t start = 0, end; start < saved.Text().size(); start = end + 2) {
        end = saved.Text().find("\r\n", start);
        const std::string line = saved.Text().substr(start, end - start);
        if (line.find('=') != std::string::npos) keys.push_back(line.substr(0, line.find('=')));
    }
    EXPECT_EQ(keys, expectedKeys);
    EXPECT_EQ(keys.size(), 42u);

    SettingsRig after;
    after.files = before.files;
    after.clock.Set(2023, 3, 1, 14, 0, 0, 0);
    EXPECT_EQ(after.Load(), "");
    const TDateTime now = after.moments.Now();

    for (const ControlSpec* c : StoredControls()) {
        SCOPED_TRACE(std::string(c->key));
        const TDateTime value = after.form.DateTime(c->name);
        switch (c->storedAs) {
        case StoredAs::Text:
            EXPECT_EQ(after.form.Text(c->name), Planted::Text(*c));
            break;
        case StoredAs::Flag:
            EXPECT_EQ(after.form.Checked(c->name), Planted::Flag(*c));
            break;
        case StoredAs::ItemIndex:
            EXPECT_EQ(after.form.ItemIndex(c->name), 1);
            break;
        case StoredAs::OpenClose:
            EXPECT_EQ(after.form.Checked(c->name), Planted::Open(*c));
            EXPECT_EQ(after.form.Checked("rbtColse" + std::to_string(RowOf(c->name))),
                      !Planted::Open(*c));
            break;
        case StoredAs::DateSerial:
            EXPECT_EQ(DateOf(value), DateOf(Planted::Date(*c)));
            // The design time of day, as closely as a date of this era can hold it.
            if (c->name == kSetMomentDatePicker)
                EXPECT_NEAR(value - DateOf(value), kStartDateDesignTimeOfDay, 1e-10);
            else
                EXPECT_EQ(ToMilliseconds(TimeOf(value)), ToMilliseconds(TimeOf(now)));
            break;
        case StoredAs::TimeText:
            EXPECT_EQ(ToWholeSeconds(TimeOf(value)), ToWholeSeconds(TimeOf(Planted::Time(*c))));
            EXPECT_EQ(DateOf(value), c->name == kSetMomentTimePicker ? 0.0 : DateOf(now));
            break;
        case StoredAs::None:
            break;
        }
    }
    EXPECT_EQ(after.scheduler.CountdownMinutes(), 25);
    EXPECT_EQ(after.form.Text(kRemainingSecondsLabel), "1500");
    EXPECT_TRUE(after.scheduler.Running());
    ASSERT_FALSE(after.events.empty());
    EXPECT_EQ(after.events.back(), "StartScheduling");
    EXPECT_TRUE(
        after.form.Visible(kCountdownStartLabel));  // the countdown was armed (cdTask planted on)
}

struct FormCase {
    const char* locale;
    LocaleInfo info;
    const char* taskDate1;
    const char* taskTime3;
};

// Each value form, byte for byte, in the locale's forms; and back.
TEST(SettingsFile, StoresEachValueFormInTheLocalesForms) {
    const std::vector<FormCase> cases = {
        {"Chinese", ChineseLocale(), "44945.375", "16:12:35"},
        {"US English", UsEnglishLocale(), "44945.375", "4:12:35 PM"},
        {"German", GermanLocale(), "44945,375", "16:12:35"},
    };
    for (const FormCase& c : cases) {
        SCOPED_TRACE(c.locale);
        SettingsRig rig;
        rig.locale.Set(c.info);
        rig.moments.ReloadLocale();
        rig.Load();  // no file: the pickers are set to now, 2023-01-19 09:00
        rig.form.SetText(kCountdownMinutesEdit, "010");
        rig.form.SetItemIndex(kPowerCommandCombo, -1);
        rig.form.SetChecked(RowName(kCloseButtonPrefix, 2), true);
        rig.form.SetChecked(RowName(kSlotOnPrefix, 4), true);
        rig.form.SetDateTime(RowName(kSlotTimePrefix, 3),
                             EncodeDate(2023, 1, 19) + EncodeTime(16, 12, 35, 250));
        rig.settings.SaveSettings();

        EXPECT_EQ(rig.Stored("SoftWare", "counT"), "010");
        EXPECT_EQ(rig.Stored("SoftWare", "AutoRun"), "0");
        EXPECT_EQ(rig.Stored("SoftWare", "sysTask"), "-1");
        EXPECT_EQ(rig.Stored("SoftRun", "task1"), "0");
        EXPECT_EQ(rig.Stored("SoftRun", "task2"), "1");
        EXPECT_EQ(rig.Stored("SoftRun", "exechk4"), "1");
        EXPECT_EQ(rig.Stored("SoftRun", "exepath5"), "E:\\qzvt.exe");
        EXPECT_EQ(rig.Stored("SoftRun", "TaskDate1"), c.taskDate1);
        EXPECT_EQ(rig.Stored("SoftRun", "TaskTime3"), c.taskTime3);
        const std::string separator = c.info.decimalSeparator;
        EXPECT_EQ(rig.Stored("SoftWare", "ptTaskDate"), "44945" + separator + "4520567477");

        SettingsRig reloaded;
        reloaded.locale.Set(c.info);
        reloaded.moments.ReloadLocale();
        reloaded.files = rig.files;
        reloaded.clock.Set(2023, 5, 5, 8, 0, 0, 0);
        EXPECT_EQ(reloaded.Load(), "");
        EXPECT_EQ(reloaded.form.Text(kCountdownMinutesEdit), "10");  // 010 loads as 10
        EXPECT_EQ(reloaded.scheduler.CountdownMinutes(), 10);
        EXPECT_EQ(reloaded.form.ItemIndex(kPowerCommandCombo), -1);
        EXPECT_EQ(DateOf(reloaded.form.DateTime(RowName(kSlotDatePrefix, 1))),
                  EncodeDate(2023, 1, 19));
        EXPECT_EQ(ToWholeSeconds(TimeOf(reloaded.form.DateTime(RowName(kSlotTimePrefix, 3)))),
                  ToWholeSeconds(EncodeTime(16, 12, 35, 0)));
        EXPECT_TRUE(reloaded.form.Checked(RowName(kCloseButtonPrefix, 2)));
    }
}

TEST(SettingsFile, CountdownMinutesGoThroughEdit9AndLabel15) {
    SettingsRig rig;
    rig.files.files[kConfig] = "[SoftWare]\r\ncounT=015\r\ncdTask=1\r\n";
    EXPECT_EQ(rig.Load(), "");
    EXPECT_EQ(rig.form.Text(kCountdownMinutesEdit), "15");
    EXPECT_EQ(rig.scheduler.CountdownMinutes(), 15);
    EXPECT_EQ(rig.form.Text(kRemainingSecondsLabel), "900");
    // The edit (its change handler runs), the countdown's box (its click handler runs), then
    // the minutes as stored go to the window, which arms the countdown once more.
    const std::vector<std::string> expected = {"Edit9Change", "CheckBox3Click", "minutes 15"};
    EXPECT_EQ(rig.events, expected);
    EXPECT_EQ(rig.scheduler.CountdownTarget(), AddMinutes(rig.scheduler.CountdownStart(), 15));
}

struct StoredTextCase {
    const char* stored;
    bool flagOn;
    bool open;
    int itemIndex;  // sysTask; -2 when the text is no integer
};

// How stored texts read: flags are on exactly for "1", tasks open exactly for "0" (Windows' own
// reading trims outer blanks first).
TEST(SettingsFile, FlagsTasksAndCommandIndexReadAsStored) {
    const std::vector<StoredTextCase> cases = {
        {"1", true, false, 1},     {"0", false, true, 0},    {"yes", false, false, -2},
        {"", false, false, -2},    {"01", false, false, 1},  {" 1 ", true, false, 1},
        {"\"0\"", false, true, 0}, {"-1", false, false, -1}, {"7", false, false, -1},
        {"$1", false, false, 1},   {"2", false, false, -1},
    };
    for (const StoredTextCase& c : cases) {
        SCOPED_TRACE(std::string("stored [") + c.stored + "]");
        std::string file = "[SoftWare]\r\nsysTask=" + std::string(c.stored) + "\r\n";
        std::string softRun = "[SoftRun]\r\n";
        for (const ControlSpec* control : StoredControls()) {
            if (control->storedAs != StoredAs::Flag && control->storedAs != StoredAs::OpenClose)
                continue;
            const std::string line = std::string(control->key) + "=" + c.stored + "\r\n";
            (control->section == "SoftWare" ? file : softRun) += line;
        }
        SettingsRig rig;
        // Start from the other state, so that every control is really set by the load.
        for (const ControlSpec* control : StoredControls()) {
            if (control->storedAs == StoredAs::Flag) rig.form.SetChecked(control->name, !c.flagOn);
            if (control->storedAs == StoredAs::OpenClose)
                rig.form.SetChecked(RowName(c.open ? "rbtColse" : "rbtOp", RowOf(control->name)),
                                    true);
        }
        rig.files.files[kConfig] = file + softRun;
        const std::string error = rig.Load();
        for (const ControlSpec* control : StoredControls()) {
            if (control->storedAs == StoredAs::Flag) {
                EXPECT_EQ(rig.form.Checked(control->name), c.flagOn) << control->key;
            }
            if (control->storedAs == StoredAs::OpenClose) {
                EXPECT_EQ(rig.form.Checked(control->name), c.open) << control->key;
                EXPECT_EQ(rig.form.Checked("rbtColse" + std::to_string(RowOf(control->name))),
                          !c.open);
            }
        }
        if (c.itemIndex == -2) {
            EXPECT_EQ(error,
                      "sysTask: '" + std::string(c.stored) + "' is not a valid integer value.");
            EXPECT_EQ(rig.form.ItemIndex(kPowerCommandCombo),
                      MemoryControlValues().ItemIndex(kPowerCommandCombo));
        } else {
            EXPECT_EQ(error, "");
            EXPECT_EQ(rig.form.ItemIndex(kPowerCommandCombo), c.itemIndex);
        }
        // AutoTimeRun is a flag too: on only for "1", and then the clock starts.
        EXPECT_EQ(rig.scheduler.Running(), c.flagOn && c.itemIndex != -2);
    }
}

// First start: no file, or a file without some keys. Nothing is reported; every control keeps
// its design value, the pickers show now.
TEST(SettingsFile, MissingFileOrKeysKeepDesignValuesSilently) {
    for (const char* file : {"", "[SoftWare]\r\nAutoRun=1\r\n", "; only a comment\r\n"}) {
        SCOPED_TRACE(file);
        SettingsRig rig;
        if (*file) rig.files.files[kConfig] = file;
        const MemoryControlValues design;
        EXPECT_EQ(rig.Load(), "");
        EXPECT_EQ(rig.settings.ConfigPath(), kConfig);
        for (const ControlSpec* c : StoredControls()) {
            if (c->name == kStartWithWindowsCheck &&
                std::string(file).find("AutoRun") != std::string::npos) {
                EXPECT_TRUE(rig.form.Checked(c->name));
                continue;
            }
            EXPECT_EQ(rig.form.Text(c->name), design.Text(c->name)) << c->name;
            EXPECT_EQ(rig.form.Checked(c->name), design.Checked(c->name)) << c->name;
            EXPECT_EQ(rig.form.ItemIndex(c->name), design.ItemIndex(c->name)) << c->name;
        }
        const TDateTime now = FromLocalTime(rig.clock.Now());
        for (int row = 1; row <= 5; ++row) {
            EXPECT_EQ(rig.form.DateTime(RowName("FSetDate", row)), now);
            EXPECT_EQ(rig.form.DateTime(RowName("FSetTime", row)), now);
        }
        EXPECT_EQ(rig.form.DateTime(kMouseStartDatePicker), now);
        EXPECT_EQ(rig.form.DateTime(kSetMomentDatePicker), DateOf(now) + kStartDateDesignTimeOfDay);
        EXPECT_EQ(rig.form.DateTime(kSetMomentTimePicker), TimeOf(now));
        EXPECT_TRUE(rig.events.empty());
        EXPECT_FALSE(rig.scheduler.Running());
        EXPECT_EQ(rig.scheduler.CountdownMinutes(), 10);  // the design text of Edit9
    }
}

// Bad values in the middle of a good file: everything else loads, the bad ones keep their
// design values, one report names them all, and the clock is not started automatically.
TEST(SettingsFile, BadValuesAreReportedTogetherAfterLoadingTheRest) {
    SettingsRig before;
    before.Load();
    Plant(before.form);
    before.settings.SaveSettings();
    IniFile file = IniFile::Parse(before.files.files.at(kConfig));
    WriteIniValue(file, "SoftWare", "counT", "abc");
    WriteIniValue(file, "SoftWare", "sysTask", "1.5");
    WriteIniValue(file, "SoftRun", "TaskDate2", "x");
    WriteIniValue(file, "SoftRun", "TaskDate4", "-60000");  // 1735: before the pickers' range
    WriteIniValue(file, "SoftRun", "TaskDate5", "1E300");
    WriteIniValue(file, "SoftRun", "TaskTime3", "25:99");
    ASSERT_EQ(ReadIniSValue(file, "SoftWare", "AutoTimeRun"), "1");

    SettingsRig after;
    after.files.files[kConfig] = file.Text();
    {
        const std::vector<std::string> lines = after.LoadLines(after.settings);
        // One line a key, naming it and ending with a full stop.
        const std::vector<std::string> expected = {
            "counT: 'abc' is not a valid integer value.",
            "sysTask: '1.5' is not a valid integer value.",
            "TaskDate2: 'x' is not a valid floating point value.",
            "TaskDate4: Failed to set calendar date or time.",
            "TaskDate5: Failed to set calendar date or time.",
            "TaskTime3: '25:99' is not a valid time.",
        };
        EXPECT_EQ(lines, expected);
        EXPECT_EQ(std::string(SettingsError(lines).what()),
                  "counT: 'abc' is not a valid integer value.\r\n"
                  "sysTask: '1.5' is not a valid integer value.\r\n"
                  "TaskDate2: 'x' is not a valid floating point value.\r\n"
                  "TaskDate4: Failed to set calendar date or time.\r\n"
                  "TaskDate5: Failed to set calendar date or time.\r\n"
                  "TaskTime3: '25:99' is not a valid time.");
    }

    const MemoryControlValues design;
    const TDateTime now = FromLocalTime(after.clock.Now());
    EXPECT_EQ(after.form.Text(kCountdownMinutesEdit), "10");
    EXPECT_EQ(after.form.ItemIndex(kPowerCommandCombo), design.ItemIndex(kPowerCommandCombo));
    EXPECT_EQ(after.form.DateTime(RowName(kSlotDatePrefix, 2)), now);
    EXPECT_EQ(after.form.DateTime(RowName(kSlotDatePrefix, 4)), now);
    EXPECT_EQ(after.form.DateTime(RowName(kSlotDatePrefix, 5)), now);
    EXPECT_EQ(after.form.DateTime(RowName(kSlotTimePrefix, 3)), now);
    // Everything else, before and after the bad values, is loaded.
    for (const ControlSpec* c : StoredControls()) {
        if (c->storedAs == StoredAs::Text && c->name != kCountdownMinutesEdit) {
            EXPECT_EQ(after.form.Text(c->name), Planted::Text(*c)) << c->key;
        }
        if (c->storedAs == StoredAs::Flag) {
            EXPECT_EQ(after.form.Checked(c->name), Planted::Flag(*c)) << c->key;
        }
    }
    EXPECT_EQ(DateOf(after.form.DateTime(RowName(kSlotDatePrefix, 3))),
              DateOf(Planted::Date(*FindControl(RowName(kSlotDatePrefix, 3)))));
    EXPECT_EQ(ToWholeSeconds(TimeOf(after.form.DateTime(RowName(kSlotTimePrefix, 5)))),
              ToWholeSeconds(TimeOf(Planted::Time(*FindControl(RowName(kSlotTimePrefix, 5))))));
    // AutoTimeRun shows as stored, but the user starts the clock.
    EXPECT_TRUE(after.form.Checked(kAutoStartCheck));
    EXPECT_FALSE(after.scheduler.Running());
    EXPECT_FALSE(after.Saw("StartScheduling"));
    EXPECT_TRUE(after.form.Visible(kCountdownStartLabel));  // the countdown armed all the same
}

// A file that exists but cannot be read is reported, and the window keeps its design values.
TEST(SettingsFile, UnreadableFileIsReportedOnLoadAndStopsTheSave) {
    struct LockedFiles : FakeFiles {
        std::optional<std::string> ReadAll(const std::string&) override {
            throw SystemError(32,
                              "The process cannot access the file because it is being used by "
                              "another process.");
        }
    };
    SettingsRig rig;
    LockedFiles locked;
    SettingsFile settings{rig.form, rig.moments, {locked, rig.codePage, rig.registry}};
    {
        EXPECT_EQ(rig.Load(settings),
                  "System Error.  Code: 32.\r\nThe process cannot access the file "
                  "because it is being used by another process.");
    }
    EXPECT_EQ(rig.form.DateTime(RowName(kSlotDatePrefix, 1)), FromLocalTime(rig.clock.Now()));
    EXPECT_THROW(settings.SaveSettings(), SystemError);
    EXPECT_TRUE(rig.registry.calls.empty());
    EXPECT_TRUE(locked.files.empty());
}

// "开机启动" ticked and both Run keys refused: every key is still written, then the error shows.
TEST(SettingsFile, RefusedRegistryWriteStillSavesEveryKey) {
    SettingsRig rig;
    rig.Load();
    Plant(rig.form);
    rig.form.SetChecked(kStartWithWindowsCheck, true);
    rig.registry.refuseMachine = true;
    rig.registry.refuseCurrentUser = true;
    try {
        rig.settings.SaveSettings();
        FAIL() << "no error reported";
    } catch (const RegistryError& e) {
        EXPECT_EQ(std::string(e.what()), "Failed to set data for 'testTallowcron'");
    }
    for (const ControlSpec* c : StoredControls())
        EXPECT_TRUE(rig.Stored(c->section, c->key)) << c->key;
    EXPECT_EQ(rig.Stored("SoftWare", "AutoRun"), "1");
    EXPECT_EQ(rig.Stored("MouseRun", "mouseY"), Planted::Text(*FindControl(kClickYEdit)));
}

// The Run value names the executable as it really is, quoted, with " /autorun" after it, under
// the machine's key, and takes the place of a value for another path there and of a value that
// an earlier save left under the user's key (the program would start twice); the quoted path
// alone, as earlier versions wrote it, is brought up to date. Unticking removes it from both
// keys, silently also when it is already gone.
TEST(SettingsFile, StartWithWindowsRegistersTheRealPathQuoted) {
    SettingsRig rig;
    rig.files.exePath = "C:\\Program Files\\Tallow Cron\\tc 2.exe";
    rig.files.directories.insert("C:\\Program Files");
    rig.files.directories.insert("C:\\Program Files\\Tallow Cron");
    rig.registry.machine["testTallowcron"] = "\"C:\\Old\\tc.exe\"";
    rig.registry.currentUser["testTallowcron"] = "\"C:\\Old\\tc.exe\"";
    rig.Load();
    rig.form.SetChecked(kStartWithWindowsCheck, true);
    rig.settings.SaveSettings();
    const FakeRegistry::Values registered = {
        {"testTallowcron", "\"C:\\Program Files\\Tallow Cron\\tc 2.exe\" /autorun"}};
    EXPECT_EQ(rig.registry.machine, registered);
    EXPECT_TRUE(rig.registry.currentUser.empty());
    EXPECT_EQ(rig.files.files.count("C:\\Program Files\\Tallow Cron\\config.ini"), 1u);
    rig.registry.machine["testTallowcron"] = "\"C:\\Program Files\\Tallow Cron\\tc 2.exe\"";
    rig.settings.SaveSettings();
    EXPECT_EQ(rig.registry.machine, registered);

    rig.form.SetChecked(kStartWithWindowsCheck, false);
    rig.registry.currentUser = registered;
    rig.settings.SaveSettings();
    rig.settings.SaveSettings();
    EXPECT_TRUE(rig.registry.machine.empty());
    EXPECT_TRUE(rig.registry.currentUser.empty());

    // What the program makes of the arguments the value passes, and of any other.
    for (const char* atLogOn : {"/autorun", " /AutoRun\t"}) EXPECT_TRUE(IsAutorunStart(atLogOn));
    for (const char* other : {"", "  ", "/autorun x", "autorun", "-autorun", "/autorunx"})
        EXPECT_FALSE(IsAutorunStart(other)) << other;
}

// Not allowed to register for every user (not run as administrator): the value goes under the
// user's own key and nothing is reported; unticking removes it from there. A value that a save
// as administrator left under the machine's key for this program (its path in another case
// names the same file) already starts it for every user: ticked, nothing goes under the user's
// key, and one left there goes; unticked, the value cannot be removed and the user is told (the
// user's own value goes all the same). A
// value there for another path is not this program's: the user's key gets the value.
TEST(SettingsFile, RefusedMachineKeyRegistersForTheUserAlone) {
    SettingsRig rig;
    rig.files.exePath = "C:\\Tools\\Tallowcron\\Tallowcron.exe";
    rig.registry.refuseMachine = true;
    rig.Load();
    rig.form.SetChecked(kStartWithWindowsCheck, true);
    EXPECT_NO_THROW(rig.settings.SaveSettings());
    EXPECT_TRUE(rig.registry.machine.empty());
    const FakeRegistry::Values registered = {
        {"testTallowcron", "\"" + rig.files.exePath + "\" /autorun"}};
    EXPECT_EQ(rig.registry.currentUser, registered);

    rig.form.SetChecked(kStartWithWindowsCheck, false);
    EXPECT_NO_THROW(rig.settings.SaveSettings());
    EXPECT_TRUE(rig.registry.currentUser.empty());

    const FakeRegistry::Values byAdministrator = {
        {"testTallowcron", "\"c:\\tools\\TALLOWCRON\\Tallowcron.exe\""}};
    rig.registry.machine = byAdministrator;
    rig.registry.currentUser = registered;
    rig.form.SetChecked(kStartWithWindowsCheck, true);
    EXPECT_NO_THROW(rig.settings.SaveSettings());
    EXPECT_EQ(rig.registry.machine, byAdministrator);
    EXPECT_TRUE(rig.registry.currentUser.empty());

    rig.form.SetChecked(kStartWithWindowsCheck, false);
    rig.registry.currentUser = registered;
    try {
        rig.settings.SaveSettings();
        FAIL() << "the value left under the machine's key was not reported";
    } catch (const RegistryError& e) {
        EXPECT_EQ(std::string(e.what()), "Failed to set data for 'testTallowcron'");
    }
    EXPECT_EQ(rig.registry.machine, byAdministrator);
    EXPECT_TRUE(rig.registry.currentUser.empty());
    EXPECT_EQ(rig.Stored("SoftWare", "AutoRun"), "0");

    rig.registry.machine = {{"testTallowcron", "\"C:\\Old\\Tallowcron.exe\""}};
    rig.form.SetChecked(kStartWithWindowsCheck, true);
    EXPECT_NO_THROW(rig.settings.SaveSettings());
    EXPECT_EQ(rig.registry.currentUser, registered);
}

// A read-only file (or folder): the failure is reported with the system's message, the
// previous file stays whole and the registry is not touched, whichever way "开机启动" is set,
// so file and registry never disagree.
TEST(SettingsFile, FailedSaveIsReportedAndLeavesThePreviousFileAndTheRegistry) {
    const std::string previous = "[SoftWare]\r\ncounT=30\r\nAutoRun=0\r\n";
    for (const bool autoRun : {false, true}) {
        SCOPED_TRACE(autoRun ? "开机启动 ticked" : "开机启动 not ticked");
        SettingsRig rig;
        rig.files.files[kConfig] = previous;
        rig.Load();
        rig.form.SetText(kCountdownMinutesEdit, "45");
        rig.form.SetChecked(kStartWithWindowsCheck, autoRun);
        rig.files.failing.insert(kConfig);
        try {
            rig.settings.SaveSettings();
            FAIL() << "no error reported";
        } catch (const SystemError& e) {
            EXPECT_EQ(std::string(e.what()), "System Error.  Code: 5.\r\nAccess is denied.");
        }
        EXPECT_EQ(rig.files.files.at(kConfig), previous);
        EXPECT_TRUE(rig.registry.calls.empty());
    }
}

// Texts that would add lines to the file are refused before the file or the registry is touched.
TEST(SettingsFile, LineBreakInAValueIsRefusedNotInjected) {
    SettingsRig rig;
    rig.files.files[kConfig] = "[SoftWare]\r\ncounT=30\r\n";
    rig.Load();
    rig.form.SetChecked(kStartWithWindowsCheck, true);
    rig.form.SetText(RowName(kSlotPathPrefix, 1), "C:\\a.exe\r\n[SoftWare]\r\nAutoTimeRun=1");
    try {
        rig.settings.SaveSettings();
        FAIL() << "no error reported";
    } catch (const IniValueError& e) {
        EXPECT_EQ(
            std::string(e.what()),
            "The value of 'exepath1' holds a line break or a NUL character and cannot be saved");
    }
    EXPECT_EQ(rig.files.files.at(kConfig), "[SoftWare]\r\ncounT=30\r\n");
    EXPECT_TRUE(rig.registry.calls.empty());
}

// Stands in for a Western code page: what it lacks becomes "?".
class WesternCodePage : public CodePage {
public:
    std::string ToAnsi(std::string_view utf8) override {
        std::string out;
        for (std::size_t i = 0; i < utf8.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(utf8[i]);
            if (c < 0x80)
                out += static_cast<char>(c);
            else if ((c & 0xC0) != 0x80)
                out += '?';
        }
        return out;
    }
    std::string FromAnsi(std::string_view ansi) override { return std::string(ansi); }
};

// ... while a file in UTF-8 or UTF-16 (with its byte-order mark) takes any text.
TEST(SettingsFile, TextTheCodePageLacksIsRefusedNotMangled) {
    for (const std::string mark : {"", "\xEF\xBB\xBF", "\xFF\xFE"}) {
        SCOPED_TRACE(mark.empty() ? "code page" : "Unicode");
        SettingsRig rig;
        WesternCodePage western;
        SettingsFile settings{rig.form, rig.moments, {rig.files, western, rig.registry}};
        if (!mark.empty()) rig.files.files[kConfig] = mark;
        rig.Load(settings);
        const std::string path = "C:\\程序\\工具.exe";
        rig.form.SetText(RowName(kSlotPathPrefix, 3), path);
        try {
            settings.SaveSettings();
            EXPECT_FALSE(mark.empty()) << "no error reported";
        } catch (const IniValueError& e) {
            EXPECT_TRUE(mark.empty());
            EXPECT_EQ(
                std::string(e.what()),
                "The value of 'exepath3' holds characters that the system code page cannot store");
            EXPECT_EQ(rig.files.files.count(kConfig), 0u);
            continue;
        }
        SettingsFile again{rig.form, rig.moments, {rig.files, western, rig.registry}};
        rig.form.SetText(RowName(kSlotPathPrefix, 3), "");
        rig.Load(again);
        EXPECT_EQ(rig.form.Text(RowName(kSlotPathPrefix, 3)), path);
        EXPECT_EQ(rig.files.files.at(kConfig).rfind(mark, 0), 0u);
    }
}

// A value with a NUL character reads as Windows reads it, up to the NUL, and the report says
// so; a bad value before a NUL is reported once, in one line with it.
TEST(SettingsFile, ValueCutShortByANulLoadsUpToItAndIsReported) {
    using namespace std::string_literals;
    SettingsRig rig;
    rig.files.files[kConfig] =
        "[SoftWare]\r\ncounT=2\0 5\r\nsysTask=x\0 1\r\n[SoftRun]\r\nexepath1=C:\\a\0b.exe\r\n"s;
    EXPECT_EQ(rig.Load(),
              "counT: The value holds a NUL character; only the text before it, '2', was read.\r\n"
              "sysTask: 'x' is not a valid integer value. The value holds a NUL character; only "
              "the text before it, 'x', was read.\r\n"
              "exepath1: The value holds a NUL character; only the text before it, 'C:\\a', was "
              "read.");
    EXPECT_EQ(rig.form.Text(kCountdownMinutesEdit), "2");
    EXPECT_EQ(rig.form.Text(RowName(kSlotPathPrefix, 1)), "C:\\a");
}

// A huge bad value: the report quotes its first 100 characters, whatever the value's size.
TEST(SettingsFile, HugeBadValueIsQuotedShort) {
    SettingsRig rig;
    rig.files.files[kConfig] = "[SoftWare]\r\ncounT=" + std::string(5 << 20, '9') + "\r\n";
    EXPECT_EQ(rig.Load(),
              "counT: '" + std::string(100, '9') + "\u2026' is not a valid integer value.");
}

// Dates are saved with the locale's decimal separator; after the user switches "." and ","
// they still load, either way round.
TEST(SettingsFile, StoredDatesLoadAfterTheDecimalSeparatorChanged) {
    for (const bool commaFirst : {false, true}) {
        SCOPED_TRACE(commaFirst ? "saved with ','" : "saved with '.'");
        LocaleInfo comma = ChineseLocale();
        comma.decimalSeparator = ",";
        const LocaleInfo point = ChineseLocale();
        SettingsRig before;
        before.locale.Set(commaFirst ? comma : point);
        before.moments.ReloadLocale();
        before.Load();
        Plant(before.form);
        before.settings.SaveSettings();
        ASSERT_NE(before.Stored("SoftRun", "TaskDate1")->find(commaFirst ? ',' : '.'),
                  std::string::npos);

        SettingsRig after;
        after.locale.Set(commaFirst ? point : comma);
        after.moments.ReloadLocale();
        after.files = before.files;
        EXPECT_EQ(after.Load(), "");
        for (const ControlSpec* c : StoredControls()) {
            if (c->storedAs != StoredAs::DateSerial) continue;
            EXPECT_EQ(DateOf(after.form.DateTime(c->name)), DateOf(Planted::Date(*c))) << c->key;
        }
    }
}

TEST(SettingsFile, TextsWithOuterBlanksAndQuotesComeBackAsTyped) {
    const std::vector<std::pair<std::string, std::string>> texts = {
        {RowName(kSlotPathPrefix, 1), "  C:\\padded.exe  "},
        {RowName(kSlotPathPrefix, 2), "\"C:\\Program Files\\x.exe\""},
        {RowName(kSlotPathPrefix, 3), "'q'"},
        {RowName(kSlotPathPrefix, 4), ""},
        {RowName(kSlotPathPrefix, 5), "\""},
        {std::string(kClickIntervalEdit), " 1"},
        {std::string(kClickXEdit), "\u3000"},
        {std::string(kClickYEdit), "=[x]"},
    };
    SettingsRig before;
    before.Load();
    for (const auto& [name, text] : texts) before.form.SetText(name, text);
    before.settings.SaveSettings();
    SettingsRig after;
    after.files = before.files;
    EXPECT_EQ(after.Load(), "");
    for (const auto& [name, text] : texts) EXPECT_EQ(after.form.Text(name), text) << name;
}

// A file edited by hand, or written by older versions through Windows' profile functions:
// names in any case load, and a save keeps what the program does not know.
TEST(SettingsFile, HandEditedFileLoadsAndKeepsItsCommentsAndUnknownKeys) {
    SettingsRig rig;
    rig.files.files[kConfig] =
        "; my settings\r\n"
        "[SOFTWARE]\r\n"
        "COUNT=15\r\n"
        "sound=on\r\n"
        "\r\n"
        "[softrun]\r\n"
        "EXEPATH1=C:\\x.exe\r\n"
        "[Plugins]\r\n"
        "a=1\r\n";
    EXPECT_EQ(rig.Load(), "");
    EXPECT_EQ(rig.form.Text(kCountdownMinutesEdit), "15");
    EXPECT_EQ(rig.form.Text(RowName(kSlotPathPrefix, 1)), "C:\\x.exe");

    rig.form.SetText(kCountdownMinutesEdit, "20");
    rig.settings.SaveSettings();
    const std::string text = rig.files.files.at(kConfig);
    const std::string head = "; my settings\r\n[SOFTWARE]\r\nCOUNT=20\r\nsound=on\r\nAutoRun=0\r\n";
    EXPECT_EQ(text.rfind(head, 0), 0u) << text;
    EXPECT_NE(text.find("\r\n\r\n[softrun]\r\nEXEPATH1=C:\\x.exe\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("[Plugins]\r\na=1\r\n[MouseRun]\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("counT"), std::string::npos);
    EXPECT_EQ(rig.Stored("SoftWare", "counT"), "20");
}

}  // namespace
}  // namespace tc
