#pragma once
// The shell through ShellExecuteW. The owners of whatever the shell shows are the program's two
// windows: the main window (program slots) and the application's hidden window (power command).
#include <windows.h>

#include "platform/shell.h"
#include "platform/win32/late_system_calls.h"

namespace tc {

// ShellExecuteW's signature; tests pass one that records what reaches it.
using ShellExecuteFn = HINSTANCE (*)(HWND owner, const wchar_t* verb, const wchar_t* file,
                                     const wchar_t* parameters, const wchar_t* folder, int show);

class Win32Shell : public Shell {
public:
    Win32Shell(HWND mainWindow, HWND appWindow, ShellExecuteFn execute = LateShellExecute)
        : mainWindow_(mainWindow), appWindow_(appWindow), execute_(execute) {}
    // Verb "open", no working directory, a normal window; the result is not examined. What the
    // shell cannot take is refused before the call (ERROR_FILENAME_EXCED_RANGE): a URL of more
    // than 2083 characters, a file path of more than MAX_PATH - 1, as written or as resolved
    // against the current folder.
    void Open(const std::string& file, const std::string& parameters, ShellOwner owner) override;

private:
    HWND mainWindow_;
    HWND appWindow_;
    ShellExecuteFn execute_;
};

}  // namespace tc
