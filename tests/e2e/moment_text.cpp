#include "moment_text.h"

#include <cstdio>

#include "e2e_files.h"

namespace tc::e2e {
namespace {

ULONGLONG AsNumber(const FILETIME& time) {
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FILETIME AsFileTime(ULONGLONG number) {
    return {static_cast<DWORD>(number), static_cast<DWORD>(number >> 32)};
}

// Local calendar time as a plain count of 100 ns units (no time zone applied).
ULONGLONG LocalNumber(const SYSTEMTIME& local) {
    FILETIME time;
    SystemTimeToFileTime(&local, &time);
    return AsNumber(time);
}

SYSTEMTIME FromLocalNumber(ULONGLONG number) {
    const FILETIME time = AsFileTime(number);
    SYSTEMTIME local;
    FileTimeToSystemTime(&time, &local);
    return local;
}

std::string TimeSeparator() {
    wchar_t separator[8] = L":";
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STIME, separator, 8);
    return Utf8(separator);
}

}  // namespace

SYSTEMTIME LocalSecondsFromNow(int seconds) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    now.wMilliseconds = 0;
    return AddSeconds(now, seconds);
}

SYSTEMTIME AddSeconds(const SYSTEMTIME& local, int seconds) {
    return FromLocalNumber(LocalNumber(local) +
                           static_cast<LONGLONG>(seconds) * static_cast<LONGLONG>(kFileTimeSecond));
}

ULONGLONG FileTimeOf(const SYSTEMTIME& local) {
    SYSTEMTIME utc;
    TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc);
    FILETIME time;
    SystemTimeToFileTime(&utc, &time);
    return AsNumber(time);
}

ULONGLONG FileTimeNow() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return AsNumber(now);
}

std::string DateSerial(const SYSTEMTIME& local) {
    SYSTEMTIME date = local, epoch{};
    date.wHour = date.wMinute = date.wSecond = date.wMilliseconds = 0;
    epoch.wYear = 1899;
    epoch.wMonth = 12;
    epoch.wDay = 30;
    const ULONGLONG day = 24ULL * 3600 * kFileTimeSecond;
    return std::to_string((LocalNumber(date) - LocalNumber(epoch)) / day);
}

std::string ShortDate(const SYSTEMTIME& local) {
    wchar_t text[128] = {};
    GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &local, nullptr, text, 128, nullptr);
    return Utf8(text);
}

std::string LongTime(const SYSTEMTIME& local) {
    wchar_t text[128] = {};
    GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &local, nullptr, text, 128);
    return Utf8(text);
}

std::string TwoDigitTime(const SYSTEMTIME& local) {
    char parts[3][4];
    std::snprintf(parts[0], 4, "%02u", local.wHour);
    std::snprintf(parts[1], 4, "%02u", local.wMinute);
    std::snprintf(parts[2], 4, "%02u", local.wSecond);
    const std::string separator = TimeSeparator();
    return std::string(parts[0]) + separator + parts[1] + separator + parts[2];
}

std::wstring CommandLogName(const SYSTEMTIME& local) {
    wchar_t name[32];
    std::swprintf(name, 32, L"_Log%02u%02u%02u.txt", local.wYear % 100, local.wMonth, local.wDay);
    return name;
}

}  // namespace tc::e2e
