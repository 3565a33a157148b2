// The user's regional settings as the locale port reads them, under each system locale the test
// is registered for.
#include "platform/win32/win32_locale.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "win32/test_locale.h"

namespace tc {
namespace {

struct Expected {
    const char* locale;
    unsigned codePage;
    const char* shortDate;
    const char* dateSeparator;
    const char* timeSeparator;
    int timeFormat, hourLeadingZero, markerPosition;
    const char* am;
    const char* pm;
    const char* decimalSeparator;
    const char* january;
    const char* shortJanuary;
    const char* december;
    const char* sunday;
    const char* shortSunday;
    const char* monday;
    const char* saturday;
};

const Expected kExpected[] = {
    {"zh_CN.UTF-8", 936, "yyyy/M/d", "/", ":", 1, 1, 0, "上午", "下午", ".", "一月", "1月",
     "十二月", "星期日", "周日", "星期一", "星期六"},
    {"en_US.UTF-8", 1252, "M/d/yyyy", "/", ":", 0, 0, 0, "AM", "PM", ".", "January", "Jan",
     "December", "Sunday", "Sun", "Monday", "Saturday"},
};

TEST(Win32Locale, ReadsTheUserLocale) {
    const std::string name = TestLocale();
    ASSERT_TRUE(IsKnownTestLocale(name))
        << "LC_ALL must be zh_CN.UTF-8 or en_US.UTF-8, not '" << name << "'";
    const Expected& e = name == kExpected[0].locale ? kExpected[0] : kExpected[1];
    EXPECT_EQ(GetACP(), e.codePage);

    const LocaleInfo l = Win32Locale().Read();
    EXPECT_EQ(l.shortDate, e.shortDate);
    EXPECT_EQ(l.dateSeparator, e.dateSeparator);
    EXPECT_EQ(l.timeSeparator, e.timeSeparator);
    EXPECT_EQ(l.timeFormat, e.timeFormat);
    EXPECT_EQ(l.hourLeadingZero, e.hourLeadingZero);
    EXPECT_EQ(l.markerPosition, e.markerPosition);
    EXPECT_EQ(l.am, e.am);
    EXPECT_EQ(l.pm, e.pm);
    EXPECT_EQ(l.decimalSeparator, e.decimalSeparator);

    EXPECT_EQ(l.monthNames[0], e.january);
    EXPECT_EQ(l.shortMonthNames[0], e.shortJanuary);
    EXPECT_EQ(l.monthNames[11], e.december);
    // Sunday first, although Windows numbers the days from Monday.
    EXPECT_EQ(l.dayNames[0], e.sunday);
    EXPECT_EQ(l.shortDayNames[0], e.shortSunday);
    EXPECT_EQ(l.dayNames[1], e.monday);
    EXPECT_EQ(l.dayNames[6], e.saturday);
    for (int i = 0; i < 12; ++i) {
        EXPECT_FALSE(l.monthNames[i].empty()) << i;
        EXPECT_FALSE(l.shortMonthNames[i].empty()) << i;
    }
    for (int i = 0; i < 7; ++i) EXPECT_FALSE(l.shortDayNames[i].empty()) << i;
}

}  // namespace
}  // namespace tc
