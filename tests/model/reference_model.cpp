// The rules this model follows, and nothing else:
//   - Program slots: each second, rows 1 to 5 in order; a ticked row with a path acts when the
//     second is its moment (one-time) or has its time of day (daily): open through the shell, or
//     end every process whose name (or the file-name part of it) equals the path's file name,
//     letters a-z in either case; then the line "打开程序-<path>-执行时间-<now>" or
//     "关闭程序-…".
//   - Power: the countdown acts on its target's second, or with "按时钟执行" ticked on a second
//     after its arming with the target's time of day and not after the target (the box as it
//     stands in that second); once per arming; never with 0 minutes or fewer; left behind once
//     its target's second has gone by. The set moment acts on its second (or daily, its time of
//     day). Acting runs shutdown.exe -s -t 0, -r -t 0, sleep, shutdown.exe -h, -l or lock for
//     items 0 to 5 and logs "执行命令-<text>--Time--<now>"; with no item selected nothing runs
//     and nothing is logged.
//     Edit9 empty shows "1"; the minutes follow what Edit9 shows; arming happens when the
//     countdown box is ticked, Edit9 changes with it ticked, and at Start.
//   - Mouse task: on each tick, a click at the start moment (once for a start value; the count
//     is then 0), then the count goes up by one and a click comes when it reaches or passes the
//     interval (above 0), the count then 0. A click is three clicks at (Edit7, Edit8) and the
//     line "鼠标单击坐标-<x>,<y>-执行时间-<now>". Ticking the box starts counting from 0.
//   - Timers: the slot and power timers run from Start to Stop, the mouse timer while its box is
//     ticked; each is independent, due 20 ms after the next wall-clock second after each of its
//     ticks (the mouse timer's first tick at least a whole second after its box was ticked), and
//     a wake ticks each timer whose due time has come (the system's 16 ms granularity counts as
//     on time).
//   - Seconds: every wall-clock second is looked at once, by the first tick in it or after it,
//     up to 11 seconds back; Start and the mouse box leave out the second they came in; a longer
//     gap is not caught up and a clock set back looks at its own second only.
//   - Once per occurrence: a one-time target does not act again for the same moment until its
//     path or action (the command, for the set moment) changes; a daily one not again on the same
//     date for the same time of day and settings.
//   - Skipped moments: after a long gap forward, each target whose moment fell inside it gets
//     "已跳过-<what>-计划时间-<moment>" once, for its last moment in the gap (the countdown: the
//     moment it would have acted, and it is left behind); none for a target that already acted
//     for it, none for the power command with no item selected.
//   - Warning: after a power tick, when the next power command is 60 s away or less, one balloon
//     "将于 <time> <command>。点击“停止”可取消。" per planned command; Start warns again.
//   - Tooltip: "Tallowcron", and while the clock runs "下一项：<verb> [<file>] <moment>" for the
//     earliest next action (slots in row order, then power, then the mouse start while the mouse
//     task is on), a daily target whose occurrence today already acted coming tomorrow.
// Mends included: every second looked at once with catch-up, once per occurrence, the countdown
// acting on its second and never for 0 minutes, the mouse count reaching or passing, no command
// with no item selected, skipped moments told, the warning, the tooltip, and the countdown whose
// "按时钟执行" changes after its arming still acting at a matching second.
#include "model/reference_model.h"

#include <algorithm>
#include <iterator>

#include "core/controls.h"
#include "core/convert.h"
#include "core/errors.h"

