// The smallest Win32 programs that do what the main window does at rest, to measure Tallowcron
// against. Two forms, chosen by the first argument:
//   minimal_window [TITLE]           one top-level window of the main window's size and style,
//                                    centred and shown, with two always-on window timers like its
//                                    read-outs (100 ms reading the cursor position, 1000 ms
//                                    reading the clock); titled TITLE ("MinimalWindow" when none);
//   minimal_window --hidden [TITLE]  the same window never shown, with one 1000 ms timer reading
//                                    the clock: what a program waiting in the notification area
//                                    for the next second needs at the least ("MinimalHidden").
// Closing the window ends it.
#include <windows.h>

#include <string>
#include <string_view>

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr UINT_PTR kCursorTimer = 1, kClockTimer = 2;
constexpr std::wstring_view kHiddenSwitch = L"--hidden";

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == kCursorTimer) {
            POINT cursor;
            GetCursorPos(&cursor);
        } else {
            SYSTEMTIME now;
            GetLocalTime(&now);
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    std::wstring title = commandLine ? commandLine : L"";
    bool hidden = false;
    if (title == kHiddenSwitch || title.starts_with(std::wstring(kHiddenSwitch) + L" ")) {
        hidden = true;
        title.erase(0, kHiddenSwitch.size());
        title.erase(0, title.find_first_not_of(L' '));  // all of it when only blanks are left
    }
    if (title.empty()) title = hidden ? L"MinimalHidden" : L"MinimalWindow";
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"MinimalWindow";
    RegisterClassW(&wc);

    RECT r{0, 0, 939, 579};
    AdjustWindowRect(&r, kStyle, FALSE);
    const int width = r.right - r.left, height = r.bottom - r.top;
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, title.c_str(), kStyle,
                                (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                                nullptr, nullptr, instance, nullptr);
    if (hwnd == nullptr) return 1;
    SetTimer(hwnd, kClockTimer, 1000, nullptr);
    if (!hidden) {
        SetTimer(hwnd, kCursorTimer, 100, nullptr);
        ShowWindow(hwnd, SW_SHOW);
        UpdateWindow(hwnd);
    }

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
