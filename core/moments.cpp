#include "core/moments.h"

#include "core/convert.h"
#include "core/date_pattern.h"
#include "core/errors.h"
#include "core/text_scanner.h"
#include "core/time_form.h"

namespace tc {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kMsPerDay = kSecondsPerDay * 1000;

std::int64_t SecondOfDay(TDateTime value) {
    const std::int64_t seconds = ToWholeSeconds(value);
    return seconds - FloorDiv(seconds, kSecondsPerDay) * kSecondsPerDay;
}

[[noreturn]] void Fail(const std::string& text, const char* what) {
    throw ConvertError("'" + ShortenedForMessage(text) + "' is not a valid " + what);
}

}  // namespace

LocaleForms::LocaleForms(LocaleInfo info) : info_(std::move(info)) {}

std::string LocaleForms::ShortDate(TDateTime value) const {
    return RenderDate(info_.shortDate, info_, Decode(value));
}

std::string LocaleForms::LongTime(TDateTime value) const {
    return RenderTime(info_, Decode(value).time);
}

std::string LocaleForms::DateTimeText(TDateTime value) const {
    const Decoded d = Decode(value);
    std::string text = RenderDate(info_.shortDate, info_, d);
    if (d.time.hour != 0 || d.time.minute != 0 || d.time.second != 0) {
        text += ' ';
        text += RenderTime(info_, d.time);
    }
    return text;
}

TDateTime LocaleForms::ParseDate(const std::string& text) const {
    TextScanner scanner(text);
    DateParts date;
    scanner.SkipBlanks();
    if (!ScanDate(info_.shortDate, info_, referenceYear_, scanner, date)) Fail(text, "date");
    scanner.SkipBlanks();
    if (!scanner.AtEnd()) Fail(text, "date");
    return EncodeDate(date.year, date.month, date.day);
}

TDateTime LocaleForms::ParseTime(const std::string& text) const {
    TextScanner scanner(text);
    TimeParts time;
    if (!ScanTime(info_, scanner, time)) Fail(text, "time");
    scanner.SkipBlanks();
    if (!scanner.AtEnd()) Fail(text, "time");
    return EncodeTime(time.hour, time.minute, time.second, time.millisecond);
}

TDateTime LocaleForms::ParseDateTime(const std::string& text) const {
    // A date, then a time of day or nothing (midnight).
    TextScanner scanner(text);
    DateParts date;
    TimeParts time;
    scanner.SkipBlanks();
    if (ScanDate(info_.shortDate, info_, referenceYear_, scanner, date)) {
        scanner.SkipBlanks();
        if (scanner.AtEnd()) return EncodeDateTime(date, time);
        if (ScanTime(info_, scanner, time)) {
            scanner.SkipBlanks();
            if (scanner.AtEnd()) return EncodeDateTime(date, time);
        }
    }
    // A time of day alone stands for that time on day 0.
    TextScanner timeOnly(text);
    if (ScanTime(info_, timeOnly, time)) {
        timeOnly.SkipBlanks();
        if (timeOnly.AtEnd()) {
            return EncodeTime(time.hour, time.minute, time.second, time.millisecond);
        }
    }
    Fail(text, "date and time");
}

Moments::Moments(Clock& clock, Locale& locale)
    : clock_(clock), locale_(locale), forms_(locale.Read()) {}

void Moments::ReloadLocale() {
    LocaleForms reread(locale_.Read());
    reread.SetReferenceYear(forms_.ReferenceYear());
    forms_ = std::move(reread);
    ++formsVersion_;
}

TDateTime Moments::Now() {
    const LocalTime now = clock_.Now();
    // Two-digit years are read in the century window around the current year.
    forms_.SetReferenceYear(now.year);
    return FromLocalTime(now);
}

TDateTime ComposeMoment(TDateTime date, TDateTime time) {
    const std::int64_t day = FloorDiv(ToMilliseconds(date), kMsPerDay);
    return FromWholeSeconds(day * kSecondsPerDay + SecondOfDay(time));
}

bool SameSecond(TDateTime a, TDateTime b) { return ToWholeSeconds(a) == ToWholeSeconds(b); }

bool SameClockSecond(TDateTime a, TDateTime b) { return SecondOfDay(a) == SecondOfDay(b); }

TDateTime AddMinutes(TDateTime moment, std::int32_t minutes) {
    // Extended precision where the platform has it (80-bit long double on x86 gcc), rounded once.
    const long double sum = static_cast<long double>(moment) * 1440 + minutes;
    return static_cast<double>(sum / 1440);
}

}  // namespace tc
