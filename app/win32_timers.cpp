#include "app/win32_timers.h"

#include <algorithm>

namespace tc {
namespace {

constexpr TimerId kAllTimers[] = {TimerId::Slots, TimerId::Power, TimerId::Mouse};
constexpr int kPeriodMs = 1000;
// The system's timers are about 16 ms coarse, and so is its tick count: a tick that arrives
// this close to a due time counts as on time rather than waking again for the rest.
constexpr std::uint64_t kEarlyMs = 16;

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

void SetCoalescedTimer(HWND window, UINT_PTR id, UINT periodMs, ULONG toleranceMs) {
    using CoalescableFn = UINT_PTR(WINAPI*)(HWND, UINT_PTR, UINT, TIMERPROC, ULONG);
    static const auto coalescable = reinterpret_cast<CoalescableFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetCoalescableTimer")));
    if (coalescable)
        coalescable(window, id, periodMs, nullptr, toleranceMs);
    else
        SetTimer(window, id, periodMs, nullptr);
}

void Win32Timers::Enable(TimerId id, bool on) {
    // Switching on restarts the period; switching off drops a tick already due.
    enabled_[Index(id)] = on;
    if (on) due_[Index(id)] = NowMs() + kPeriodMs;
    RearmUnlessTicking();
}

bool Win32Timers::Enabled(TimerId id) const { return enabled_[Index(id)]; }

void Win32Timers::ArmNext(TimerId id, int delayMs) {
    if (!enabled_[Index(id)]) return;
    due_[Index(id)] = NowMs() + static_cast<std::uint64_t>(std::max(delayMs, 0));
    RearmUnlessTicking();
}

bool Win32Timers::IsStale(UINT_PTR windowTimer) const {
    for (TimerId id : kAllTimers)
        if (WindowTimerOf(id) == windowTimer) return !enabled_[Index(id)];
    return false;
}

DueTimers Win32Timers::TakeDue() {
    // The tick used up the time it was set for: Rearm sets the next one.
    shared_.Ticked();
    ticking_ = true;
    const std::uint64_t now = NowMs();
    DueTimers due;
    for (TimerId id : kAllTimers) {
        if (!enabled_[Index(id)] || due_[Index(id)] > now + kEarlyMs) continue;
        due_[Index(id)] = now + kPeriodMs;
        due.Add(id);
    }
    return due;
}

void Win32Timers::Rearm() {
    ticking_ = false;
    std::uint64_t earliest = UINT64_MAX;
    for (TimerId id : kAllTimers)
        if (enabled_[Index(id)]) earliest = std::min(earliest, due_[Index(id)]);
    if (earliest == UINT64_MAX)
        shared_.Kill();
    else
        shared_.SetFor(earliest);
}

void Win32Timers::RearmUnlessTicking() {
    if (!ticking_) Rearm();
}

}  // namespace tc
