#pragma once
// The power-off scheduler: shut down, restart, sleep, hibernate, log off or lock after a
// countdown of N minutes, or at a set moment (every day at that time of day with chkTime ticked).
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/control_values.h"
#include "core/logs.h"
#include "core/moments.h"
#include "core/occurrence.h"
#include "core/planned.h"
#include "core/tick_seconds.h"
#include "core/tray_notices.h"
#include "platform/power_actions.h"
#include "platform/shell.h"

namespace tc {

// ComboBox1's items; the numbers are the stored selected index.
enum class PowerCommand {
    Shutdown = 0,
    Restart = 1,
    Sleep = 2,
    Hibernate = 3,
    LogOff = 4,
    Lock = 5
};

class PowerScheduler {
public:
    // CountdownMinutes starts as the integer Edit9 shows (its design text "10" counts).
    PowerScheduler(ControlValues& values, Moments& moments, Shell& shell, PowerActions& actions,
                   CommandLog& commandLog);

    // Arms the countdown from now when CheckBox3 is ticked and refreshes its labels.
    void UpdateCountdownDisplay();
    void CountdownMinutesChanged();
    // One tick of the power timer: a line for a planned command whose moment a long gap passed
    // over, then the seconds it looks at, then the warning when the next command is near.
    // `now` is the tick's reading of the clock.
    void PowerTick(const TickSpan& span, TDateTime now);
    // Where the warning before a command goes; none: no warning.
    void SetNotices(TrayNotices* notices) { notices_ = notices; }
    // The clock was started: a command planned again is warned of again.
    void ForgetWarning() { warned_.reset(); }

    // The next command after `nowSecond`, as the last tick read the controls.
    std::optional<PlannedAction> Planned(std::int64_t nowSecond) const;

    std::int32_t CountdownMinutes() const { return minutes_; }
    void SetCountdownMinutes(std::int32_t minutes) { minutes_ = minutes; }
    TDateTime CountdownStart() const { return start_; }
    TDateTime CountdownTarget() const { return target_; }
    // True from an arming with more than 0 minutes until the countdown acts or is left behind.
    bool CountdownArmed() const { return armed_; }

private:
    // The controls as one tick reads them.
    struct Reading {
        bool countdownOn = false;
        bool setMomentOn = false;
        bool byClock = false;  // chkTime
        TDateTime setMoment = 0;
        int command = -1;  // ComboBox1's selected index
    };

    // The first second from `from` on that the armed countdown acts in: its target, or with
    // chkTime a second after the arming with the target's time of day; none after the target.
    std::optional<std::int64_t> CountdownSecondFrom(std::int64_t from, bool byClock) const;
    Occurrence SetMomentOccurrence(std::int64_t second) const;
    void TellSkipped(SecondRange gap);
    void WarnIfNear(std::int64_t nowSecond);
    void CheckCountdown(std::int64_t second, TDateTime now);
    void CheckSetMoment(std::int64_t second, TDateTime now);
    void CheckPowerTime(TDateTime now);
    void ShowRemaining(std::int64_t nowSecond);

    ControlValues& values_;
    Moments& moments_;
    Shell& shell_;
    PowerActions& actions_;
    CommandLog& commandLog_;
    std::int32_t minutes_ = 0;
    TDateTime start_ = 0;
    TDateTime target_ = 0;
    bool armed_ = false;
    LastOccurrence setMomentFired_;
    LastOccurrence setMomentSkipped_;
    Reading reading_;
    // The values' version the set moment, chkTime and the command were read at.
    std::optional<std::uint64_t> readingVersion_;
    TrayNotices* notices_ = nullptr;
    // The command last warned of (its second and name): one warning per planned command.
    std::optional<std::pair<std::int64_t, std::string>> warned_;
};

}  // namespace tc
