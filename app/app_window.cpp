#include "app/app_window.h"

#include "app/win32/win32_window.h"

namespace tc {

AppWindow::AppWindow(HINSTANCE instance) {
    RegisterWindowClass(instance, {L"TApplication", DefWindowProcW});
    // WS_EX_TOOLWINDOW: should anything ever show it, it still gets no taskbar button; the main
    // window alone owns the program's button.
    window_.Reset(CreateWindowExW(WS_EX_TOOLWINDOW, L"TApplication", L"Tallowcron", WS_POPUP, 0, 0,
                                  0, 0, nullptr, nullptr, instance, nullptr));
}

}  // namespace tc
