#include "desktop.h"

#include "e2e_files.h"
#include "platform/win32/system_functions.h"
#include "support/win32/top_level_windows.h"

namespace tc::e2e {
namespace {

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
    return TRUE;
}

}  // namespace

bool DesktopAvailable() {
    wchar_t display[256];
    return !RunningUnderWine() || GetEnvironmentVariableW(L"DISPLAY", display, 256) != 0;
}

HWND MainWindowOf(DWORD pid) {
    const std::vector<HWND> windows = test::TopLevelWindowsOf(pid, L"TForm1");
    return windows.empty() ? nullptr : windows.front();
}

std::vector<HWND> MessageBoxesOf(DWORD pid) {
    return test::TopLevelWindowsOf(pid, L"#32770", true);
}

std::string TextOf(HWND hwnd) {
    const LRESULT length = SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(
        SendMessageW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return Utf8(text);
}

std::string MessageOf(HWND box) {
    const HWND text = GetDlgItem(box, 0xFFFF);
    return text != nullptr ? TextOf(text) : std::string();
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, 256);
    return name;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

POINT ScreenPoint(HWND window, int x, int y) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = FindSystemFunctionAs<GetDpiForWindowFn>(
        FindSystemFunction, L"user32.dll", "GetDpiForWindow");
    const UINT dpi = getDpiForWindow ? getDpiForWindow(window) : 0;
    const int scale = dpi != 0 ? static_cast<int>(dpi) : 96;
    POINT point{MulDiv(x, scale, 96), MulDiv(y, scale, 96)};
    ClientToScreen(window, &point);
    return point;
}

HWND ControlAt(HWND window, int x, int y) { return WindowFromPoint(ScreenPoint(window, x, y)); }

POINT CentreOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

HWND ChildOfClass(HWND window, const wchar_t* className) {
    return FindWindowExW(window, nullptr, className, nullptr);
}

std::optional<POINT> FramePart(HWND window, LRESULT part) {
    RECT frame;
    POINT client{0, 0};
    if (!GetWindowRect(window, &frame) || !ClientToScreen(window, &client)) return std::nullopt;
    const int y = (frame.top + client.y) / 2;  // the middle of the title bar
    int first = -1, last = -1;
    for (int x = frame.left; x < frame.right; ++x) {
        if (SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) != part) continue;
        if (first < 0) first = x;
        last = x;
    }
    if (first < 0) return std::nullopt;
    return POINT{(first + last) / 2, y};
}

HWND Taskbar() { return FindWindowW(L"Shell_TrayWnd", nullptr); }

int TaskButtonCount() {
    const HWND taskbar = Taskbar();
    if (taskbar == nullptr) return -1;
    RECT bar;
    GetWindowRect(taskbar, &bar);
    std::vector<HWND> children;
    EnumChildWindows(taskbar, CollectChild, reinterpret_cast<LPARAM>(&children));
    int count = 0;
    for (HWND child : children) {
        RECT r;
        GetWindowRect(child, &r);
        if (IsWindowVisible(child) && ClassOf(child) == L"Button" && r.left > bar.left &&
            r.right > r.left)
            ++count;
    }
    return count;
}

std::optional<POINT> NotificationAreaEnd() {
    const HWND taskbar = Taskbar();
    RECT bar;
    if (taskbar == nullptr || !GetWindowRect(taskbar, &bar)) return std::nullopt;
    return POINT{bar.right - 11, (bar.top + bar.bottom) / 2};
}

}  // namespace tc::e2e
