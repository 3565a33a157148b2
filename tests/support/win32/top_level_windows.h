#pragma once
// The top-level windows of the desktop, read from outside the programs that own them.
#include <windows.h>

#include <string_view>
#include <vector>

namespace tc::test {

// Every top-level window, in the order the system lists them (the topmost first).
std::vector<HWND> TopLevelWindows();
// Those of process `pid` (of any process when 0) whose class is `className`; with `visibleOnly`,
// only those on the screen.
std::vector<HWND> TopLevelWindowsOf(DWORD pid, std::wstring_view className,
                                    bool visibleOnly = false);

}  // namespace tc::test
