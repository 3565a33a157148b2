#pragma once
// The long time form: built from the locale's 12/24-hour, leading-zero and marker-position
// flags, never from its own time pattern. Seconds are always shown.
#include <string>

#include "core/tdatetime.h"
#include "core/text_scanner.h"
#include "platform/locale.h"

namespace tc {

// A 12-hour clock needs two different AM and PM markers to be read back: a locale that asks
// for a 12-hour clock but leaves a marker empty (or gives both the same) is shown on a 24-hour
// clock, so that "8:05:07" never stands for two different times.
bool UsesTwelveHourClock(const LocaleInfo& locale);

std::string RenderTime(const LocaleInfo& locale, const TimeParts& time);

// The long time form as a date and time picker's format string ("HH':'mm':'ss", "tt h'.'mm'.'ss"),
// so that a time picker shows what RenderTime gives, seconds included, whatever the locale's
// own time pattern leaves out. The separator is quoted as literal text.
std::string PickerTimeFormat(const LocaleInfo& locale);

// Reads a time of day from the scanner's position:
//   [marker] hour sep minute [sep second [fraction]] [marker]
// One marker at most, in front or behind, blanks allowed around it; the locale's AM and PM and
// the English "AM" and "PM", without regard to case. The separator is the locale's or ":".
// The hour has one or two digits: 0-23 without a marker, 0-12 with one (12 AM is midnight).
// The fraction is "." or the decimal separator and one to three digits of a second.
// Returns false, the scanner anywhere, when the text does not match or names no valid time.
bool ScanTime(const LocaleInfo& locale, TextScanner& scanner, TimeParts& time);

}  // namespace tc
