#pragma once
// The three scheduling timers on one window timer of the main window (the rules of which timer a
// wake runs: core/timer_schedule.h), and the window timer ids of the main window.
#include <windows.h>

#include <functional>

#include "app/steady_timer.h"
#include "app/win32/newer_window_functions.h"
#include "core/timer_schedule.h"
#include "platform/timers.h"

namespace tc {

// Window timer ids of the main window. A WM_TIMER with the slots', the power or the mouse timer's
// id runs that timer's handler alone; the shared kSchedulingTimer runs every one that is due. The
// cursor and the clock read-out timers are the status bar's.
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
void SetCoalescedTimer(HWND window, UINT_PTR id, UINT periodMs, ULONG toleranceMs,
                       const NewerWindowFunctions& newer);

// The scheduling timers on the main window's kSchedulingTimer: the schedule decides, the window
// timer waits for its next due tick.
class Win32Timers : public Timers {
public:
    explicit Win32Timers(HWND window);

    void Enable(TimerId id, bool on) override { schedule_.Enable(id, on); }
    bool Enabled(TimerId id) const override { return schedule_.Enabled(id); }
    void ArmNext(TimerId id, int delayMs) override { schedule_.ArmNext(id, delayMs); }
    // True when the window timer with that id belongs to a scheduling timer that is off.
    bool IsStale(UINT_PTR windowTimer) const;

    // On a tick of kSchedulingTimer: runs `tick` for the timers that are on and due, in their
    // order, then `after`, then waits for the next due tick.
    void Wake(const std::function<void(TimerId)>& tick, const std::function<void()>& after);

private:
    SteadyTimer shared_;  // kSchedulingTimer
    TimerSchedule schedule_;
};

}  // namespace tc
