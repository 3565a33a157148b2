#pragma once
// Where a target's moments fall against now: the next one still to come (the notification
// icon's tooltip, the warning before a power action) and the last one that a gap between two
// ticks passed over (told in the activity box as skipped), with the texts that tell them.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/moments.h"
#include "core/tick_seconds.h"

namespace tc {

// The first second after `nowSecond` on which a target falls: a one-time target's own second
// when that is later, a daily target's next second with its time of day.
std::optional<std::int64_t> NextOccurrence(TDateTime target, bool daily, std::int64_t nowSecond);
// The first second after `nowSecond` on which a target still acts: NextOccurrence, unless that
// occurrence already acted (`acted` says so; the clock was set back), when a daily target acts
// the next day and a one-time target not at all.
std::optional<std::int64_t> NextToAct(TDateTime target, bool daily, std::int64_t nowSecond,
                                      const std::function<bool(std::int64_t)>& acted);
// The last second of `range` on which a target falls (for a daily one, the last of possibly
// several days the range spans).
std::optional<std::int64_t> LastOccurrenceIn(TDateTime target, bool daily, SecondRange range);

// Something a scheduler will do, and the second it will do it in.
struct PlannedAction {
    std::int64_t second = 0;
    std::string verb;  // "打开程序", "关闭程序", a power command's name, "鼠标单击"
    std::string name;  // the file name for a program slot, otherwise empty

    friend bool operator==(const PlannedAction&, const PlannedAction&) = default;
};

// The earlier of the two; on the same second the one that acts first, `a`.
std::optional<PlannedAction> Earlier(std::optional<PlannedAction> a,
                                     std::optional<PlannedAction> b);

// The power command's name for the drop-down's index, empty for none selected.
std::string_view PowerCommandName(int index);

// "已跳过-打开程序-D:\x.exe-计划时间-2026/12/8 3:30:00": `what` is what the activity line of the
// action would have said before its "-执行时间-".
std::string SkippedLine(std::string_view what, std::int64_t second, const LocaleForms& forms);

// The notification icon's tooltip: "Tallowcron", and when something is planned a second line
// "下一项：打开程序 qzvt.exe 2026/12/8 21:30:00", the file name shortened in its middle so that
// the whole tip fits the 127 UTF-16 characters the shell shows.
std::string TrayTip(const std::optional<PlannedAction>& next, const LocaleForms& forms);
inline constexpr std::size_t kTrayTipLength = 127;

// "将于 21:30:00 关机。点击“停止”可取消。"
std::string PowerWarning(const PlannedAction& action, const LocaleForms& forms);
// How long before a power action its warning comes.
inline constexpr std::int64_t kPowerWarningSeconds = 60;

// The length of UTF-8 text in UTF-16 units.
std::size_t Utf16Length(std::string_view utf8);

}  // namespace tc
