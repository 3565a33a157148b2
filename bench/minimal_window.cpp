// The smallest Win32 program that does what the main window does at rest, to measure Tallowcron
// against: one top-level window of the main window's size and style, centred and shown, with two
// always-on window timers like its read-outs (100 ms reading the cursor position, 1000 ms reading
// the clock). Its title is its first argument ("MinimalWindow" when none). Closing it ends it.
#include <windows.h>

#include <string>

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr UINT_PTR kCursorTimer = 1, kClockTimer = 2;

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
    const std::wstring title = commandLine && *commandLine ? commandLine : L"MinimalWindow";
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
    SetTimer(hwnd, kCursorTimer, 100, nullptr);
    SetTimer(hwnd, kClockTimer, 1000, nullptr);
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
