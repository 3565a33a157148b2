// config.ini against Windows' own profile functions: what our store writes is what
// GetPrivateProfileStringA reads, and what WritePrivateProfileStringA wrote (the files older
// installations have) loads as it should, Chinese paths in code page 936 included.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "core/controls.h"
#include "platform/errors.h"
#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_text.h"
#include "settings/ini_file.h"
#include "settings/settings_file.h"
#include "support/fakes/fake_clock.h"
#include "support/fakes/fake_locale.h"
#include "support/fakes/fake_registry.h"
#include "support/fakes/memory_control_values.h"

namespace tc {
namespace {

bool ChineseCodePage() { return GetACP() == 936; }

// The real file system, with the executable placed in a folder of the test's own.
class FilesBeside : public Win32Files {
public:
    std::string exe;
    std::string ExePath() override { return exe; }
};

// One settings file on the real file system, in a fresh folder under %TEMP% whose name is
// Chinese under code page 936; removed afterwards.
class Win32SettingsIni : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH + 1];
        ASSERT_NE(GetTempPathW(MAX_PATH + 1, temp), 0u);
        const std::string name = ChineseCodePage() ? "定时设置 " : "settings test ";
        folder = Narrow(temp) + name + std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryW(Widen(folder).c_str(), nullptr));
        files.exe = folder + "\\Tallowcron.exe";
        path = folder + "\\config.ini";
        ansiPath = codePage.ToAnsi(path);
    }
    void TearDown() override {
        SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(Widen(path).c_str());
        EXPECT_TRUE(RemoveDirectoryW(Widen(folder).c_str())) << "left something in " << folder;
    }

    // The value as GetPrivateProfileStringA reads it, converted to UTF-8; nullopt when absent.
    std::optional<std::string> WindowsReads(std::string_view section, std::string_view key) {
        char buffer[4096];
        const char* missing = "\x01missing";
        GetPrivateProfileStringA(codePage.ToAnsi(section).c_str(), codePage.ToAnsi(key).c_str(),
                                 missing, buffer, sizeof buffer, ansiPath.c_str());
        if (std::string(buffer) == missing) return std::nullopt;
        return codePage.FromAnsi(buffer);
    }
    // The same through GetPrivateProfileStringW, which reads files in UTF-16 and UTF-8 as well.
    std::optional<std::string> WindowsReadsW(std::string_view section, std::string_view key) {
        wchar_t buffer[4096];
        const wchar_t* missing = L"\x01missing";
        GetPrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), missing, buffer, 4096,
                                 Widen(path).c_str());
        if (std::wstring(buffer) == missing) return std::nullopt;
        return Narrow(buffer);
    }
    void WriteBytes(const std::string& bytes) { files.ReplaceWhole(path, bytes); }
    void WindowsWrites(std::string_view section, std::string_view key, std::string_view value) {
        ASSERT_TRUE(WritePrivateProfileStringA(codePage.ToAnsi(section).c_str(),
                                               codePage.ToAnsi(key).c_str(),
                                               codePage.ToAnsi(value).c_str(), ansiPath.c_str()));
    }

    FakeClock clock{LocalTime{2023, 1, 19, 9, 0, 0, 0}};
    FakeLocale locale;
    Moments moments{clock, locale};
    MemoryControlValues form;
    FilesBeside files;
    Win32CodePage codePage;
    FakeRegistry registry;
    SettingsFile settings{form, moments, {files, codePage, registry}};
    std::string folder, path, ansiPath;
};

// A path with characters beyond ASCII that the system code page has (936 or 1252).
std::string Path(int row) {
    return ChineseCodePage() ? "C:\\程序文件\\工具 " + std::to_string(row) + ".exe"
                             : "C:\\Programme\\Caf\u00e9 " + std::to_string(row) + ".exe";
}

std::string Wrapped(const std::string& edge, const std::string& text) {
    std::string wrapped = edge;
    wrapped.append(text).append(edge);
    return wrapped;
}

