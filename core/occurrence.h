#pragma once
// What a target last acted for, so that no target acts twice for the same occurrence when a
// second comes round again (two ticks in one second, the clock set back).
//   - a one-time target: its own second together with the settings it acted with; it acts again
//     only once those settings change;
//   - a daily target: the calendar date it acted on, its time of day and its settings; it acts
//     at most once per date for the same time of day.
#include <cstdint>
#include <optional>
#include <string>

#include "core/tdatetime.h"

namespace tc {

struct Occurrence {
    std::int64_t when = 0;    // one-time: the target's whole second; daily: the day acted on
    std::int64_t clock = -1;  // daily: the target's second of the day; one-time: -1
    std::string what;         // the settings it acted with (action and path, or the command)
    bool operator==(const Occurrence&) const = default;
};

// `second` is the evaluated second that matched; `target` the moment the target is set to.
Occurrence OnceOccurrence(TDateTime target, std::string what);
Occurrence DailyOccurrence(std::int64_t second, TDateTime target, std::string what);

class LastOccurrence {
public:
    bool Any() const { return last_.has_value(); }
    bool Done(const Occurrence& o) const { return last_ && *last_ == o; }
    void Mark(Occurrence o) { last_ = std::move(o); }

private:
    std::optional<Occurrence> last_;
};

}  // namespace tc