namespace tc::model {
namespace {

constexpr std::int64_t kDay = 86400;
constexpr std::int64_t kCatchUp = 11;
constexpr std::uint64_t kGranularityMs = 16;
constexpr std::int64_t kWarnAhead = 60;

std::int64_t DayOf(std::int64_t second) { return FloorDiv(second, kDay); }
std::int64_t ClockOf(std::int64_t second) { return second - DayOf(second) * kDay; }

// The first second from `from` on, and the last up to `upTo`, with the time of day `clock`.
std::int64_t FirstAtClock(std::int64_t from, std::int64_t clock) {
    const std::int64_t s = DayOf(from) * kDay + clock;
    return s >= from ? s : s + kDay;
}
std::int64_t LastAtClock(std::int64_t upTo, std::int64_t clock) {
    const std::int64_t s = DayOf(upTo) * kDay + clock;
    return s <= upTo ? s : s - kDay;
}

// The last moment of a target (one-time at `second`, or daily at its time of day) in a gap.
std::optional<std::int64_t> LastIn(std::pair<std::int64_t, std::int64_t> gap, std::int64_t second,
                                   bool daily) {
    const std::int64_t s = daily ? LastAtClock(gap.second, ClockOf(second)) : second;
    if (s < gap.first || s > gap.second) return std::nullopt;
    return s;
}

std::uint64_t DelayToNextSecond(TDateTime now) {
    const std::int64_t ms = ToMilliseconds(now) - ToWholeSeconds(now) * 1000;
    return static_cast<std::uint64_t>(1000 - ms + 20);
}

std::string FileName(const std::string& path) {
    const auto cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::string CommandName(int index) {
    if (index < 0 || index >= static_cast<int>(std::size(kPowerCommandItems))) return "";
    return std::string(kPowerCommandItems[index]);
}

}  // namespace

ReferenceModel::ReferenceModel(ModelWorld world) : world_(std::move(world)) {
    try {
        minutes_ = TextToInt(world_.values->Text(kCountdownMinutesEdit));
    } catch (const ConvertError&) {
        minutes_ = 0;
    }
}

std::string ReferenceModel::DateTimeText(std::int64_t second) const {
    return world_.forms().DateTimeText(FromWholeSeconds(second));
}

void ReferenceModel::Started() {
    const TDateTime now = world_.wallNow();
    for (Which w : {kSlots, kPower}) {
        timers_[w].on = true;
        timers_[w].due = world_.steadyNow() + DelayToNextSecond(now);
        timers_[w].lastSecond = ToWholeSeconds(now);
    }
    warned_.reset();
    if (world_.values->Checked(kCountdownCheck)) Arm();
    tipKnown_ = false;  // refreshed from what the last ticks read
}

void ReferenceModel::Stopped() {
    timers_[kSlots].on = false;
    timers_[kPower].on = false;
    wants_.tip = "Tallowcron";
    tipKnown_ = true;
}

void ReferenceModel::MouseBoxChanged() {
    TimerState& timer = timers_[kMouse];
    timer.on = world_.values->Checked(kMouseOnCheck);
    tipKnown_ = false;
    if (!timer.on) return;
    clicks_ = 0;
    const TDateTime now = world_.wallNow();
    std::uint64_t delay = DelayToNextSecond(now);
    if (delay < 1000) delay += 1000;
    timer.due = world_.steadyNow() + delay;
    timer.lastSecond = ToWholeSeconds(now);
}

void ReferenceModel::CountdownBoxChanged() {
    tipKnown_ = false;
    if (world_.values->Checked(kCountdownCheck)) Arm();
}

void ReferenceModel::CountdownMinutesChanged() {
    tipKnown_ = false;
    try {
        minutes_ = TextToInt(world_.values->Text(kCountdownMinutesEdit));
    } catch (const ConvertError&) {
        return;  // the minutes keep their value and nothing is armed
    }
    if (world_.values->Checked(kCountdownCheck)) Arm();
}

void ReferenceModel::Arm() {
    armedAt_ = world_.wallNow();
    target_ = AddMinutes(armedAt_, minutes_);
    armed_ = minutes_ > 0;
}

void ReferenceModel::Wake() {
    if (wakeDepth_ == 0) wakeSawAll_ = true;
    ++wakeDepth_;
    for (Which which : {kSlots, kPower, kMouse}) {
        TimerState& timer = timers_[which];
        if (!timer.on) continue;
        if (world_.steadyNow() + kGranularityMs < timer.due) {
            wakeSawAll_ = false;
            continue;
        }
        Tick(which);
    }
    --wakeDepth_;
    if (wakeDepth_ > 0) return;
    RefreshTip();
}

ReferenceModel::Seconds ReferenceModel::SecondsFor(TimerState& timer,
                                                   std::int64_t nowSecond) const {
    Seconds s;
    if (!timer.lastSecond || nowSecond < *timer.lastSecond) {
        s.due = {nowSecond};
    } else if (nowSecond - *timer.lastSecond > kCatchUp) {
        s.due = {nowSecond};
        s.gap = std::pair{*timer.lastSecond + 1, nowSecond - 1};
    } else {
        for (std::int64_t x = *timer.lastSecond + 1; x <= nowSecond; ++x) s.due.push_back(x);
    }
    timer.lastSecond = nowSecond;
    return s;
}

void ReferenceModel::Tick(Which which) {
    TimerState& timer = timers_[which];
    const TDateTime now = world_.wallNow();
    const Seconds seconds = SecondsFor(timer, ToWholeSeconds(now));
    if (seconds.due.empty() && which != kMouse) wakeSawAll_ = false;
    // Due again 20 ms after the next second, counted from when the tick's work is over (a box
    // opened inside it may have taken a while); set before the work in case it throws.
    try {
        if (which == kSlots) SlotTick(seconds, now);
        if (which == kPower) PowerTick(seconds, now);
        if (which == kMouse) MouseTick(seconds, now);
    } catch (const ConvertError&) {
        // Shown in a box; the tick ends there.
    }
    timer.due = world_.steadyNow() + DelayToNextSecond(world_.wallNow());
}

// Program slots.

ReferenceModel::Slot ReferenceModel::ReadSlot(int row) const {
    const ControlValues& v = *world_.values;
    Slot slot;
    slot.row = row;
    slot.on = v.Checked(RowName(kSlotOnPrefix, row));
    slot.path = v.Text(RowName(kSlotPathPrefix, row));
    slot.second = ToWholeSeconds(ComposeMoment(v.DateTime(RowName(kSlotDatePrefix, row)),
                                               v.DateTime(RowName(kSlotTimePrefix, row))));
    slot.daily = v.Checked(RowName(kSlotDailyPrefix, row));
    slot.close = v.Checked(RowName(kCloseButtonPrefix, row));
    return slot;
}

ReferenceModel::Occurrence ReferenceModel::SlotOccurrence(const Slot& slot, std::int64_t second) {
    const std::string settings = (slot.close ? "close " : "open ") + slot.path;
    if (slot.daily) return {DayOf(second), ClockOf(slot.second), "daily " + settings};
    return {-1, slot.second, settings};
}

void ReferenceModel::SlotTick(const Seconds& seconds, TDateTime now) {
    if (seconds.due.empty()) return;
    std::vector<Slot> slots;
    for (int row = 1; row <= 5; ++row) slots.push_back(ReadSlot(row));
    if (seconds.gap) {
        for (const Slot& slot : slots) {
            if (!slot.on || slot.path.empty()) continue;
            const std::optional<std::int64_t> moment = LastIn(*seconds.gap, slot.second, slot.daily);
            if (!moment) continue;
            const Occurrence o = SlotOccurrence(slot, *moment);
            if (slotActed_[slot.row - 1] == o || slotTold_[slot.row - 1] == o) continue;
            slotTold_[slot.row - 1] = o;
            wants_.activity.push_back("已跳过-" + std::string(slot.close ? "关闭程序" : "打开程序") +
                                      "-" + slot.path + "-计划时间-" + DateTimeText(*moment));
        }
    }
    for (std::int64_t second : seconds.due) {
        for (const Slot& slot : slots) {
            if (!slot.on || slot.path.empty()) continue;
            const bool matches =
                slot.daily ? ClockOf(second) == ClockOf(slot.second) : second == slot.second;
            if (!matches) continue;
            const Occurrence o = SlotOccurrence(slot, second);
            if (slotActed_[slot.row - 1] == o) continue;
            slotActed_[slot.row - 1] = o;
            if (slot.close) {
                for (const ProcessEntry& p : world_.processes)
                    if (SameName(FileName(p.exeFile), FileName(slot.path)) ||
                        SameName(p.exeFile, FileName(slot.path)))
                        wants_.terminated.push_back(p.pid);
                wants_.activity.push_back("关闭程序-" + slot.path + "-执行时间-" +
                                          world_.forms().DateTimeText(now));
            } else {
                wants_.shell.emplace_back(slot.path, "");
                if (world_.onOpen) world_.onOpen(slot.path);
                wants_.activity.push_back("打开程序-" + slot.path + "-执行时间-" +
                                          world_.forms().DateTimeText(now));
            }
        }
    }
}

// Power.

ReferenceModel::Occurrence ReferenceModel::SetMomentOccurrence(std::int64_t second) const {
    const ControlValues& v = *world_.values;
    const std::int64_t moment = ToWholeSeconds(
        ComposeMoment(v.DateTime(kSetMomentDatePicker), v.DateTime(kSetMomentTimePicker)));
    const std::string command = IntToText(v.ItemIndex(kPowerCommandCombo));
    if (v.Checked(kByClockCheck)) return {DayOf(second), ClockOf(moment), "daily " + command};
    return {-1, moment, command};
}

std::optional<std::int64_t> ReferenceModel::CountdownSecondFrom(std::int64_t from) const {
    const std::int64_t target = ToWholeSeconds(target_);
    std::int64_t s = target;
    if (world_.values->Checked(kByClockCheck))
        s = FirstAtClock(std::max(from, ToWholeSeconds(armedAt_) + 1), ClockOf(target));
    if (s < from || s > target) return std::nullopt;
    return s;
}

bool ReferenceModel::CountdownMatches(std::int64_t second) const {
    const std::int64_t target = ToWholeSeconds(target_);
    if (second > target) return false;
    if (world_.values->Checked(kByClockCheck))
        return second > ToWholeSeconds(armedAt_) && ClockOf(second) == ClockOf(target);
    return second == target;
}

void ReferenceModel::RunPowerCommand(TDateTime now) {
    const ControlValues& v = *world_.values;
    const int index = v.ItemIndex(kPowerCommandCombo);
    if (index == 0) wants_.shell.emplace_back("shutdown.exe", "-s -t 0");
    if (index == 1) wants_.shell.emplace_back("shutdown.exe", "-r -t 0");
    if (index == 2) wants_.powerActions.emplace_back("sleep");
    if (index == 3) wants_.shell.emplace_back("shutdown.exe", "-h");
    if (index == 4) wants_.shell.emplace_back("shutdown.exe", "-l");
    if (index == 5) wants_.powerActions.emplace_back("lock");
    if (CommandName(index).empty()) return;
    wants_.commandLog.push_back("执行命令-" + v.Text(kPowerCommandCombo) + "--Time--" +
                                world_.forms().DateTimeText(now));
}

void ReferenceModel::PowerTick(const Seconds& seconds, TDateTime now) {
    if (seconds.due.empty()) return;
    const ControlValues& v = *world_.values;
    const bool countdownOn = v.Checked(kCountdownCheck);
    const bool setMomentOn = v.Checked(kSetMomentCheck);
    const bool byClock = v.Checked(kByClockCheck);
    const std::string command = CommandName(v.ItemIndex(kPowerCommandCombo));
    const std::int64_t setSecond = ToWholeSeconds(
        ComposeMoment(v.DateTime(kSetMomentDatePicker), v.DateTime(kSetMomentTimePicker)));

    if (seconds.gap && !command.empty()) {
        const auto [first, last] = *seconds.gap;
        if (countdownOn && armed_) {
            const std::optional<std::int64_t> s = CountdownSecondFrom(first);
            if (s && *s <= last) {
                armed_ = false;
                wants_.activity.push_back("已跳过-" + command + "-计划时间-" + DateTimeText(*s));
            }
        }
        if (setMomentOn) {
            const std::optional<std::int64_t> moment = LastIn(*seconds.gap, setSecond, byClock);
            if (moment) {
                const Occurrence o = SetMomentOccurrence(*moment);
                if (setMomentActed_ != o && setMomentTold_ != o) {
                    setMomentTold_ = o;
                    wants_.activity.push_back("已跳过-" + command + "-计划时间-" +
                                              DateTimeText(*moment));
                }
            }
        }
    }
    for (std::int64_t second : seconds.due) {
        if (countdownOn && armed_) {
            if (second > ToWholeSeconds(target_)) {
                armed_ = false;
            } else if (CountdownMatches(second)) {
                armed_ = false;
                RunPowerCommand(now);
            }
        }
        if (setMomentOn && (byClock ? ClockOf(second) == ClockOf(setSecond) : second == setSecond)) {
            const Occurrence o = SetMomentOccurrence(second);
            if (setMomentActed_ != o) {
                setMomentActed_ = o;
                RunPowerCommand(now);
            }
        }
    }
    const std::int64_t nowSecond = ToWholeSeconds(now);
    const std::optional<Next> next = NextPowerAction(nowSecond);
    if (!next || next->second - nowSecond > kWarnAhead) return;
    std::pair<std::int64_t, std::string> what{next->second, next->verb};
    if (warned_ == what) return;
    warned_ = what;
    wants_.warnings.push_back("将于 " + world_.forms().LongTime(FromWholeSeconds(next->second)) +
                              " " + next->verb + "。点击“停止”可取消。");
}

// Mouse task.

bool ReferenceModel::Click(TDateTime now) {
    const ControlValues& v = *world_.values;
    const std::int32_t y = TextToInt(v.Text(kClickYEdit));
    const std::int32_t x = TextToInt(v.Text(kClickXEdit));
    wants_.bursts.push_back({x, y});
    wants_.activity.push_back("鼠标单击坐标-" + v.Text(kClickXEdit) + "," + v.Text(kClickYEdit) +
                              "-执行时间-" + world_.forms().DateTimeText(now));
    return true;
}

void ReferenceModel::MouseTick(const Seconds& seconds, TDateTime now) {
    const ControlValues& v = *world_.values;
    const std::int64_t start = ToWholeSeconds(
        ComposeMoment(v.DateTime(kMouseStartDatePicker), v.DateTime(kMouseStartTimePicker)));
    if (seconds.gap && seconds.gap->first <= start && start <= seconds.gap->second &&
        startClicked_ != start && startTold_ != start) {
        startTold_ = start;
        wants_.activity.push_back("已跳过-鼠标单击-计划时间-" + DateTimeText(start));
    }
    if (startClicked_ != start &&
        std::find(seconds.due.begin(), seconds.due.end(), start) != seconds.due.end()) {
        Click(now);  // a click that fails on a bad coordinate did not happen
        startClicked_ = start;
        clicks_ = 0;
    }
    ++clicks_;
    const std::int32_t interval = TextToInt(v.Text(kClickIntervalEdit));
    if (interval > 0 && clicks_ >= interval && Click(now)) clicks_ = 0;
}

// The next action.

std::optional<ReferenceModel::Next> ReferenceModel::NextSlotAction(std::int64_t nowSecond) const {
    std::optional<Next> best;
    for (int row = 1; row <= 5; ++row) {
        const Slot slot = ReadSlot(row);
        if (!slot.on || slot.path.empty()) continue;
        std::optional<std::int64_t> second;
        if (slot.daily) {
            std::int64_t s = FirstAtClock(nowSecond + 1, ClockOf(slot.second));
            if (slotActed_[row - 1] == SlotOccurrence(slot, s)) s += kDay;
            second = s;
        } else if (slot.second > nowSecond &&
                   slotActed_[row - 1] != SlotOccurrence(slot, slot.second)) {
            second = slot.second;
        }
        if (!second || (best && best->second <= *second)) continue;
        best = Next{*second, slot.close ? "关闭程序" : "打开程序", FileName(slot.path)};
    }
    return best;
}

std::optional<ReferenceModel::Next> ReferenceModel::NextPowerAction(std::int64_t nowSecond) const {
    const ControlValues& v = *world_.values;
    const std::string command = CommandName(v.ItemIndex(kPowerCommandCombo));
    if (command.empty()) return std::nullopt;
    std::optional<std::int64_t> best;
    if (v.Checked(kCountdownCheck) && armed_) best = CountdownSecondFrom(nowSecond + 1);
    if (v.Checked(kSetMomentCheck)) {
        const std::int64_t setSecond = ToWholeSeconds(
            ComposeMoment(v.DateTime(kSetMomentDatePicker), v.DateTime(kSetMomentTimePicker)));
        std::optional<std::int64_t> second;
        if (v.Checked(kByClockCheck)) {
            std::int64_t s = FirstAtClock(nowSecond + 1, ClockOf(setSecond));
            if (setMomentActed_ == SetMomentOccurrence(s)) s += kDay;
            second = s;
        } else if (setSecond > nowSecond && setMomentActed_ != SetMomentOccurrence(setSecond)) {
            second = setSecond;
        }
        if (second && (!best || *second < *best)) best = second;
    }
    if (!best) return std::nullopt;
    return Next{*best, command, ""};
}

std::optional<ReferenceModel::Next> ReferenceModel::NextMouseAction(std::int64_t nowSecond) const {
    if (!timers_[kMouse].on) return std::nullopt;
    const ControlValues& v = *world_.values;
    const std::int64_t start = ToWholeSeconds(
        ComposeMoment(v.DateTime(kMouseStartDatePicker), v.DateTime(kMouseStartTimePicker)));
    if (start <= nowSecond || startClicked_ == start) return std::nullopt;
    return Next{start, "鼠标单击", ""};
}

void ReferenceModel::RefreshTip() {
    tipKnown_ = wakeSawAll_;
    const bool running = timers_[kSlots].on && timers_[kPower].on;
    if (!running) {
        wants_.tip = "Tallowcron";
        return;
    }
    const std::int64_t nowSecond = ToWholeSeconds(world_.wallNow());
    std::optional<Next> next = NextSlotAction(nowSecond);
    for (const std::optional<Next>& other : {NextPowerAction(nowSecond), NextMouseAction(nowSecond)})
        if (other && (!next || other->second < next->second)) next = other;
    if (!next) {
        wants_.tip = "Tallowcron";
        return;
    }
    wants_.tip = "Tallowcron\n下一项：" + next->verb + (next->name.empty() ? "" : " " + next->name) +
                 " " + DateTimeText(next->second);
}

}  // namespace tc::model
