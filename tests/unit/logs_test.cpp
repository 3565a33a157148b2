#include "core/logs.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "platform/errors.h"
#include "support/fakes/fake_clock.h"
#include "support/fakes/fake_code_page.h"
#include "support/fakes/fake_files.h"
#include "support/fakes/memory_control_values.h"

namespace tc {
namespace {

const std::string kLogFolder = "C:\\Tools\\Tallowcron\\log";

// A clock that gives a new reading on every call: the first just before midnight, then after.
class MidnightClock : public Clock {
public:
    LocalTime Now() override {
        return reads_++ == 0 ? LocalTime{2023, 1, 19, 23, 59, 59, 999}
                             : LocalTime{2023, 1, 20, 0, 0, 0, 0};
    }

private:
    int reads_ = 0;
};

// A file system whose every call fails the hard way.
class ThrowingFiles : public FakeFiles {
public:
    std::string ExePath() override { throw SystemError(5, "Access is denied."); }
};

class ThrowingCodePage : public CodePage {
public:
    std::string ToAnsi(std::string_view) override { throw std::runtime_error("no code page"); }
    std::string FromAnsi(std::string_view) override { throw std::runtime_error("no code page"); }
};

struct CommandLogTest : ::testing::Test {
    FakeClock clock{LocalTime{2023, 1, 19, 10, 0, 0, 0}};
    FakeFiles files;
    FakeCodePage codePage;
    CommandLog log{clock, files, codePage};
};

TEST_F(CommandLogTest, FirstCommandOfTheDayCreatesTheFileAndTheSecondAppends) {
    for (const bool folderPresent : {false, true}) {
        SCOPED_TRACE(folderPresent ? "log folder present" : "log folder missing");
        files = FakeFiles();
        if (folderPresent) files.directories.insert(kLogFolder);

        clock.Set(2023, 1, 19, 10, 0, 0, 0);
        log.LogToFile("执行命令-关机");
        EXPECT_TRUE(files.DirectoryExists(kLogFolder));
        const std::string file = kLogFolder + "\\_Log230119.txt";
        ASSERT_EQ(files.files.count(file), 1u);
        EXPECT_EQ(files.files[file], "10:00:00.000 执行命令-关机\r\n");

        clock.Set(2023, 1, 19, 18, 30, 5, 250);
        log.LogToFile("执行命令-重启");
        EXPECT_EQ(files.files[file],
                  "10:00:00.000 执行命令-关机\r\n18:30:05.250 执行命令-重启\r\n");
        EXPECT_EQ(files.files.size(), 1u);
    }
}

TEST_F(CommandLogTest, EachDayHasItsOwnFile) {
    files.directories.insert(kLogFolder);
    log.LogToFile("a");
    clock.Set(2023, 1, 20, 0, 0, 1, 0);
    log.LogToFile("b");
    EXPECT_EQ(files.files[kLogFolder + "\\_Log230119.txt"], "10:00:00.000 a\r\n");
    EXPECT_EQ(files.files[kLogFolder + "\\_Log230120.txt"], "00:00:01.000 b\r\n");
}

TEST_F(CommandLogTest, FileNameAndLineLayout) {
    struct Case {
        LocalTime now;
        std::string separator;
        std::string file;
        std::string line;
    };
    const std::vector<Case> cases = {
        {{2023, 1, 9, 7, 5, 3, 7}, ":", "_Log230109.txt", "07:05:03.007 m\r\n"},
        {{2023, 12, 31, 23, 59, 59, 999}, ":", "_Log231231.txt", "23:59:59.999 m\r\n"},
        {{2000, 2, 29, 0, 0, 0, 0}, ":", "_Log000229.txt", "00:00:00.000 m\r\n"},
        {{1999, 10, 1, 12, 0, 0, 40}, ":", "_Log991001.txt", "12:00:00.040 m\r\n"},
        {{2023, 1, 19, 9, 8, 7, 600}, ".", "_Log230119.txt", "09.08.07.600 m\r\n"},
        {{2023, 1, 19, 21, 8, 7, 600}, "時", "_Log230119.txt", "21時08時07.600 m\r\n"},
    };
    files.directories.insert(kLogFolder);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        files.files.clear();
        clock.Set(c.now);
        log.SetTimeSeparator(c.separator);
        log.LogToFile("m");
        ASSERT_EQ(files.files.size(), 1u);
        EXPECT_EQ(files.files.begin()->first, kLogFolder + "\\" + c.file);
        EXPECT_EQ(files.files.begin()->second, c.line);
    }
}

TEST_F(CommandLogTest, MessageIsWrittenUnchanged) {
    files.directories.insert(kLogFolder);
    const std::string message = "执行命令-C:\\Windows\\shutdown.exe -s -t 0  %d %s\t尾 ";
    log.LogToFile(message);
    EXPECT_EQ(files.files[kLogFolder + "\\_Log230119.txt"], "10:00:00.000 " + message + "\r\n");
}

TEST_F(CommandLogTest, TheWholeLineGoesThroughTheCodePage) {
    codePage.mark = true;
    log.LogToFile("执行命令");
    EXPECT_EQ(files.files[kLogFolder + "\\_Log230119.txt"],
              "<ansi>10:00:00.000 执行命令\r\n</ansi>");
}

TEST_F(CommandLogTest, NowIsReadOnceSoDateAndTimeAgreeAcrossMidnight) {
    log.LogToFile("x");
    EXPECT_EQ(clock.reads(), 1);

    MidnightClock midnight;
    FakeFiles otherFiles;
    CommandLog acrossMidnight(midnight, otherFiles, codePage);
    acrossMidnight.LogToFile("执行命令-关机");
    ASSERT_EQ(otherFiles.files.size(), 1u);
    EXPECT_EQ(otherFiles.files.begin()->first, kLogFolder + "\\_Log230119.txt");
    EXPECT_EQ(otherFiles.files.begin()->second, "23:59:59.999 执行命令-关机\r\n");
}

TEST_F(CommandLogTest, FolderIsTheExecutablesFolder) {
    files.exePath = "D:\\定时\\工具\\Tallowcron.exe";
    files.directories = {"D:\\", "D:\\定时", "D:\\定时\\工具"};
    log.LogToFile("x");
    EXPECT_TRUE(files.FileExists("D:\\定时\\工具\\log\\_Log230119.txt"));
}

TEST_F(CommandLogTest, FailuresAreSilentAndTheCallerCarriesOn) {
    const std::string file = kLogFolder + "\\_Log230119.txt";
    // The log folder cannot be created.
    files.failing.insert(kLogFolder);
    EXPECT_NO_THROW(log.LogToFile("lost"));
    EXPECT_TRUE(files.files.empty());
    EXPECT_EQ(files.appendCalls, 0);

    // The folder exists but the file is read-only or locked.
    files.failing = {file};
    files.directories.insert(kLogFolder);
    EXPECT_NO_THROW(log.LogToFile("lost"));
    EXPECT_TRUE(files.files.empty());

    // Once the file is writable again, the next command is logged; nothing was kept back.
    files.failing.clear();
    clock.Set(2023, 1, 19, 10, 0, 1, 0);
    log.LogToFile("kept");
    EXPECT_EQ(files.files[file], "10:00:01.000 kept\r\n");
}

TEST_F(CommandLogTest, ExceptionsFromThePortsDoNotEscape) {
    ThrowingFiles throwingFiles;
    CommandLog noFiles(clock, throwingFiles, codePage);
    EXPECT_NO_THROW(noFiles.LogToFile("x"));

    ThrowingCodePage throwingCodePage;
    CommandLog noCodePage(clock, files, throwingCodePage);
    EXPECT_NO_THROW(noCodePage.LogToFile("x"));
    EXPECT_TRUE(files.files.empty());
}

TEST(ActivityLog, LinesAreAppendedInOrderAndClearStartsAgainAtTheTop) {
    MemoryControlValues form;
    ClearActivityLog(form);  // clearing an empty log does nothing
    EXPECT_TRUE(form.ActivityLines().empty());

    const std::vector<std::string> lines = {"打开程序-C:\\a.exe-执行时间-2023/1/19 10:00:00", "",
                                            "关闭程序-b.exe"};
    for (const std::string& line : lines) AddActivityLine(form, line);
    EXPECT_EQ(form.ActivityLines(), lines);

    ClearActivityLog(form);
    EXPECT_TRUE(form.ActivityLines().empty());
    AddActivityLine(form, "after");
    EXPECT_EQ(form.ActivityLines(), std::vector<std::string>{"after"});
}

}  // namespace
}  // namespace tc
