#include "core/tick_seconds.h"

namespace tc {

std::vector<std::int64_t> TickSeconds::Next(std::int64_t nowSecond) {
    std::vector<std::int64_t> seconds;
    if (!last_ || nowSecond < *last_ || nowSecond - *last_ > kCatchUpSeconds) {
        seconds.push_back(nowSecond);
    } else {
        for (std::int64_t s = *last_ + 1; s <= nowSecond; ++s) seconds.push_back(s);
    }
    last_ = nowSecond;
    return seconds;
}

int DelayToNextSecond(TDateTime now) {
    const std::int64_t ms = ToMilliseconds(now);
    const std::int64_t msOfSecond = ms - ToWholeSeconds(now) * 1000;
    return static_cast<int>(1000 - msOfSecond + 20);
}

}  // namespace tc