TEST_F(Win32SettingsIni, WhatWeWriteWindowsReads) {
    settings.LoadSettings();
    const std::vector<std::pair<std::string, std::string>> texts = {
        {RowName(kSlotPathPrefix, 1), Path(1)},
        {RowName(kSlotPathPrefix, 2), Wrapped("  ", Path(2))},
        {RowName(kSlotPathPrefix, 3), Wrapped("\"", Path(3))},
        {RowName(kSlotPathPrefix, 4), "'single'"},
        {RowName(kSlotPathPrefix, 5), ""},
        {std::string(kClickIntervalEdit), "=x;y[z]"},
        {std::string(kClickXEdit), "\""},
        {std::string(kClickYEdit), "\t8"},
        {std::string(kCountdownMinutesEdit), "010"},
    };
    for (const auto& [name, text] : texts) form.SetText(name, text);
    form.SetChecked(RowName(kSlotOnPrefix, 2), true);
    form.SetChecked(RowName(kCloseButtonPrefix, 4), true);
    form.SetItemIndex(kPowerCommandCombo, 1);
    settings.SaveSettings();

    const IniFile ours = ReadIniFile(files, codePage, path);
    for (const ControlSpec& c : ControlTable()) {
        if (c.storedAs == StoredAs::None) continue;
        SCOPED_TRACE(std::string(c.key));
        const std::optional<std::string> windows = WindowsReads(c.section, c.key);
        ASSERT_TRUE(windows);
        EXPECT_EQ(windows, ReadIniSValue(ours, c.section, c.key));
        if (c.storedAs == StoredAs::Text) {
            EXPECT_EQ(*windows, form.Text(c.name));
        }
    }
    EXPECT_EQ(WindowsReads("SoftRun", "exechk2"), "1");
    EXPECT_EQ(WindowsReads("SoftRun", "task4"), "1");
    EXPECT_EQ(WindowsReads("SoftWare", "sysTask"), "1");
    EXPECT_EQ(WindowsReads("SoftWare", "counT"), "010");
    EXPECT_EQ(WindowsReads("SoftRun", "TaskDate1"), "44945.375");
    EXPECT_EQ(WindowsReads("SoftRun", "TaskTime1"), "09:00:00");

    // On disk: CR LF lines in the system code page.
    const std::optional<std::string> bytes = files.ReadAll(path);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->rfind("[SoftWare]\r\ncounT=010\r\nAutoRun=0\r\n", 0), 0u);
    EXPECT_NE(bytes->find("exepath1=" + codePage.ToAnsi(Path(1)) + "\r\n"), std::string::npos);
}

// A file as older installations wrote it, one WritePrivateProfileStringA call per key.
TEST_F(Win32SettingsIni, WhatWindowsWroteLoads) {
    WindowsWrites("SoftWare", "counT", "25");
    WindowsWrites("SoftWare", "AutoRun", "1");
    WindowsWrites("SoftWare", "AutoTimeRun", "0");
    WindowsWrites("SoftWare", "sysTask", "1");
    WindowsWrites("SoftWare", "cdTask", "1");
    WindowsWrites("SoftWare", "ptTaskDate", "45000.4520567477");
    WindowsWrites("SoftWare", "ptTaskTime", "16:12:35");
    for (int row = 1; row <= 5; ++row) {
        const std::string n = std::to_string(row);
        WindowsWrites("SoftRun", "exepath" + n, Path(row));
        WindowsWrites("SoftRun", "exechk" + n, row % 2 ? "1" : "0");
        WindowsWrites("SoftRun", "task" + n, row == 3 ? "1" : "0");
        WindowsWrites("SoftRun", "TaskDate" + n, std::to_string(45000 + row) + ".5");
        WindowsWrites("SoftRun", "TaskTime" + n, "0" + n + ":30:15");
    }
    WindowsWrites("MouseRun", "timeInv", "  3  ");  // Windows stores it trimmed
    WindowsWrites("MouseRun", "mouseX", "\"1920\"");

    settings.LoadSettings();
    EXPECT_EQ(form.Text(kCountdownMinutesEdit), "25");
    EXPECT_TRUE(form.Checked(kStartWithWindowsCheck));
    EXPECT_FALSE(form.Checked(kAutoStartCheck));
    EXPECT_EQ(form.ItemIndex(kPowerCommandCombo), 1);
    EXPECT_TRUE(form.Checked(kCountdownCheck));
    EXPECT_EQ(DateOf(form.DateTime(kSetMomentDatePicker)), 45000);
    EXPECT_EQ(ToWholeSeconds(TimeOf(form.DateTime(kSetMomentTimePicker))),
              16 * 3600 + 12 * 60 + 35);
    for (int row = 1; row <= 5; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(form.Text(RowName("Edit", row)), Path(row));
        EXPECT_EQ(form.Checked(RowName("chk", row)), row % 2 == 1);
        EXPECT_EQ(form.Checked(RowName("rbtColse", row)), row == 3);
        EXPECT_EQ(DateOf(form.DateTime(RowName("FSetDate", row))), 45000 + row);
        EXPECT_EQ(ToWholeSeconds(TimeOf(form.DateTime(RowName("FSetTime", row)))),
                  row * 3600 + 30 * 60 + 15);
    }
    EXPECT_EQ(form.Text(kClickIntervalEdit), "3");
    EXPECT_EQ(form.Text(kClickXEdit), "1920");
    EXPECT_EQ(form.Text(kClickYEdit), "654");  // not stored: the design value

    // Saved again by us, Windows still reads every key it wrote.
    settings.SaveSettings();
    EXPECT_EQ(WindowsReads("SoftRun", "exepath3"), Path(3));
    EXPECT_EQ(WindowsReads("MouseRun", "mouseX"), "1920");
    EXPECT_EQ(WindowsReads("MouseRun", "mouseY"), "654");
}

