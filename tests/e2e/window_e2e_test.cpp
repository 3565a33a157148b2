// The main window of the real program, used with the mouse and keyboard: saving the settings
// from the toolbar, hiding into the notification area and coming back, one running copy per
// folder, and a failing mouse task that must not stack error boxes.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "desktop.h"
#include "e2e_files.h"
#include "moment_text.h"
#include "running_program.h"
#include "user_input.h"
#include "window_layout.h"
#include "wine_links.h"

namespace tc::e2e {
namespace {

POINT At(HWND window, layout::ClientPoint point) { return ScreenPoint(window, point.x, point.y); }
HWND ControlAt(HWND window, layout::ClientPoint point) {
    return e2e::ControlAt(window, point.x, point.y);
}

class WindowEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        if (!DesktopAvailable()) GTEST_SKIP() << "no display: the program needs one";
        ASSERT_TRUE(program.Ready()) << "could not copy Tallowcron.exe into a fresh folder";
    }

    RunningProgram program;
};

// config.ini as saved: "[Section]" and "key=value" lines, read back in file order.
std::vector<std::pair<std::string, std::string>> Entries(const std::string& text) {
    std::vector<std::pair<std::string, std::string>> entries;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        const size_t equals = line.find('=');
        if (line.front() == '[' || equals == std::string::npos)
            entries.emplace_back(line, "");
        else
            entries.emplace_back(line.substr(0, equals), line.substr(equals + 1));
    }
    return entries;
}

// The settings file's sections and keys in the order saving writes them.
std::vector<std::string> SavedLayout() {
    std::vector<std::string> layout = {"[SoftWare]", "counT",  "AutoRun",  "AutoTimeRun",
                                       "sysTask",    "cdTask", "ptTask",   "ptTaskDate",
                                       "ptTaskTime", "timeOn", "[SoftRun]"};
    for (const char* stem : {"exepath", "exechk", "exeTimeOn", "task", "TaskDate", "TaskTime"})
        for (int n = 1; n <= 5; ++n) layout.push_back(stem + std::to_string(n));
    for (const char* key : {"[MouseRun]", "timeInv", "mouseX", "mouseY"}) layout.push_back(key);
    return layout;
}

TEST_F(WindowEndToEnd, SaveButtonWritesEveryKeyBesideTheProgramAndExitEndsIt) {
    const SYSTEMTIME time{2023, 1, 4, 19, 6, 7, 8, 0};  // Thursday 19 January 2023, 06:07:08
    const std::string path3 = "C:\\Tools\\定时 程序.exe";
    ASSERT_TRUE(program.WriteConfig(
        {"[SoftWare]", "counT=025", "AutoRun=0", "AutoTimeRun=0", "sysTask=1", "ptTaskDate=45000",
         "ptTaskTime=" + LongTime(time), "[SoftRun]", "exepath3=" + path3, "exechk3=1",
         "exeTimeOn3=1", "task3=1", "TaskDate2=44945", "[MouseRun]", "timeInv=7", "mouseX=321",
         "mouseY=0099"}));
    // Started from another folder, as the Run key starts it at log-on.
    const std::wstring elsewhere = program.PathOf(L"elsewhere");
    ASSERT_TRUE(CreateDirectoryW(elsewhere.c_str(), nullptr));
    const HWND window = program.Start(elsewhere);
    ASSERT_NE(window, nullptr) << "the main window did not appear";
    ASSERT_EQ(TextOf(ControlAt(window, layout::kEdit9)), "25") << "config.ini was not loaded";

    // Saving rewrites the file from the window alone.
    ASSERT_TRUE(DeleteFileW(program.PathOf(L"config.ini").c_str()));
    ASSERT_TRUE(Click(At(window, layout::kSaveButton)));
    ASSERT_TRUE(WaitFor([&] { return !FileBytes(program.PathOf(L"config.ini")).empty(); }, 10000))
        << "no config.ini after clicking 保存配置";
    Sleep(500);  // written whole, but give a slow writer its time
    const std::string saved = AnsiToUtf8(FileBytes(program.PathOf(L"config.ini")));
    EXPECT_FALSE(FileExists(elsewhere + L"\\config.ini"));
    EXPECT_TRUE(MessageBoxesOf(program.Pid()).empty()) << "saving showed a message";

    const auto entries = Entries(saved);
    std::vector<std::string> names;
    for (const auto& entry : entries) names.push_back(entry.first);
    ASSERT_EQ(names, SavedLayout()) << saved;
    auto value = [&](const std::string& key) {
        for (const auto& entry : entries)
            if (entry.first == key) return entry.second;
        return std::string("<missing>");
    };
    const std::pair<const char*, std::string> expected[] = {
        {"counT", "25"},  // loaded as a number, so saved without its leading zero
        {"AutoRun", "0"},
        {"AutoTimeRun", "0"},
        {"sysTask", "1"},
        {"cdTask", "0"},
        {"ptTask", "0"},
        {"ptTaskDate", "45000.4520567477"},  // with the picker's own time
        {"ptTaskTime", LongTime(time)},
        {"timeOn", "0"},
        {"exepath1", "E:\\qzvt.exe"},
        {"exepath3", path3},
        {"exechk1", "0"},
        {"exechk3", "1"},
        {"exeTimeOn3", "1"},
        {"task1", "0"},
        {"task3", "1"},
        {"timeInv", "7"},
        {"mouseX", "321"},
        {"mouseY", "0099"},  // texts as they stand
    };
    for (const auto& [key, text] : expected) EXPECT_EQ(value(key), text) << key;
    EXPECT_EQ(value("TaskDate2").rfind("44945.", 0), 0u) << value("TaskDate2");

    // "退出" ends the program with exit code 0, asking nothing.
    ASSERT_TRUE(Click(At(window, layout::kExitButton)));
    EXPECT_EQ(program.ExitCodeWithin(10000), 0u);
}

