#pragma once
// The application's own window: top-level, never shown, distinct from the main window. It owns
// what the shell shows for the power command.
#include <windows.h>

#include "app/win32/handles.h"

namespace tc {

class AppWindow {
public:
    explicit AppWindow(HINSTANCE instance);
    HWND Handle() const { return window_.Get(); }

private:
    UniqueWindow window_;
};

}  // namespace tc
