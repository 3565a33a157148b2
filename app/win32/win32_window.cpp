#include "app/win32/win32_window.h"

#include "platform/win32/win32_text.h"

namespace tc {
namespace {

constexpr wchar_t kFontProperty[] = L"TcFont";

}  // namespace

std::wstring WindowTextW(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

std::string WindowText(HWND hwnd) { return Narrow(WindowTextW(hwnd)); }

void RegisterWindowClass(HINSTANCE instance, const WindowClass& windowClass) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExW(instance, windowClass.name, &wc)) return;
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = windowClass.proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = windowClass.background;
    wc.lpszClassName = windowClass.name;
    if (windowClass.icon) {
        // Shared: the system keeps one copy of each size for the life of the process.
        const auto load = [&](int metric) {
            const int size = GetSystemMetrics(metric);
            HANDLE icon = LoadImageW(instance, windowClass.icon, IMAGE_ICON, size, size, LR_SHARED);
            if (!icon)
                icon = LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, size, size, LR_SHARED);
            return static_cast<HICON>(icon);
        };
        wc.hIcon = load(SM_CXICON);
        wc.hIconSm = load(SM_CXSMICON);
    }
    RegisterClassExW(&wc);
}

void CentreOnScreen(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    SetWindowPos(hwnd, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool HandleFontMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_SETFONT:
        SetPropW(hwnd, kFontProperty, reinterpret_cast<HANDLE>(wParam));
        if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
        result = 0;
        return true;
    case WM_GETFONT:
        result = reinterpret_cast<LRESULT>(StoredFont(hwnd));
        return true;
    case WM_NCDESTROY:
        RemovePropW(hwnd, kFontProperty);
        return false;
    default:
        return false;
    }
}

HFONT StoredFont(HWND hwnd) { return static_cast<HFONT>(GetPropW(hwnd, kFontProperty)); }

}  // namespace tc
