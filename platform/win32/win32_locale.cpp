#include "platform/win32/win32_locale.h"

#include <windows.h>

#include <cwchar>

#include "platform/win32/win32_text.h"

namespace tc {
namespace {

std::wstring Item(LCTYPE type) {
    const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, nullptr, 0);
    if (length <= 0) return {};
    std::wstring value(static_cast<size_t>(length), L'\0');
    GetLocaleInfoW(LOCALE_USER_DEFAULT, type, value.data(), length);
    value.resize(static_cast<size_t>(length - 1));  // the count includes the terminating zero
    return value;
}

std::string Text(LCTYPE type) { return Narrow(Item(type)); }

int Number(LCTYPE type) { return static_cast<int>(std::wcstol(Item(type).c_str(), nullptr, 10)); }

}  // namespace

LocaleInfo Win32Locale::Read() {
    LocaleInfo info;
    info.shortDate = Text(LOCALE_SSHORTDATE);
    info.dateSeparator = Text(LOCALE_SDATE);
    info.timeSeparator = Text(LOCALE_STIME);
    info.timeFormat = Number(LOCALE_ITIME);
    info.hourLeadingZero = Number(LOCALE_ITLZERO);
    info.markerPosition = Number(LOCALE_ITIMEMARKPOSN);
    info.am = Text(LOCALE_S1159);
    info.pm = Text(LOCALE_S2359);
    info.decimalSeparator = Text(LOCALE_SDECIMAL);
    for (int i = 0; i < 12; ++i) {
        info.monthNames[i] = Text(LOCALE_SMONTHNAME1 + i);
        info.shortMonthNames[i] = Text(LOCALE_SABBREVMONTHNAME1 + i);
    }
    // Windows counts the days from Monday (SDAYNAME1); the program's lists start on Sunday.
    for (int i = 0; i < 7; ++i) {
        const int windowsDay = (i + 6) % 7;  // Sunday -> 6 (SDAYNAME7), Monday -> 0 (SDAYNAME1)
        info.dayNames[i] = Text(LOCALE_SDAYNAME1 + windowsDay);
        info.shortDayNames[i] = Text(LOCALE_SABBREVDAYNAME1 + windowsDay);
    }
    return info;
}

}  // namespace tc
