#include "support/win32/top_level_windows.h"

namespace tc::test {
namespace {

BOOL CALLBACK Collect(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<HWND> TopLevelWindowsOf(DWORD pid, std::wstring_view className, bool visibleOnly) {
    std::vector<HWND> found;
    for (const HWND window : TopLevelWindows()) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        wchar_t name[256] = {};
        GetClassNameW(window, name, 256);
        if ((pid == 0 || owner == pid) && className == name &&
            (!visibleOnly || IsWindowVisible(window)))
            found.push_back(window);
    }
    return found;
}

}  // namespace tc::test
