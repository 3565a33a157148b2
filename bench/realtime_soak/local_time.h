#pragma once
// Milliseconds since 1970 (UTC) as the local calendar time that the program compares with.
#include <windows.h>

#include <cstdint>

namespace tc::soak {

SYSTEMTIME LocalTimeOf(std::int64_t epochMs);
// Seconds since local midnight.
int SecondOfDay(std::int64_t epochMs);

}  // namespace tc::soak
