#pragma once
// A whole scheduler on fakes: the in-memory window with the window's handlers hooked, a clock that
// moves only when told, and ports that record what they were asked.
#include <string>
#include <vector>

#include "core/scheduler.h"
#include "core/scheduler_bindings.h"
#include "support/fakes/fake_clock.h"
#include "support/fakes/fake_code_page.h"
#include "support/fakes/fake_files.h"
#include "support/fakes/fake_input.h"
#include "support/fakes/fake_locale.h"
#include "support/fakes/fake_power_actions.h"
#include "support/fakes/fake_processes.h"
#include "support/fakes/fake_shell.h"
#include "support/fakes/fake_timers.h"
#include "support/fakes/fake_tray_notices.h"
#include "support/fakes/memory_control_values.h"

namespace tc {

struct SchedulerRig {
    FakeClock clock{LocalTime{2023, 1, 19, 9, 0, 0, 0}};
    FakeLocale locale;  // yyyy/M/d, HH:mm:ss
    Moments moments{clock, locale};
    MemoryControlValues form;
    FakeShell shell;
    FakeProcesses processes;
    FakeInput input;
    FakeTimers timers;
    FakeFiles files;
    FakeCodePage codePage;
    CommandLog commandLog{clock, files, codePage};
    FakeTrayNotices notices;
    FakePowerActions powerActions;
    Scheduler scheduler{
        form, moments, {shell, processes, input, timers, powerActions, commandLog, &notices}};

    SchedulerRig() { WireScheduler(form, scheduler); }

    // Sets the clock to a moment of 2023-01-19 (or of `day` days later).
    void At(int h, int m, int s, int ms = 0, int day = 0) {
        clock.Set(2023, 1, 19, h, m, s, ms);
        clock.AdvanceMs(static_cast<long long>(day) * 86400000);
    }
    void SlotTickAt(int h, int m, int s, int ms = 50, int day = 0) {
        At(h, m, s, ms, day);
        scheduler.SlotTick();
    }
    void PowerTickAt(int h, int m, int s, int ms = 50, int day = 0) {
        At(h, m, s, ms, day);
        scheduler.PowerTick();
    }
    void MouseTickAt(int h, int m, int s, int ms = 50, int day = 0) {
        At(h, m, s, ms, day);
        scheduler.MouseTick();
    }
    // One wake of the window's scheduling timer: every running timer ticks, in the window's
    // order, then the tooltip is refreshed.
    void WakeAt(int h, int m, int s, int ms = 30, int day = 0) {
        At(h, m, s, ms, day);
        scheduler.SlotTick();
        scheduler.PowerTick();
        scheduler.MouseTick();
        scheduler.RefreshTip();
    }

    // Row N: enabled, the path, the moment (only its date and whole second count), daily, action.
    void SetSlot(int row, const std::string& path, TDateTime moment, bool daily = false,
                 bool close = false, bool enabled = true) {
        form.SetText("Edit" + std::to_string(row), path);
        // The pickers hold whole values; give them other parts to show only date and time count.
        form.SetDateTime("FSetDate" + std::to_string(row), DateOf(moment) + 0.3);
        form.SetDateTime("FSetTime" + std::to_string(row),
                         EncodeDate(2019, 4, 15) + TimeOf(moment) + 0.25 / 86400);
        form.SetChecked("softchk" + std::to_string(row), daily);
        form.SetChecked((close ? "rbtColse" : "rbtOp") + std::to_string(row), true);
        form.SetChecked("chk" + std::to_string(row), enabled);
    }

    // The command log file of 2023-01-19 as text.
    std::string CommandLogText() const {
        const auto it = files.files.find("C:\\Tools\\Tallowcron\\log\\_Log230119.txt");
        return it == files.files.end() ? std::string() : it->second;
    }
};

inline TDateTime Moment(int y, int mo, int d, int h, int mi, int s, int ms = 0) {
    return EncodeDateTime({y, mo, d}, {h, mi, s, ms});
}

}  // namespace tc
