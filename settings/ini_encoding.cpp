#include "settings/ini_encoding.h"

namespace tc {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr char32_t kReplacement = 0xFFFD;

bool IsUtf16(IniEncoding encoding) {
    return encoding == IniEncoding::Utf16Le || encoding == IniEncoding::Utf16Be;
}

unsigned char Byte(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

// The code point that starts at `i` of UTF-8 text, moving `i` past it. An invalid sequence
// (a stray or missing continuation byte, an overlong form, a surrogate, beyond U+10FFFF) gives
// U+FFFD and moves on by one byte.
char32_t NextCodePoint(std::string_view s, std::size_t& i) {
    const unsigned char lead = Byte(s, i);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    // The lead byte of a sequence of 2, 3 or 4 bytes, and the least code point each may carry.
    struct Lead {
        unsigned char mask, bits;
        std::size_t length;
        char32_t least;
    };
    constexpr Lead kLeads[] = {
        {0xE0, 0xC0, 2, 0x80}, {0xF0, 0xE0, 3, 0x800}, {0xF8, 0xF0, 4, 0x10000}};
    const Lead* found = nullptr;
    for (const Lead& l : kLeads)
        if ((lead & l.mask) == l.bits) found = &l;
    if (found == nullptr) {
        ++i;
        return kReplacement;
    }
    const std::size_t length = found->length;
    const char32_t least = found->least;
    char32_t cp = lead & static_cast<unsigned char>(~found->mask);
    if (i + length > s.size()) {
        ++i;
        return kReplacement;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned char next = Byte(s, i + k);
        if ((next & 0xC0) != 0x80) {
            ++i;
            return kReplacement;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return kReplacement;
    }
    i += length;
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The UTF-16 code unit at byte `i` (which has a byte after it).
char16_t UnitAt(std::string_view s, std::size_t i, IniEncoding encoding) {
    const unsigned first = Byte(s, i);
    const unsigned second = Byte(s, i + 1);
    return static_cast<char16_t>(encoding == IniEncoding::Utf16Le ? first | (second << 8)
                                                                  : (first << 8) | second);
}

void AppendUnit(std::string& out, char16_t unit, IniEncoding encoding) {
    const char low = static_cast<char>(unit & 0xFF);
    const char high = static_cast<char>(unit >> 8);
    if (encoding == IniEncoding::Utf16Le) {
        out += low;
        out += high;
    } else {
        out += high;
        out += low;
    }
}

std::string Utf16ToUtf8(std::string_view bytes, IniEncoding encoding) {
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i + 1 < bytes.size()) {
        const char16_t unit = UnitAt(bytes, i, encoding);
        i += 2;
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < bytes.size()) {
            const char16_t next = UnitAt(bytes, i, encoding);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                i += 2;
                AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
                continue;
            }
        }
        AppendUtf8(out, unit >= 0xD800 && unit <= 0xDFFF ? kReplacement : unit);
    }
    if (i < bytes.size()) AppendUtf8(out, kReplacement);  // an odd byte at the end
    return out;
}

std::string Utf8ToUtf16(std::string_view text, IniEncoding encoding) {
    std::string out;
    out.reserve(text.size() * 2);
    std::size_t i = 0;
    while (i < text.size()) {
        const char32_t cp = NextCodePoint(text, i);
        if (cp < 0x10000) {
            AppendUnit(out, static_cast<char16_t>(cp), encoding);
        } else {
            AppendUnit(out, static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)), encoding);
            AppendUnit(out, static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)), encoding);
        }
    }
    return out;
}

std::string ValidUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) AppendUtf8(out, NextCodePoint(text, i));
    return out;
}

}  // namespace

IniEncoding DetectEncoding(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark)) return IniEncoding::Utf8;
    if (bytes.starts_with(kUtf16LeMark)) return IniEncoding::Utf16Le;
    if (bytes.starts_with(kUtf16BeMark)) return IniEncoding::Utf16Be;
    return IniEncoding::Ansi;
}

std::string_view ByteOrderMark(IniEncoding encoding) {
    switch (encoding) {
    case IniEncoding::Utf8:
        return kUtf8Mark;
    case IniEncoding::Utf16Le:
        return kUtf16LeMark;
    case IniEncoding::Utf16Be:
        return kUtf16BeMark;
    case IniEncoding::Ansi:
        break;
    }
    return {};
}

std::string_view LineEnd(IniEncoding encoding) {
    using namespace std::string_view_literals;
    if (encoding == IniEncoding::Utf16Le) return "\r\0\n\0"sv;
    if (encoding == IniEncoding::Utf16Be) return "\0\r\0\n"sv;
    return "\r\n"sv;
}

std::vector<RawLine> SplitLines(std::string_view body, IniEncoding encoding) {
    // Each step is one code unit: a byte, or two bytes of UTF-16. CR and LF are never part of a
    // longer character in any of the encodings.
    const std::size_t unit = IsUtf16(encoding) ? 2 : 1;
    const auto isBreak = [&](std::size_t at, char c) {
        if (at + unit > body.size()) return false;
        return unit == 1 ? body[at] == c : UnitAt(body, at, encoding) == static_cast<char16_t>(c);
    };
    std::vector<RawLine> lines;
    std::size_t start = 0;
    std::size_t at = 0;
    while (at + unit <= body.size()) {
        if (!isBreak(at, '\r') && !isBreak(at, '\n')) {
            at += unit;
            continue;
        }
        const bool crlf = isBreak(at, '\r') && isBreak(at + unit, '\n');
        const std::size_t endLength = crlf ? 2 * unit : unit;
        lines.push_back({body.substr(start, at - start), body.substr(at, endLength)});
        at += endLength;
        start = at;
    }
    // An odd last byte of UTF-16 is half a character of no line: written back, it would shift
    // every line after it, so it is left out.
    if (at > start) lines.push_back({body.substr(start, at - start), {}});
    return lines;
}

std::string DecodeLine(std::string_view bytes, IniEncoding encoding, CodePage& codePage) {
    switch (encoding) {
    case IniEncoding::Ansi:
        return codePage.FromAnsi(bytes);
    case IniEncoding::Utf8:
        return ValidUtf8(bytes);
    case IniEncoding::Utf16Le:
    case IniEncoding::Utf16Be:
        return Utf16ToUtf8(bytes, encoding);
    }
    return {};
}

std::string EncodeLine(std::string_view text, IniEncoding encoding, CodePage& codePage) {
    switch (encoding) {
    case IniEncoding::Ansi:
        return codePage.ToAnsi(text);
    case IniEncoding::Utf8:
        return std::string(text);
    case IniEncoding::Utf16Le:
    case IniEncoding::Utf16Be:
        return Utf8ToUtf16(text, encoding);
    }
    return {};
}

bool CanHold(std::string_view text, IniEncoding encoding, CodePage& codePage) {
    if (encoding == IniEncoding::Ansi) return codePage.FromAnsi(codePage.ToAnsi(text)) == text;
    // Text that is not valid UTF-8 would not come back byte for byte.
    return ValidUtf8(text) == text;
}

}  // namespace tc
