#pragma once
// The encodings config.ini may come in, as Windows' profile functions read them: the system code
// page, or UTF-8 or UTF-16 (either byte order) announced by a byte-order mark at the start. The
// program keeps UTF-8 text inside; these functions turn one line of the file into that text and
// back, and split a file into its lines without decoding it.
#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"

namespace tc {

enum class IniEncoding {
    Ansi,     // the system code page, no mark (what the program writes a new file in)
    Utf8,     // EF BB BF first
    Utf16Le,  // FF FE first
    Utf16Be,  // FE FF first
};

// The encoding that the file's first bytes announce; Ansi when there is no mark.
IniEncoding DetectEncoding(std::string_view bytes);
// The mark that starts a file of that encoding ("" for Ansi).
std::string_view ByteOrderMark(IniEncoding encoding);
// The line end the program writes: CR LF in the file's encoding.
std::string_view LineEnd(IniEncoding encoding);

// One line of a file as it lies on disk: its bytes, and the bytes of the line end after them.
struct RawLine {
    std::string_view bytes;
    std::string_view end;  // CR LF, LF or CR; empty for a last line without one
};

// The lines of a file's bytes after its mark. A last line without a line end counts; an odd last
// byte of UTF-16 is no part of any line.
std::vector<RawLine> SplitLines(std::string_view body, IniEncoding encoding);

// One line's bytes as UTF-8 text. Bytes that are not valid in the encoding become U+FFFD (in the
// system code page, whatever the code page makes of them).
std::string DecodeLine(std::string_view bytes, IniEncoding encoding, CodePage& codePage);
// UTF-8 text as bytes of the encoding.
std::string EncodeLine(std::string_view text, IniEncoding encoding, CodePage& codePage);
// Whether the encoding holds the text exactly: the Unicode encodings hold every text, the system
// code page only the characters it has.
bool CanHold(std::string_view text, IniEncoding encoding, CodePage& codePage);

}  // namespace tc
