#include "core/slots.h"

#include <exception>

#include "core/ascii_text.h"
#include "core/controls.h"
#include "core/file_paths.h"
#include "core/logs.h"

namespace tc {
namespace {

// The settings a slot acted with: acting again needs another path or action.
std::string SlotSettings(const ProgramSlot& slot) {
    return (slot.action == SlotAction::Close ? "close:" : "open:") + slot.path;
}

// The occurrence of the slot that falls on `second` (a second on which the slot is due).
Occurrence SlotOccurrence(const ProgramSlot& slot, std::int64_t second) {
    return slot.daily ? DailyOccurrence(second, slot.target, "daily:" + SlotSettings(slot))
                      : OnceOccurrence(slot.target, SlotSettings(slot));
}

const char* ActionName(SlotAction action) {
    return action == SlotAction::Close ? "关闭程序" : "打开程序";
}

}  // namespace

ProgramSlot ReadSlot(const ControlValues& values, int row) {
    ProgramSlot slot;
    slot.row = row;
    slot.target = ComposeMoment(values.DateTime(RowName(kSlotDatePrefix, row)),
                                values.DateTime(RowName(kSlotTimePrefix, row)));
    slot.path = values.Text(RowName(kSlotPathPrefix, row));
    slot.action =
        values.Checked(RowName(kCloseButtonPrefix, row)) ? SlotAction::Close : SlotAction::Open;
    slot.enabled = values.Checked(RowName(kSlotOnPrefix, row));
    slot.daily = values.Checked(RowName(kSlotDailyPrefix, row));
    return slot;
}

void SetChosenSlotFile(ControlValues& values, int row, const std::string& file) {
    const std::string ext = UpperAscii(FileExtension(file));
    values.SetText(RowName(kSlotPathPrefix, row), file);
    if (ext == ".BAT") {
        values.SetEnabled(RowName(kCloseButtonPrefix, row), false);
        values.SetChecked(RowName(kOpenButtonPrefix, row), true);
    } else if (ext == ".EXE") {
        values.SetEnabled(RowName(kCloseButtonPrefix, row), true);
    }
}

void OpenFile(Shell& shell, const std::string& path) {
    shell.Open(path, "", ShellOwner::MainWindow);
}

void TerminateByImageName(Processes& processes, std::string_view name) {
    for (const ProcessEntry& entry : processes.Snapshot()) {
        if (SameIgnoringAsciiCase(FileNamePart(entry.exeFile), name) ||
            SameIgnoringAsciiCase(entry.exeFile, name))
            processes.Terminate(entry.pid);  // a process we may not end survives silently
    }
}

SlotScheduler::SlotScheduler(ControlValues& values, Moments& moments, Shell& shell,
                             Processes& processes)
    : values_(values), moments_(moments), shell_(shell), processes_(processes) {}

void SlotScheduler::SlotTick(const TickSpan& span, TDateTime now) {
    if (span.due.empty()) return;
    // The rows are read once per tick: every second the tick looks at uses the same settings.
    // While the values say nothing changed since the last reading, that reading stands.
    std::array<ProgramSlot, kSlotCount>& slots = lastRead_;
    const std::optional<std::uint64_t> version = values_.Version();
    if (!version || version != lastReadVersion_) {
        for (int row = 1; row <= kSlotCount; ++row) slots[row - 1] = ReadSlot(values_, row);
        lastReadVersion_ = version;
    }
    if (span.skipped) {
        for (const ProgramSlot& slot : slots)
            if (!slot.path.empty() && slot.enabled) TellSkipped(slot, *span.skipped);
    }

    // Oldest second first, and within a second slots 1 to 5, so the activity lines come in the
    // order the targets fell due. A slot whose action fails (a path the shell cannot take) does
    // not hold up the others: the first failure is reported once they have all had their turn.
    std::exception_ptr failure;
    for (const std::int64_t second : span.due) {
        for (const ProgramSlot& slot : slots) {
            if (slot.path.empty() || !slot.enabled) continue;
            try {
                RunSlotIfDue(slot, second, now);
            } catch (...) {
                if (!failure) failure = std::current_exception();
            }
        }
    }
    if (failure) std::rethrow_exception(failure);
}

void SlotScheduler::RunSlotIfDue(const ProgramSlot& slot, std::int64_t second, TDateTime now) {
    // A daily slot matches the time of day on any date, a one-time slot its date and time; each
    // acts once per occurrence, also when a clock set back brings its second round again.
    const TDateTime moment = FromWholeSeconds(second);
    if (slot.daily ? !SameClockSecond(moment, slot.target) : !SameSecond(moment, slot.target))
        return;
    Occurrence occurrence = SlotOccurrence(slot, second);
    LastOccurrence& fired = fired_[slot.row - 1];
    if (fired.Done(occurrence)) return;
    fired.Mark(std::move(occurrence));
    Act(slot, now);
}

void SlotScheduler::TellSkipped(const ProgramSlot& slot, SecondRange gap) {
    // Nothing is caught up: the user is told, once per occurrence, what did not run. A daily
    // slot that the gap passed over on several days is told for the last of them.
    const std::optional<std::int64_t> second = LastOccurrenceIn(slot.target, slot.daily, gap);
    if (!second) return;
    Occurrence occurrence = SlotOccurrence(slot, *second);
    LastOccurrence& told = skipped_[slot.row - 1];
    if (fired_[slot.row - 1].Done(occurrence) || told.Done(occurrence)) return;
    told.Mark(std::move(occurrence));
    AddActivityLine(values_, SkippedLine(std::string(ActionName(slot.action)) + "-" + slot.path,
                                         *second, moments_.Forms()));
}

std::optional<PlannedAction> SlotScheduler::Planned(std::int64_t nowSecond) const {
    // Asked on every tick: the earliest slot is found first, and only its action is written out.
    // On the same second the lower slot comes first.
    const ProgramSlot* first = nullptr;
    std::int64_t firstSecond = 0;
    for (const ProgramSlot& slot : lastRead_) {
        if (slot.path.empty() || !slot.enabled) continue;
        const LastOccurrence& fired = fired_[slot.row - 1];
        const std::optional<std::int64_t> second = NextToAct(
            slot.target, slot.daily, nowSecond,
            [&](std::int64_t s) { return fired.Any() && fired.Done(SlotOccurrence(slot, s)); });
        if (!second || (first && *second >= firstSecond)) continue;
        first = &slot;
        firstSecond = *second;
    }
    if (!first) return std::nullopt;
    return PlannedAction{firstSecond, ActionName(first->action),
                         std::string(FileNamePart(first->path))};
}

void SlotScheduler::Act(const ProgramSlot& slot, TDateTime now) {
    // The line is written whatever the shell or the processes made of the request; a request
    // refused before it reached the shell throws and is not logged as opened. The occurrence
    // is already marked, so the refusal comes once, not on every tick of its second.
    if (slot.action == SlotAction::Open)
        OpenFile(shell_, slot.path);
    else
        TerminateByImageName(processes_, FileNamePart(slot.path));
    AddActivityLine(values_, std::string(ActionName(slot.action)) + "-" + slot.path + "-执行时间-" +
                                 moments_.Forms().DateTimeText(now));
}

}  // namespace tc
