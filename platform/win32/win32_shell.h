#pragma once
// The shell through ShellExecuteW. The owners of whatever the shell shows are the program's two
// windows: the main window (program slots) and the application's hidden window (power command).
#include <windows.h>

#include "platform/shell.h"

namespace tc {

class Win32Shell : public Shell {
public:
    Win32Shell(HWND mainWindow, HWND appWindow) : mainWindow_(mainWindow), appWindow_(appWindow) {}
    // Verb "open", no working directory, a normal window; the result is not examined. A file of
    // more than MAX_PATH - 1 characters is refused before the call (ERROR_FILENAME_EXCED_RANGE).
    void Open(const std::string& file, const std::string& parameters, ShellOwner owner) override;

private:
    HWND mainWindow_;
    HWND appWindow_;
};

}  // namespace tc
