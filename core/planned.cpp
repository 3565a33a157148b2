#include "core/planned.h"

#include <iterator>
#include <vector>

#include "core/controls.h"

namespace tc {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::string_view kProgramName = "Tallowcron";
constexpr std::string_view kEllipsis = "…";

std::int64_t SecondOfDay(std::int64_t second) {
    return second - FloorDiv(second, kSecondsPerDay) * kSecondsPerDay;
}

// The UTF-8 sequence that starts at `at` is this many bytes long (a stray byte counts as one).
std::size_t SequenceLength(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return at + n <= text.size() ? n : 1;
}

std::vector<std::string_view> CodePoints(std::string_view text) {
    std::vector<std::string_view> points;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t n = SequenceLength(text, at);
        points.push_back(text.substr(at, n));
        at += n;
    }
    return points;
}

// `name` cut to at most `room` UTF-16 units, keeping its start and its last few characters
// (the extension) with "…" between them.
std::string ShortenedName(std::string_view name, std::size_t room) {
    if (Utf16Length(name) <= room) return std::string(name);
    const std::vector<std::string_view> points = CodePoints(name);
    if (room <= 1) return room == 1 ? std::string(kEllipsis) : std::string();
    room -= 1;  // the ellipsis
    // The tail: up to 8 characters, at most half the room.
    std::string tail;
    std::size_t used = 0;
    std::size_t cut = points.size();
    while (cut > 0 && points.size() - cut < 8) {
        const std::size_t n = Utf16Length(points[cut - 1]);
        if (used + n > room / 2) break;
        used += n;
        --cut;
    }
    for (std::size_t i = cut; i < points.size(); ++i) tail += points[i];
    std::string head;
    for (std::size_t i = 0; i < cut; ++i) {
        const std::size_t n = Utf16Length(points[i]);
        if (used + n > room) break;
        used += n;
        head += points[i];
    }
    return head + std::string(kEllipsis) + tail;
}

}  // namespace

std::optional<std::int64_t> NextOccurrence(TDateTime target, bool daily, std::int64_t nowSecond) {
    const std::int64_t t = ToWholeSeconds(target);
    if (!daily) return t > nowSecond ? std::optional<std::int64_t>(t) : std::nullopt;
    std::int64_t next = FloorDiv(nowSecond, kSecondsPerDay) * kSecondsPerDay + SecondOfDay(t);
    if (next <= nowSecond) next += kSecondsPerDay;
    return next;
}

std::optional<std::int64_t> NextToAct(TDateTime target, bool daily, std::int64_t nowSecond,
                                      const std::function<bool(std::int64_t)>& acted) {
    const std::optional<std::int64_t> next = NextOccurrence(target, daily, nowSecond);
    if (!next || !acted(*next)) return next;
    if (!daily) return std::nullopt;
    return *next + kSecondsPerDay;
}

std::optional<std::int64_t> LastOccurrenceIn(TDateTime target, bool daily, SecondRange range) {
    const std::int64_t t = ToWholeSeconds(target);
    if (!daily) return range.Holds(t) ? std::optional<std::int64_t>(t) : std::nullopt;
    std::int64_t last = FloorDiv(range.last, kSecondsPerDay) * kSecondsPerDay + SecondOfDay(t);
    if (last > range.last) last -= kSecondsPerDay;
    return last >= range.first ? std::optional<std::int64_t>(last) : std::nullopt;
}

std::optional<PlannedAction> Earlier(std::optional<PlannedAction> a,
                                     std::optional<PlannedAction> b) {
    if (!a) return b;
    if (!b) return a;
    // Each a return of its own, so the one chosen is moved out rather than copied.
    if (b->second < a->second) return b;
    return a;
}

std::string_view PowerCommandName(int index) {
    if (index < 0 || index >= static_cast<int>(std::size(kPowerCommandItems))) return {};
    return kPowerCommandItems[index];
}

std::string SkippedLine(std::string_view what, std::int64_t second, const LocaleForms& forms) {
    return "已跳过-" + std::string(what) + "-计划时间-" +
           forms.DateTimeText(FromWholeSeconds(second));
}

std::string TrayTip(const std::optional<PlannedAction>& next, const LocaleForms& forms) {
    std::string tip(kProgramName);
    if (!next) return tip;
    const std::string before = tip + "\n下一项：" + next->verb + (next->name.empty() ? "" : " ");
    const std::string after = " " + forms.DateTimeText(FromWholeSeconds(next->second));
    const std::size_t fixed = Utf16Length(before) + Utf16Length(after);
    if (fixed >= kTrayTipLength) return tip;  // a moment text too long to show at all
    return before + ShortenedName(next->name, kTrayTipLength - fixed) + after;
}

std::string PowerWarning(const PlannedAction& action, const LocaleForms& forms) {
    return "将于 " + forms.LongTime(FromWholeSeconds(action.second)) + " " + action.verb +
           "。点击“停止”可取消。";
}

std::size_t Utf16Length(std::string_view utf8) {
    std::size_t units = 0;
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t n = SequenceLength(utf8, at);
        units += n == 4 ? 2 : 1;
        at += n;
    }
    return units;
}

}  // namespace tc
