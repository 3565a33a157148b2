#include "core/power.h"
#include "core/controls.h"

#include <algorithm>

#include "core/convert.h"
#include "core/errors.h"

namespace tc {

PowerScheduler::PowerScheduler(ControlValues& values, Moments& moments, Shell& shell,
                               PowerActions& actions, CommandLog& commandLog)
    : values_(values),
      moments_(moments),
      shell_(shell),
      actions_(actions),
      commandLog_(commandLog) {
    // The minutes always follow what Edit9 shows, from the design text on. A text that is no
    // integer leaves them at 0, and a countdown of 0 minutes never acts.
    try {
        minutes_ = TextToInt(values_.Text(kCountdownMinutesEdit));
    } catch (const ConvertError&) {
        minutes_ = 0;
    }
}

void PowerScheduler::UpdateCountdownDisplay() {
    if (!values_.Checked(kCountdownCheck)) {
        // The countdown values stay as they are.
        values_.SetVisible(kCountdownStartLabel, false);
        values_.SetVisible(kCountdownTargetLabel, false);
        return;
    }
    start_ = moments_.Now();
    target_ = AddMinutes(start_, minutes_);
    // A countdown of 0 minutes or fewer would be due at once: it never acts, so a bad or empty
    // length can never turn into an immediate shutdown.
    armed_ = minutes_ > 0;
    const LocaleForms& forms = moments_.Forms();
    if (values_.Checked(kByClockCheck)) {
        values_.SetText(kCountdownStartLabel, "开始时间 " + forms.LongTime(start_));
        values_.SetText(kCountdownTargetLabel, "预计执行时间 " + forms.LongTime(target_));
    } else {
        values_.SetText(kCountdownStartLabel, "开始时间 " + forms.DateTimeText(start_));
        values_.SetText(kCountdownTargetLabel, "预计执行时间 " + forms.DateTimeText(target_));
    }
    values_.SetText(kRemainingSecondsLabel, IntToText(static_cast<std::int64_t>(minutes_) * 60));
    values_.SetVisible(kCountdownStartLabel, true);
    values_.SetVisible(kCountdownTargetLabel, true);
}

void PowerScheduler::CountdownMinutesChanged() {
    const std::string text = values_.Text(kCountdownMinutesEdit);
    if (text.empty()) {
        // Setting the text runs this handler again, with "1".
        values_.SetText(kCountdownMinutesEdit, "1");
        return;
    }
    minutes_ = TextToInt(text);  // not an integer: the minutes keep their value
    values_.SetText(kRemainingSecondsLabel, IntToText(static_cast<std::int64_t>(minutes_) * 60));
    UpdateCountdownDisplay();
}

void PowerScheduler::PowerTick(const TickSpan& span, TDateTime now) {
    const std::int64_t nowSecond = ToWholeSeconds(now);
    // Read again unless the values say nothing changed since the last reading.
    const std::optional<std::uint64_t> version = values_.Version();
    const bool changed = !version || version != readingVersion_;
    if (changed) reading_.countdownOn = values_.Checked(kCountdownCheck);
    if (reading_.countdownOn && armed_) ShowRemaining(nowSecond);
    if (span.due.empty()) return;

    if (changed) {
        reading_.setMomentOn = values_.Checked(kSetMomentCheck);
        reading_.byClock = values_.Checked(kByClockCheck);
        reading_.command = values_.ItemIndex(kPowerCommandCombo);
        reading_.setMoment = reading_.setMomentOn
                                 ? ComposeMoment(values_.DateTime(kSetMomentDatePicker),
                                                 values_.DateTime(kSetMomentTimePicker))
                                 : 0;
        readingVersion_ = version;
    }
    if (span.skipped) TellSkipped(*span.skipped);
    // The countdown and the set moment are independent; each second is looked at in order.
    for (const std::int64_t second : span.due) {
        if (reading_.countdownOn) CheckCountdown(second, now);
        if (reading_.setMomentOn) CheckSetMoment(second, now);
    }
    WarnIfNear(nowSecond);
}

void PowerScheduler::ShowRemaining(std::int64_t nowSecond) {
    // Whole seconds from now's second to the target's: one less on each tick, and still true
    // after a late tick or a clock that was set.
    const std::int64_t remaining = std::max<std::int64_t>(0, ToWholeSeconds(target_) - nowSecond);
    values_.SetText(kRemainingSecondsLabel, IntToText(remaining));
}

std::optional<std::int64_t> PowerScheduler::CountdownSecondFrom(std::int64_t from,
                                                                bool byClock) const {
    // By date and time: the target's own second. By the clock: the first second after the
    // arming with the target's time of day, and never after the target; as chkTime stands now,
    // so ticking it after that second went by still acts on a later one up to the target.
    constexpr std::int64_t kDay = 86400;
    const std::int64_t target = ToWholeSeconds(target_);
    std::int64_t second = target;
    if (byClock) {
        const std::int64_t after = std::max(from, ToWholeSeconds(start_) + 1);
        second = FloorDiv(after, kDay) * kDay + (target - FloorDiv(target, kDay) * kDay);
        if (second < after) second += kDay;
    }
    if (second < from || second > target) return std::nullopt;
    return second;
}

void PowerScheduler::CheckCountdown(std::int64_t second, TDateTime now) {
    if (!armed_) return;
    // Every second is looked at (late ticks catch up), so the countdown's second itself comes
    // up, whatever the phase of the ticks against the milliseconds of the arming. A countdown
    // whose last second went by unseen fell into a long gap (sleep, a clock set forward): like
    // every other target it is not caught up, and it is left behind until it is armed again.
    if (second > ToWholeSeconds(target_)) {
        armed_ = false;
        return;
    }
    if (CountdownSecondFrom(second, reading_.byClock) != second) return;
    armed_ = false;  // once per arming
    CheckPowerTime(now);
}

Occurrence PowerScheduler::SetMomentOccurrence(std::int64_t second) const {
    const std::string command = "command:" + IntToText(reading_.command);
    return reading_.byClock ? DailyOccurrence(second, reading_.setMoment, command)
                            : OnceOccurrence(reading_.setMoment, command);
}

void PowerScheduler::CheckSetMoment(std::int64_t second, TDateTime now) {
    const TDateTime moment = FromWholeSeconds(second);
    if (reading_.byClock ? !SameClockSecond(moment, reading_.setMoment)
                         : !SameSecond(moment, reading_.setMoment))
        return;
    Occurrence occurrence = SetMomentOccurrence(second);
    if (setMomentFired_.Done(occurrence)) return;
    setMomentFired_.Mark(std::move(occurrence));
    CheckPowerTime(now);
}

void PowerScheduler::TellSkipped(SecondRange gap) {
    // With no command selected nothing would have run, so nothing was skipped.
    const std::string_view command = PowerCommandName(reading_.command);
    if (command.empty()) return;
    if (reading_.countdownOn && armed_) {
        const std::optional<std::int64_t> due = CountdownSecondFrom(gap.first, reading_.byClock);
        if (due && gap.Holds(*due)) {
            armed_ = false;  // left behind, as when a tick finds its second gone by
            AddActivityLine(values_, SkippedLine(command, *due, moments_.Forms()));
        }
    }
    if (!reading_.setMomentOn) return;
    const std::optional<std::int64_t> second =
        LastOccurrenceIn(reading_.setMoment, reading_.byClock, gap);
    if (!second) return;
    Occurrence occurrence = SetMomentOccurrence(*second);
    if (setMomentFired_.Done(occurrence) || setMomentSkipped_.Done(occurrence)) return;
    setMomentSkipped_.Mark(std::move(occurrence));
    AddActivityLine(values_, SkippedLine(command, *second, moments_.Forms()));
}

std::optional<PlannedAction> PowerScheduler::Planned(std::int64_t nowSecond) const {
    const std::string_view command = PowerCommandName(reading_.command);
    if (command.empty()) return std::nullopt;
    std::optional<PlannedAction> countdown;
    std::optional<PlannedAction> setMoment;
    if (reading_.countdownOn && armed_) {
        const std::optional<std::int64_t> due =
            CountdownSecondFrom(nowSecond + 1, reading_.byClock);
        if (due) countdown = PlannedAction{*due, std::string(command), {}};
    }
    if (reading_.setMomentOn) {
        const std::optional<std::int64_t> second =
            NextToAct(reading_.setMoment, reading_.byClock, nowSecond,
                      [&](std::int64_t s) { return setMomentFired_.Done(SetMomentOccurrence(s)); });
        if (second) setMoment = PlannedAction{*second, std::string(command), {}};
    }
    return Earlier(countdown, setMoment);
}

void PowerScheduler::WarnIfNear(std::int64_t nowSecond) {
    if (!notices_) return;
    const std::optional<PlannedAction> next = Planned(nowSecond);
    if (!next || next->second - nowSecond > kPowerWarningSeconds) return;
    std::pair<std::int64_t, std::string> what{next->second, next->verb};
    if (warned_ == what) return;
    warned_ = std::move(what);
    notices_->Warn(PowerWarning(*next, moments_.Forms()));
}

void PowerScheduler::CheckPowerTime(TDateTime now) {
    // The command runs first and the log line follows; shutdown.exe's result is not examined.
    // Sleep and lock are the system's own calls: when it refuses one, the error is shown and
    // nothing is logged as executed.
    switch (values_.ItemIndex(kPowerCommandCombo)) {
    case static_cast<int>(PowerCommand::Shutdown):
        shell_.Open("shutdown.exe", "-s -t 0", ShellOwner::AppWindow);
        values_.SetText(kRemainingSecondsLabel,
                        IntToText(static_cast<std::int64_t>(minutes_) * 60));
        break;
    case static_cast<int>(PowerCommand::Restart):
        shell_.Open("shutdown.exe", "-r -t 0", ShellOwner::AppWindow);
        break;
    case static_cast<int>(PowerCommand::Sleep):
        actions_.Sleep();
        break;
    case static_cast<int>(PowerCommand::Hibernate):
        shell_.Open("shutdown.exe", "-h", ShellOwner::AppWindow);
        break;
    case static_cast<int>(PowerCommand::LogOff):
        shell_.Open("shutdown.exe", "-l", ShellOwner::AppWindow);
        break;
    case static_cast<int>(PowerCommand::Lock):
        actions_.Lock();
        break;
    default:
        // No item selected: nothing runs, so nothing is logged as executed either.
        return;
    }
    commandLog_.LogToFile("执行命令-" + values_.Text(kPowerCommandCombo) + "--Time--" +
                          moments_.Forms().DateTimeText(now));
}

}  // namespace tc
