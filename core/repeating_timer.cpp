#include "core/repeating_timer.h"

#include <algorithm>

namespace tc {
namespace {

constexpr std::uint32_t kSecondMs = 1000;

}  // namespace

std::optional<std::uint32_t> RepeatingTimer::SetFor(std::uint64_t due, std::uint64_t now) {
    if (set_ && armedFor_ == due) return std::nullopt;
    if (set_ && armedFor_ == 0 && period_ > 0) {
        // Just fired: its own repeat may serve.
        const std::uint64_t repeat = since_ + period_;
        if (repeat + kRepeatSlackMs >= due && due + kRepeatSlackMs >= repeat) {
            armedFor_ = due;
            return std::nullopt;
        }
    }
    std::uint32_t delay =
        std::max<std::uint32_t>(due > now ? static_cast<std::uint32_t>(due - now) : 0, kMinimumMs);
    // A firing about a second away is set for exactly a second (firings aimed into their second
    // have room either way). The timer then repeats on that phase and later firings are left to
    // repeat; with a period of, say, 1009 ms each repeat would come 9 ms later than the one
    // before and the timer would be set again every other second.
    if (delay + kRepeatSlackMs >= kSecondMs && delay <= kSecondMs + kRepeatSlackMs)
        delay = kSecondMs;
    set_ = true;
    armedFor_ = due;
    period_ = delay;
    since_ = now;
    return delay;
}

void RepeatingTimer::Fired(std::uint64_t now) {
    armedFor_ = 0;
    since_ = now;
}

bool RepeatingTimer::Kill() {
    const bool wasSet = set_;
    set_ = false;
    armedFor_ = 0;
    return wasSet;
}

std::optional<std::uint64_t> RepeatingTimer::NextFiring() const {
    if (!set_) return std::nullopt;
    return since_ + period_;
}

}  // namespace tc
