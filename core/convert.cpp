#include "core/convert.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>
#include <system_error>

#include "core/errors.h"

namespace tc {
namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

[[noreturn]] void NotAnInteger(const std::string& text) {
    throw ConvertError("'" + ShortenedForMessage(text) + "' is not a valid integer value");
}

[[noreturn]] void NotAFloat(const std::string& text) {
    throw ConvertError("'" + ShortenedForMessage(text) + "' is not a valid floating point value");
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A floating point text taken apart: sign, digits on both sides of the separator, exponent.
struct FloatText {
    bool negative = false;
    std::string whole, fraction;
    bool negativeExponent = false;
    std::string exponent;
};

bool SplitFloatText(std::string_view text, std::string_view separator, FloatText& parts) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ') ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) parts.negative = text[i++] == '-';
    while (i < n && IsDigit(text[i])) parts.whole += text[i++];
    if (text.substr(i, separator.size()) == separator) {
        i += separator.size();
        while (i < n && IsDigit(text[i])) parts.fraction += text[i++];
    }
    if (parts.whole.empty() && parts.fraction.empty()) return false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) parts.negativeExponent = text[i++] == '-';
        while (i < n && IsDigit(text[i])) parts.exponent += text[i++];
        if (parts.exponent.empty()) return false;
    }
    while (i < n && text[i] == ' ') ++i;
    return i == n;
}

// The power of ten of the leading nonzero digit, for telling an underflow from an overflow.
long long LeadingPower(const FloatText& parts) {
    long long exponent = 0;
    for (char c : parts.exponent) {
        exponent = exponent * 10 + (c - '0');
        if (exponent > 1000000) break;  // far beyond any double either way
    }
    if (parts.negativeExponent) exponent = -exponent;
    const std::size_t firstWhole = parts.whole.find_first_not_of('0');
    if (firstWhole != std::string::npos) {
        return exponent + static_cast<long long>(parts.whole.size() - firstWhole) - 1;
    }
    const std::size_t firstFraction = parts.fraction.find_first_not_of('0');
    if (firstFraction == std::string::npos) return 0;  // zero: no power at all
    return exponent - static_cast<long long>(firstFraction) - 1;
}

// "1e+20" -> "1E20", "1.5e-07" -> "1.5E-7".
std::string DelphiExponent(std::string_view exponent) {
    std::string text = "E";
    std::size_t i = 0;
    if (i < exponent.size() && (exponent[i] == '+' || exponent[i] == '-')) {
        if (exponent[i] == '-') text += '-';
        ++i;
    }
    while (i + 1 < exponent.size() && exponent[i] == '0') ++i;
    text += exponent.substr(i);
    return text;
}

}  // namespace

std::string ShortenedForMessage(std::string_view text) {
    constexpr std::size_t kMostCharacters = 100;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // A character starts at every byte that is not a UTF-8 continuation byte.
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
        if (characters == kMostCharacters) return std::string(text.substr(0, i)) + "\u2026";
        ++characters;
    }
    return std::string(text);
}

std::int32_t TextToInt(const std::string& text) {
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n && text[i] == ' ') ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int base = 10;
    if (i < n && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == n) NotAnInteger(text);
    // The magnitude may reach 2^31 only for a negative value.
    const std::int64_t limit = negative ? std::int64_t{1} << 31 : (std::int64_t{1} << 31) - 1;
    std::int64_t value = 0;
    for (; i < n; ++i) {
        const int digit = HexDigit(text[i]);
        if (digit < 0 || digit >= base) NotAnInteger(text);
        value = value * base + digit;
        if (value > limit) NotAnInteger(text);
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

std::string IntToText(std::int64_t value) { return std::to_string(value); }

std::string FloatToText(double value, const std::string& decimalSeparator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";  // also for -0
    // The largest doubles round up past the double range at fifteen digits, to a text that no
    // longer reads back; they are shown as the largest fifteen-digit number that does.
    constexpr double kLargestShown = 1.79769313486231e308;
    if (std::fabs(value) > kLargestShown) value = std::copysign(kLargestShown, value);
    // Fifteen significant digits, trailing zeros dropped; the exponent form only below 1E-4 or
    // from 1E15 on, as %.15g does.
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    const std::string_view digits(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t e = digits.find('e');
    const std::string_view mantissa = digits.substr(0, e);

    std::string text;
    for (char c : mantissa) {
        if (c == '.')
            text += decimalSeparator;
        else
            text += c;
    }
    if (e != std::string_view::npos) text += DelphiExponent(digits.substr(e + 1));
    return text;
}

double TextToFloat(const std::string& text, const std::string& decimalSeparator) {
    const std::string_view separator =
        decimalSeparator.empty() ? std::string_view(".") : std::string_view(decimalSeparator);
    FloatText parts;
    if (!SplitFloatText(text, separator, parts)) {
        NotAFloat(text);
    }
    // A plain copy in the one form from_chars reads, whatever the locale.
    std::string plain = parts.negative ? "-" : "";
    plain += parts.whole.empty() ? "0" : parts.whole;
    if (!parts.fraction.empty()) plain += "." + parts.fraction;
    if (!parts.exponent.empty()) plain += (parts.negativeExponent ? "e-" : "e") + parts.exponent;

    double value = 0;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (result.ec == std::errc::result_out_of_range && LeadingPower(parts) < 0) {
        return parts.negative ? -0.0 : 0.0;  // too small for a double: zero
    }
    if (result.ec != std::errc() || result.ptr != plain.data() + plain.size()) {
        NotAFloat(text);
    }
    return value;
}

}  // namespace tc
