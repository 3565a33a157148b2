#include "core/timer_schedule.h"

#include <algorithm>

namespace tc {
namespace {

constexpr TimerId kAllTimers[] = {TimerId::Slots, TimerId::Power, TimerId::Mouse};

}  // namespace

TimerSchedule::TimerSchedule(std::function<std::uint64_t()> nowMs, std::function<void()> rearm)
    : nowMs_(std::move(nowMs)), rearm_(std::move(rearm)) {}

void TimerSchedule::Enable(TimerId id, bool on) {
    // Switching on restarts the period; switching off drops a tick already due.
    enabled_[Index(id)] = on;
    if (on) due_[Index(id)] = nowMs_() + kPeriodMs;
    RearmUnlessWaking();
}

bool TimerSchedule::Enabled(TimerId id) const { return enabled_[Index(id)]; }

void TimerSchedule::ArmNext(TimerId id, int delayMs) {
    if (!enabled_[Index(id)]) return;
    due_[Index(id)] = nowMs_() + static_cast<std::uint64_t>(std::max(delayMs, 0));
    RearmUnlessWaking();
}

void TimerSchedule::Wake(const std::function<void(TimerId)>& tick,
                         const std::function<void()>& after) {
    ++waking_;
    // Each timer is taken at its own turn, not all at the start: a handler before it may have
    // opened a modal box whose own wakes already ticked it, and then it is not due any more.
    for (TimerId id : kAllTimers) {
        if (!enabled_[Index(id)] || due_[Index(id)] > nowMs_() + kEarlyMs) continue;
        due_[Index(id)] = nowMs_() + kPeriodMs;
        tick(id);
    }
    after();
    --waking_;
    rearm_();
}

std::optional<std::uint64_t> TimerSchedule::NextDue() const {
    std::optional<std::uint64_t> earliest;
    for (TimerId id : kAllTimers)
        if (enabled_[Index(id)] && (!earliest || due_[Index(id)] < *earliest))
            earliest = due_[Index(id)];
    return earliest;
}

void TimerSchedule::RearmUnlessWaking() {
    if (waking_ == 0) rearm_();
}

}  // namespace tc
