#include "click_counter.h"

namespace tc::soak {
namespace {

constexpr wchar_t kClass[] = L"TallowcronSoakClickCounter";
constexpr std::int64_t kEpochIn100ns = 116444736000000000LL;  // 1970-01-01 as a file time

}  // namespace

std::int64_t EpochMs() {
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    const std::int64_t ticks = static_cast<std::int64_t>(
        (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
    return (ticks - kEpochIn100ns) / 10000;
}

ClickCounter::ClickCounter(HINSTANCE instance, RECT place) : place_(place) {
    WNDCLASSW wc{};  // no CS_DBLCLKS: every press arrives as a button-down
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClass;
    RegisterClassW(&wc);
    CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClass, L"soak click counter", WS_POPUP,
                    place.left, place.top, place.right - place.left, place.bottom - place.top,
                    nullptr, nullptr, instance, this);
    if (window_ == nullptr) return;
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    UpdateWindow(window_);
}

ClickCounter::~ClickCounter() {
    if (window_) DestroyWindow(window_);
}

POINT ClickCounter::Centre() const {
    return {(place_.left + place_.right) / 2, (place_.top + place_.bottom) / 2};
}

LRESULT CALLBACK ClickCounter::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<ClickCounter*>(create->lpCreateParams);
        self->window_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<ClickCounter*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (message) {
    case WM_LBUTTONDOWN:
        if (self) self->downs_.push_back(EpochMs());
        return 0;
    case WM_LBUTTONUP:
        if (self) self->ups_.push_back(EpochMs());
        return 0;
    case WM_NCDESTROY:
        if (self) self->window_ = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace tc::soak
