#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/win32_files.h"

#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/win32/win32_text.h"
#include "support/win32/test_folders.h"

namespace tc {
namespace {

using test::RemoveTree;

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW entry;
    const HANDLE find = FindFirstFileW(Widen(folder + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..") names.push_back(Narrow(name));
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return names;
}

// Each test works in a folder of its own beside the test program and removes it afterwards.
class Win32FilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string exe = files.ExePath();
        dir = exe.substr(0, exe.find_last_of('\\')) + "\\files_test_" +
              std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryW(Widen(dir).c_str(), nullptr));
    }
    void TearDown() override { RemoveTree(Widen(dir)); }

    Win32Files files;
    std::string dir;
};

TEST_F(Win32FilesTest, ExePathIsTheRunningProgram) {
    const std::string exe = files.ExePath();
    EXPECT_EQ(exe.substr(exe.size() - 16), "\\win32_tests.exe");
    EXPECT_EQ(exe.substr(1, 2), ":\\");
    EXPECT_TRUE(files.FileExists(exe));
    EXPECT_FALSE(files.DirectoryExists(exe));
    EXPECT_TRUE(files.DirectoryExists(exe.substr(0, exe.find_last_of('\\'))));
}

TEST_F(Win32FilesTest, CreateFolderMakesOneLevel) {
    const std::string log = dir + "\\log";
    EXPECT_FALSE(files.DirectoryExists(log));
    EXPECT_TRUE(files.CreateFolder(log));
    EXPECT_TRUE(files.DirectoryExists(log));
    EXPECT_FALSE(files.FileExists(log));
    EXPECT_FALSE(files.CreateFolder(log));  // already there
    EXPECT_FALSE(files.CreateFolder(dir + "\\missing\\log"));
    EXPECT_FALSE(files.DirectoryExists(dir + "\\missing"));
}

TEST_F(Win32FilesTest, AppendCreatesTheFileThenAppends) {
    const std::string file = dir + "\\_Log230119.txt";
    EXPECT_FALSE(files.FileExists(file));
    EXPECT_TRUE(files.Append(file, "first\r\n"));
    EXPECT_TRUE(files.FileExists(file));
    EXPECT_TRUE(files.Append(file, std::string("\xD6\xB4\0x\r\n", 6)));
    EXPECT_TRUE(files.Append(file, ""));
    EXPECT_EQ(files.ReadAll(file), "first\r\n" + std::string("\xD6\xB4\0x\r\n", 6));
}

TEST_F(Win32FilesTest, AppendFailsOnALockedOrReadOnlyFileAndClosesWhatItOpened) {
    const std::string file = dir + "\\locked.txt";
    ASSERT_TRUE(files.Append(file, "a"));
    // The file handle of the append above is closed: the file can be opened with no sharing.
    HANDLE exclusive = CreateFileW(Widen(file).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(files.Append(file, "b"));
    CloseHandle(exclusive);

    ASSERT_TRUE(SetFileAttributesW(Widen(file).c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(files.Append(file, "c"));
    EXPECT_EQ(files.ReadAll(file), "a");

    EXPECT_FALSE(files.Append(dir + "\\missing\\x.txt", "d"));
    EXPECT_FALSE(files.Append(dir, "e"));  // a folder
}

TEST_F(Win32FilesTest, ReadAllTellsMissingFromUnreadable) {
    EXPECT_EQ(files.ReadAll(dir + "\\config.ini"), std::nullopt);
    EXPECT_EQ(files.ReadAll(dir + "\\missing\\config.ini"), std::nullopt);

    const std::string file = dir + "\\config.ini";
    ASSERT_TRUE(files.Append(file, ""));
    EXPECT_EQ(files.ReadAll(file), "");
    // Larger than one read, so the pieces must be joined in order.
    std::string big;
    for (int i = 0; i < 100000; ++i) big += static_cast<char>('a' + i % 26);
    ASSERT_TRUE(files.Append(file, big));
    EXPECT_EQ(files.ReadAll(file), big);

    // A folder cannot be read as a file: that is an error, not a missing file.
    try {
        files.ReadAll(dir);
        FAIL() << "no exception";
    } catch (const SystemError& e) {
        EXPECT_EQ(e.code(), static_cast<unsigned long>(ERROR_ACCESS_DENIED));
        EXPECT_EQ(std::string(e.what()).rfind("System Error.  Code: 5.\r\n", 0), 0u) << e.what();
    }
}

// Also after a save that was killed half-way and left its empty temporary file behind.
TEST_F(Win32FilesTest, ReplaceWholeWritesNewAndReplacesOldLeavingNothingElse) {
    const std::string file = dir + "\\config.ini";
    ASSERT_TRUE(files.Append(file + ".tmp", ""));
    files.ReplaceWhole(file, "[SoftWare]\r\nchk1=1\r\n");
    EXPECT_EQ(files.ReadAll(file), "[SoftWare]\r\nchk1=1\r\n");
    files.ReplaceWhole(file, "short");
    EXPECT_EQ(files.ReadAll(file), "short");
    files.ReplaceWhole(file, "");
    EXPECT_EQ(files.ReadAll(file), "");
    EXPECT_EQ(Names(dir), std::vector<std::string>{"config.ini"});
}

TEST_F(Win32FilesTest, ReplaceWholeRefusesAReadOnlyTargetAndLeavesItWhole) {
    const std::string file = dir + "\\config.ini";
    files.ReplaceWhole(file, "old");
    ASSERT_TRUE(SetFileAttributesW(Widen(file).c_str(), FILE_ATTRIBUTE_READONLY));
    try {
        files.ReplaceWhole(file, "new");
        FAIL() << "no exception";
    } catch (const SystemError& e) {
        EXPECT_EQ(e.code(), static_cast<unsigned long>(ERROR_ACCESS_DENIED));
        EXPECT_EQ(std::string(e.what()), "System Error.  Code: 5.\r\n" + SystemErrorText(5));
    }
    EXPECT_EQ(files.ReadAll(file), "old");
    EXPECT_EQ(Names(dir), std::vector<std::string>{"config.ini"});  // no temporary file left
}

TEST_F(Win32FilesTest, ReplaceWholeFailsWhenTheFolderIsMissing) {
    EXPECT_THROW(files.ReplaceWhole(dir + "\\missing\\config.ini", "x"), SystemError);
    EXPECT_TRUE(Names(dir).empty());
}

TEST_F(Win32FilesTest, ChineseNamesWork) {
    const std::string folder = dir + "\\定时工具";
    const std::string file = folder + "\\日志.txt";
    ASSERT_TRUE(files.CreateFolder(folder));
    EXPECT_TRUE(files.DirectoryExists(folder));
    EXPECT_TRUE(files.Append(file, "a"));
    EXPECT_TRUE(files.FileExists(file));
    files.ReplaceWhole(file, "b");
    EXPECT_EQ(files.ReadAll(file), "b");
    EXPECT_EQ(Names(folder), std::vector<std::string>{"日志.txt"});
}

}  // namespace
}  // namespace tc
