#include "settings/ini_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/errors.h"
#include "support/fakes/fake_code_page.h"
#include "support/fakes/fake_files.h"

namespace tc {
namespace {

using namespace std::string_literals;

struct ReadCase {
    const char* what;
    std::string file;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
};

// Files as Windows' profile functions read them (each case was measured with
// GetPrivateProfileStringA): the same answers from our store.
TEST(ReadIniSValue, ReadsFilesAsWindowsDoes) {
    const std::vector<ReadCase> cases = {
        {"plain value", "[S]\r\na=x\r\n", "S", "a", "x"},
        {"outer blanks trimmed", "[S]\r\na=  x y \t\r\n", "S", "a", "x y"},
        {"blanks around the key", "[S]\r\n  a  =v\r\n", "S", "a", "v"},
        {"double quotes removed", "[S]\r\na=\"x\"\r\n", "S", "a", "x"},
        {"single quotes removed", "[S]\r\na='x'\r\n", "S", "a", "x"},
        {"blanks inside quotes kept", "[S]\r\na= \" x \" \r\n", "S", "a", " x "},
        {"one pair only", "[S]\r\na=\"\"x\"\"\r\n", "S", "a", "\"x\""},
        {"unmatched opening quote kept", "[S]\r\na=\"x\r\n", "S", "a", "\"x"},
        {"unmatched closing quote kept", "[S]\r\na=x\"\r\n", "S", "a", "x\""},
        {"different quotes kept", "[S]\r\na=\"x'\r\n", "S", "a", "\"x'"},
        {"a lone quote kept", "[S]\r\na=\"\r\n", "S", "a", "\""},
        {"empty quotes are empty", "[S]\r\na=\"\"\r\n", "S", "a", ""},
        {"empty value is present", "[S]\r\na=\r\n", "S", "a", ""},
        {"Ctrl-Z counts as a blank", "[S]\r\na=\x1ax\x1a\r\n", "S", "a", "x"},
        {"ideographic space kept", "[S]\r\na=\u3000x\r\n", "S", "a", "\u3000x"},
        {"second = belongs to the value", "[S]\r\na=b=c\r\n", "S", "a", "b=c"},
        {"semicolon is not special", "[S]\r\na=x;y\r\n", "S", "a", "x;y"},
        {"section case", "[SoftWare]\r\na=x\r\n", "software", "a", "x"},
        {"key case", "[S]\r\ncounT=x\r\n", "S", "COUNT", "x"},
        {"blanks around the section", "  [ S ]  tail\r\na=x\r\n", "S", "a", "x"},
        {"last bracket closes", "[a]b]\r\nk=x\r\n", "a]b", "k", "x"},
        {"first key of a name counts", "[S]\r\na=1\r\na=2\r\n", "S", "a", "1"},
        {"first section of a name counts", "[S]\r\na=1\r\n[s]\r\na=2\r\nb=3\r\n", "S", "b",
         std::nullopt},
        {"LF line ends", "[S]\na=x\nb=y", "S", "b", "y"},
        {"CR line ends", "[S]\ra=x\rb=y\r", "S", "b", "y"},
        {"unclosed bracket is no section", "[S]\r\n[T\r\nu=1\r\n", "S", "u", "1"},
        {"missing key", "[S]\r\na=x\r\n", "S", "b", std::nullopt},
        {"key of another section", "[S]\r\na=x\r\n[T]\r\nb=y\r\n", "S", "b", std::nullopt},
        {"line without =", "[S]\r\nnoequals\r\n", "S", "noequals", std::nullopt},
        {"key before any section", "a=x\r\n[S]\r\n", "S", "a", std::nullopt},
        {"missing section", "[S]\r\na=x\r\n", "T", "a", std::nullopt},
        {"empty file", "", "S", "a", std::nullopt},
        {"a NUL ends the value", "[S]\r\na=2\0 5\r\n"s, "S", "a", "2"},
        {"blanks before a NUL stay", "[S]\r\na= 2 \0 5 \r\n"s, "S", "a", "2 "},
        {"quotes are taken off after the cut", "[S]\r\na=\"x\0y\"\r\n"s, "S", "a", "\"x"},
        {"a NUL in the key name", "[S]\r\na\0b=x\r\n"s, "S", "a", std::nullopt},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ReadIniSValue(IniFile::Parse(c.file), c.section, c.key), c.expected);
    }
}

// Values that Windows would alter on reading are written so that they read back as given, by
// our store and (tested under Wine) by GetPrivateProfileStringA.
TEST(WriteIniValue, EveryValueReadsBackAsWritten) {
    const std::vector<std::string> values = {
        "",
        "plain",
        "C:\\Program Files\\x.exe",
        " lead",
        "trail ",
        "  both  ",
        "\t",
        "\"quoted\"",
        "'single'",
        "\"",
        "'",
        "\"open",
        "close\"",
        "a\"b",
        "\"\"",
        "\u3000wide blank",
        "no-break\u00A0",
        "C:\\程序\\工具.exe",
        "=",
        "[x]",
        ";c=1",
        "a=b",
        "\x1a",
        "#",
        "\x7f",
    };
    for (const std::string& value : values) {
        SCOPED_TRACE("value [" + value + "]");
        IniFile file = IniFile::Parse("[S]\r\nk=old\r\n");
        WriteIniValue(file, "S", "k", value);
        EXPECT_EQ(ReadIniSValue(file, "S", "k"), value);
        const IniFile reread = IniFile::Parse(file.Text());
        EXPECT_EQ(ReadIniSValue(reread, "S", "k"), value);
        EXPECT_EQ(reread.Text(), file.Text());
    }
}

TEST(WriteIniValue, QuotesOnlyWhatNeedsIt) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "k="},
        {"C:\\a b\\x.exe", "k=C:\\a b\\x.exe"},
        {"10", "k=10"},
        {" lead", "k=\" lead\""},
        {"\"q\"", "k=\"\"q\"\""},
        {"it's", "k=it's"},
    };
    for (const auto& [value, line] : cases) {
        IniFile file;
        WriteIniValue(file, "S", "k", value);
        EXPECT_EQ(file.Text(), "[S]\r\n" + line + "\r\n");
    }
}

