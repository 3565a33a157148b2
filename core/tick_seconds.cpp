#include "core/tick_seconds.h"

namespace tc {

TickSpan TickSeconds::Next(std::int64_t nowSecond) {
    TickSpan span;
    if (!last_ || nowSecond < *last_) {
        span.due = DueSeconds(nowSecond, nowSecond);
    } else if (nowSecond - *last_ > kCatchUpSeconds) {
        span.due = DueSeconds(nowSecond, nowSecond);
        span.skipped = SecondRange{*last_ + 1, nowSecond - 1};
    } else {
        span.due = DueSeconds(*last_ + 1, nowSecond);
    }
    last_ = nowSecond;
    return span;
}

int DelayToNextSecond(TDateTime now) {
    const std::int64_t ms = ToMilliseconds(now);
    const std::int64_t msOfSecond = ms - ToWholeSeconds(now) * 1000;
    return static_cast<int>(1000 - msOfSecond + 20);
}

}  // namespace tc
