#pragma once
// Sizes are given at 96 dots per inch and scaled to the display the window is on.
#include <windows.h>

#include "app/win32/newer_window_functions.h"

namespace tc {

struct Scale {
    int dpi = 96;
    int operator()(int pixelsAt96) const { return MulDiv(pixelsAt96, dpi, 96); }
};

// The window's DPI where the system reports one per window, otherwise the screen's.
int WindowDpi(HWND hwnd, const NewerWindowFunctions& newer);

}  // namespace tc
