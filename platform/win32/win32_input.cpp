#include "platform/win32/win32_input.h"

#include <windows.h>

#include "platform/win32/win32_text.h"

namespace tc {

Point Win32Input::CursorPos() {
    POINT p{};
    if (!GetCursorPos(&p)) ThrowLastError();
    return {static_cast<int>(p.x), static_cast<int>(p.y)};
}

void Win32Input::SetCursorPos(Point p) { ::SetCursorPos(p.x, p.y); }

// At the cursor's position: no movement, no wheel data, no extra information.
void Win32Input::LeftDown() { mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0); }

void Win32Input::LeftUp() { mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0); }

}  // namespace tc
