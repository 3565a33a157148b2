#pragma once
// The scheduling state of the main window and its event handlers: program slots, the power-off
// scheduler, the mouse-click task and Start/Stop. One object, owned by the window, for the run.
#include <cstdint>
#include <optional>

#include "core/control_values.h"
#include "core/logs.h"
#include "core/moments.h"
#include "core/mouse.h"
#include "core/power.h"
#include "core/slots.h"
#include "core/tick_seconds.h"
#include "core/tray_notices.h"
#include "platform/input.h"
#include "platform/power_actions.h"
#include "platform/processes.h"
#include "platform/shell.h"
#include "platform/timers.h"

namespace tc {

struct SchedulerPorts {
    Shell& shell;
    Processes& processes;
    Input& input;
    Timers& timers;
    PowerActions& powerActions;  // sleep and lock
    CommandLog& commandLog;
    // The notification icon's tooltip and warnings; none: nothing is told there.
    TrayNotices* notices = nullptr;
};

class Scheduler {
public:
    Scheduler(ControlValues& values, Moments& moments, SchedulerPorts ports);

    // Timer ticks.
    void SlotTick();   // program slots
    void PowerTick();  // power-off scheduler
    void MouseTick();  // mouse-click task

    // Window events.
    void MouseSwitchClicked();
    void CountdownSwitchClicked();
    void CountdownMinutesChanged();

    // Run control (toolbar Start and Stop, and the automatic start after loading).
    void StartScheduling();
    void StopScheduling();
    bool Running() const;

    void UpdateCountdownDisplay();

    // Gives the notification icon the tooltip for what comes next, when that has changed. The
    // window calls it once the scheduling timers due together have all ticked; Start and Stop
    // call it themselves.
    void RefreshTip();
    // What the icon's tooltip shows now: "Tallowcron", perhaps "\n下一项：…".
    const std::string& Tip() const { return tip_; }

    // State for the whole run.
    std::int32_t CountdownMinutes() const;
    void SetCountdownMinutes(std::int32_t minutes);
    // What the window does once the settings are loaded: the stored countdown minutes (when
    // they loaded) and the remaining seconds they make, the countdown re-armed where it is on,
    // and the clock started when the settings say so.
    void ApplyLoadedSettings(std::optional<std::int32_t> countdownMinutes, bool startClock);
    TDateTime CountdownStart() const;
    TDateTime CountdownTarget() const;
    // The countdown is armed and has not acted yet (it acts once per arming).
    bool CountdownArmed() const;
    std::int32_t ClickTickCount() const;
    // The next thing the scheduler will do after `nowSecond` while the clock runs: a program
    // slot, the power command, the mouse task's start click (the mouse task when it is on).
    std::optional<PlannedAction> NextAction(std::int64_t nowSecond) const;

private:
    // Runs one tick of a scheduling timer over the seconds it has not looked at yet, then
    // re-arms the timer for just after the next wall-clock second, also when the tick throws.
    template <typename Work>
    void RunTick(TimerId id, TickSeconds& seconds, Work work);
    void ArmNext(TimerId id);

    ControlValues& values_;
    Moments& moments_;
    SchedulerPorts ports_;
    SlotScheduler slots_;
    PowerScheduler power_;
    MouseTask mouse_;
    TickSeconds slotSeconds_;
    TickSeconds powerSeconds_;
    TickSeconds mouseSeconds_;
    std::string tip_ = "Tallowcron";  // what the icon's tooltip shows
    // What the tooltip was made from: the tooltip is made again only when that changed, so a
    // tick at rest writes no text.
    std::optional<PlannedAction> tipAction_;
    unsigned tipFormsVersion_ = 0;
};

}  // namespace tc
