#include "local_time.h"

namespace tc::soak {

SYSTEMTIME LocalTimeOf(std::int64_t epochMs) {
    const ULONGLONG ticks = static_cast<ULONGLONG>(epochMs) * 10000 + 116444736000000000ULL;
    const FILETIME utcTime{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME utc, local;
    FileTimeToSystemTime(&utcTime, &utc);
    SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
    return local;
}

int SecondOfDay(std::int64_t epochMs) {
    const SYSTEMTIME local = LocalTimeOf(epochMs);
    return local.wHour * 3600 + local.wMinute * 60 + local.wSecond;
}

}  // namespace tc::soak