// Started as a shortcut set to "Run: Minimized" starts it, and minimised later with its button,
// the window waits in the notification area, off the taskbar, its read-outs at rest; a
// double-click on the icon brings it back.
TEST_F(WindowEndToEnd, MinimiseHidesIntoTheNotificationAreaAndDoubleClickBringsItBack) {
    // Where the icon is drawn and how task buttons are made is known of Wine's taskbar only.
    if (!RunningUnderWine()) GTEST_SKIP() << "the notification area is read as Wine draws it";
    ASSERT_TRUE(program.Launch(false, SW_SHOWMINNOACTIVE));
    HWND window = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            window = MainWindowOf(program.Pid());
            return window != nullptr && IsIconic(window);
        },
        30000))
        << "the first show was not minimised";
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(window); }, 5000))
        << "started minimised, the window stayed on the taskbar";
    // Wine's desktop and its taskbar come up with the first window on them.
    WaitFor([] { return Taskbar() != nullptr; }, 5000);
    const std::optional<POINT> icon = NotificationAreaEnd();
    if (!icon) GTEST_SKIP() << "no taskbar: the desktop is not Wine's \"shell\" desktop";
    // Icons left behind by programs that ended without removing theirs go away when the mouse
    // passes over them; ours is then the only one, at the right end.
    for (int pass = 0; pass < 5; ++pass) {
        ASSERT_TRUE(MoveMouseTo({icon->x - 40 + 8 * pass, icon->y}));
        ASSERT_TRUE(MoveMouseTo(*icon));
    }
    const HWND statusBar = ChildOfClass(window, L"msctls_statusbar32");
    ASSERT_NE(statusBar, nullptr);
    const std::string unseenClock = TextOf(statusBar);
    EXPECT_FALSE(WaitFor([&] { return TextOf(statusBar) != unseenClock; }, 1500)) << unseenClock;
    const int unseenButtons = TaskButtonCount();
    ASSERT_TRUE(DoubleClick(*icon));
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(window) && !IsIconic(window); }, 5000))
        << "started minimised, a double-click on the icon did not bring the window";
    EXPECT_TRUE(WaitFor([&] { return TextOf(statusBar) != unseenClock; }, 1500));
    EXPECT_TRUE(WaitFor([&] { return TaskButtonCount() == unseenButtons + 1; }, 5000));

    const HWND edit7 = ControlAt(window, layout::kEdit7);
    ASSERT_EQ(TextOf(edit7), "1080");
    ASSERT_TRUE(Click(At(window, layout::kEdit7)));
    ASSERT_TRUE(WaitFor([&] { return FocusOf(window) == edit7; }, 5000));
    const int buttons = TaskButtonCount();

    const std::optional<POINT> minimise = FramePart(window, HTMINBUTTON);
    ASSERT_TRUE(minimise.has_value()) << "no minimise button in the title bar";
    ASSERT_TRUE(Click(*minimise));
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(window); }, 5000))
        << "minimising did not hide the window";
    EXPECT_TRUE(WaitFor([&] { return TaskButtonCount() == buttons - 1; }, 5000))
        << "the taskbar button stayed: " << TaskButtonCount() << " of " << buttons;
    // Hidden, the read-outs rest: the clock keeps the second it showed when it was hidden.
    const std::string clock = TextOf(statusBar);
    EXPECT_FALSE(WaitFor([&] { return TextOf(statusBar) != clock; }, 1500)) << clock;
    EXPECT_TRUE(program.Running());

    ASSERT_TRUE(DoubleClick(*icon));
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(window) && !IsIconic(window); }, 5000))
        << "a double-click on the notification-area icon did not bring the window back";
    // Seen again, the clock shows the present at once, not that second.
    EXPECT_NE(TextOf(statusBar), clock);
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == window; }, 5000));
    EXPECT_TRUE(WaitFor([&] { return FocusOf(window) == edit7; }, 5000))
        << "the focus did not come back to Edit7";
    EXPECT_TRUE(WaitFor([&] { return TaskButtonCount() == buttons; }, 5000));
    EXPECT_EQ(TextOf(edit7), "1080");
}

