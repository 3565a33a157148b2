#pragma once
// Moments in the user's regional forms: render and parse, and the one-second matching rules.
#include <string>

#include "core/tdatetime.h"
#include "platform/clock.h"
#include "platform/locale.h"

namespace tc {

// The locale forms of one reading of the regional settings.
class LocaleForms {
public:
    LocaleForms() = default;
    explicit LocaleForms(LocaleInfo info);

    const LocaleInfo& Info() const { return info_; }

    // The short date form: the user's short date pattern with the locale's date separator.
    std::string ShortDate(TDateTime value) const;
    // The long time form built from the 12/24-hour, leading-zero and marker-position flags.
    std::string LongTime(TDateTime value) const;
    // Short date, a blank, long time; the date alone in the first second after midnight.
    std::string DateTimeText(TDateTime value) const;

    // Parse direction: accepts every text the render direction gives and returns the same date
    // and whole second. Failures throw ConvertError with the program's messages.
    TDateTime ParseDate(const std::string& text) const;      // "'%s' is not a valid date"
    TDateTime ParseTime(const std::string& text) const;      // "'%s' is not a valid time"
    TDateTime ParseDateTime(const std::string& text) const;  // "'%s' is not a valid date and time"

    // For two-digit years ("yy"): the year the century window is centred on. A year of one or
    // two digits is read as the year of [reference - 50, reference + 49] that ends in them.
    void SetReferenceYear(int year) { referenceYear_ = year; }
    int ReferenceYear() const { return referenceYear_; }

private:
    LocaleInfo info_;
    int referenceYear_ = 2026;
};

// Now and the locale forms, as the schedulers and the window read them.
class Moments {
public:
    Moments(Clock& clock, Locale& locale);
    // Reads the regional settings again (the system announced a change).
    void ReloadLocale();
    // Now, from the clock; the forms' century window follows the year it reads.
    TDateTime Now();
    const LocaleForms& Forms() const { return forms_; }
    // Goes up by one each time the regional settings are read again.
    unsigned FormsVersion() const { return formsVersion_; }

private:
    Clock& clock_;
    Locale& locale_;
    LocaleForms forms_;
    unsigned formsVersion_ = 0;
};

// The date of `date` with the time of day of `time` in whole seconds (milliseconds dropped).
TDateTime ComposeMoment(TDateTime date, TDateTime time);
// Same calendar date and same hour, minute and second.
bool SameSecond(TDateTime a, TDateTime b);
// Same hour, minute and second on any day.
bool SameClockSecond(TDateTime a, TDateTime b);
// moment + minutes, computed as (moment * 1440 + minutes) / 1440 in extended precision.
TDateTime AddMinutes(TDateTime moment, std::int32_t minutes);

}  // namespace tc
