#pragma once
// The window's changes the scheduler answers: a click on one of its check boxes, a change of the
// countdown minutes. The main window dispatches its notifications through this table, and the
// test rigs wire their in-memory window from it, so a row added here reaches both.
#include <string_view>

#include "core/controls.h"
#include "core/scheduler.h"

namespace tc {

enum class ControlChange { Click, TextChange };

struct SchedulerBinding {
    std::string_view control;
    ControlChange change;
    // The handler's name as the error box knows it.
    const char* handler;
    void (Scheduler::*run)();
};

inline constexpr SchedulerBinding kSchedulerBindings[] = {
    {kMouseOnCheck, ControlChange::Click, "CheckBox1Click", &Scheduler::MouseSwitchClicked},
    {kCountdownCheck, ControlChange::Click, "CheckBox3Click", &Scheduler::CountdownSwitchClicked},
    {kCountdownMinutesEdit, ControlChange::TextChange, "Edit9Change",
     &Scheduler::CountdownMinutesChanged},
};

// Hooks every binding to the change notifications of `values` (the in-memory window or the
// real one's values): the program's own writes run the handler inside the write. `before` runs
// first with the binding, for callers that record what ran.
template <class Values, class Before>
void WireScheduler(Values& values, Scheduler& scheduler, Before before) {
    for (const SchedulerBinding& b : kSchedulerBindings) {
        auto run = [&scheduler, &b, before] {
            before(b);
            (scheduler.*b.run)();
        };
        if (b.change == ControlChange::Click)
            values.OnClick(b.control, run);
        else
            values.OnTextChange(b.control, run);
    }
}

template <class Values>
void WireScheduler(Values& values, Scheduler& scheduler) {
    WireScheduler(values, scheduler, [](const SchedulerBinding&) {});
}

}  // namespace tc
