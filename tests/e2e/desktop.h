#pragma once
// What the shared desktop shows, read from outside the program the way a user sees it: its
// windows, message boxes, taskbar buttons, notification area and keyboard focus.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "support/win32/wait.h"
#include "support/win32/wine.h"

namespace tc::e2e {

using test::RunningUnderWine;
using test::WaitFor;

// There is a desktop to show windows on: always on Windows, under Wine when DISPLAY names an
// X server.
bool DesktopAvailable();

// The main window (class "TForm1") of a process, or nullptr.
HWND MainWindowOf(DWORD pid);
// The message boxes (class "#32770") that a process shows on the screen.
std::vector<HWND> MessageBoxesOf(DWORD pid);

// Window text, as UTF-8 (works across processes).
std::string TextOf(HWND hwnd);
// The message of a message box: the text of its static control.
std::string MessageOf(HWND box);
std::wstring ClassOf(HWND hwnd);

// The control that has the keyboard focus in the thread of `window`, or nullptr.
HWND FocusOf(HWND window);

// A point of a window's client area, given in pixels at 96 dots per inch, on the screen.
POINT ScreenPoint(HWND window, int x, int y);
// The control that a user sees at that point of the window's client area.
HWND ControlAt(HWND window, int x, int y);
// The centre of a window on the screen.
POINT CentreOf(HWND hwnd);
// The first direct child of a window with that class name, or nullptr.
HWND ChildOfClass(HWND window, const wchar_t* className);
// The centre of a part of the window's frame (HTMINBUTTON, HTCLOSE...), found by hit testing
// along the title bar.
std::optional<POINT> FramePart(HWND window, LRESULT part);

// The taskbar of the virtual desktop, and its task buttons (the visible buttons other than the
// start button at its left end).
HWND Taskbar();
int TaskButtonCount();
// Where the right-most icon of the notification area is drawn: the right end of the taskbar.
std::optional<POINT> NotificationAreaEnd();

}  // namespace tc::e2e