TEST(WriteIniValue, RefusesLineBreaksAndNulsBeforeChangingAnything) {
    const std::string original = "[S]\r\nk=old\r\n[T]\r\nx=1\r\n";
    const std::vector<std::string> values = {
        "a\r\n[Evil]\r\nAutoTimeRun=1", "a\nb=c", "a\rb", std::string("a\0b", 3), "\r\n", "\n",
    };
    for (const std::string& value : values) {
        IniFile file = IniFile::Parse(original);
        EXPECT_THROW(WriteIniValue(file, "S", "k", value), IniValueError);
        EXPECT_THROW(WriteIniValue(file, "New", "k", value), IniValueError);
        EXPECT_EQ(file.Text(), original);
        EXPECT_EQ(ReadIniSValue(file, "Evil", "AutoTimeRun"), std::nullopt);
    }
}

TEST(WriteIniValue, RefusesNamesTheFileCannotHold) {
    IniFile file;
    for (const char* section : {"", " S", "S ", "a]b", "a\r\nb"})
        EXPECT_THROW(WriteIniValue(file, section, "k", "v"), IniValueError) << section;
    for (const char* key : {"", " k", "k ", "a=b", "[k", "a\nb"})
        EXPECT_THROW(WriteIniValue(file, "S", key, "v"), IniValueError) << key;
    EXPECT_EQ(file.Text(), "");
}

// Everything the file holds besides the keys written stays as it was, in its place.
TEST(WriteIniValue, KeepsCommentsBlankLinesAndUnknownKeys) {
    IniFile file = IniFile::Parse(
        "; written by hand\n"
        "\n"
        "[SoftWare]\n"
        "; minutes\n"
        "COUNT = 5 \n"
        "colour=blue\n"
        "\n"
        "; mouse\n"
        "[Extra]\n"
        "x=1\n"
        "[software]\n"
        "shadowed=1\n");
    WriteIniValue(file, "SoftWare", "counT", "7");
    WriteIniValue(file, "SoftWare", "AutoRun", "1");
    WriteIniValue(file, "MouseRun", "timeInv", "3");
    EXPECT_EQ(file.Text(),
              "; written by hand\r\n"
              "\r\n"
              "[SoftWare]\r\n"
              "; minutes\r\n"
              "COUNT=7\r\n"
              "colour=blue\r\n"
              "AutoRun=1\r\n"
              "\r\n"
              "; mouse\r\n"
              "[Extra]\r\n"
              "x=1\r\n"
              "[software]\r\n"
              "shadowed=1\r\n"
              "[MouseRun]\r\n"
              "timeInv=3\r\n");
}

TEST(WriteIniValue, NewKeyOfAnEmptySectionGoesRightAfterItsHeader) {
    IniFile file = IniFile::Parse("[A]\r\n; note\r\n[B]\r\nb=1\r\n");
    WriteIniValue(file, "a", "k", "v");
    EXPECT_EQ(file.Text(), "[A]\r\nk=v\r\n; note\r\n[B]\r\nb=1\r\n");
}

TEST(IniFileOnDisk, MissingFileReadsEmptyAndIsWrittenInTheSystemCodePage) {
    FakeFiles files;
    FakeCodePage codePage;
    codePage.mark = true;
    const std::string path = "C:\\Tools\\Tallowcron\\config.ini";

    IniFile file = ReadIniFile(files, codePage, path);
    EXPECT_EQ(file.Text(), "");
    WriteIniValue(file, "SoftRun", "exepath1", "C:\\程序.exe");
    WriteIniFile(files, codePage, path, file);
    EXPECT_EQ(files.files.at(path),
              "<ansi>[SoftRun]</ansi>\r\n<ansi>exepath1=C:\\程序.exe</ansi>\r\n");
    EXPECT_EQ(ReadIniSValue(ReadIniFile(files, codePage, path), "SoftRun", "exepath1"),
              "C:\\程序.exe");
}

