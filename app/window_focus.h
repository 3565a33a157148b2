#pragma once
// The main window's keyboard focus: Tab and Shift+Tab move it along the window's focus order, the
// arrow keys between the two buttons of a radio pair, and the control that held it when the
// window was deactivated gets it back when the window is active again.
#include <windows.h>

namespace tc {

class ControlValues;
class WindowControls;

class WindowFocus {
public:
    WindowFocus(HWND window, const WindowControls& controls, ControlValues& values)
        : window_(window), controls_(controls), values_(values) {}

    // True when the message was such a key for the window or one of its controls, and is done.
    bool HandleKey(const MSG& msg);
    // To the next focus stop, or the one before.
    void Move(bool forward);
    // WM_ACTIVATE: deactivated, the control that holds the focus is kept; activated (not
    // minimised), it gets the focus back, or the first stop when it can no longer take it.
    void OnActivate(WPARAM wParam);

private:
    HWND window_;
    const WindowControls& controls_;
    ControlValues& values_;
    HWND lastFocus_ = nullptr;
};

}  // namespace tc
