#include "app/tray_icon.h"

#include <cwchar>

namespace tc {
namespace {

constexpr wchar_t kClass[] = L"TRzTrayIconWindow";
constexpr UINT kCallbackMessage = WM_APP + 1;
constexpr UINT kIconId = 1;

}  // namespace

UINT TrayIcon::TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

TrayIcon::TrayIcon(HINSTANCE instance, HICON icon, std::wstring tip,
                   std::function<void()> onDoubleClick, NotifyIconFn notify)
    : icon_(icon), tip_(std::move(tip)), onDoubleClick_(std::move(onDoubleClick)), notify_(notify) {
    TaskbarCreatedMessage();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.lpszClassName = kClass;
    RegisterClassExW(&wc);
    // A hidden top-level window, not a message-only one: only top-level windows receive the
    // shell's "TaskbarCreated" broadcast and the end-of-session messages.
    window_.Reset(CreateWindowExW(WS_EX_TOOLWINDOW, kClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                  nullptr, instance, this));
}

TrayIcon::~TrayIcon() { Remove(); }

NOTIFYICONDATAW TrayIcon::Data() const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window_.Get();
    data.uID = kIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kCallbackMessage;
    data.hIcon = icon_;
    wcsncpy(data.szTip, tip_.c_str(), sizeof(data.szTip) / sizeof(wchar_t) - 1);
    return data;
}

bool TrayIcon::Add() {
    if (switchedOff_ || !window_) return false;
    NOTIFYICONDATAW data = Data();
    active_ = notify_(NIM_ADD, &data) != FALSE;
    if (!active_) switchedOff_ = true;
    return active_;
}

void TrayIcon::Remove() {
    if (!active_) return;
    NOTIFYICONDATAW data = Data();
    data.uFlags = 0;
    notify_(NIM_DELETE, &data);
    active_ = false;
}

LRESULT CALLBACK TrayIcon::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created->lpCreateParams));
    }
    auto* self = reinterpret_cast<TrayIcon*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    if (self && message != WM_NCCREATE) return self->Handle(hwnd, message, wParam, lParam);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT TrayIcon::Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kCallbackMessage) {
        if (LOWORD(lParam) == WM_LBUTTONDBLCLK && onDoubleClick_) onDoubleClick_();
        return 0;
    }
    if (message == TaskbarCreatedMessage()) {
        // The shell's new taskbar has none of the old icons: add ours again if it is on.
        if (active_) {
            NOTIFYICONDATAW data = Data();
            notify_(NIM_ADD, &data);
        }
        return 0;
    }
    switch (message) {
    case WM_QUERYENDSESSION:
        return TRUE;  // no objection
    case WM_ENDSESSION:
        if (wParam) Remove();
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace tc
