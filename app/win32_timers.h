#pragma once
// The three scheduling timers on one window timer of the main window. Each scheduling timer keeps
// whether it is on and when its next tick is due; one SetTimer waits for the earliest of them,
// so the program wakes once for all that are due together (once a second while they run). A timer
// that is on ticks every 1000 ms until ArmNext sets the delay of its next tick.
#include <windows.h>

#include <array>
#include <cstddef>
#include <cstdint>

#include "app/steady_timer.h"
#include "platform/timers.h"

namespace tc {

// Window timer ids of the main window. Timer1, timCloseSys and Timer4 name their handlers: a
// WM_TIMER with one of them runs that handler alone; the shared kSchedulingTimer runs every one
// that is due. Timer3 and Timer5 are the status bar's read-outs.
enum WindowTimerId : UINT_PTR {
    kSlotTimer = 1,
    kPowerTimer = 2,
    kCursorReadoutTimer = 3,
    kMouseTimer = 4,
    kClockReadoutTimer = 5,
    kSchedulingTimer = 6,
};

UINT_PTR WindowTimerOf(TimerId id);

// A repeating window timer that the system may hold back by up to `toleranceMs` to serve it
// with other wake-ups (SetCoalescableTimer where the system has it, else SetTimer). For
// read-outs only: the scheduling ticks must come on time.
void SetCoalescedTimer(HWND window, UINT_PTR id, UINT periodMs, ULONG toleranceMs);

// The scheduling timers due on one tick, in their order; held in place, as a tick every second
// should not allocate.
class DueTimers {
public:
    void Add(TimerId id) { ids_[count_++] = id; }
    const TimerId* begin() const { return ids_.data(); }
    const TimerId* end() const { return ids_.data() + count_; }

private:
    std::array<TimerId, 3> ids_{};
    std::size_t count_ = 0;
};

class Win32Timers : public Timers {
public:
    explicit Win32Timers(HWND window) : shared_(window, kSchedulingTimer) {}

    void Enable(TimerId id, bool on) override;
    bool Enabled(TimerId id) const override;
    void ArmNext(TimerId id, int delayMs) override;
    // True when the window timer with that id belongs to a scheduling timer that is off.
    bool IsStale(UINT_PTR windowTimer) const;

    // On a tick of kSchedulingTimer: the timers that are on and due, in the order slots, power,
    // mouse. Each is counted as ticked (its next tick 1000 ms on unless ArmNext says otherwise).
    // Call Rearm once their handlers have run.
    DueTimers TakeDue();
    // Waits for the earliest due tick of the timers that are on, or for none when all are off.
    void Rearm();

private:
    static int Index(TimerId id) { return static_cast<int>(id); }
    static std::uint64_t NowMs() { return SteadyTimer::NowMs(); }
    // Rearm at once, unless the handlers of a tick are running: then once after them.
    void RearmUnlessTicking();

    SteadyTimer shared_;  // kSchedulingTimer
    bool enabled_[3] = {false, false, false};
    std::uint64_t due_[3] = {0, 0, 0};
    bool ticking_ = false;
};

}  // namespace tc
