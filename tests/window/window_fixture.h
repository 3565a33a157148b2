#pragma once
// A main window created in this process with fakes around it, and the tools the window tests
// share: pumping messages, stand-ins for the system's dialogs, control geometry.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/main_window.h"
#include "app/win32_control_values.h"
#include "support/fakes/fake_clock.h"
#include "support/fakes/fake_code_page.h"
#include "support/fakes/fake_files.h"
#include "support/fakes/fake_input.h"
#include "support/fakes/fake_locale.h"
#include "support/fakes/fake_processes.h"
#include "support/fakes/fake_registry.h"
#include "support/fakes/fake_shell.h"

namespace tc::test {

// What the stand-in open-file dialog was given and what it answers.
struct DialogScript {
    std::optional<std::wstring> answer;  // the file to choose; nothing: cancel
    int opened = 0;
    std::wstring filter;  // the filter as given, NUL separators kept
    int filterIndex = 0;
    std::wstring initialFile;
    DWORD flags = 0;
    int chooseFilterIndex = 0;  // 0: keep the one it was opened with
};
DialogScript& Dialog();
BOOL WINAPI FakeGetOpenFileName(OPENFILENAMEW* ofn);

// What the stand-in message box was shown. While "open" it runs the thread's messages for
// `pumpMs`, as a real modal box does, so the window's timers tick inside it.
struct ShownBox {
    std::wstring text;
    std::wstring title;
    UINT type = 0;
    bool ownerVisible = false;  // the owner window was on the screen while the box was up
};
struct BoxScript {
    std::vector<ShownBox> shown;
    int pumpMs = 0;
    int depth = 0;
    int maxDepth = 0;
};
BoxScript& Boxes();
int WINAPI FakeMessageBox(HWND owner, LPCWSTR text, LPCWSTR title, UINT type);

// What the notification area was asked, and whether it refuses.
struct NotifyCall {
    DWORD message;
    HWND window;
    UINT flags;
    std::wstring tip;
    bool hasIcon;
    HICON icon;
    std::wstring infoTitle;  // a balloon (NIF_INFO): its title and text
    std::wstring info;
};
struct NotifyScript {
    std::vector<NotifyCall> calls;
    bool refuse = false;
    // Messages that windows were let receive from less trusted processes.
    std::vector<std::pair<HWND, UINT>> allowed;
    int Count(DWORD message) const;
};
NotifyScript& Notifications();
BOOL WINAPI FakeNotifyIcon(DWORD message, PNOTIFYICONDATAW data);
BOOL WINAPI FakeAllowMessage(HWND window, UINT message, DWORD action, PCHANGEFILTERSTRUCT);

// The icon's menus as the stand-in for TrackPopupMenuEx saw them, and the item it chooses.
struct MenuItem {
    UINT id;
    std::wstring text;  // empty for a separator
    bool enabled;       // false for a separator
    bool isDefault;
};
struct MenuScript {
    std::vector<std::vector<MenuItem>> shown;
    UINT choose = 0;  // the command to return; 0: closed without a choice
};
MenuScript& Menus();
BOOL WINAPI FakeTrackMenu(HMENU menu, UINT flags, int x, int y, HWND owner, LPTPMPARAMS);

// Runs the thread's messages for about `ms` milliseconds.
void Pump(int ms);

// A control's rectangle relative to its parent's client area.
RECT RectInParent(HWND control);
// ... and relative to the main window's client area.
RECT RectInClient(HWND control, HWND form);
std::string ClassOf(HWND hwnd);

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Creates the window (and shows it unless asked not to). With TC_WINDOWS7_BRANCH set in the
    // environment the window finds none of the functions that Windows versions after 7 added and
    // takes the branches that Windows 7 takes, which under Wine (it has every one) never run.
    void Open(bool show = true);

    HWND Ctl(std::string_view name) const { return form->Control(name); }
    Win32ControlValues& Values() { return form->Values(); }

    FakeClock clock{LocalTime{2026, 3, 4, 5, 6, 7, 0}};
    FakeLocale locale;
    FakeFiles files;
    FakeCodePage codePage;
    FakeProcesses processes;
    FakeInput input;
    FakeRegistry registry;
    FakeShell shell;
    std::unique_ptr<MainWindow> form;
};

}  // namespace tc::test
