// The command log written with the real files and code page: the bytes on disk.
#include <gtest/gtest.h>
#include <windows.h>

#include "core/logs.h"

#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_text.h"
#include "support/fakes/fake_clock.h"

namespace tc {
namespace {

TEST(Win32CommandLog, ChineseLineOnDiskIsInCodePage936) {
    ASSERT_EQ(GetACP(), 936u);
    Win32Files files;
    Win32CodePage codePage;
    FakeClock clock(LocalTime{2023, 1, 19, 8, 5, 9, 42});
    const std::string exe = files.ExePath();
    const std::string folder = exe.substr(0, exe.find_last_of('\\')) + "\\log";
    const std::string file = folder + "\\_Log230119.txt";
    const bool folderWasThere = files.DirectoryExists(folder);
    DeleteFileW(Widen(file).c_str());

    CommandLog log(clock, files, codePage);
    log.LogToFile("执行命令-关机");
    clock.Set(2023, 1, 19, 8, 5, 10, 0);
    log.LogToFile("执行命令-重启");
    const auto bytes = files.ReadAll(file);

    DeleteFileW(Widen(file).c_str());
    if (!folderWasThere) RemoveDirectoryW(Widen(folder).c_str());

    EXPECT_EQ(bytes,
              "08:05:09.042 \xD6\xB4\xD0\xD0\xC3\xFC\xC1\xEE-\xB9\xD8\xBB\xFA\r\n"
              "08:05:10.000 \xD6\xB4\xD0\xD0\xC3\xFC\xC1\xEE-\xD6\xD8\xC6\xF4\r\n");
}

}  // namespace
}  // namespace tc
