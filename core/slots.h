#pragma once
// The five program slots: each opens a program or batch file, or ends every process of that
// image name, once at a set moment or every day at a set time of day.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/control_values.h"
#include "core/moments.h"
#include "core/occurrence.h"
#include "core/planned.h"
#include "core/tick_seconds.h"
#include "platform/processes.h"
#include "platform/shell.h"

namespace tc {

// The numbers are the ones stored in the settings file.
enum class SlotAction { Open = 0, Close = 1 };

inline constexpr int kSlotCount = 5;

// Row N of the slot group, as its controls hold it now.
struct ProgramSlot {
    int row = 0;
    bool enabled = false;                  // chk<N>
    std::string path;                      // Edit<N>
    TDateTime target = 0;                  // date of FSetDate<N>, time of day of FSetTime<N>
    bool daily = false;                    // softchk<N>
    SlotAction action = SlotAction::Open;  // rbtColse<N> checked: Close
};

ProgramSlot ReadSlot(const ControlValues& values, int row);

// A file chosen with a row's browse button: the row's path takes it. A batch file can only be
// opened, so it selects "open" and disables "close"; a program enables "close" again. Any other
// file leaves the pair as it is. A path typed by hand changes neither.
void SetChosenSlotFile(ControlValues& values, int row, const std::string& file);

// Asks the shell to open the file, the main window owning whatever the shell shows. Throws
// SystemError when the shell cannot take the path (see Shell::Open).
void OpenFile(Shell& shell, const std::string& path);
// Ends every process whose snapshot name, or the file-name part of it, equals `name`.
// Processes that cannot be opened or ended are left alone.
void TerminateByImageName(Processes& processes, std::string_view name);

class SlotScheduler {
public:
    SlotScheduler(ControlValues& values, Moments& moments, Shell& shell, Processes& processes);

    // One tick of the slot timer: first a line for each slot whose moment a long gap passed
    // over, then slots 1 to 5 for each second the tick looks at, in order. `now` is the tick's
    // reading of the clock, shown in the activity lines. When an action fails, the other slots
    // still act and the first failure is thrown at the end.
    void SlotTick(const TickSpan& span, TDateTime now);

    // The first action after `nowSecond` of the slots as the last tick read them.
    std::optional<PlannedAction> Planned(std::int64_t nowSecond) const;

private:
    void RunSlotIfDue(const ProgramSlot& slot, std::int64_t second, TDateTime now);
    void Act(const ProgramSlot& slot, TDateTime now);
    void TellSkipped(const ProgramSlot& slot, SecondRange gap);

    ControlValues& values_;
    Moments& moments_;
    Shell& shell_;
    Processes& processes_;
    std::array<LastOccurrence, kSlotCount> fired_;
    std::array<LastOccurrence, kSlotCount> skipped_;  // told as skipped, so told once
    std::array<ProgramSlot, kSlotCount> lastRead_;
    std::optional<std::uint64_t> lastReadVersion_;  // the values' version they were read at
};

}  // namespace tc
