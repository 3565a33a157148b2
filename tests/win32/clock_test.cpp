#include "platform/win32/win32_clock.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "core/tdatetime.h"

namespace tc {
namespace {

std::int64_t Milliseconds(const LocalTime& t) { return ToMilliseconds(FromLocalTime(t)); }

LocalTime SystemLocalTime() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

TEST(Win32Clock, NowIsTheSystemsLocalTime) {
    Win32Clock clock;
    const LocalTime before = SystemLocalTime();
    const LocalTime now = clock.Now();
    const LocalTime after = SystemLocalTime();
    EXPECT_TRUE(IsValidDate(now.year, now.month, now.day));
    EXPECT_TRUE(IsValidTime(now.hour, now.minute, now.second, now.millisecond));
    EXPECT_LE(Milliseconds(before), Milliseconds(now));
    EXPECT_LE(Milliseconds(now), Milliseconds(after));
}

}  // namespace
}  // namespace tc
