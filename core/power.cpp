#include "core/power.h"
#include "core/controls.h"

#include <algorithm>

#include "core/convert.h"
#include "platform/errors.h"

namespace tc {

PowerScheduler::PowerScheduler(ControlValues& values, Moments& moments, Shell& shell,
                               CommandLog& commandLog)
    : values_(values), moments_(moments), shell_(shell), commandLog_(commandLog) {
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

void PowerScheduler::Edit9Change() {
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

void PowerScheduler::PowerTick(const std::vector<std::int64_t>& seconds, TDateTime now) {
    const bool countdownOn = values_.Checked(kCountdownCheck);
    if (countdownOn && armed_) ShowRemaining(ToWholeSeconds(now));
    if (seconds.empty()) return;

    const bool setMomentOn = values_.Checked(kSetMomentCheck);
    const TDateTime setMoment = setMomentOn ? ComposeMoment(values_.DateTime(kSetMomentDatePicker),
                                                            values_.DateTime(kSetMomentTimePicker))
                                            : 0;
    // The countdown and the set moment are independent; each second is looked at in order.
    for (const std::int64_t second : seconds) {
        if (countdownOn) CheckCountdown(second, now);
        if (setMomentOn) CheckSetMoment(setMoment, second, now);
    }
}

void PowerScheduler::ShowRemaining(std::int64_t nowSecond) {
    // Whole seconds from now's second to the target's: one less on each tick, and still true
    // after a late tick or a clock that was set.
    const std::int64_t remaining = std::max<std::int64_t>(0, ToWholeSeconds(target_) - nowSecond);
    values_.SetText(kRemainingSecondsLabel, IntToText(remaining));
}

void PowerScheduler::CheckCountdown(std::int64_t second, TDateTime now) {
    if (!armed_) return;
    const std::int64_t targetSecond = ToWholeSeconds(target_);
    // Every second is looked at (late ticks catch up), so the target's second itself comes up,
    // whatever the phase of the ticks against the milliseconds of the arming. A target that went
    // by unseen fell into a long gap (sleep, a clock set forward): like every other target it is
    // not caught up, and the countdown is left behind until it is armed again.
    if (second > targetSecond) {
        armed_ = false;
        return;
    }
    // With chkTime the time of day decides: the first second up to the target whose time of day
    // is the target's (for a countdown of more than a day, that comes before the target itself).
    const bool due = values_.Checked(kByClockCheck)
                         ? SameClockSecond(FromWholeSeconds(second), target_)
                         : second == targetSecond;
    if (!due) return;
    armed_ = false;  // once per arming
    CheckPowerTime(now);
}

void PowerScheduler::CheckSetMoment(TDateTime target, std::int64_t second, TDateTime now) {
    const std::string command = "command:" + IntToText(values_.ItemIndex(kPowerCommandCombo));
    Occurrence occurrence;
    if (values_.Checked(kByClockCheck)) {
        if (!SameClockSecond(FromWholeSeconds(second), target)) return;
        occurrence = DailyOccurrence(second, target, command);
    } else {
        if (!SameSecond(FromWholeSeconds(second), target)) return;
        occurrence = OnceOccurrence(target, command);
    }
    if (setMomentFired_.Done(occurrence)) return;
    setMomentFired_.Mark(std::move(occurrence));
    CheckPowerTime(now);
}

void PowerScheduler::CheckPowerTime(TDateTime now) {
    // The command runs first and the log line follows; the result is not examined.
    switch (values_.ItemIndex(kPowerCommandCombo)) {
    case static_cast<int>(PowerCommand::Shutdown):
        shell_.Open("shutdown.exe", "-s -t 0", ShellOwner::AppWindow);
        values_.SetText(kRemainingSecondsLabel,
                        IntToText(static_cast<std::int64_t>(minutes_) * 60));
        break;
    case static_cast<int>(PowerCommand::Restart):
        shell_.Open("shutdown.exe", "-r -t 0", ShellOwner::AppWindow);
        break;
    default:
        // No item selected: nothing runs, so nothing is logged as executed either.
        return;
    }
    commandLog_.LogToFile("执行命令-" + values_.Text(kPowerCommandCombo) + "--Time--" +
                          moments_.Forms().DateTimeText(now));
}

}  // namespace tc
