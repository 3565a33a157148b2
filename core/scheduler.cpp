#include "core/scheduler.h"
#include "core/controls.h"
#include "core/convert.h"

namespace tc {

Scheduler::Scheduler(ControlValues& values, Moments& moments, SchedulerPorts ports)
    : values_(values),
      moments_(moments),
      ports_(ports),
      slots_(values, moments, ports.shell, ports.processes),
      power_(values, moments, ports.shell, ports.powerActions, ports.commandLog),
      mouse_(values, moments, ports.input) {
    power_.SetNotices(ports.notices);
}

template <typename Work>
void Scheduler::RunTick(TimerId id, TickSeconds& seconds, Work work) {
    // A tick that was already queued when its timer was switched off does nothing.
    if (!ports_.timers.Enabled(id)) return;
    // Now is read once: every second this tick looks at is decided against that one reading.
    const TDateTime now = moments_.Now();
    const TickSpan span = seconds.Next(ToWholeSeconds(now));
    try {
        work(span, now);
    } catch (...) {
        ArmNext(id);
        throw;
    }
    ArmNext(id);
}

void Scheduler::RefreshTip() {
    if (!ports_.notices) return;
    const std::int64_t nowSecond = ToWholeSeconds(moments_.Now());
    std::optional<PlannedAction> next = Running() ? NextAction(nowSecond) : std::nullopt;
    if (next == tipAction_ && moments_.FormsVersion() == tipFormsVersion_) return;
    std::string tip = TrayTip(next, moments_.Forms());
    tipAction_ = std::move(next);
    tipFormsVersion_ = moments_.FormsVersion();
    if (tip == tip_) return;
    tip_ = std::move(tip);
    ports_.notices->SetTip(tip_);
}

std::optional<PlannedAction> Scheduler::NextAction(std::int64_t nowSecond) const {
    // On the same second the slots act first, then the power command, then the mouse.
    std::optional<PlannedAction> next =
        Earlier(slots_.Planned(nowSecond), power_.Planned(nowSecond));
    if (ports_.timers.Enabled(TimerId::Mouse)) next = Earlier(next, mouse_.Planned(nowSecond));
    return next;
}

void Scheduler::ArmNext(TimerId id) {
    // Read the clock again: the work of the tick (a shell call) may have taken a while.
    if (ports_.timers.Enabled(id)) ports_.timers.ArmNext(id, DelayToNextSecond(moments_.Now()));
}

void Scheduler::SlotTick() {
    RunTick(TimerId::Slots, slotSeconds_,
            [this](const TickSpan& span, TDateTime now) { slots_.SlotTick(span, now); });
}

void Scheduler::PowerTick() {
    RunTick(TimerId::Power, powerSeconds_,
            [this](const TickSpan& span, TDateTime now) { power_.PowerTick(span, now); });
}

void Scheduler::MouseTick() {
    RunTick(TimerId::Mouse, mouseSeconds_,
            [this](const TickSpan& span, TDateTime now) { mouse_.MouseTick(span, now); });
}

void Scheduler::MouseSwitchClicked() {
    const bool on = values_.Checked(kMouseOnCheck);
    if (on) {
        mouse_.ResetCount();
        mouseSeconds_.StartAfter(ToWholeSeconds(moments_.Now()));
    }
    ports_.timers.Enable(TimerId::Mouse, on);
    if (!on) return;
    // The first tick comes a whole second or more after the box was ticked, on a second
    // boundary like every later one, so that interval 1 does not click right under the user's
    // own click on the box. It looks at every second since then.
    int delay = DelayToNextSecond(moments_.Now());
    if (delay < 1000) delay += 1000;
    ports_.timers.ArmNext(TimerId::Mouse, delay);
}

void Scheduler::CountdownSwitchClicked() { power_.UpdateCountdownDisplay(); }

void Scheduler::CountdownMinutesChanged() { power_.CountdownMinutesChanged(); }

void Scheduler::StartScheduling() {
    // The seconds up to the one Start was pressed in are not looked at; the first tick starts
    // with the next one.
    const std::int64_t startSecond = ToWholeSeconds(moments_.Now());
    slotSeconds_.StartAfter(startSecond);
    powerSeconds_.StartAfter(startSecond);
    ports_.timers.Enable(TimerId::Slots, true);
    ports_.timers.Enable(TimerId::Power, true);
    ArmNext(TimerId::Slots);
    ArmNext(TimerId::Power);
    power_.ForgetWarning();
    power_.UpdateCountdownDisplay();
    values_.SetEnabled(kCountdownMinutesEdit, false);
    values_.SetEnabled(kStartButton, false);
    values_.SetEnabled(kStopButton, true);
    RefreshTip();
}

void Scheduler::StopScheduling() {
    // The countdown's labels and values stay as they are: Label15 keeps its last value.
    ports_.timers.Enable(TimerId::Slots, false);
    ports_.timers.Enable(TimerId::Power, false);
    values_.SetEnabled(kCountdownMinutesEdit, true);
    values_.SetEnabled(kStartButton, true);
    values_.SetEnabled(kStopButton, false);
    RefreshTip();
}

bool Scheduler::Running() const {
    return ports_.timers.Enabled(TimerId::Slots) && ports_.timers.Enabled(TimerId::Power);
}

void Scheduler::UpdateCountdownDisplay() { power_.UpdateCountdownDisplay(); }

std::int32_t Scheduler::CountdownMinutes() const { return power_.CountdownMinutes(); }
void Scheduler::SetCountdownMinutes(std::int32_t minutes) { power_.SetCountdownMinutes(minutes); }

void Scheduler::ApplyLoadedSettings(std::optional<std::int32_t> countdownMinutes, bool startClock) {
    if (countdownMinutes) {
        power_.SetCountdownMinutes(*countdownMinutes);
        values_.SetText(kRemainingSecondsLabel,
                        IntToText(static_cast<std::int64_t>(*countdownMinutes) * 60));
    }
    power_.UpdateCountdownDisplay();
    if (startClock) StartScheduling();
}
TDateTime Scheduler::CountdownStart() const { return power_.CountdownStart(); }
TDateTime Scheduler::CountdownTarget() const { return power_.CountdownTarget(); }
bool Scheduler::CountdownArmed() const { return power_.CountdownArmed(); }
std::int32_t Scheduler::ClickTickCount() const { return mouse_.ClickTickCount(); }

}  // namespace tc
