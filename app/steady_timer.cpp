#include "app/steady_timer.h"

#include <algorithm>

namespace tc {
namespace {

constexpr UINT kSecondMs = 1000;
// When the timer's next repeat lands this close to the moment asked for it is left to repeat.
constexpr std::uint64_t kRepeatSlackMs = 10;

}  // namespace

void SteadyTimer::SetFor(std::uint64_t due) {
    if (set_ && armedFor_ == due) return;
    if (set_ && armedFor_ == 0 && period_ > 0) {
        // Just ticked: its own repeat may serve.
        const std::uint64_t repeat = tickedAt_ + period_;
        if (repeat + kRepeatSlackMs >= due && due + kRepeatSlackMs >= repeat) {
            armedFor_ = due;
            return;
        }
    }
    const std::uint64_t now = NowMs();
    UINT delay = std::max<UINT>(due > now ? static_cast<UINT>(due - now) : 0, USER_TIMER_MINIMUM);
    // A tick about a second away is set for exactly a second (ticks aimed into their second
    // have room either way). The timer then repeats on that phase and later ticks are left to
    // repeat; with a period of, say, 1009 ms each repeat would come 9 ms later than the one
    // before and the timer would be set again every other second.
    if (delay + kRepeatSlackMs >= kSecondMs && delay <= kSecondMs + kRepeatSlackMs)
        delay = kSecondMs;
    SetTimer(window_, id_, delay, nullptr);
    set_ = true;
    armedFor_ = due;
    period_ = delay;
}

void SteadyTimer::Ticked() {
    armedFor_ = 0;
    tickedAt_ = NowMs();
}

void SteadyTimer::Kill() {
    if (set_) KillTimer(window_, id_);
    set_ = false;
    armedFor_ = 0;
}

}  // namespace tc
