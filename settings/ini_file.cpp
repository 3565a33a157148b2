#include "settings/ini_file.h"

#include <algorithm>
#include <array>

#include "core/ascii_text.h"

namespace tc {
namespace {

// The blanks Windows' profile functions trim around names and values (Ctrl-Z, an old end-of-file
// mark, counts as one).
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1a';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

// Unicode blanks (UTF-8) that some readers may trim as well: a value that begins or ends with
// one is quoted, to be safe.
constexpr std::array<std::string_view, 21> kWideBlanks = {
    "\u0085", "\u00A0", "\u1680", "\u2000", "\u2001", "\u2002", "\u2003",
    "\u2004", "\u2005", "\u2006", "\u2007", "\u2008", "\u2009", "\u200A",
    "\u200B", "\u2028", "\u2029", "\u202F", "\u205F", "\u3000", "\uFEFF",
};

// A control character, a blank or a quote.
bool AlteredAtEdge(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u <= 0x20 || u == 0x7F || IsQuote(c);
}

bool EdgeMayBeAltered(std::string_view value) {
    if (AlteredAtEdge(value.front()) || AlteredAtEdge(value.back())) return true;
    return std::ranges::any_of(kWideBlanks, [value](std::string_view blank) {
        return value.starts_with(blank) || value.ends_with(blank);
    });
}

// What a reader makes of the text after "=": Windows trims the blanks around it and then takes
// the text up to a NUL character as the value, quotes and all.
std::string DecodeValue(std::string_view raw) {
    std::string_view v = Trim(raw);
    v = v.substr(0, v.find('\0'));
    if (v.size() >= 2 && IsQuote(v.front()) && v.back() == v.front()) v = v.substr(1, v.size() - 2);
    return std::string(v);
}

// The text to put after "=" so that DecodeValue (and Windows) give `value` back.
std::string EncodeValue(std::string_view value) {
    if (value.empty() || !EdgeMayBeAltered(value)) return std::string(value);
    return "\"" + std::string(value) + "\"";
}

bool BreaksLine(std::string_view s) {
    return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

void CheckSection(std::string_view section) {
    if (section.empty() || Trim(section) != section || BreaksLine(section) ||
        section.find(']') != std::string_view::npos)
        throw IniValueError("'" + std::string(section) + "' cannot be used as a section name");
}

void CheckKey(std::string_view key) {
    if (key.empty() || Trim(key) != key || BreaksLine(key) ||
        key.find('=') != std::string_view::npos || key.front() == '[')
        throw IniValueError("'" + std::string(key) + "' cannot be used as a key name");
}

void CheckValue(std::string_view key, std::string_view value) {
    if (BreaksLine(value))
        throw IniValueError("The value of '" + std::string(key) +
                            "' holds a line break or a NUL character and cannot be saved");
}

}  // namespace

IniFile::Line IniFile::ParseLine(std::string text) {
    Line line;
    line.text = std::move(text);
    const std::string_view t = line.text;
    const std::size_t first = t.find_first_not_of(" \t\v\f\x1a");
    if (first != std::string_view::npos && t[first] == '[') {
        const std::size_t close = t.rfind(']');
        if (close != std::string_view::npos && close > first) {
            line.kind = LineKind::Section;
            line.name = std::string(Trim(t.substr(first + 1, close - first - 1)));
            return line;
        }
    }
    const std::size_t equals = t.find('=');
    if (equals != std::string_view::npos) {
        line.kind = LineKind::Key;
        line.name = std::string(Trim(t.substr(0, equals)));
        line.valueStart = equals + 1;
    }
    return line;
}

IniFile IniFile::Parse(std::string_view text) {
    IniFile file;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        file.lines_.push_back(ParseLine(std::string(text.substr(start, i - start))));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) file.lines_.push_back(ParseLine(std::string(text.substr(start))));
    return file;
}

IniFile IniFile::FromBytes(std::string_view bytes, CodePage& codePage) {
    IniFile file;
    file.encoding_ = DetectEncoding(bytes);
    const std::string_view body = bytes.substr(ByteOrderMark(file.encoding_).size());
    for (const RawLine& raw : SplitLines(body, file.encoding_)) {
        Line line = ParseLine(DecodeLine(raw.bytes, file.encoding_, codePage));
        line.bytes = std::string(raw.bytes);
        line.end = std::string(raw.end);
        file.lines_.push_back(std::move(line));
    }
    return file;
}

std::string IniFile::Bytes(CodePage& codePage) const {
    std::string out(ByteOrderMark(encoding_));
    const std::string_view lineEnd = LineEnd(encoding_);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        if (!line.bytes) {
            out += EncodeLine(line.text, encoding_, codePage);
            out += lineEnd;
            continue;
        }
        out += *line.bytes;
        // A last line without a line end that a line now follows needs one, or the two would
        // read as one line.
        const bool joins = line.end.empty() && i + 1 < lines_.size();
        out += joins ? lineEnd : std::string_view(line.end);
    }
    return out;
}

