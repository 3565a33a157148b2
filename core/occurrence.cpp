#include "core/occurrence.h"

namespace tc {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

}  // namespace

Occurrence OnceOccurrence(TDateTime target, std::string what) {
    return {ToWholeSeconds(target), -1, std::move(what)};
}

Occurrence DailyOccurrence(std::int64_t second, TDateTime target, std::string what) {
    const std::int64_t t = ToWholeSeconds(target);
    return {FloorDiv(second, kSecondsPerDay), t - FloorDiv(t, kSecondsPerDay) * kSecondsPerDay,
            std::move(what)};
}

}  // namespace tc
