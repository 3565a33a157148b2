#pragma once
// Our own INI store, in the form Windows' profile functions read and write: "[Section]" lines,
// "key=value" lines, CR LF, the system code page on disk. A file is read whole into lines, edited
// in memory and written back whole, so lines the program does not know (comments, blank lines,
// other sections and keys) stay as they were.
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"
#include "platform/files.h"

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
    // Any text: lines end with CR LF, LF or CR. Never fails.
    static IniFile Parse(std::string_view text);
    // Every line followed by CR LF.
    std::string Text() const;

    friend std::optional<std::string> ReadIniSValue(const IniFile& file, std::string_view section,
                                                    std::string_view key);
    friend void WriteIniValue(IniFile& file, std::string_view section, std::string_view key,
                              std::string_view value);

private:
    enum class LineKind { Other, Section, Key };
    struct Line {
        std::string text;  // as in the file
        LineKind kind = LineKind::Other;
        std::string name;            // section or key name, blanks trimmed
        std::size_t valueStart = 0;  // key lines: where the value begins in `text`
    };
    static Line ParseLine(std::string text);
    // Index of the first section header with that name, or npos.
    std::size_t FindSection(std::string_view section) const;
    // Index of the first key line with that name in the section starting at `header`, or npos.
    std::size_t FindKey(std::size_t header, std::string_view key) const;

    std::vector<Line> lines_;
};

// The value of a key, as GetPrivateProfileString gives it: outer blanks trimmed and one pair of
// surrounding quotes removed. Sections and keys match without regard to ASCII case; the first
// section and the first key of a name count. nullopt when the section or key is not there
// (an empty value is "").
std::optional<std::string> ReadIniSValue(const IniFile& file, std::string_view section,
                                         std::string_view key);

// Sets a key's value in memory: the existing line is rewritten in place, a new key goes after the
// last key of its section, a new section at the end. Values that Windows would alter on reading
// (outer blanks, surrounding quotes) are stored in double quotes so they read back as given.
// Throws IniValueError for a line break or NUL in the value, or a name the file cannot hold.
void WriteIniValue(IniFile& file, std::string_view section, std::string_view key,
                   std::string_view value);

// The file at `path` converted from the system code page; a missing file reads as an empty one.
// Other failures throw SystemError.
IniFile ReadIniFile(Files& files, CodePage& codePage, const std::string& path);
// Replaces the file at `path` whole, in the system code page. Throws SystemError; the previous
// file then stays as it was.
void WriteIniFile(Files& files, CodePage& codePage, const std::string& path, const IniFile& file);

}  // namespace tc
