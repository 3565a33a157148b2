#pragma once
// Our own INI store, in the form Windows' profile functions read and write: "[Section]" lines,
// "key=value" lines, CR LF, the system code page on disk (or UTF-8 or UTF-16 when the file starts
// with a byte-order mark). A file is read whole into lines, edited in memory and written back
// whole in the encoding it came in; lines the program does not write (comments, blank lines, other
// sections and keys) go back byte for byte as they were read, each with the line end it had (CR
// LF, LF, CR, or none at the end of the file). Lines the program writes end with CR LF.
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"
#include "platform/files.h"
#include "settings/ini_encoding.h"

namespace tc {

// A value (or a section or key name) that the file cannot hold as it is: it would add lines,
// sections or keys of its own. Raised before anything is changed.
class IniValueError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class IniFile {
public:
    // An empty file (what a missing file reads as).
    IniFile() = default;
    // Any text: lines end with CR LF, LF or CR. Never fails. The file is in the system code page.
    static IniFile Parse(std::string_view text);
    // A file's bytes as they lie on disk, in the encoding its byte-order mark announces (the
    // system code page without one). Never fails.
    static IniFile FromBytes(std::string_view bytes, CodePage& codePage);
    // Every line as text, followed by CR LF.
    std::string Text() const;
    // The file's bytes: its mark, then every line with its line end, in its encoding. Lines
    // that nothing was written to as they were read, line end included; a last line that had no
    // line end gains CR LF only when a line now follows it. Lines the program wrote end with
    // CR LF.
    std::string Bytes(CodePage& codePage) const;
    IniEncoding Encoding() const { return encoding_; }

    friend std::optional<std::string> ReadIniSValue(const IniFile& file, std::string_view section,
                                                    std::string_view key);
    friend void WriteIniValue(IniFile& file, std::string_view section, std::string_view key,
                              std::string_view value);
    friend bool IniValueCutAtNul(const IniFile& file, std::string_view section,
                                 std::string_view key);

private:
    enum class LineKind { Other, Section, Key };
    struct Line {
        std::string text;  // as in the file, converted to UTF-8
        // The line's bytes as read, in the file's encoding; none for a line the program wrote.
        std::optional<std::string> bytes;
        // With `bytes`: the line end that followed them, as read (empty for a last line without
        // one). A line the program wrote ends with CR LF.
        std::string end;
        LineKind kind = LineKind::Other;
        std::string name;            // section or key name, blanks trimmed
        std::size_t valueStart = 0;  // key lines: where the value begins in `text`
    };
    static Line ParseLine(std::string text);
    // Index of the key line, or npos when the section or key is not there.
    std::size_t FindValue(std::string_view section, std::string_view key) const;
    // Index of the first section header with that name, or npos.
    std::size_t FindSection(std::string_view section) const;
    // Index of the first key line with that name in the section starting at `header`, or npos.
    std::size_t FindKey(std::size_t header, std::string_view key) const;

    std::vector<Line> lines_;
    IniEncoding encoding_ = IniEncoding::Ansi;
};

// The value of a key, as GetPrivateProfileString gives it: outer blanks trimmed, the text up to a
// NUL character, and then one pair of surrounding quotes removed. Sections and keys match without
// regard to ASCII case; the first section and the first key of a name count. nullopt when the
// section or key is not there (an empty value is "").
std::optional<std::string> ReadIniSValue(const IniFile& file, std::string_view section,
                                         std::string_view key);

// Whether the value that ReadIniSValue gives was cut short at a NUL character in the file.
bool IniValueCutAtNul(const IniFile& file, std::string_view section, std::string_view key);

// Sets a key's value in memory: the existing line is rewritten in place, a new key goes after the
// last key of its section, a new section at the end. Values that Windows would alter on reading
// (outer blanks, surrounding quotes) are stored in double quotes so they read back as given.
// Throws IniValueError for a line break or NUL in the value, or a name the file cannot hold.
void WriteIniValue(IniFile& file, std::string_view section, std::string_view key,
                   std::string_view value);

// Whether the file can hold the text exactly, in the encoding it is written in.
bool CanHold(const IniFile& file, CodePage& codePage, std::string_view text);

// The file at `path` (IniFile::FromBytes); a missing file reads as an empty one. Other failures
// throw SystemError.
IniFile ReadIniFile(Files& files, CodePage& codePage, const std::string& path);
// Replaces the file at `path` whole, in its encoding. Throws SystemError; the previous file then
// stays as it was.
void WriteIniFile(Files& files, CodePage& codePage, const std::string& path, const IniFile& file);

}  // namespace tc
