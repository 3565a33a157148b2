#include "core/time_form.h"

#include <vector>

#include "core/ascii_text.h"

namespace tc {
namespace {

enum class Marker { None, Am, Pm };

Marker TakeMarker(const LocaleInfo& locale, TextScanner& scanner) {
    const std::vector<std::string_view> words = {locale.am, locale.pm, "AM", "PM"};
    const int index = scanner.TakeLongestWord(words);
    if (index < 0) return Marker::None;
    return index % 2 == 0 ? Marker::Am : Marker::Pm;
}

std::string TwoDigits(int value) {
    return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

bool TakeSeparator(const LocaleInfo& locale, TextScanner& scanner) {
    return scanner.TakeWord(locale.timeSeparator) || scanner.TakeWord(":");
}

bool TakeFraction(const LocaleInfo& locale, TextScanner& scanner, int& millisecond) {
    const std::size_t start = scanner.Position();
    if (!scanner.TakeWord(".") && !scanner.TakeWord(locale.decimalSeparator)) return false;
    int digits = 0;
    if (!scanner.TakeNumber(3, millisecond, digits)) {
        scanner.MoveTo(start);
        return false;
    }
    for (; digits < 3; ++digits) millisecond *= 10;
    return true;
}

}  // namespace

bool UsesTwelveHourClock(const LocaleInfo& locale) {
    return locale.timeFormat == 0 && !locale.am.empty() && !locale.pm.empty() &&
           !SameIgnoringAsciiCase(locale.am, locale.pm);
}

std::string RenderTime(const LocaleInfo& locale, const TimeParts& time) {
    const bool twelve = UsesTwelveHourClock(locale);
    const std::string& marker = time.hour < 12 ? locale.am : locale.pm;
    int hour = time.hour;
    if (twelve) hour = hour % 12 == 0 ? 12 : hour % 12;

    std::string text;
    if (twelve && locale.markerPosition != 0) text += marker + " ";
    text += locale.hourLeadingZero != 0 || hour >= 10 ? TwoDigits(hour) : std::to_string(hour);
    text += locale.timeSeparator + TwoDigits(time.minute);
    text += locale.timeSeparator + TwoDigits(time.second);
    if (twelve && locale.markerPosition == 0) text += " " + marker;
    return text;
}

std::string PickerTimeFormat(const LocaleInfo& locale) {
    // Literal text stands in single quotes; a quote inside it is written twice.
    std::string separator = "'";
    for (const char c : locale.timeSeparator)
        separator += c == '\'' ? std::string("''") : std::string(1, c);
    separator += "'";
    const bool twelve = UsesTwelveHourClock(locale);
    std::string hour = twelve ? "h" : "H";
    if (locale.hourLeadingZero != 0) hour += hour;

    std::string format;
    if (twelve && locale.markerPosition != 0) format += "tt' '";
    format += hour + separator + "mm" + separator + "ss";
    if (twelve && locale.markerPosition == 0) format += "' 'tt";
    return format;
}

bool ScanTime(const LocaleInfo& locale, TextScanner& scanner, TimeParts& time) {
    time = {};
    scanner.SkipBlanks();
    Marker marker = TakeMarker(locale, scanner);
    scanner.SkipBlanks();
    if (!scanner.TakeNumber(2, time.hour)) return false;
    if (!TakeSeparator(locale, scanner) || !scanner.TakeNumber(2, time.minute)) return false;
    const std::size_t afterMinute = scanner.Position();
    if (TakeSeparator(locale, scanner)) {
        if (scanner.TakeNumber(2, time.second))
            TakeFraction(locale, scanner, time.millisecond);
        else
            scanner.MoveTo(afterMinute);
    }
    scanner.SkipBlanks();
    if (marker == Marker::None) marker = TakeMarker(locale, scanner);

    if (marker != Marker::None) {
        if (time.hour > 12) return false;
        if (time.hour == 12) time.hour = 0;
        if (marker == Marker::Pm) time.hour += 12;
    }
    return IsValidTime(time.hour, time.minute, time.second, time.millisecond);
}

}  // namespace tc
