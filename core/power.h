#pragma once
// The power-off scheduler: shut down or restart through shutdown.exe after a countdown of N
// minutes, or at a set moment (every day at that time of day with chkTime ticked).
#include <cstdint>
#include <vector>

#include "core/control_values.h"
#include "core/logs.h"
#include "core/moments.h"
#include "core/occurrence.h"
#include "platform/shell.h"

namespace tc {

// ComboBox1's items; the numbers are the stored selected index.
enum class PowerCommand { Shutdown = 0, Restart = 1 };

class PowerScheduler {
public:
    // CountdownMinutes starts as the integer Edit9 shows (its design text "10" counts).
    PowerScheduler(ControlValues& values, Moments& moments, Shell& shell, CommandLog& commandLog);

    // Arms the countdown from now when CheckBox3 is ticked and refreshes its labels.
    void UpdateCountdownDisplay();
    void Edit9Change();
    // One tick of the power timer over the seconds it looks at; `now` is the tick's reading.
    void PowerTick(const std::vector<std::int64_t>& seconds, TDateTime now);

    std::int32_t CountdownMinutes() const { return minutes_; }
    void SetCountdownMinutes(std::int32_t minutes) { minutes_ = minutes; }
    TDateTime CountdownStart() const { return start_; }
    TDateTime CountdownTarget() const { return target_; }
    // True from an arming with more than 0 minutes until the countdown acts or is left behind.
    bool CountdownArmed() const { return armed_; }

private:
    void CheckCountdown(std::int64_t second, TDateTime now);
    void CheckSetMoment(TDateTime target, std::int64_t second, TDateTime now);
    void CheckPowerTime(TDateTime now);
    void ShowRemaining(std::int64_t nowSecond);

    ControlValues& values_;
    Moments& moments_;
    Shell& shell_;
    CommandLog& commandLog_;
    std::int32_t minutes_ = 0;
    TDateTime start_ = 0;
    TDateTime target_ = 0;
    bool armed_ = false;
    LastOccurrence setMomentFired_;
};

}  // namespace tc