// One copy runs per folder, whatever the folder is called. A second start from the same folder,
// its path in other letter case, through another drive letter or through a symbolic link, ends
// with exit code 0 and brings the running copy back from the notification area. A copy in
// another folder runs beside it, and of two starts there at the same instant one runs; the other
// waits for it to show, however long that takes, and brings it forward, and neither brings back
// the first folder's copy.
TEST_F(WindowEndToEnd, OneCopyRunsPerFolderAndASecondStartBringsItBack) {
    const std::wstring folder = program.Folder();
    const std::wstring parent = folder.substr(0, folder.rfind(L'\\'));
    std::wstring upperCase = program.PathOf(L"Tallowcron.exe");
    CharUpperBuffW(upperCase.data(), static_cast<DWORD>(upperCase.size()));
    ASSERT_NE(upperCase, program.PathOf(L"Tallowcron.exe"));
    std::vector<std::wstring> otherNames = {upperCase};
    // Made before the first start: Wine gives a folder the serial number of the drive that
    // reaches it most closely, so a drive made later would change it for the second start only.
    const WineDrive drive(parent);
    const FolderLink link(folder, folder + L"_link");
    if (RunningUnderWine()) {
        ASSERT_FALSE(drive.Letter().empty()) << "no second drive letter";
        ASSERT_TRUE(link.Made()) << "no symbolic link";
        otherNames.push_back(drive.Letter() + folder.substr(parent.size()) + L"\\Tallowcron.exe");
        otherNames.push_back(folder + L"_link\\Tallowcron.exe");
    }

    const HWND window = program.Start();
    ASSERT_NE(window, nullptr) << "the main window did not appear";
    for (const std::wstring& path : otherNames) {
        SCOPED_TRACE(Utf8(path));
        // As the minimise button does it: hidden into the notification area (minimised on the
        // taskbar where there is none).
        PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(window) || IsIconic(window); }, 5000));

        RunningProgram second(path);
        ASSERT_TRUE(second.Ready());
        ASSERT_TRUE(second.Launch());
        ASSERT_EQ(second.ExitCodeWithin(20000), 0u) << "a second copy runs from the same folder";
        EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(window) && !IsIconic(window); }, 5000))
            << "the running copy did not come back";
        EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == window; }, 5000));
        EXPECT_TRUE(program.Running());
    }

    // A second start at log-on (the Run value's "/autorun") ends at once and leaves the running
    // copy where it is, in the notification area.
    PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(window) || IsIconic(window); }, 5000));
    {
        RunningProgram atLogOn(program.PathOf(L"Tallowcron.exe"));
        ASSERT_TRUE(atLogOn.Launch(false, std::nullopt, L"/autorun"));
        EXPECT_EQ(atLogOn.ExitCodeWithin(5000), 0u) << "a second copy runs from the same folder";
        EXPECT_FALSE(WaitFor([&] { return IsWindowVisible(window) && !IsIconic(window); }, 1000))
            << "a start at log-on brought the running copy forward";
    }

    // Two starts in another folder at the same instant, both minimised as a shortcut set to
    // "Run: Minimized" starts them: one runs. It is held before its first show for longer than a
    // second start ever waited before (10 s); the other start still brings it forward, out of the
    // notification area, once it has shown.
    PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(window) || IsIconic(window); }, 5000));
    RunningProgram other;
    ASSERT_TRUE(other.Ready());
    RunningProgram otherAgain(other.PathOf(L"Tallowcron.exe"));
    ASSERT_TRUE(other.Launch(true, SW_SHOWMINNOACTIVE));
    ASSERT_TRUE(otherAgain.Launch(true, SW_SHOWMINNOACTIVE));
    other.Resume();
    otherAgain.Resume();
    // The one that holds the folder makes its main window a good tenth of a second before it
    // shows it (the controls are made in between): held there.
    RunningProgram* runs = nullptr;
    HWND otherWindow = nullptr;
    for (const ULONGLONG end = GetTickCount64() + 30000; !runs && GetTickCount64() < end;) {
        for (RunningProgram* start : {&other, &otherAgain}) {
            otherWindow = MainWindowOf(start->Pid());
            if (otherWindow != nullptr) {
                start->Suspend();
                runs = start;
                break;
            }
        }
        Sleep(1);
    }
    ASSERT_NE(runs, nullptr) << "neither start made a main window";
    ASSERT_FALSE(IsWindowVisible(otherWindow) || IsIconic(otherWindow)) << "held too late";
    RunningProgram& ended = runs == &other ? otherAgain : other;
    EXPECT_FALSE(WaitFor([&] { return !ended.Running(); }, 11000))
        << "the second start ended before the running copy showed";
    runs->Resume();
    EXPECT_EQ(ended.ExitCodeWithin(20000), 0u) << "two copies run from one folder";
    EXPECT_TRUE(
        WaitFor([&] { return IsWindowVisible(otherWindow) && !IsIconic(otherWindow); }, 5000))
        << "the running copy was not brought forward once it showed";
    EXPECT_TRUE(runs->Running());
    EXPECT_TRUE(program.Running()) << "the copy in the first folder ended";
    EXPECT_TRUE(!IsWindowVisible(window) || IsIconic(window))
        << "a start in another folder brought back the first folder's copy";
}

