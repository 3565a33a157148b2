#pragma once
// What must hold for every text given to a parser of outside text (user fields, config.ini):
// - it converts, or it fails with a ConvertError whose message is exactly the program's message
//   for that text; no other exception leaves the parser;
// - what converts renders as text that converts back to the same value (for moments the same
//   whole second), and that text renders the same again;
// - integers and floating point numbers are accepted exactly when a reference reading of their
//   grammar accepts them, with the same value.
// Each check returns what broke, or "" when everything held. The fuzz targets give their inputs
// to the Check...Input functions at the end and abort on a broken check; the unit tests replay
// saved inputs through the same functions.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "core/convert.h"
#include "core/errors.h"
#include "core/moments.h"
#include "support/fakes/fake_locale.h"

namespace tc::parse_checks {

// The regional settings the moment checks run under, chosen by one byte of the input:
// numeric year-first, US 12-hour with the marker after, day-first with dots, 12-hour with the
// marker in front, month and day names with literal text.
inline LocaleInfo LocaleOfByte(unsigned char selector) {
    switch (selector % 5) {
    case 0:
        return ChineseLocale();
    case 1:
        return UsEnglishLocale();
    case 2:
        return GermanLocale();
    case 3:
        return KoreanStyleLocale();
    default:
        return NamedMonthLocale();
    }
}

// The decimal separator the floating point check runs with, chosen by one byte of the input.
inline std::string SeparatorOfByte(unsigned char selector) { return selector % 2 == 0 ? "." : ","; }

// One parse: its value, or the message of the ConvertError it threw. Other exceptions pass.
template <typename T>
struct Outcome {
    bool ok = false;
    T value{};
    std::string message;
};

template <typename T, typename Parse>
Outcome<T> Attempt(Parse parse) {
    Outcome<T> outcome;
    try {
        outcome.value = parse();
        outcome.ok = true;
    } catch (const ConvertError& e) {
        outcome.message = e.what();
    }
    return outcome;
}

// Runs a check; an exception other than ConvertError escaping a parser is a broken check too.
template <typename Check>
std::string Guarded(Check check) {
    try {
        return check();
    } catch (const std::exception& e) {
        return std::string("an exception other than ConvertError: ") + e.what();
    } catch (...) {
        return "an exception that is not a std::exception";
    }
}

// The text as a message quotes it: at most 100 characters (UTF-8 sequences), then "…".
inline std::string Quoted(const std::string& text) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
        if (++characters > 100) return "'" + text.substr(0, i) + "\u2026'";
    }
    return "'" + text + "'";
}

inline std::string RefusalProblem(const std::string& text, const std::string& message,
                                  const char* what) {
    // The message is read through what(), up to the first NUL of the text, as the box shows it.
    const std::string expected = (Quoted(text) + " is not a valid " + what).c_str();
    return message == expected ? "" : "refused with \"" + message + "\", not \"" + expected + "\"";
}

// ---- Integers ---------------------------------------------------------------------------------

// The integer grammar read another way: blanks (spaces), a sign, a hexadecimal prefix, digits
// all the way to the end, the value within the signed 32-bit range.
inline std::optional<std::int64_t> ReferenceInteger(std::string_view text) {
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    for (std::string_view prefix : {"0x", "0X", "$", "x", "X"}) {
        if (text.substr(0, prefix.size()) == prefix) {
            base = 16;
            text.remove_prefix(prefix.size());
            break;
        }
    }
    if (text.empty() || text[0] == '+' || text[0] == '-') return std::nullopt;
    std::uint64_t magnitude = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, magnitude, base);
    if (result.ec != std::errc() || result.ptr != end) return std::nullopt;
    if (magnitude > (negative ? 2147483648u : 2147483647u)) return std::nullopt;
    const auto value = static_cast<std::int64_t>(magnitude);
    return negative ? -value : value;
}

