#pragma once
// The program entry's work: the application window, the main window Form1 over the system's
// services, and the message loop until the main window closes.
#include <windows.h>

namespace tc {

// Returns the process exit code (0).
int RunApplication(HINSTANCE instance);

}  // namespace tc
