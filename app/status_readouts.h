#pragma once
// The status bar's read-outs: the date and time in the first panel, the cursor position in the
// second. They tick only while the window can be seen (shown, not minimised): the cursor read-out
// every 100 ms, the clock 20 ms into each second. Starting them again after a time hidden
// refreshes both at once, before the window is painted, so that it never shows a stale clock or
// cursor position. Starting and stopping them also tells the window's values whether the window
// is in sight.
#include <windows.h>

#include <functional>

#include "app/steady_timer.h"
#include "app/win32/newer_window_functions.h"

namespace tc {

class Input;
class Moments;
class Win32ControlValues;

class StatusReadouts {
public:
    // `window`: the main window, whose timers kCursorReadoutTimer and kClockReadoutTimer tick
    // the read-outs. `runTimer` runs the handler of one of those timers under the window's error
    // guard (it calls ShowClock or ShowCursorPosition).
    StatusReadouts(HWND window, HWND statusBar, Moments& moments, Input& input,
                   Win32ControlValues& values, const NewerWindowFunctions& newer,
                   std::function<void(UINT_PTR)> runTimer);

    // The window can be seen: in sight, the read-outs tick; when they ran before, both are
    // refreshed at once.
    void Start();
    // The window is hidden or minimised: out of sight, the read-outs at rest.
    void Stop();
    // A tick of kClockReadoutTimer.
    void ClockTicked();

    // The clock panel: the date and time of now.
    void ShowClock();
    // The cursor panel: X from one reading and Y from a second. While the system refuses the
    // position the panel says so; the error goes on for the first refusal of a run of refusals
    // only.
    void ShowCursorPosition();

private:
    // Sets the clock read-out's next tick 20 ms into the next second.
    void AimClock();

    HWND window_;
    HWND statusBar_;
    Moments& moments_;
    Input& input_;
    Win32ControlValues& values_;
    const NewerWindowFunctions& newer_;
    std::function<void(UINT_PTR)> runTimer_;
    SteadyTimer clockTimer_;
    bool on_ = false;
    bool ran_ = false;            // started at least once: the panels hold what they last showed
    bool cursorRefused_ = false;  // the cursor position was refused at the last read-out
};

}  // namespace tc
