#pragma once
// The settings file config.ini beside the executable: every stored control of the main window,
// saved on request and loaded once when the window is first shown.
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/control_values.h"
#include "core/controls.h"
#include "core/errors.h"
#include "core/moments.h"
#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/registry.h"

namespace tc {

// What loading leaves to the window once every control has its stored value: the countdown's
// minutes as stored (when they converted), whether the clock starts by itself, and what could
// not be loaded, a line for each key.
struct LoadedSettings {
    std::optional<std::int32_t> countdownMinutes;
    bool startClock = false;
    std::vector<std::string> failures;
};

struct SettingsPorts {
    Files& files;
    CodePage& codePage;
    Registry& registry;
};

// The time of day of dtpStartDate as the window is designed (10:50:57.703): the picker keeps it
// while only its date is set, and it is saved with the date.
inline constexpr double kStartDateDesignTimeOfDay = 0.4520567476865835;

class SettingsFile {
public:
    SettingsFile(ControlValues& values, Moments& moments, SettingsPorts ports);

    // Fixes ConfigPath, sets the pickers to now and applies every stored value that converts.
    // A missing file or key leaves the control as it is. Values that do not convert keep the
    // control's design value and are listed in the result's failures; then the clock is not to
    // be started automatically. A value that a NUL character cuts short is applied
    // as Windows reads it, up to the NUL, and reported the same way. An unreadable file is
    // reported the same way too. A date serial reads with either "." or "," as its separator.
    LoadedSettings LoadSettings();

    // Writes every stored control in table order as one replacement of the file, in the encoding
    // the file came in, then registers or removes the start with Windows. A value the file
    // cannot hold (IniValueError) or a file that cannot be read stops the save before anything is
    // written. A failed file write (SystemError) leaves the previous file whole and the registry
    // untouched; a refused registry write (RegistryError) is reported after the file is written.
    void SaveSettings();

    const std::string& ConfigPath() const { return configPath_; }

private:
    void SetPickersToNow();
    void Apply(const ControlSpec& control, const std::string& text, LoadedSettings& loaded);
    std::string StoredText(const ControlSpec& control) const;

    ControlValues& values_;
    Moments& moments_;
    SettingsPorts ports_;
    std::string configPath_;
};

}  // namespace tc
