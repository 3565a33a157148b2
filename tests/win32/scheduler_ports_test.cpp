// The shell, process and input ports on real processes and windows, with the helper programs of
// tests/helpers. Each test works in a folder of its own and removes it afterwards.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "core/controls.h"
#include "core/file_paths.h"
#include "core/mouse.h"
#include "core/scheduler.h"
#include "core/slots.h"
#include "platform/errors.h"
#include "platform/win32/win32_input.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_text.h"
#include "support/fakes/fake_clock.h"
#include "support/fakes/fake_code_page.h"
#include "support/fakes/fake_files.h"
#include "support/fakes/fake_input.h"
#include "support/fakes/fake_locale.h"
#include "support/fakes/fake_power_actions.h"
#include "support/fakes/fake_processes.h"
#include "support/fakes/fake_timers.h"
#include "support/fakes/memory_control_values.h"
#include "support/win32/shutdown_stand_in.h"
#include "support/win32/test_folders.h"
#include "support/win32/wait.h"

namespace tc {
namespace {

using test::WaitFor;

using test::FileBytes;
using test::RemoveTree;

// The helper programs are built beside the tests, in the folder helpers.
std::wstring Helper(const wchar_t* name) {
    return test::TestFolder() + L"\\helpers\\" + name + L".exe";
}

// A started process, ended and closed when it goes out of scope.
class Child {
public:
    explicit Child(std::wstring commandLine) {
        STARTUPINFOW si{};
        si.cb = sizeof si;
        started_ = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &si, &pi_) != 0;
        if (started_) CloseHandle(pi_.hThread);
    }
    ~Child() {
        if (!started_) return;
        if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(pi_.hProcess, 99);
        WaitForSingleObject(pi_.hProcess, 5000);
        CloseHandle(pi_.hProcess);
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool started() const { return started_; }
    std::uint32_t pid() const { return pi_.dwProcessId; }
    // The exit code once it has ended within `ms`; STILL_ACTIVE otherwise.
    DWORD ExitCodeWithin(int ms) const {
        WaitForSingleObject(pi_.hProcess, static_cast<DWORD>(ms));
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(pi_.hProcess, &code);
        return code;
    }

private:
    bool started_ = false;
    PROCESS_INFORMATION pi_{};
};

class ScheduledPortsTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        dir = std::wstring(temp) + L"tc_ports_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
              std::to_wstring(GetTickCount());
        ASSERT_TRUE(CreateDirectoryW(dir.c_str(), nullptr));
    }
    void TearDown() override { RemoveTree(dir); }

    std::wstring Folder(const std::wstring& name) {
        const std::wstring path = dir + L"\\" + name;
        CreateDirectoryW(path.c_str(), nullptr);
        return path;
    }
    std::wstring CopyHelper(const wchar_t* helper, const std::wstring& to) {
        EXPECT_TRUE(CopyFileW(Helper(helper).c_str(), to.c_str(), FALSE)) << Narrow(to);
        return to;
    }

    std::wstring dir;
};

bool InSnapshot(Processes& processes, std::uint32_t pid) {
    for (const ProcessEntry& e : processes.Snapshot())
        if (e.pid == pid) return true;
    return false;
}