TEST_F(WindowEndToEnd, FailingMouseIntervalShowsOneErrorBoxAtATime) {
    // The digit filter keeps the dot out of Edit6 when typing; loading puts the text in as it is.
    ASSERT_TRUE(program.WriteConfig({"[MouseRun]", "timeInv=1.5"}));
    const HWND window = program.Start();
    ASSERT_NE(window, nullptr) << "the main window did not appear";
    ASSERT_EQ(TextOf(ControlAt(window, layout::kEdit6)), "1.5");

    // Switching the mouse task on: every tick from then on fails converting the interval.
    ASSERT_TRUE(Click(At(window, layout::kCheckBox1)));
    size_t most = 0;
    HWND box = nullptr;
    for (int sample = 0; sample < 60; ++sample) {  // six seconds: several failing ticks
        const std::vector<HWND> boxes = MessageBoxesOf(program.Pid());
        most = std::max(most, boxes.size());
        if (!boxes.empty()) box = boxes.front();
        Sleep(100);
    }
    ASSERT_NE(box, nullptr) << "no error box";
    EXPECT_EQ(most, 1u) << "error boxes piled up";
    EXPECT_EQ(TextOf(box), "Tallowcron");
    EXPECT_EQ(MessageOf(box), "'1.5' is not a valid integer value.");

    // OK closes it; the next failing tick shows one box again, still never two.
    const HWND ok = GetDlgItem(box, IDOK);
    ASSERT_NE(ok, nullptr);
    ASSERT_TRUE(Click(CentreOf(ok)));
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }, 5000)) << "OK did not close the box";
    most = 0;
    size_t last = 0;
    for (int sample = 0; sample < 30; ++sample) {
        last = MessageBoxesOf(program.Pid()).size();
        most = std::max(most, last);
        Sleep(100);
    }
    EXPECT_EQ(most, 1u);
    EXPECT_EQ(last, 1u) << "the failing tick no longer reports";
}

}  // namespace
}  // namespace tc::e2e
