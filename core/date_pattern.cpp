#include "core/date_pattern.h"

#include <cstdio>

namespace tc {
namespace {

using Kind = DateElement::Kind;

Kind KindOfLetter(char letter, int count) {
    switch (letter) {
    case 'd':
        return count >= 3 ? Kind::DayName : Kind::Day;
    case 'M':
        return count >= 3 ? Kind::MonthName : Kind::Month;
    case 'y':
        return Kind::Year;
    default:
        return Kind::Era;
    }
}

bool IsPatternLetter(char c) { return c == 'd' || c == 'M' || c == 'y' || c == 'g'; }

bool IsNumeric(const DateElement& e) {
    return e.kind == Kind::Day || e.kind == Kind::Month || e.kind == Kind::Year;
}

void AppendLiteral(std::vector<DateElement>& elements, std::string_view text) {
    if (elements.empty() || elements.back().kind != Kind::Literal) {
        elements.push_back({Kind::Literal, 0, {}});
    }
    elements.back().text += text;
}

std::string Number(int value, int minDigits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", minDigits, value);
    return buffer;
}

// The month name, or the other length of name when the locale has none, or else the number.
std::string MonthText(const std::string& name, const std::string& otherName, int month) {
    if (!name.empty()) return name;
    if (!otherName.empty()) return otherName;
    return std::to_string(month);
}

// Full names first, then the short ones: index % count is the month or day.
template <std::size_t N>
std::vector<std::string_view> Names(const std::array<std::string, N>& full,
                                    const std::array<std::string, N>& shortNames) {
    std::vector<std::string_view> names(full.begin(), full.end());
    names.insert(names.end(), shortNames.begin(), shortNames.end());
    return names;
}

// A blank in the literal stands for any run of blanks in the text, none included; before every
// other character the text may hold blanks of its own.
bool ScanLiteral(std::string_view literal, TextScanner& scanner) {
    std::size_t pos = 0;
    while (pos < literal.size()) {
        scanner.SkipBlanks();
        if (std::size_t blank = BlankLength(literal, pos)) {
            pos += blank;
            continue;
        }
        const std::size_t length = CharLength(literal, pos);
        if (!scanner.TakeWord(literal.substr(pos, length))) return false;
        pos += length;
    }
    return true;
}

}  // namespace

int WindowYear(int twoDigits, int referenceYear) {
    const int first = referenceYear - 50;
    int year = first - (first % 100 + 100) % 100 + twoDigits;
    if (year < first) year += 100;
    return year;
}

std::vector<DateElement> SplitDatePattern(std::string_view pattern) {
    std::vector<DateElement> elements;
    std::size_t pos = 0;
    while (pos < pattern.size()) {
        const char c = pattern[pos];
        if (IsPatternLetter(c)) {
            std::size_t end = pos;
            while (end < pattern.size() && pattern[end] == c) ++end;
            const int count = static_cast<int>(end - pos);
            elements.push_back({KindOfLetter(c, count), count, {}});
            pos = end;
        } else if (c == '\'') {
            if (pos + 1 < pattern.size() && pattern[pos + 1] == '\'') {
                AppendLiteral(elements, "'");
                pos += 2;
                continue;
            }
            // Quoted text up to the closing quote (or the end); '' inside is one quote.
            std::string text;
            ++pos;
            while (pos < pattern.size()) {
                if (pattern[pos] == '\'') {
                    if (pos + 1 < pattern.size() && pattern[pos + 1] == '\'') {
                        text += '\'';
                        pos += 2;
                        continue;
                    }
                    ++pos;
                    break;
                }
                text += pattern[pos++];
            }
            AppendLiteral(elements, text);
        } else {
            AppendLiteral(elements, pattern.substr(pos, 1));
            ++pos;
        }
    }
    return elements;
}

std::string RenderDate(std::string_view pattern, const LocaleInfo& locale, const Decoded& value) {
    const DateParts& d = value.date;
    std::string text;
    for (const DateElement& e : SplitDatePattern(pattern)) {
        switch (e.kind) {
        case Kind::Literal:
            text += e.text;
            break;
        case Kind::Day:
            text += Number(d.day, e.count);
            break;
        case Kind::DayName: {
            // A day without a name in the locale is left out; the reader lets that pass.
            const std::string& full = locale.dayNames[value.dayOfWeek];
            const std::string& brief = locale.shortDayNames[value.dayOfWeek];
            const std::string& first = e.count == 3 ? brief : full;
            text += first.empty() ? (e.count == 3 ? full : brief) : first;
            break;
        }
        case Kind::Month:
            text += Number(d.month, e.count);
            break;
        case Kind::MonthName:
            text += e.count == 3 ? MonthText(locale.shortMonthNames[d.month - 1],
                                             locale.monthNames[d.month - 1], d.month)
                                 : MonthText(locale.monthNames[d.month - 1],
                                             locale.shortMonthNames[d.month - 1], d.month);
            break;
        case Kind::Year:
            text += e.count <= 2 ? Number(d.year % 100, e.count) : Number(d.year, 4);
            break;
        case Kind::Era:
            break;
        }
    }
    return text;
}

bool ScanDate(std::string_view pattern, const LocaleInfo& locale, int referenceYear,
              TextScanner& scanner, DateParts& date) {
    date = {referenceYear, 1, 1};
    const std::vector<DateElement> elements = SplitDatePattern(pattern);
    const auto monthNames = Names(locale.monthNames, locale.shortMonthNames);
    const auto dayNames = Names(locale.dayNames, locale.shortDayNames);
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const DateElement& e = elements[i];
        const bool numberFollows = i + 1 < elements.size() && IsNumeric(elements[i + 1]);
        if (e.kind == Kind::Literal) {
            if (!ScanLiteral(e.text, scanner)) return false;
            continue;
        }
        scanner.SkipBlanks();
        switch (e.kind) {
        case Kind::Day:
            if (!scanner.TakeNumber(2, date.day)) return false;
            break;
        case Kind::Month:
            if (!scanner.TakeNumber(2, date.month)) return false;
            break;
        case Kind::MonthName: {
            const int index = scanner.TakeLongestWord(monthNames);
            if (index >= 0)
                date.month = index % 12 + 1;
            else if (!scanner.TakeNumber(2, date.month))
                return false;
            break;
        }
        case Kind::DayName:
            // The day name is taken when present and not checked against the date.
            scanner.TakeLongestWord(dayNames);
            break;
        case Kind::Year: {
            // Two digits at most where a number follows directly ("yyMMdd"), else up to four.
            const int maxDigits = e.count <= 2 && numberFollows ? 2 : 4;
            int digits = 0;
            if (!scanner.TakeNumber(maxDigits, date.year, digits)) return false;
            if (digits <= 2) date.year = WindowYear(date.year, referenceYear);
            break;
        }
        case Kind::Literal:
        case Kind::Era:
            break;
        }
    }
    return IsValidDate(date.year, date.month, date.day);
}

}  // namespace tc
