#pragma once
// Locale port: the user's regional settings that dates, times and numbers are shown in.
#include <array>
#include <string>

namespace tc {

struct LocaleInfo {
    std::string shortDate = "yyyy/M/d";  // the short date pattern, Windows pattern letters
    std::string dateSeparator = "/";
    std::string timeSeparator = ":";
    int timeFormat = 1;       // 0: 12-hour clock, 1: 24-hour clock
    int hourLeadingZero = 1;  // not 0: hours always have two digits
    int markerPosition = 0;   // not 0: the AM/PM marker stands before the time
    std::string am = "AM";
    std::string pm = "PM";
    std::string decimalSeparator = ".";
    std::array<std::string, 12> monthNames{};  // January first
    std::array<std::string, 12> shortMonthNames{};
    std::array<std::string, 7> dayNames{};  // Sunday first
    std::array<std::string, 7> shortDayNames{};
};

class Locale {
public:
    virtual ~Locale() = default;
    // Reads the settings afresh (the user may change them while the program runs).
    virtual LocaleInfo Read() = 0;
};

}  // namespace tc
