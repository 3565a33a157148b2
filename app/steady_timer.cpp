#include "app/steady_timer.h"

namespace tc {

void SteadyTimer::SetFor(std::uint64_t due) {
    if (const std::optional<std::uint32_t> delay = rule_.SetFor(due, now_()))
        SetTimer(window_, id_, *delay, nullptr);
}

void SteadyTimer::Kill() {
    if (rule_.Kill()) KillTimer(window_, id_);
}

}  // namespace tc
