#include "core/timer_schedule.h"

#include <algorithm>
#include <array>
#include <cstddef>

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
    // The timers due at the moment of the wake, taken together.
    const std::uint64_t now = nowMs_();
    std::array<TimerId, 3> due{};
    std::size_t count = 0;
    for (TimerId id : kAllTimers) {
        if (!enabled_[Index(id)] || due_[Index(id)] > now + kEarlyMs) continue;
        due_[Index(id)] = now + kPeriodMs;
        due[count++] = id;
    }
    for (std::size_t i = 0; i < count; ++i)
        if (enabled_[Index(due[i])]) tick(due[i]);
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
