#include "app/win32_timers.h"

#include <algorithm>

namespace tc {

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

void Win32Timers::Enable(TimerId id, bool on) {
    // Switching on restarts the period; KillTimer also drops a tick already waiting.
    if (on)
        SetTimer(window_, WindowTimerOf(id), 1000, nullptr);
    else
        KillTimer(window_, WindowTimerOf(id));
    enabled_[Index(id)] = on;
}

bool Win32Timers::Enabled(TimerId id) const { return enabled_[Index(id)]; }

void Win32Timers::ArmNext(TimerId id, int delayMs) {
    if (!enabled_[Index(id)]) return;
    SetTimer(window_, WindowTimerOf(id), static_cast<UINT>(std::max(delayMs, USER_TIMER_MINIMUM)),
             nullptr);
}

bool Win32Timers::IsStale(UINT_PTR windowTimer) const {
    for (TimerId id : {TimerId::Slots, TimerId::Power, TimerId::Mouse})
        if (WindowTimerOf(id) == windowTimer) return !enabled_[Index(id)];
    return false;
}

}  // namespace tc
