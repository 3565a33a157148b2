#include "app/status_readouts.h"

#include <string>

#include "app/controls/status_bar.h"
#include "app/win32_control_values.h"
#include "app/win32_timers.h"
#include "core/moments.h"
#include "core/tick_seconds.h"
#include "platform/errors.h"
#include "platform/input.h"

namespace tc {
namespace {

// The cursor read-out's period, and how much later the system may serve a tick with other
// wake-ups. The clock read-out ticks 20 ms into each second, as the scheduling ticks do.
constexpr UINT kCursorReadoutMs = 100;
constexpr ULONG kCursorToleranceMs = 30;

}  // namespace

StatusReadouts::StatusReadouts(HWND window, HWND statusBar, Moments& moments, Input& input,
                               Win32ControlValues& values, const NewerWindowFunctions& newer,
                               std::function<void(UINT_PTR)> runTimer)
    : window_(window),
      statusBar_(statusBar),
      moments_(moments),
      input_(input),
      values_(values),
      newer_(newer),
      runTimer_(std::move(runTimer)),
      clockTimer_(window, kClockReadoutTimer) {}

void StatusReadouts::Start() {
    if (on_) return;
    on_ = true;
    // Seen again: the user may change any control from now on, and the information box shows
    // the lines held while it was out of sight.
    values_.SetOutOfSight(false);
    SetCoalescedTimer(window_, kCursorReadoutTimer, kCursorReadoutMs, kCursorToleranceMs, newer_);
    // Panels that have shown nothing yet stay empty until their timers tick.
    if (ran_) {
        runTimer_(kClockReadoutTimer);
        runTimer_(kCursorReadoutTimer);
    }
    ran_ = true;
    AimClock();
}

void StatusReadouts::Stop() {
    // Out of sight, the controls change only by the program's own writes.
    values_.SetOutOfSight(true);
    if (!on_) return;
    on_ = false;
    KillTimer(window_, kCursorReadoutTimer);
    clockTimer_.Kill();
}

void StatusReadouts::ClockTicked() {
    clockTimer_.Ticked();
    if (!on_) return;  // a tick that was waiting when the window was hidden
    runTimer_(kClockReadoutTimer);
    if (on_) AimClock();  // not when its handler hid the window
}

void StatusReadouts::AimClock() {
    // The panel changes in step with the second, not up to a second after it: a slot that
    // fires on its second finds the clock already showing that second.
    clockTimer_.SetFor(SteadyTimer::NowMs() +
                       static_cast<std::uint64_t>(DelayToNextSecond(moments_.Now())));
}

void StatusReadouts::ShowClock() {
    SetStatusText(statusBar_, 0, moments_.Forms().DateTimeText(moments_.Now()));
}

void StatusReadouts::ShowCursorPosition() {
    try {
        const Point first = input_.CursorPos();
        const Point second = input_.CursorPos();
        SetStatusText(statusBar_, 1,
                      "当前鼠标坐标" + std::to_string(first.x) + " -- " + std::to_string(second.y));
        cursorRefused_ = false;
    } catch (const SystemError&) {
        SetStatusText(statusBar_, 1, "当前鼠标坐标不可用");
        if (cursorRefused_) return;
        cursorRefused_ = true;
        throw;
    }
}

}  // namespace tc