std::string Utf16Le(const std::string& text) {
    std::string bytes = "\xFF\xFE";
    for (const wchar_t unit : Widen(text)) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>((unit >> 8) & 0xFF);
    }
    return bytes;
}

// Notepad's "Unicode" (UTF-16 LE with its mark) and "UTF-8 with BOM": Windows' profile functions
// read both, and so does the program; saved again, the file keeps its encoding and its comment
// as they were, takes text the code page lacks, and Windows still reads every key as we do.
TEST_F(Win32SettingsIni, UnicodeFilesLoadAndKeepTheirEncoding) {
    const std::string text =
        "[SoftWare]\r\ncounT=25\r\n; \u2713 \ud55c\uad6d\uc5b4\r\n[SoftRun]\r\n"
        "exepath1=C:\\\u7a0b\u5e8f\\\u5de5\u5177.exe\r\n";
    const std::vector<std::pair<const char*, std::string>> encoded = {
        {"UTF-16 LE", Utf16Le(text)}, {"UTF-8", "\xEF\xBB\xBF" + text}};
    for (const auto& [what, bytes] : encoded) {
        SCOPED_TRACE(what);
        WriteBytes(bytes);
        ASSERT_EQ(WindowsReadsW("SoftWare", "counT"), "25");
        form.SetText(kCountdownMinutesEdit, "10");
        settings.LoadSettings();
        EXPECT_EQ(form.Text(kCountdownMinutesEdit), "25");
        EXPECT_EQ(form.Text(RowName(kSlotPathPrefix, 1)), "C:\\\u7a0b\u5e8f\\\u5de5\u5177.exe");

        form.SetText(RowName(kSlotPathPrefix, 2), "C:\\\ud55c\\\u2713.exe");
        settings.SaveSettings();
        const std::optional<std::string> saved = files.ReadAll(path);
        ASSERT_TRUE(saved);
        EXPECT_EQ(saved->substr(0, 3), bytes.substr(0, 3));
        const std::string comment = std::string(what) == std::string("UTF-8")
                                        ? std::string("; \u2713 \ud55c\uad6d\uc5b4\r\n")
                                        : Utf16Le("; \u2713 \ud55c\uad6d\uc5b4\r\n").substr(2);
        EXPECT_NE(saved->find(comment), std::string::npos);
        const IniFile ours = ReadIniFile(files, codePage, path);
        for (const ControlSpec& c : ControlTable()) {
            if (c.storedAs == StoredAs::None) continue;
            EXPECT_EQ(WindowsReadsW(c.section, c.key), ReadIniSValue(ours, c.section, c.key))
                << c.key;
        }
        EXPECT_EQ(WindowsReadsW("SoftRun", "exepath2"), "C:\\\ud55c\\\u2713.exe");
    }
}

// A NUL inside a value: our store reads what Windows reads, up to the NUL, with the blanks and
// quotes before it as Windows leaves them.
TEST_F(Win32SettingsIni, ValueWithANulReadsAsWindowsReadsIt) {
    using namespace std::string_literals;
    WriteBytes("[S]\r\na=2\0 5\r\nb= 2 \0 5 \r\nc=\"x\0y\"\r\nd='q'\0\r\n"s);
    const IniFile ours = ReadIniFile(files, codePage, path);
    for (const char* key : {"a", "b", "c", "d"}) {
        SCOPED_TRACE(key);
        char buffer[64];
        const DWORD length =
            GetPrivateProfileStringA("S", key, "", buffer, sizeof buffer, ansiPath.c_str());
        EXPECT_EQ(ReadIniSValue(ours, "S", key), std::string(buffer, length));
        EXPECT_TRUE(IniValueCutAtNul(ours, "S", key));
    }
}

// An emoji has no form in either code page: refused, where Windows would store "?".
TEST_F(Win32SettingsIni, TextTheCodePageLacksIsRefused) {
    settings.LoadSettings();
    form.SetText(RowName(kSlotPathPrefix, 1), "C:\\\xF0\x9F\x98\x80.exe");
    EXPECT_THROW(settings.SaveSettings(), IniValueError);
    EXPECT_FALSE(files.FileExists(path));
}

TEST_F(Win32SettingsIni, ReadOnlyFileIsReportedAndKeptWhole) {
    WindowsWrites("SoftWare", "counT", "30");
    const std::optional<std::string> before = files.ReadAll(path);
    ASSERT_TRUE(SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_READONLY));
    settings.LoadSettings();
    form.SetText(kCountdownMinutesEdit, "45");
    try {
        settings.SaveSettings();
        FAIL() << "no error reported";
    } catch (const SystemError& e) {
        const std::string message = e.what();
        EXPECT_EQ(message.rfind("System Error.  Code: 5.\r\n", 0), 0u) << message;
        EXPECT_GT(message.size(), std::string("System Error.  Code: 5.\r\n").size());
    }
    EXPECT_EQ(files.ReadAll(path), before);
}

}  // namespace
}  // namespace tc
