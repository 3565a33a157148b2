#pragma once
// The window functions that Windows added after Windows 7 and that the main window uses where
// the system has them, found at run time (platform/win32/system_functions.h). Each is nullptr
// where this Windows lacks it, and its caller then does what Windows 7 can.
#include <windows.h>

#include "platform/win32/system_functions.h"

namespace tc {

struct NewerWindowFunctions {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    using SetCoalescableTimerFn = UINT_PTR(WINAPI*)(HWND, UINT_PTR, UINT, TIMERPROC, ULONG);

    // Windows 10 1607 on: one window's own DPI, and the frame and the system's fonts at a DPI.
    GetDpiForWindowFn getDpiForWindow = nullptr;
    AdjustWindowRectExForDpiFn adjustWindowRectExForDpi = nullptr;
    SystemParametersInfoForDpiFn systemParametersInfoForDpi = nullptr;
    // Windows 8 on: a timer that the system may hold back to serve it with other wake-ups.
    SetCoalescableTimerFn setCoalescableTimer = nullptr;
};

NewerWindowFunctions FindNewerWindowFunctions(FindSystemFunctionFn find = FindSystemFunction);

}  // namespace tc
