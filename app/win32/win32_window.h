#pragma once
// What every window of the program needs alike: its text, its window class and, for the
// program's own kinds of control, the font it was given.
#include <windows.h>

#include <string>

namespace tc {

// The window's text as it holds it, and as UTF-8.
std::wstring WindowTextW(HWND hwnd);
std::string WindowText(HWND hwnd);

// Registers a window class of this program with the arrow cursor, once: a class that is
// already registered (a second window in one process) stays as it is, and nothing is loaded
// for it again.
struct WindowClass {
    const wchar_t* name = nullptr;
    WNDPROC proc = nullptr;
    HBRUSH background = nullptr;    // nullptr: the window paints its whole background
    const wchar_t* icon = nullptr;  // an icon resource of the instance, loaded shared
};
void RegisterWindowClass(HINSTANCE instance, const WindowClass& windowClass);

// Moves a top-level window to the centre of the screen, keeping its size.
void CentreOnScreen(HWND hwnd);

// WM_SETFONT and WM_GETFONT of the program's own kinds of control: the font is kept as a window
// property (the caller owns the font) and forgotten at WM_NCDESTROY. True when the message was
// answered (`result` holds the answer); WM_NCDESTROY goes on to the window's own handling.
bool HandleFontMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
// The font a control of the program's own kinds was given, or nullptr.
HFONT StoredFont(HWND hwnd);

}  // namespace tc
