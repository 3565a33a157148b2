// A top-most window that counts the left button going down and up over it, for tests of the
// click burst. Arguments: report file, left, top, width, height (screen pixels).
// After each button event, and once when shown, the report file holds one line:
//   "<downs> <ups> <x> <y>" with the screen point of the last button-down (-1 -1 before any).
// Closes itself after 60 seconds.
#include <windows.h>

#include <cwchar>
#include <string>

namespace {

std::wstring g_report;
int g_downs = 0, g_ups = 0;
POINT g_last{-1, -1};

void Report() {
    const std::string line = std::to_string(g_downs) + " " + std::to_string(g_ups) + " " +
                             std::to_string(g_last.x) + " " + std::to_string(g_last.y) + "\n";
    // Written whole to a new file and moved over the report, so a reader never sees half a line.
    const std::wstring temp = g_report + L".tmp";
    HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
    MoveFileExW(temp.c_str(), g_report.c_str(), MOVEFILE_REPLACE_EXISTING);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        ++g_downs;
        g_last = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ClientToScreen(hwnd, &g_last);
        Report();
        return 0;
    case WM_LBUTTONUP:
        ++g_ups;
        Report();
        return 0;
    case WM_TIMER:
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 6) return 2;
    g_report = argv[1];
    const int left = std::wcstol(argv[2], nullptr, 10), top = std::wcstol(argv[3], nullptr, 10);
    const int width = std::wcstol(argv[4], nullptr, 10), height = std::wcstol(argv[5], nullptr, 10);
    const HINSTANCE instance = GetModuleHandleW(nullptr);

    WNDCLASSW wc{};  // no CS_DBLCLKS: every press arrives as a button-down
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"TallowcronClickTarget";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"click target", WS_POPUP, left,
                                top, width, height, nullptr, nullptr, instance, nullptr);
    if (hwnd == nullptr) return 3;
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    SetForegroundWindow(hwnd);
    SetTimer(hwnd, 1, 60000, nullptr);
    Report();

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