inline std::string CheckInteger(const std::string& text) {
    return Guarded([&]() -> std::string {
        const auto parsed = Attempt<std::int32_t>([&] { return TextToInt(text); });
        const std::optional<std::int64_t> expected = ReferenceInteger(text);
        if (!parsed.ok) {
            if (expected) return "refused an integer the grammar allows";
            return RefusalProblem(text, parsed.message, "integer value");
        }
        if (!expected) return "accepted a text the grammar refuses";
        if (*expected != parsed.value)
            return "read " + IntToText(parsed.value) + ", not " + IntToText(*expected);
        const std::string rendered = IntToText(parsed.value);
        const auto back = Attempt<std::int32_t>([&] { return TextToInt(rendered); });
        if (!back.ok || back.value != parsed.value) {
            return "its rendered text " + Quoted(rendered) + " does not read back";
        }
        return "";
    });
}

// ---- Floating point ---------------------------------------------------------------------------

// The floating point grammar read another way: blanks, a sign, digits with the separator
// somewhere among them (at least one digit), an exponent, blanks. Returns the text with "." for
// the separator, as strtod reads it, or nothing when the grammar refuses the text.
inline std::optional<std::string> ReferenceFloatText(std::string_view text,
                                                     std::string_view separator) {
    auto digits = [&](std::string& out) {
        std::size_t n = 0;
        while (!text.empty() && text[0] >= '0' && text[0] <= '9') {
            out += text[0];
            text.remove_prefix(1);
            ++n;
        }
        return n;
    };
    std::string plain;
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        plain += text[0];
        text.remove_prefix(1);
    }
    std::size_t mantissaDigits = digits(plain);
    if (text.substr(0, separator.size()) == separator) {
        plain += '.';
        text.remove_prefix(separator.size());
        mantissaDigits += digits(plain);
    }
    if (mantissaDigits == 0) return std::nullopt;
    if (!text.empty() && (text[0] == 'e' || text[0] == 'E')) {
        plain += 'e';
        text.remove_prefix(1);
        if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
            plain += text[0];
            text.remove_prefix(1);
        }
        if (digits(plain) == 0) return std::nullopt;
    }
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    if (!text.empty()) return std::nullopt;
    return plain;
}

inline std::string CheckFloat(const std::string& text, const std::string& separator) {
    return Guarded([&]() -> std::string {
        const auto parsed = Attempt<double>([&] { return TextToFloat(text, separator); });
        const std::optional<std::string> plain = ReferenceFloatText(text, separator);
        // strtod in the "C" locale, correctly rounded: overflow gives HUGE_VAL.
        const double reference = plain ? std::strtod(plain->c_str(), nullptr) : 0.0;
        const bool inRange = plain && std::isfinite(reference);
        if (!parsed.ok) {
            if (inRange) return "refused a number the grammar allows";
            return RefusalProblem(text, parsed.message, "floating point value");
        }
        const double v = parsed.value;
        if (!inRange) return "accepted a text the grammar refuses or a value out of range";
        // Below the normal range a number may read as zero.
        const bool tiny = std::fabs(reference) < std::numeric_limits<double>::min();
        if (v != reference && !(tiny && v == 0)) {
            return "read " + FloatToText(v, ".") + ", not " + FloatToText(reference, ".");
        }
        const std::string rendered = FloatToText(v, separator);
        const auto back = Attempt<double>([&] { return TextToFloat(rendered, separator); });
        if (!back.ok) return "its rendered text " + Quoted(rendered) + " does not read back";
        // Fifteen significant digits: within half a unit of the fifteenth.
        const double tolerance =
            std::max(std::fabs(v) * 6e-15, std::numeric_limits<double>::denorm_min());
        if (std::fabs(back.value - v) > tolerance) {
            return "its rendered text " + Quoted(rendered) + " reads back as another value";
        }
        if (FloatToText(back.value, separator) != rendered) {
            return "its rendered text " + Quoted(rendered) + " renders differently once read";
        }
        return "";
    });
}