TEST_F(ScheduledPortsTest, CloseEndsEveryCopyOfTheImageWhateverItsFolderOrCase) {
    const std::wstring one = CopyHelper(L"waiter", Folder(L"one") + L"\\TcWaiter.exe");
    const std::wstring two = CopyHelper(L"waiter", Folder(L"two") + L"\\TCWAITER.EXE");
    const std::wstring other = CopyHelper(L"waiter", Folder(L"three") + L"\\TcWaiterNot.exe");
    Child a(L"\"" + one + L"\" 30"), b(L"\"" + two + L"\" 30"), c(L"\"" + other + L"\" 30");
    ASSERT_TRUE(a.started() && b.started() && c.started());

    Win32Processes processes;
    ASSERT_TRUE(WaitFor([&] {
        return InSnapshot(processes, a.pid()) && InSnapshot(processes, b.pid()) &&
               InSnapshot(processes, c.pid());
    }));
    TerminateByImageName(processes, FileNamePart("D:\\elsewhere\\tcwaiter.exe"));

    EXPECT_EQ(a.ExitCodeWithin(5000), 0u);
    EXPECT_EQ(b.ExitCodeWithin(5000), 0u);
    EXPECT_EQ(c.ExitCodeWithin(200), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_FALSE(processes.Terminate(0x7FFFFFF0));  // no such process: refused, nothing thrown
}

TEST_F(ScheduledPortsTest, OpenFileStartsTheProgramThroughTheShell) {
    // A folder and a name with Chinese characters: the path goes through as UTF-16.
    const std::wstring program = CopyHelper(L"marker", Folder(L"定时程序") + L"\\标记 程序.exe");
    Win32Shell shell(nullptr, nullptr);
    OpenFile(shell, Narrow(program));
    EXPECT_TRUE(WaitFor([&] { return FileBytes(program + L".marker") == "started"; }))
        << Narrow(program);
}

// What reached ShellExecuteW through the shell port's seam; nothing is started.
std::vector<std::wstring>& Executed() {
    static std::vector<std::wstring> files;
    return files;
}
HINSTANCE RecordExecute(HWND, const wchar_t*, const wchar_t* file, const wchar_t*, const wchar_t*,
                        int) {
    Executed().emplace_back(file);
    return reinterpret_cast<HINSTANCE>(33);  // what the shell answers for a success
}

// The shell takes file paths of up to MAX_PATH - 1 characters, as written and as it resolves them
// against the current folder, and URLs of up to 2083: the longest still go through, longer ones
// are refused before the call with the system's own error. Only the longest path goes to the real
// shell; the rest is checked where it reaches the call, so that a fault never hands the shell a
// text that ends this process inside it (paths of about 1,000 characters and more did; under
// Wine 8 a URL of that length does too).
TEST_F(ScheduledPortsTest, PathsAndLinksLongerThanTheShellTakesAreRefusedBeforeTheCall) {
    Win32Shell shell(nullptr, nullptr);
    const std::wstring folder = Folder(std::wstring(150, L'f'));
    const std::wstring name =
        L"\\" + std::wstring(MAX_PATH - 1 - folder.size() - 5, L'm') + L".exe";
    const std::wstring longest = CopyHelper(L"marker", folder + name);
    ASSERT_EQ(longest.size(), static_cast<std::size_t>(MAX_PATH - 1));
    OpenFile(shell, Narrow(longest));
    EXPECT_TRUE(WaitFor([&] { return FileBytes(longest + L".marker") == "started"; }));

    // A relative path is resolved against the current folder, here one of 200 characters.
    const std::wstring deep = Folder(std::wstring(200 - dir.size() - 1, L'd'));
    ASSERT_EQ(deep.size(), 200u);
    struct CurrentFolderKept {
        wchar_t path[MAX_PATH] = {};
        CurrentFolderKept() { GetCurrentDirectoryW(MAX_PATH, path); }
        ~CurrentFolderKept() { SetCurrentDirectoryW(path); }
    } kept;
    ASSERT_TRUE(SetCurrentDirectoryW(deep.c_str()));
    const auto relative = [](std::size_t resolved) {
        return "sub\\" + std::string(resolved - 200 - 9, 'r') + ".exe";
    };
    const auto url = [](std::size_t length) {
        const std::string start = "https://meeting.example.com/j/";
        return start + std::string(length - start.size(), 'q');
    };
    const struct {
        std::string file;
        bool taken;
    } cases[] = {
        {url(300), true},
        {url(2083), true},
        {"ms-teams.v2+x:" + std::string(2083 - 14, 'q'), true},
        {url(2084), false},
        {url(40000), false},
        {relative(MAX_PATH - 1), true},
        {relative(MAX_PATH), false},
        {"C:" + std::string(MAX_PATH - 2, 'a'), false},  // a drive, not a scheme
        {"C:\\" + std::string(MAX_PATH - 7, 'a') + ".exe", false},
        {"C:\\" + std::string(1000 - 7, 'a') + ".exe", false},
        {"C:\\" + std::string(32000 - 7, 'a') + ".exe", false},
    };
    Win32Shell recorded(nullptr, nullptr, RecordExecute);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.substr(0, 40) + "... (" + std::to_string(c.file.size()) + ")");
        Executed().clear();
        try {
            OpenFile(recorded, c.file);
            EXPECT_TRUE(c.taken) << "not refused";
            EXPECT_EQ(Executed(), std::vector<std::wstring>{Widen(c.file)});
        } catch (const SystemError& e) {
            EXPECT_FALSE(c.taken) << "refused";
            EXPECT_TRUE(Executed().empty());
            EXPECT_EQ(std::string(e.what()), "System Error.  Code: 206.\r\n" +
                                                 SystemErrorText(ERROR_FILENAME_EXCED_RANGE));
        }
    }
}

