#pragma once
// Moments of the real clock as the program's files and settings spell them, in the regional
// settings of this process (the same as the program's: both run in one Wine prefix and locale).
#include <windows.h>

#include <string>

namespace tc::e2e {

// Local time `seconds` from now, on a whole second.
SYSTEMTIME LocalSecondsFromNow(int seconds);
SYSTEMTIME AddSeconds(const SYSTEMTIME& local, int seconds);
// A local moment as a system file time (UTC, 100 ns units), to compare with file times.
ULONGLONG FileTimeOf(const SYSTEMTIME& local);
ULONGLONG FileTimeNow();
constexpr ULONGLONG kFileTimeSecond = 10'000'000;

// Whole days since 1899-12-30: the date serial of config.ini.
std::string DateSerial(const SYSTEMTIME& local);
// The user's short date form and long time form, as UTF-8.
std::string ShortDate(const SYSTEMTIME& local);
std::string LongTime(const SYSTEMTIME& local);
// "HH:NN:SS" with two digits each and the locale's time separator.
std::string TwoDigitTime(const SYSTEMTIME& local);
// "_Log" + YYMMDD + ".txt".
std::wstring CommandLogName(const SYSTEMTIME& local);

}  // namespace tc::e2e
