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
    unsigned codePage;
    LocaleInfo info;
    std::string january, shortJanuary, december, sunday, shortSunday, monday, saturday;
};

Expected ExpectedFor(const std::string& locale) {
    Expected e;
    LocaleInfo& l = e.info;
    if (locale == "zh_CN.UTF-8") {
        e.codePage = 936;
        l.shortDate = "yyyy/M/d";
        l.timeFormat = 1;
        l.hourLeadingZero = 1;
        l.am = "上午";
        l.pm = "下午";
        e.january = "一月";
        e.shortJanuary = "1月";
        e.december = "十二月";
        e.sunday = "星期日";
        e.shortSunday = "周日";
        e.monday = "星期一";
        e.saturday = "星期六";
    } else {
        e.codePage = 1252;
        l.shortDate = "M/d/yyyy";
        l.timeFormat = 0;
        l.hourLeadingZero = 0;
        l.am = "AM";
        l.pm = "PM";
        e.january = "January";
        e.shortJanuary = "Jan";
        e.december = "December";
        e.sunday = "Sunday";
        e.shortSunday = "Sun";
        e.monday = "Monday";
        e.saturday = "Saturday";
    }
    l.dateSeparator = "/";
    l.timeSeparator = ":";
    l.markerPosition = 0;
    l.decimalSeparator = ".";
    return e;
}

TEST(Win32Locale, ReadsTheUserLocale) {
    const std::string name = TestLocale();
    ASSERT_TRUE(IsKnownTestLocale(name))
        << "LC_ALL must be zh_CN.UTF-8 or en_US.UTF-8, not '" << name << "'";
    const Expected e = ExpectedFor(name);
    EXPECT_EQ(GetACP(), e.codePage);

    const LocaleInfo l = Win32Locale().Read();
    EXPECT_EQ(l.shortDate, e.info.shortDate);
    EXPECT_EQ(l.dateSeparator, e.info.dateSeparator);
    EXPECT_EQ(l.timeSeparator, e.info.timeSeparator);
    EXPECT_EQ(l.timeFormat, e.info.timeFormat);
    EXPECT_EQ(l.hourLeadingZero, e.info.hourLeadingZero);
    EXPECT_EQ(l.markerPosition, e.info.markerPosition);
    EXPECT_EQ(l.am, e.info.am);
    EXPECT_EQ(l.pm, e.info.pm);
    EXPECT_EQ(l.decimalSeparator, e.info.decimalSeparator);

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
