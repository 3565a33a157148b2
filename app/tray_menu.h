#pragma once
// The menu of the notification-area icon: what it holds, and showing it the way a menu from the
// notification area must be shown (the icon's window brought to the foreground first, so that a
// click elsewhere or Esc closes it, and a message posted to that window afterwards, so that it
// can be opened again at once).
#include <windows.h>

#include <string>

namespace tc {

class ControlValues;

enum class TrayCommand : UINT { None = 0, Next, ShowWindow, Start, Stop, StopClicks, Exit };

// What the menu shows: the next action while the clock runs (empty: none), whether "开始" and
// "停止" are enabled (as the toolbar's buttons are), whether the mouse task is on.
struct TrayMenuState {
    std::wstring next;
    bool startEnabled = true;
    bool stopEnabled = false;
    bool mouseOn = false;
};

// The menu's state as the window shows it: the next action is the second line of the icon's
// tooltip `tip` while the clock is `running`; the toolbar's start and stop buttons and the mouse
// task's check box as `values` hold them.
TrayMenuState ReadTrayMenuState(bool running, const std::string& tip, ControlValues& values);

// TrackPopupMenuEx; tests give a stand-in that reads the menu and chooses.
using TrackMenuFn = BOOL(WINAPI*)(HMENU, UINT, int, int, HWND, LPTPMPARAMS);

// Shows the menu at the screen point `at` for the icon's window `owner`; what was chosen, or
// None when the menu was closed without a choice.
TrayCommand ShowTrayMenu(HWND owner, POINT at, const TrayMenuState& state, TrackMenuFn track);

}  // namespace tc
