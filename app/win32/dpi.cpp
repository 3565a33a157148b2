#include "app/win32/dpi.h"

#include "app/win32/handles.h"

namespace tc {

int WindowDpi(HWND hwnd, const NewerWindowFunctions& newer) {
    if (newer.getDpiForWindow && hwnd) {
        const UINT dpi = newer.getDpiForWindow(hwnd);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    ScreenDc dc;
    return GetDeviceCaps(dc.Get(), LOGPIXELSY);
}

}  // namespace tc
