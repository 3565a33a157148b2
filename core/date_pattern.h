#pragma once
// The short date pattern in Windows pattern letters: split into fields, rendered, read back.
//   d, dd        day of the month, without and with a leading zero
//   ddd, dddd    short and full day name (dddd and longer: full)
//   M, MM        month number, without and with a leading zero
//   MMM, MMMM    short and full month name (MMMM and longer: full)
//   y, yy        the last two digits of the year, without and with a leading zero
//   yyy and more the full year, four digits
//   g, gg        the era: rendered as nothing
//   'text'       literal text; '' is a single quote, inside quotes and outside
// Every other character is literal, "/" included: the pattern already holds the separators.
#include <string>
#include <string_view>
#include <vector>

#include "core/tdatetime.h"
#include "core/text_scanner.h"
#include "platform/locale.h"

namespace tc {

struct DateElement {
    enum class Kind { Literal, Day, DayName, Month, MonthName, Year, Era };
    Kind kind = Kind::Literal;
    int count = 0;     // how many pattern letters
    std::string text;  // the literal text
};

std::vector<DateElement> SplitDatePattern(std::string_view pattern);

std::string RenderDate(std::string_view pattern, const LocaleInfo& locale, const Decoded& value);

// Reads a date written in `pattern` from the scanner's position. Blanks around fields are
// allowed, names and letters compare without regard to ASCII case, a month name field also
// takes a month number, and a day name may be left out. Years of one or two digits are placed
// in the century window of `referenceYear` (WindowYear). Fields the pattern lacks take the
// reference year, January and the first. Returns false, the scanner anywhere, when the text does
// not match or names no valid date.
bool ScanDate(std::string_view pattern, const LocaleInfo& locale, int referenceYear,
              TextScanner& scanner, DateParts& date);

// The year of the window [referenceYear - 50, referenceYear + 49] that ends in `twoDigits`.
int WindowYear(int twoDigits, int referenceYear);

}  // namespace tc
