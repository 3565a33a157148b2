#pragma once
// The mouse-click task: a burst of three left clicks at a set screen point, once when the start
// moment comes and again every N ticks of its timer.
#include <cstdint>
#include <optional>

#include "core/control_values.h"
#include "core/moments.h"
#include "core/planned.h"
#include "core/tick_seconds.h"
#include "platform/input.h"

namespace tc {

// Remembers the cursor, moves it to `at`, sends three left clicks back to back (down and up
// with no pause between them) and puts the cursor back. Throws SystemError, before anything is
// moved or clicked, when the system refuses to report the cursor position.
void ClickAt(Input& input, Point at);

class MouseTask {
public:
    MouseTask(ControlValues& values, Moments& moments, Input& input);

    // The check box was ticked: counting starts again from 0.
    void ResetCount() { clickTickCount_ = 0; }
    // One tick of the mouse timer: a line when a long gap passed over the start moment, then
    // the seconds it looks at; `now` is the tick's reading.
    void MouseTick(const TickSpan& span, TDateTime now);
    // The start moment's click when it is after `nowSecond`, as the last tick read it.
    std::optional<PlannedAction> Planned(std::int64_t nowSecond) const;

    std::int32_t ClickTickCount() const { return clickTickCount_; }

private:
    void CheckMouseStart(TDateTime start, DueSeconds seconds, TDateTime now);
    // Clicks and logs; false when the system refused the cursor and nothing was clicked.
    bool ClickAndLog(TDateTime now);

    ControlValues& values_;
    Moments& moments_;
    Input& input_;
    std::int32_t clickTickCount_ = 0;
    // The start moment (whole second) the task last clicked for: it clicks once per value.
    std::optional<std::int64_t> startClickedFor_;
    std::optional<std::int64_t> startSkipped_;  // the start moment last told as skipped
    std::optional<std::int64_t> lastStart_;     // the start moment the last tick read
};

}  // namespace tc
