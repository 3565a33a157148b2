#pragma once
// Containers (group boxes, the toolbar) pass their children's notifications on to their own
// parent, so the main window receives every control's commands and colour requests.
#include <windows.h>

namespace tc {

inline bool IsChildNotification(UINT message) {
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_DRAWITEM:
        return true;
    default:
        return false;
    }
}

inline LRESULT ForwardToParent(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageW(GetParent(hwnd), message, wParam, lParam);
}

}  // namespace tc
