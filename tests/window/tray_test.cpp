// The notification-area icon: added at creation, minimising hides the window, a double-click
// brings it back, the shell's new taskbar gets the icon again, removed at the end.
#include <windows.h>
#include <commctrl.h>

#include <tuple>
#include <utility>
#include <vector>

#include "app/controls/status_bar.h"
#include "app/single_instance.h"
#include "app/tray_icon.h"
#include "app/tray_menu.h"
#include "app/win32/win32_window.h"
#include "core/controls.h"
#include "window_fixture.h"

namespace tc::test {
namespace {

constexpr UINT kTrayCallback = WM_APP + 1;

class TrayTest : public WindowTest {
protected:
    void DoubleClick() {
        SendMessageW(form->Tray().Window(), kTrayCallback, 1, WM_LBUTTONDBLCLK);
        Pump(50);
    }
    void Minimise() {
        SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        Pump(50);
    }
};

TEST_F(TrayTest, AddedOnceTheWindowIsShownWithTheProgramIconAndTooltipOnItsOwnWindow) {
    Open(false);
    EXPECT_TRUE(Notifications().calls.empty());
    form->Show();
    // Added, then asked for the version 4 behaviour (the menu comes as WM_CONTEXTMENU).
    ASSERT_EQ(Notifications().calls.size(), 2u);
    EXPECT_EQ(Notifications().calls[1].message, static_cast<DWORD>(NIM_SETVERSION));
    const NotifyCall& add = Notifications().calls[0];
    EXPECT_EQ(add.message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(add.tip, L"Tallowcron");
    EXPECT_TRUE(add.hasIcon);
    EXPECT_EQ(add.flags & (NIF_MESSAGE | NIF_ICON | NIF_TIP),
              static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_NE(add.window, form->Handle());
    EXPECT_EQ(add.window, form->Tray().Window());
    EXPECT_FALSE(IsWindowVisible(add.window));
    EXPECT_TRUE(form->Tray().Active());
}

TEST_F(TrayTest, MinimisingHidesAndADoubleClickRestoresWithFocusAndValues) {
    Open();
    Values().SetText(kClickIntervalEdit, "7");
    SetFocus(Ctl(kClickXEdit));
    Minimise();
    EXPECT_FALSE(IsWindowVisible(form->Handle()));  // no taskbar button, no Alt+Tab entry

    // Single clicks and the right button's double-click do nothing.
    SendMessageW(form->Tray().Window(), kTrayCallback, 1, WM_LBUTTONDOWN);
    SendMessageW(form->Tray().Window(), kTrayCallback, 1, WM_LBUTTONUP);
    SendMessageW(form->Tray().Window(), kTrayCallback, 1, WM_RBUTTONDBLCLK);
    Pump(50);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));

    DoubleClick();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(IsIconic(form->Handle()));
    EXPECT_EQ(GetFocus(), Ctl(kClickXEdit));
    EXPECT_EQ(Values().Text(kClickIntervalEdit), "7");
}

// While the clock runs the tooltip names the next action, and a balloon warns a minute before a
// power command; a click on the balloon brings the hidden window back.
TEST_F(TrayTest, TipNamesTheNextActionAndABalloonWarnsOfAPowerCommand) {
    Open();
    Values().SetText(RowName(kSlotPathPrefix, 1), "D:\\Tools\\qzvt.exe");
    Values().SetDateTime(RowName(kSlotDatePrefix, 1), EncodeDate(2026, 3, 4));
    Values().SetDateTime(RowName(kSlotTimePrefix, 1), EncodeTime(5, 16, 7, 0));
    Values().SetChecked(RowName(kSlotOnPrefix, 1), true);
    Values().SetItemIndex(kPowerCommandCombo, 1);
    Values().SetDateTime(kSetMomentDatePicker, EncodeDate(2026, 3, 4));
    Values().SetDateTime(kSetMomentTimePicker, EncodeTime(5, 6, 40, 0));
    Values().SetChecked(kSetMomentCheck, true);
    Minimise();
    const std::size_t before = Notifications().calls.size();
    SendMessageW(Ctl(kStartButton), BM_CLICK, 0, 0);
    clock.AdvanceMs(1000);
    Pump(1300);
    std::vector<NotifyCall> asked(Notifications().calls.begin() + static_cast<long>(before),
                                  Notifications().calls.end());
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_TRUE(asked[0].flags & NIF_INFO);
    EXPECT_EQ(asked[0].infoTitle, L"Tallowcron");
    EXPECT_EQ(asked[0].info, L"将于 05:06:40 重启。点击“停止”可取消。");
    EXPECT_EQ(asked[1].message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_FALSE(asked[1].flags & NIF_INFO);
    EXPECT_EQ(asked[1].tip, L"Tallowcron\n下一项：重启 2026/3/4 05:06:40");

    SendMessageW(form->Tray().Window(), kTrayCallback, 1, NIN_BALLOONUSERCLICK);
    Pump(50);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(IsIconic(form->Handle()));

    SendMessageW(Ctl(kStopButton), BM_CLICK, 0, 0);
    EXPECT_EQ(Notifications().calls.back().tip, L"Tallowcron");
    EXPECT_EQ(Notifications().calls.size(), before + 3);
}

// The icon's menu, asked for as the shell asks for it, with the clock stopped, running and with
// the mouse task on: its items, their states, and what each does.
TEST_F(TrayTest, TheIconsMenuDoesWhatTheWindowsButtonsDo) {
    Open();
    Values().SetText(RowName(kSlotPathPrefix, 1), "D:\\Tools\\qzvt.exe");
    Values().SetDateTime(RowName(kSlotDatePrefix, 1), EncodeDate(2026, 3, 4));
    Values().SetDateTime(RowName(kSlotTimePrefix, 1), EncodeTime(5, 16, 7, 0));
    Values().SetChecked(RowName(kSlotOnPrefix, 1), true);
    Minimise();
    using Item = std::tuple<std::wstring, bool, bool>;  // text, enabled, default
    const auto menu = [&](TrayCommand choose) {
        Menus().choose = static_cast<UINT>(choose);
        SendMessageW(form->Tray().Window(), kTrayCallback, MAKEWPARAM(300, 400),
                     MAKELPARAM(WM_CONTEXTMENU, 1));
        Pump(50);
        std::vector<Item> items;
        if (Menus().shown.empty()) return items;
        for (const MenuItem& i : Menus().shown.back())
            items.emplace_back(i.text, i.enabled, i.isDefault);
        return items;
    };
    const Item show{L"显示窗口", true, true};
    const Item exit{L"退出", true, false};
    const Item separator{L"", false, false};

    EXPECT_EQ(menu(TrayCommand::Start),
              (std::vector<Item>{
                  show, {L"开始", true, false}, {L"停止", false, false}, separator, exit}));
    EXPECT_FALSE(Values().Enabled(kStartButton));  // started, as the toolbar's button does
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    // The next action shows once a tick has read the slots, as in the tooltip.
    clock.AdvanceMs(1000);
    Pump(1100);
    Values().SetChecked(kMouseOnCheck, true);
    EXPECT_EQ(menu(TrayCommand::StopClicks),
              (std::vector<Item>{{L"下一项：打开程序 qzvt.exe 2026/3/4 05:16:07", false, false},
                                 show,
                                 {L"开始", false, false},
                                 {L"停止", true, false},
                                 {L"停止鼠标单击", true, false},
                                 separator,
                                 exit}));
    EXPECT_FALSE(Values().Checked(kMouseOnCheck));
    menu(TrayCommand::Stop);
    EXPECT_TRUE(Values().Enabled(kStartButton));
    menu(TrayCommand::None);  // closed without a choice: nothing changes
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    menu(TrayCommand::ShowWindow);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    menu(TrayCommand::Exit);
    Pump(50);
    EXPECT_FALSE(IsWindow(form->Handle()));
}

// While hidden the window keeps what the schedulers read; whatever changes a control, a write of
// the program, a control telling of a change, the window shown again, the next tick sees it.
TEST_F(TrayTest, TicksWhileHiddenSeeEveryChangeOfTheControls) {
    Open();
    const auto setSlot = [&](int row, const char* path, int second) {
        const std::string n = std::to_string(row);
        Values().SetText("Edit" + n, path);
        Values().SetDateTime("FSetDate" + n, EncodeDate(2026, 3, 4));
        Values().SetDateTime("FSetTime" + n, EncodeTime(5, 6, second, 0));
        Values().SetChecked("chk" + n, true);
    };
    const auto tick = [&] {
        clock.AdvanceMs(1000);
        Pump(1100);
    };
    setSlot(1, "D:\\a.exe", 9);
    setSlot(2, "D:\\b.exe", 50);
    SendMessageW(Ctl(kStartButton), BM_CLICK, 0, 0);
    Minimise();
    tick();  // 05:06:08: the slots read and kept
    SetWindowTextW(Ctl(RowName(kSlotPathPrefix, 1)),
                   L"D:\\c.exe");                 // the edit tells its window of the change
    EXPECT_EQ(Values().Text(kActivityMemo), "");  // the empty information box read and kept
    tick();
    // The line appended since is in the next read.
    EXPECT_EQ(Values().Text(kActivityMemo), "打开程序-D:\\c.exe-执行时间-2026/3/4 05:06:09\r\n");
    Values().SetDateTime(RowName(kSlotTimePrefix, 2), EncodeTime(5, 6, 10, 0));
    tick();
    ASSERT_EQ(shell.calls.size(), 2u);
    EXPECT_EQ(shell.calls[0].file, "D:\\c.exe");
    EXPECT_EQ(shell.calls[1].file, "D:\\b.exe");

    // Shown again, the information box holds the lines of the hidden time, in order, the one
    // still held too, before anything reads it; and nothing is kept: a change that tells no one
    // is seen at the next tick.
    DoubleClick();
    EXPECT_EQ(WindowText(Ctl(kActivityMemo)),
              "打开程序-D:\\c.exe-执行时间-2026/3/4 05:06:09\r\n"
              "打开程序-D:\\b.exe-执行时间-2026/3/4 05:06:10\r\n");
    Values().SetDateTime(RowName(kSlotTimePrefix, 1), EncodeTime(5, 6, 12, 0));
    tick();
    SendMessageW(Ctl(RowName(kSlotOnPrefix, 1)), BM_SETCHECK, BST_UNCHECKED, 0);
    tick();
    EXPECT_EQ(shell.calls.size(), 2u);
}

TEST_F(TrayTest, ReadoutsRestWhileHiddenAndAreFreshTheMomentTheWindowIsBack) {
    Open();
    HWND bar = Ctl(kStatusBar);
    Pump(1150);
    ASSERT_EQ(StatusText(bar, 0), "2026/3/4 05:06:07");
    Minimise();
    clock.Set(2026, 5, 6, 7, 8, 9);
    input.cursor = {12, 34};
    Pump(1150);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    // No read-out work while it cannot be seen.
    EXPECT_EQ(StatusText(bar, 0), "2026/3/4 05:06:07");
    EXPECT_EQ(StatusText(bar, 1), "当前鼠标坐标400 -- 300");

    // Brought back, it shows the present before any tick could have come.
    SendMessageW(form->Tray().Window(), kTrayCallback, 1, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(StatusText(bar, 0), "2026/5/6 07:08:09");
    EXPECT_EQ(StatusText(bar, 1), "当前鼠标坐标12 -- 34");
    // And the read-outs tick again.
    clock.Set(2026, 5, 6, 7, 8, 10);
    input.cursor = {56, 78};
    Pump(1150);
    EXPECT_EQ(StatusText(bar, 0), "2026/5/6 07:08:10");
    EXPECT_EQ(StatusText(bar, 1), "当前鼠标坐标56 -- 78");
}

// Started minimised (a shortcut set to "Run: Minimized"), the window loads its settings and goes
// into the notification area as a minimise does, with the read-outs at rest and the reads of
// hidden ticks kept.
TEST_F(TrayTest, AFirstShowMinimisedWaitsInTheNotificationArea) {
    files.files["C:\\Tools\\Tallowcron\\config.ini"] = "[SoftWare]\r\ncounT=25\r\n";
    Open(false);
    form->Show(SW_SHOWMINNOACTIVE);
    EXPECT_EQ(Values().Text(kCountdownMinutesEdit), "25");
    EXPECT_TRUE(form->Tray().Active());
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_TRUE(Values().Version().has_value());
    HWND bar = Ctl(kStatusBar);
    clock.Set(2026, 5, 6, 7, 8, 9);
    Pump(1150);
    EXPECT_EQ(StatusText(bar, 0), "");

    DoubleClick();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(IsIconic(form->Handle()));
    EXPECT_FALSE(Values().Version().has_value());
    Pump(1150);
    EXPECT_EQ(StatusText(bar, 0), "2026/5/6 07:08:09");
}

// Started at log-on ("/autorun"): with settings that start the clock, the window is never shown
// and waits in the notification area, the clock running; with settings that do not, it shows,
// as the user has to press "开始".
TEST_F(TrayTest, AStartAtLogOnGoesQuietlyToTheNotificationAreaWhenTheClockStartsItself) {
    files.files["C:\\Tools\\Tallowcron\\config.ini"] = "[SoftWare]\r\nAutoTimeRun=1\r\n";
    Open(false);
    form->Show(SW_SHOWNORMAL, /*atLogOn=*/true);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_TRUE(form->Tray().Active());
    EXPECT_TRUE(Values().Enabled(kStopButton));   // the clock runs
    EXPECT_TRUE(Values().Version().has_value());  // out of sight: the read-outs rest
    DoubleClick();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));

    form.reset();
    files.files["C:\\Tools\\Tallowcron\\config.ini"] = "[SoftWare]\r\nAutoTimeRun=0\r\n";
    Open(false);
    form->Show(SW_SHOWNORMAL, /*atLogOn=*/true);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(Values().Enabled(kStopButton));
}

TEST_F(TrayTest, ReadoutsRestWhileMinimisedOnTheTaskbarAndAreFreshWhenRestored) {
    Notifications().refuse = true;  // no icon: minimising keeps the window on the taskbar
    Open();
    HWND bar = Ctl(kStatusBar);
    Pump(1150);
    Minimise();
    ASSERT_TRUE(IsIconic(form->Handle()));
    clock.Set(2026, 5, 6, 7, 8, 9);
    Pump(1150);
    EXPECT_EQ(StatusText(bar, 0), "2026/3/4 05:06:07");
    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_EQ(StatusText(bar, 0), "2026/5/6 07:08:09");
}

TEST_F(TrayTest, ANewTaskbarGetsTheIconAgainAndTheEndOfTheSessionRemovesIt) {
    Open(false);
    // Run elevated, the shell's broadcast only arrives when the icon's window lets it through.
    // So does a second start's call to the main window.
    EXPECT_EQ(Notifications().allowed,
              (std::vector<std::pair<HWND, UINT>>{
                  {form->Tray().Window(), TrayIcon::TaskbarCreatedMessage()},
                  {form->Handle(), ShowRunningCopyMessage()}}));
    // Not shown yet (still starting), the window leaves that call for later.
    EXPECT_EQ(SendMessageW(form->Handle(), ShowRunningCopyMessage(), 0, 0), 0);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    form->Show();
    SendMessageW(form->Tray().Window(), TrayIcon::TaskbarCreatedMessage(), 0, 0);
    EXPECT_EQ(Notifications().Count(NIM_ADD), 2);
    EXPECT_EQ(SendMessageW(form->Tray().Window(), WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_EQ(Notifications().Count(NIM_DELETE), 0);
    SendMessageW(form->Tray().Window(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(Notifications().Count(NIM_DELETE), 1);
    form.reset();
    EXPECT_EQ(Notifications().Count(NIM_DELETE), 1);  // removed once
}

TEST_F(TrayTest, ANewTaskbarThatRefusesTheIconBringsTheWindowBackUntilARetryTakes) {
    Open();
    Minimise();
    ASSERT_FALSE(IsWindowVisible(form->Handle()));
    Notifications().refuse = true;
    SendMessageW(form->Tray().Window(), TrayIcon::TaskbarCreatedMessage(), 0, 0);
    // No icon and no window would leave the program unreachable: it is back on the taskbar,
    // minimised, and minimising again keeps it there.
    EXPECT_FALSE(form->Tray().Active());
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_TRUE(IsIconic(form->Handle()));
    Minimise();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));

    // A few tries, a little apart (their timer messages sent here at once), then it stops.
    const int adds = Notifications().Count(NIM_ADD);
    for (int i = 0; i < 8; ++i) SendMessageW(form->Tray().Window(), WM_TIMER, 1, 0);
    EXPECT_EQ(Notifications().Count(NIM_ADD) - adds, 5);

    // The next new taskbar tries again, and a try that takes brings the icon back.
    SendMessageW(form->Tray().Window(), TrayIcon::TaskbarCreatedMessage(), 0, 0);
    Notifications().refuse = false;
    SendMessageW(form->Tray().Window(), WM_TIMER, 1, 0);
    EXPECT_TRUE(form->Tray().Active());
    ShowWindow(form->Handle(), SW_RESTORE);
    Minimise();
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

TEST_F(TrayTest, ClosingTheWindowRemovesTheIcon) {
    Open();
    form.reset();
    EXPECT_EQ(Notifications().Count(NIM_DELETE), 1);
    EXPECT_EQ(Notifications().calls.back().message, static_cast<DWORD>(NIM_DELETE));
}

TEST_F(TrayTest, WhenAddingFailsMinimisingIsOrdinaryAndNoNewTaskbarAddsIt) {
    Notifications().refuse = true;
    Open();
    EXPECT_FALSE(form->Tray().Active());
    Minimise();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_TRUE(IsIconic(form->Handle()));
    SendMessageW(form->Tray().Window(), TrayIcon::TaskbarCreatedMessage(), 0, 0);
    EXPECT_EQ(Notifications().Count(NIM_ADD), 1);
    ShowWindow(form->Handle(), SW_RESTORE);
}

}  // namespace
}  // namespace tc::test
