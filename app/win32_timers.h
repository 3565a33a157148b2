#pragma once
// The scheduling timers as window timers of the main window (SetTimer / KillTimer). A timer that
// is on ticks every 1000 ms until ArmNext sets the delay of its next tick.
#include <windows.h>

#include "platform/timers.h"

namespace tc {

// Window timer ids of the main window: Timer1, timCloseSys, Timer3, Timer4, Timer5.
enum WindowTimerId : UINT_PTR {
    kSlotTimer = 1,
    kPowerTimer = 2,
    kCursorReadoutTimer = 3,
    kMouseTimer = 4,
    kClockReadoutTimer = 5,
};

UINT_PTR WindowTimerOf(TimerId id);

class Win32Timers : public Timers {
public:
    explicit Win32Timers(HWND window) : window_(window) {}

    void Enable(TimerId id, bool on) override;
    bool Enabled(TimerId id) const override;
    void ArmNext(TimerId id, int delayMs) override;
    // True when the window timer with that id belongs to a scheduling timer that is off.
    bool IsStale(UINT_PTR windowTimer) const;

private:
    static int Index(TimerId id) { return static_cast<int>(id); }
    HWND window_;
    bool enabled_[3] = {false, false, false};
};

}  // namespace tc
