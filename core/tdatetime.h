#pragma once
// TDateTime: days since 1899-12-30 00:00 as a double; the fraction is the time of day.
// Before 1899-12-30 the whole part is negative and the fraction still counts forward
// within that day: -1.25 is 1899-12-29 06:00.
#include <cstdint>

#include "platform/clock.h"

namespace tc {

using TDateTime = double;

struct DateParts {
    int year = 1899, month = 12, day = 30;
};

struct TimeParts {
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
bool IsValidDate(int year, int month, int day);  // years 1 to 9999
bool IsValidTime(int hour, int minute, int second, int millisecond);

// Day number (days since 1899-12-30) of a valid date.
std::int64_t DayNumber(int year, int month, int day);

// Encoding fails with ConvertError only where noted by the caller; these assume valid parts.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
TDateTime EncodeDateTime(const DateParts& d, const TimeParts& t);
TDateTime FromLocalTime(const LocalTime& t);

// Decoding rounds to the nearest millisecond first, so 0.99999999999 is the next midnight.
struct Decoded {
    DateParts date;
    TimeParts time;
    int dayOfWeek = 0;  // 0 Sunday ... 6 Saturday
};
Decoded Decode(TDateTime value);

// a / b rounded towards minus infinity (b not 0): the day or second a moment before 1899-12-30
// or before midnight falls in.
constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Whole milliseconds since 1899-12-30 00:00 (the same rounding as Decode); whole seconds likewise
// (floored, so every moment of one second gives the same number).
std::int64_t ToMilliseconds(TDateTime value);
std::int64_t ToWholeSeconds(TDateTime value);
TDateTime FromWholeSeconds(std::int64_t seconds);

// Date part and time-of-day part of a moment as moments of their own.
TDateTime DateOf(TDateTime value);
TDateTime TimeOf(TDateTime value);

}  // namespace tc
