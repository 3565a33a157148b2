#pragma once
// System calls whose libraries are loaded on their first use rather than when the program starts.
// The shell's library and the common dialogs' are needed only once the window is on the screen
// (the notification-area icon, a program opened, a file browsed for); loading them at start
// would put their loading, a good part of the start-up time, before the window appears.
// Each behaves as the call it stands for; when its library cannot be loaded it fails as that
// call fails.
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

namespace tc {

BOOL WINAPI LateShellNotifyIcon(DWORD message, PNOTIFYICONDATAW data);
HINSTANCE LateShellExecute(HWND owner, const wchar_t* verb, const wchar_t* file,
                           const wchar_t* parameters, const wchar_t* folder, int show);
BOOL WINAPI LateGetOpenFileName(OPENFILENAMEW* dialog);
// The power management library's SetSuspendState; FALSE with ERROR_PROC_NOT_FOUND when the
// library cannot be loaded.
BOOLEAN WINAPI LateSetSuspendState(BOOLEAN hibernate, BOOLEAN force, BOOLEAN wakeEventsOff);

}  // namespace tc
