#include "app/win32_timers.h"

#include <optional>

namespace tc {
namespace {

constexpr TimerId kAllTimers[] = {TimerId::Slots, TimerId::Power, TimerId::Mouse};

}  // namespace

UINT_PTR WindowTimerOf(TimerId id) {
    switch (id) {
    case TimerId::Slots:
        return kSlotTimer;
    case TimerId::Power:
        return kPowerTimer;
    case TimerId::Mouse:
        return kMouseTimer;
    }
    return 0;
}

void SetCoalescedTimer(HWND window, UINT_PTR id, UINT periodMs, ULONG toleranceMs,
                       const NewerWindowFunctions& newer) {
    if (newer.setCoalescableTimer)
        newer.setCoalescableTimer(window, id, periodMs, nullptr, toleranceMs);
    else
        SetTimer(window, id, periodMs, nullptr);
}

Win32Timers::Win32Timers(HWND window)
    : shared_(window, kSchedulingTimer), schedule_(SteadyTimer::NowMs, [this] {
          if (const std::optional<std::uint64_t> due = schedule_.NextDue())
              shared_.SetFor(*due);
          else
              shared_.Kill();
      }) {}

bool Win32Timers::IsStale(UINT_PTR windowTimer) const {
    for (TimerId id : kAllTimers)
        if (WindowTimerOf(id) == windowTimer) return !schedule_.Enabled(id);
    return false;
}

void Win32Timers::Wake(const std::function<void(TimerId)>& tick,
                       const std::function<void()>& after) {
    // The tick used up the time it was set for: the schedule sets the next one.
    shared_.Ticked();
    schedule_.Wake(tick, after);
}

}  // namespace tc
