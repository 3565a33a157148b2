#include "core/tdatetime.h"

#include <cmath>

namespace tc {
namespace {

constexpr std::int64_t kMsPerDay = 86400000;

// Days since 1970-01-01 of a proleptic Gregorian date (the civil-from-days algorithm pair).
constexpr std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = FloorDiv(y, 400);
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

DateParts CivilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = FloorDiv(z, 146097);
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const std::int64_t y = yoe + era * 400 + (m <= 2);
    return {static_cast<int>(y), m, d};
}

constexpr std::int64_t kEpochDays = DaysFromCivil(1899, 12, 30);

// A whole day number and a millisecond of that day as a TDateTime.
TDateTime Join(std::int64_t day, std::int64_t msOfDay) {
    const double fraction = static_cast<double>(msOfDay) / kMsPerDay;
    return day >= 0 ? static_cast<double>(day) + fraction : static_cast<double>(day) - fraction;
}

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

bool IsValidTime(int hour, int minute, int second, int millisecond) {
    return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60 &&
           millisecond >= 0 && millisecond < 1000;
}

std::int64_t DayNumber(int year, int month, int day) {
    return DaysFromCivil(year, month, day) - kEpochDays;
}

TDateTime EncodeDate(int year, int month, int day) {
    return static_cast<double>(DayNumber(year, month, day));
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
    return static_cast<double>(((hour * 60 + minute) * 60 + second) * 1000 + millisecond) /
           kMsPerDay;
}

TDateTime EncodeDateTime(const DateParts& d, const TimeParts& t) {
    return Join(DayNumber(d.year, d.month, d.day),
                ((t.hour * 60 + t.minute) * 60 + t.second) * 1000 + t.millisecond);
}

TDateTime FromLocalTime(const LocalTime& t) {
    return EncodeDateTime({t.year, t.month, t.day}, {t.hour, t.minute, t.second, t.millisecond});
}

std::int64_t ToMilliseconds(TDateTime value) {
    // The whole part is the day; the fraction counts forward within it, also before 1899-12-30.
    const double day = std::trunc(value);
    const double fraction = std::fabs(value - day);
    return static_cast<std::int64_t>(day) * kMsPerDay + std::llround(fraction * kMsPerDay);
}

std::int64_t ToWholeSeconds(TDateTime value) { return FloorDiv(ToMilliseconds(value), 1000); }

TDateTime FromWholeSeconds(std::int64_t seconds) {
    const std::int64_t day = FloorDiv(seconds, 86400);
    return Join(day, (seconds - day * 86400) * 1000);
}

Decoded Decode(TDateTime value) {
    const std::int64_t ms = ToMilliseconds(value);
    const std::int64_t day = FloorDiv(ms, kMsPerDay);
    const std::int64_t msOfDay = ms - day * kMsPerDay;
    Decoded d;
    d.date = CivilFromDays(day + kEpochDays);
    d.time.hour = static_cast<int>(msOfDay / 3600000);
    d.time.minute = static_cast<int>(msOfDay / 60000 % 60);
    d.time.second = static_cast<int>(msOfDay / 1000 % 60);
    d.time.millisecond = static_cast<int>(msOfDay % 1000);
    d.dayOfWeek = static_cast<int>(((day % 7) + 7 + 6) % 7);  // 1899-12-30 was a Saturday
    return d;
}

TDateTime DateOf(TDateTime value) {
    return static_cast<double>(FloorDiv(ToMilliseconds(value), kMsPerDay));
}

TDateTime TimeOf(TDateTime value) {
    const std::int64_t ms = ToMilliseconds(value);
    return static_cast<double>(ms - FloorDiv(ms, kMsPerDay) * kMsPerDay) / kMsPerDay;
}

}  // namespace tc
