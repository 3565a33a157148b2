#include "support/fakes/fake_clock.h"

namespace tc {

void FakeClock::AdvanceMs(long long ms) {
    // Work in whole milliseconds so no rounding creeps in over long runs.
    const long long total = ToMilliseconds(FromLocalTime(now_)) + ms;
    const long long msPerDay = 86400000;
    const long long day = total >= 0 ? total / msPerDay : -((-total + msPerDay - 1) / msPerDay);
    const long long msOfDay = total - day * msPerDay;
    const Decoded date = Decode(static_cast<double>(day));
    now_ = {date.date.year,
            date.date.month,
            date.date.day,
            static_cast<int>(msOfDay / 3600000),
            static_cast<int>(msOfDay / 60000 % 60),
            static_cast<int>(msOfDay / 1000 % 60),
            static_cast<int>(msOfDay % 1000)};
}

}  // namespace tc
