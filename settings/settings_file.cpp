#include "settings/settings_file.h"

#include <algorithm>
#include <cmath>

#include "core/convert.h"
#include "core/errors.h"
#include "core/file_paths.h"
#include "platform/errors.h"
#include "settings/ini_file.h"
#include "settings/start_with_windows.h"

namespace tc {
namespace {

// A moment's date and time of day as TDateTime reads them: the whole part is the day, the
// fraction counts forward within it, also before 1899-12-30 (-1.25 is 1899-12-29 06:00).
TDateTime DayOf(TDateTime value) { return std::trunc(value); }
TDateTime TimeOfDayOf(TDateTime value) { return std::fabs(value - std::trunc(value)); }
TDateTime Join(TDateTime day, TDateTime timeOfDay) {
    return day >= 0 ? day + timeOfDay : day - timeOfDay;
}

// Days of the calendar that TDateTime covers, years 1 to 9999. A stored number outside it is
// no date at all, and the pickers refuse it.
constexpr double kFirstDay = -693593;
constexpr double kLastDay = 2958465;

TDateTime WithDateOf(TDateTime picker, TDateTime date) {
    if (!(date > kFirstDay - 1 && date < kLastDay + 1)) throw PickerRangeError();
    return Join(DayOf(date), TimeOfDayOf(picker));
}

TDateTime WithTimeOf(TDateTime picker, TDateTime time) {
    return Join(DayOf(picker), TimeOfDayOf(time));
}

// A date serial as stored: with the locale's decimal separator, or with the other one of "." and
// "," when the user has switched them in the regional settings since the file was saved. A text
// that reads with neither is reported with the locale's separator.
double DateSerialFrom(const std::string& text, const std::string& separator) {
    try {
        return TextToFloat(text, separator);
    } catch (const ConvertError&) {
        for (const char* other : {".", ","}) {
            if (separator == other) continue;
            try {
                return TextToFloat(text, other);
            } catch (const ConvertError&) {
                // nor with this one
            }
        }
        throw;
    }
}

std::string Sentence(std::string text) {
    if (!text.ends_with('.')) text += '.';
    return text;
}

// The line of the load report for one key: the key, what went wrong in converting its value
// (`problem`, empty when nothing did) and whether the file held more than was read. Empty when
// there is nothing to report.
std::string LoadReportLine(const IniFile& file, const ControlSpec& control, const std::string& text,
                           const std::string& problem) {
    std::string line;
    if (!problem.empty()) line = Sentence(problem);
    if (IniValueCutAtNul(file, control.section, control.key)) {
        if (!line.empty()) line += ' ';
        line += "The value holds a NUL character; only the text before it, '" +
                ShortenedForMessage(text) + "', was read.";
    }
    if (line.empty()) return line;
    return std::string(control.key) + ": " + line;
}

}  // namespace

SettingsFile::SettingsFile(ControlValues& values, Moments& moments, SettingsPorts ports)
    : values_(values), moments_(moments), ports_(ports) {}

void SettingsFile::SetPickersToNow() {
    const TDateTime mouseStart = moments_.Now();
    values_.SetDateTime(kMouseStartDatePicker, mouseStart);
    values_.SetDateTime(kMouseStartTimePicker, mouseStart);
    const TDateTime now = moments_.Now();
    for (int row = 1; row <= 5; ++row) {
        values_.SetDateTime(RowName(kSlotDatePrefix, row), now);
        values_.SetDateTime(RowName(kSlotTimePrefix, row), now);
    }
    values_.SetDateTime(kSetMomentDatePicker, Join(DayOf(now), kStartDateDesignTimeOfDay));
    values_.SetDateTime(kSetMomentTimePicker,
                        WithTimeOf(values_.DateTime(kSetMomentTimePicker), now));
}

void SettingsFile::Apply(const ControlSpec& control, const std::string& text,
                         LoadedSettings& loaded) {
    const std::string_view name = control.name;
    switch (control.storedAs) {
    case StoredAs::Text:
        if (name == kCountdownMinutesEdit) {
            // The minutes go back into the field as a number ("010" shows as "10"); a change of
            // its text runs its handler as the user's would.
            const std::int32_t minutes = TextToInt(text);
            values_.SetText(name, IntToText(minutes));
            loaded.countdownMinutes = minutes;
        } else {
            values_.SetText(name, text);
        }
        break;
    case StoredAs::Flag:
        values_.SetChecked(name, text == "1");
        break;
    case StoredAs::ItemIndex: {
        const std::int32_t index = TextToInt(text);
        values_.SetItemIndex(name, index == 0 || index == 1 ? index : -1);
        break;
    }
    case StoredAs::OpenClose:
        values_.SetChecked(text == "0" ? std::string(name) : RadioPartner(name), true);
        break;
    case StoredAs::DateSerial: {
        const double date = DateSerialFrom(text, moments_.Forms().Info().decimalSeparator);
        values_.SetDateTime(name, WithDateOf(values_.DateTime(name), date));
        break;
    }
    case StoredAs::TimeText: {
        const TDateTime time = moments_.Forms().ParseTime(text);
        values_.SetDateTime(name, WithTimeOf(values_.DateTime(name), time));
        break;
    }
    case StoredAs::None:
        break;
    }
}

LoadedSettings SettingsFile::LoadSettings() {
    configPath_ = ConfigPathFor(ports_.files.ExePath());
    LoadedSettings loaded;
    std::vector<std::string>& failures = loaded.failures;
    IniFile file;
    try {
        file = ReadIniFile(ports_.files, ports_.codePage, configPath_);
    } catch (const SystemError& e) {
        failures.emplace_back(e.what());
    }

    SetPickersToNow();

    const ControlSpec* autoStart = nullptr;
    for (const ControlSpec* control : StoredControls()) {
        // The automatic start comes last, after everything it would run with is in place.
        if (control->name == kAutoStartCheck) {
            autoStart = control;
            continue;
        }
        const std::optional<std::string> text = ReadIniSValue(file, control->section, control->key);
        if (!text) continue;  // not stored: the control keeps its design value
        std::string problem;
        try {
            Apply(*control, *text, loaded);
        } catch (const ConvertError& e) {
            problem = e.what();
        } catch (const PickerRangeError& e) {
            problem = e.what();
        }
        std::string line = LoadReportLine(file, *control, *text, problem);
        if (!line.empty()) failures.push_back(std::move(line));
    }

    if (autoStart) {
        if (const auto text = ReadIniSValue(file, autoStart->section, autoStart->key)) {
            std::string line = LoadReportLine(file, *autoStart, *text, {});
            if (!line.empty()) failures.push_back(std::move(line));
            const bool on = *text == "1";
            values_.SetChecked(autoStart->name, on);
            // After a failed value the user looks first: the clock is started by hand.
            loaded.startClock = on && failures.empty();
        }
    }
    return loaded;
}

std::string SettingsFile::StoredText(const ControlSpec& control) const {
    const std::string_view name = control.name;
    switch (control.storedAs) {
    case StoredAs::Text:
        return values_.Text(name);
    case StoredAs::Flag:
        return values_.Checked(name) ? "1" : "0";
    case StoredAs::ItemIndex:
        return IntToText(values_.ItemIndex(name));
    case StoredAs::OpenClose:
        return values_.Checked(name) ? "0" : "1";
    case StoredAs::DateSerial:
        return FloatToText(values_.DateTime(name), moments_.Forms().Info().decimalSeparator);
    case StoredAs::TimeText:
        return moments_.Forms().LongTime(values_.DateTime(name));
    case StoredAs::None:
        break;
    }
    return {};
}

void SettingsFile::SaveSettings() {
    if (configPath_.empty()) configPath_ = ConfigPathFor(ports_.files.ExePath());

    // Everything is checked and set in memory first: a value the file cannot hold stops the
    // save before the file or the registry is touched.
    IniFile file = ReadIniFile(ports_.files, ports_.codePage, configPath_);
    for (const ControlSpec* control : StoredControls()) {
        const std::string text = StoredText(*control);
        if (!CanHold(file, ports_.codePage, text))
            throw IniValueError("The value of '" + std::string(control->key) +
                                "' holds characters that the system code page cannot store");
        WriteIniValue(file, control->section, control->key, text);
    }

    // The file first: when it cannot be written, the registry is left as it is, so the two never
    // disagree. A refused registry write comes after every key is in the file.
    WriteIniFile(ports_.files, ports_.codePage, configPath_, file);
    SetStartWithWindows(ports_.registry, ports_.files.ExePath(),
                        values_.Checked(kStartWithWindowsCheck));
}

}  // namespace tc