// ---- Moments ----------------------------------------------------------------------------------

inline std::string CheckTime(const LocaleForms& forms, const std::string& text) {
    return Guarded([&]() -> std::string {
        const auto parsed = Attempt<TDateTime>([&] { return forms.ParseTime(text); });
        if (!parsed.ok) return RefusalProblem(text, parsed.message, "time");
        const TDateTime v = parsed.value;
        if (!(v >= 0 && v < 1)) return "a time of day outside the first day";
        const std::string rendered = forms.LongTime(v);
        const auto back = Attempt<TDateTime>([&] { return forms.ParseTime(rendered); });
        if (!back.ok) return "its rendered text " + Quoted(rendered) + " does not parse";
        if (ToWholeSeconds(back.value) != ToWholeSeconds(v)) {
            return "its rendered text " + Quoted(rendered) + " parses to another second";
        }
        if (forms.LongTime(back.value) != rendered) {
            return "its rendered text " + Quoted(rendered) + " renders differently once parsed";
        }
        return "";
    });
}

// The date-time parse, and the date parse of the same text: a date alone is that day at
// midnight under both.
inline std::string CheckDateTime(const LocaleForms& forms, const std::string& text) {
    return Guarded([&]() -> std::string {
        const auto parsed = Attempt<TDateTime>([&] { return forms.ParseDateTime(text); });
        const auto date = Attempt<TDateTime>([&] { return forms.ParseDate(text); });
        if (date.ok) {
            if (DateOf(date.value) != date.value) return "a date with a time of day";
            if (!parsed.ok || parsed.value != date.value) {
                return "a date that the date-time parse does not read as that midnight";
            }
            const std::string rendered = forms.ShortDate(date.value);
            const auto back = Attempt<TDateTime>([&] { return forms.ParseDate(rendered); });
            if (!back.ok || back.value != date.value) {
                return "its rendered date " + Quoted(rendered) + " does not parse to that day";
            }
        } else if (std::string problem = RefusalProblem(text, date.message, "date");
                   !problem.empty()) {
            return "date: " + problem;
        }

        if (!parsed.ok) return RefusalProblem(text, parsed.message, "date and time");
        const TDateTime v = parsed.value;
        if (!std::isfinite(v)) return "a moment that is not a number";
        const std::string rendered = forms.DateTimeText(v);
        const auto back = Attempt<TDateTime>([&] { return forms.ParseDateTime(rendered); });
        if (!back.ok) return "its rendered text " + Quoted(rendered) + " does not parse";
        if (ToWholeSeconds(back.value) != ToWholeSeconds(v)) {
            return "its rendered text " + Quoted(rendered) + " parses to another second";
        }
        if (forms.DateTimeText(back.value) != rendered) {
            return "its rendered text " + Quoted(rendered) + " renders differently once parsed";
        }
        return "";
    });
}

// ---- The fuzz targets' inputs ------------------------------------------------------------------
// The integer input is the text; in the others the first byte picks the decimal separator or the
// regional settings, and the rest is the text. An empty input checks nothing.

inline std::string CheckIntegerInput(std::string_view input) {
    return CheckInteger(std::string(input));
}

inline std::string CheckFloatInput(std::string_view input) {
    if (input.empty()) return "";
    const auto selector = static_cast<unsigned char>(input[0]);
    return CheckFloat(std::string(input.substr(1)), SeparatorOfByte(selector));
}

inline std::string CheckTimeInput(std::string_view input) {
    if (input.empty()) return "";
    const LocaleForms forms(LocaleOfByte(static_cast<unsigned char>(input[0])));
    return CheckTime(forms, std::string(input.substr(1)));
}

inline std::string CheckDateTimeInput(std::string_view input) {
    if (input.empty()) return "";
    const LocaleForms forms(LocaleOfByte(static_cast<unsigned char>(input[0])));
    return CheckDateTime(forms, std::string(input.substr(1)));
}

}  // namespace tc::parse_checks