TEST_F(ScheduledPortsTest, ClickBurstReachesTheWindowAtThePointAndTheCursorGoesBack) {
    wchar_t display[256];
    if (GetEnvironmentVariableW(L"DISPLAY", display, 256) == 0)
        GTEST_SKIP() << "no display to click on";
    const std::wstring report = dir + L"\\clicks.txt";
    Child target(L"\"" + Helper(L"click_target") + L"\" \"" + report + L"\" 100 120 240 160");
    ASSERT_TRUE(target.started());
    ASSERT_TRUE(WaitFor([&] { return !FileBytes(report).empty(); }));
    // The window is up when it is the one under the point (the first window of a run may also
    // bring up Wine's desktop, which centres the cursor when it starts).
    ASSERT_TRUE(WaitFor([] {
        const HWND window = FindWindowW(L"TallowcronClickTarget", nullptr);
        return window != nullptr && WindowFromPoint({220, 200}) == window;
    }));

    Win32Input input;
    ASSERT_TRUE(WaitFor(
        [&] {
            input.SetCursorPos({30, 40});
            Sleep(50);
            return input.CursorPos() == Point{30, 40};
        },
        3000));
    ClickAt(input, {220, 200});

    EXPECT_TRUE(WaitFor([&] { return FileBytes(report) == "3 3 220 200\n"; }, 5000))
        << FileBytes(report);
    // Under Wine the button events reach the display after the call returns, and the position
    // they carry can show for a moment before the cursor settles back.
    EXPECT_TRUE(WaitFor([&] { return input.CursorPos() == Point{30, 40}; }, 2000));
}

TEST_F(ScheduledPortsTest, PowerCommandReachesShutdownExeWithItsParameters) {
    const std::wstring log = dir + L"\\shutdown_calls.txt";
    test::ShutdownStandIn recorder(Helper(L"recorder"), log);
    if (!recorder.UnderWine()) GTEST_SKIP() << "only under Wine: never start the real shutdown.exe";
    ASSERT_TRUE(recorder.Ready()) << "the recorder is not in place: nothing is started";

    // The power-off scheduler on the real shell, everything else in memory.
    FakeClock clock{LocalTime{2023, 1, 19, 12, 0, 0, 0}};
    FakeLocale locale;
    Moments moments(clock, locale);
    MemoryControlValues form;
    Win32Shell shell(nullptr, nullptr);
    FakeProcesses processes;
    FakeInput input;
    FakeTimers timers;
    FakeFiles files;
    FakeCodePage codePage;
    CommandLog commandLog(clock, files, codePage);
    FakePowerActions powerActions;
    Scheduler scheduler(form, moments, {shell, processes, input, timers, powerActions, commandLog});
    scheduler.StartScheduling();
    form.SetChecked(kSetMomentCheck, true);

    const struct {
        int item;
        int second;
        const char* parameters;
    } commands[] = {{0, 5, "-s -t 0"}, {1, 10, "-r -t 0"}, {3, 15, "-h"}, {4, 20, "-l"}};
    std::vector<std::string> expected;
    for (const auto& c : commands) {
        form.SetItemIndex(kPowerCommandCombo, c.item);
        form.SetDateTime(kSetMomentDatePicker, EncodeDate(2023, 1, 19));
        form.SetDateTime(kSetMomentTimePicker, EncodeTime(12, 0, c.second, 0));
        clock.Set(2023, 1, 19, 12, 0, c.second, 40);
        scheduler.PowerTick();
        expected.push_back(c.parameters);
        ASSERT_TRUE(WaitFor([&] {
            const std::string text = FileBytes(log);
            return std::count(text.begin(), text.end(), '\n') == static_cast<long>(expected.size());
        })) << FileBytes(log);
    }
    std::istringstream lines(FileBytes(log));
    std::string line;
    for (const std::string& parameters : expected) {
        std::getline(lines, line);
        EXPECT_NE(line.find("shutdown.exe"), std::string::npos) << line;
        EXPECT_EQ(line.substr(line.size() - parameters.size()), parameters) << line;
    }
}

}  // namespace
}  // namespace tc