// A code page with ASCII only: bytes beyond it read as "?", as a real code page reads bytes that
// are not valid in it.
class AsciiCodePage : public CodePage {
public:
    std::string ToAnsi(std::string_view utf8) override { return Ascii(utf8); }
    std::string FromAnsi(std::string_view ansi) override { return Ascii(ansi); }

private:
    static std::string Ascii(std::string_view text) {
        std::string out;
        for (const char c : text) {
            if (static_cast<unsigned char>(c) < 0x80)
                out += c;
            else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
                out += '?';
        }
        return out;
    }
};

std::string Utf16(std::u16string_view text, bool littleEndian) {
    std::string bytes = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
    for (const char16_t unit : text) {
        const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
        bytes += littleEndian ? std::string{low, high} : std::string{high, low};
    }
    return bytes;
}

struct EncodedFile {
    const char* what;
    std::string before;  // on disk
    std::string after;   // on disk after counT=7 and exepath1 were written
    std::string path;    // the value written to exepath1
};

// A file comes back in the encoding it came in: Unicode text (UTF-16 either way round, UTF-8,
// each with its byte-order mark) or the system code page. What the program does not write, a
// comment with characters the code page lacks and a line with a broken character included, goes
// back byte for byte with the line end it had (LF, CR, CR LF, none on the last line); what it
// writes is in the file's encoding and ends with CR LF.
TEST(IniFileOnDisk, AFileKeepsItsEncodingAndEveryLineNotWrittenByteForByte) {
    const std::u16string before16 =
        u"[SoftWare]\ncounT=5\n; \u2713 \ud55c\uad6d\uc5b4 \U0001F600\r[SoftRun]\r\n; \u2713";
    const std::u16string after16 =
        u"[SoftWare]\ncounT=7\r\n; \u2713 \ud55c\uad6d\uc5b4 \U0001F600\r[SoftRun]\r\n"
        u"exepath1=C:\\\u7a0b\u5e8f\\\u2713.exe\r\n; \u2713";
    const std::string unicodePath = "C:\\程序\\✓.exe";
    const std::string broken = "; \xE2\x9C\x93 \xED\x95\x9C \xFF\xC0";
    const std::string before8 = "[SoftWare]\ncounT=5\n" + broken + "\r[SoftRun]\r\n" + broken;
    const auto after8 = [&](const std::string& path) {
        return "[SoftWare]\ncounT=7\r\n" + broken + "\r[SoftRun]\r\nexepath1=" + path + "\r\n" +
               broken;
    };
    const std::vector<EncodedFile> files = {
        {"UTF-16 LE", Utf16(before16, true), Utf16(after16, true), unicodePath},
        {"UTF-16 BE", Utf16(before16, false), Utf16(after16, false), unicodePath},
        {"UTF-8", "\xEF\xBB\xBF" + before8, "\xEF\xBB\xBF" + after8(unicodePath), unicodePath},
        {"code page", before8, after8("C:\\x.exe"), "C:\\x.exe"},
    };
    const std::string path = "C:\\Tools\\Tallowcron\\config.ini";
    for (const EncodedFile& f : files) {
        SCOPED_TRACE(f.what);
        FakeFiles disk;
        AsciiCodePage codePage;
        disk.files[path] = f.before;
        IniFile file = ReadIniFile(disk, codePage, path);
        EXPECT_EQ(ReadIniSValue(file, "SoftWare", "counT"), "5");
        EXPECT_EQ(ReadIniSValue(file, "software", "COUNT"), "5");
        WriteIniValue(file, "SoftWare", "counT", "7");
        WriteIniValue(file, "SoftRun", "exepath1", f.path);
        WriteIniFile(disk, codePage, path, file);
        EXPECT_EQ(disk.files.at(path), f.after);
        EXPECT_EQ(ReadIniSValue(ReadIniFile(disk, codePage, path), "SoftRun", "exepath1"), f.path);
    }
    // A UTF-16 file cut off inside a character loses that half character only: kept, it would
    // shift every line written after it. Its last line gains a line end, as a line now follows.
    FakeFiles disk;
    AsciiCodePage codePage;
    disk.files[path] = Utf16(u"[S]\r\na=1", true) + "A";
    IniFile file = ReadIniFile(disk, codePage, path);
    WriteIniValue(file, "S", "b", "2");
    WriteIniFile(disk, codePage, path, file);
    EXPECT_EQ(disk.files.at(path), Utf16(u"[S]\r\na=1\r\nb=2\r\n", true));
}

TEST(IniFileOnDisk, AFailedWriteThrowsAndLeavesThePreviousFile) {
    FakeFiles files;
    FakeCodePage codePage;
    const std::string path = "C:\\Tools\\Tallowcron\\config.ini";
    files.files[path] = "[S]\r\nk=old\r\n";
    files.failing.insert(path);
    IniFile file = ReadIniFile(files, codePage, path);
    WriteIniValue(file, "S", "k", "new");
    EXPECT_THROW(WriteIniFile(files, codePage, path, file), SystemError);
    EXPECT_EQ(files.files.at(path), "[S]\r\nk=old\r\n");
}

}  // namespace
}  // namespace tc