std::string IniFile::Text() const {
    std::string out;
    for (const Line& line : lines_) {
        out += line.text;
        out += "\r\n";
    }
    return out;
}

std::size_t IniFile::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == LineKind::Section && SameIgnoringAsciiCase(lines_[i].name, section))
            return i;
    return std::string::npos;
}

std::size_t IniFile::FindKey(std::size_t header, std::string_view key) const {
    for (std::size_t i = header + 1; i < lines_.size() && lines_[i].kind != LineKind::Section; ++i)
        if (lines_[i].kind == LineKind::Key && SameIgnoringAsciiCase(lines_[i].name, key)) return i;
    return std::string::npos;
}

std::size_t IniFile::FindValue(std::string_view section, std::string_view key) const {
    const std::size_t header = FindSection(Trim(section));
    if (header == std::string::npos) return std::string::npos;
    return FindKey(header, Trim(key));
}

std::optional<std::string> ReadIniSValue(const IniFile& file, std::string_view section,
                                         std::string_view key) {
    const std::size_t at = file.FindValue(section, key);
    if (at == std::string::npos) return std::nullopt;
    const IniFile::Line& line = file.lines_[at];
    return DecodeValue(std::string_view(line.text).substr(line.valueStart));
}

bool IniValueCutAtNul(const IniFile& file, std::string_view section, std::string_view key) {
    const std::size_t at = file.FindValue(section, key);
    if (at == std::string::npos) return false;
    const IniFile::Line& line = file.lines_[at];
    return Trim(std::string_view(line.text).substr(line.valueStart)).find('\0') !=
           std::string_view::npos;
}

void WriteIniValue(IniFile& file, std::string_view section, std::string_view key,
                   std::string_view value) {
    CheckSection(section);
    CheckKey(key);
    CheckValue(key, value);
    const std::string encoded = EncodeValue(value);

    std::size_t header = file.FindSection(section);
    if (header == std::string::npos) {
        file.lines_.push_back(IniFile::ParseLine("[" + std::string(section) + "]"));
        header = file.lines_.size() - 1;
    }
    const std::size_t at = file.FindKey(header, key);
    if (at != std::string::npos) {
        // The key keeps the spelling the file already has.
        file.lines_[at] = IniFile::ParseLine(file.lines_[at].name + "=" + encoded);
        return;
    }
    // After the section's last key, so comments and blank lines before the next section stay there.
    std::size_t insertAt = header + 1;
    for (std::size_t i = header + 1;
         i < file.lines_.size() && file.lines_[i].kind != IniFile::LineKind::Section; ++i)
        if (file.lines_[i].kind == IniFile::LineKind::Key) insertAt = i + 1;
    file.lines_.insert(file.lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                       IniFile::ParseLine(std::string(key) + "=" + encoded));
}

bool CanHold(const IniFile& file, CodePage& codePage, std::string_view text) {
    return CanHold(text, file.Encoding(), codePage);
}

IniFile ReadIniFile(Files& files, CodePage& codePage, const std::string& path) {
    const std::optional<std::string> bytes = files.ReadAll(path);
    if (!bytes) return {};
    return IniFile::FromBytes(*bytes, codePage);
}

void WriteIniFile(Files& files, CodePage& codePage, const std::string& path, const IniFile& file) {
    files.ReplaceWhole(path, file.Bytes(codePage));
}

}  // namespace tc
