#pragma once
// The program entry's work: the claim on the program's folder (one running copy per folder), the
// application window, the main window over the system's services, and the message loop
// until the main window closes.
#include <windows.h>

namespace tc {

// `startCommand`: how the starting program asked the window to be shown (wWinMain's nCmdShow).
// Returns the process exit code (0, also for a second start that showed the running copy).
// `arguments`: the command line after the program's path ("/autorun" at log-on).
int RunApplication(HINSTANCE instance, int startCommand, const wchar_t* arguments);

}  // namespace tc
