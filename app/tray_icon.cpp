#include "app/tray_icon.h"

#include <windowsx.h>

#include <cwchar>

#include "app/win32/win32_window.h"
#include "platform/win32/win32_text.h"

namespace tc {
namespace {

constexpr wchar_t kClass[] = L"TRzTrayIconWindow";
constexpr UINT kCallbackMessage = WM_APP + 1;
constexpr UINT kIconId = 1;
constexpr UINT_PTR kRetryTimer = 1;
constexpr UINT kRetryMs = 2000;
constexpr int kRetries = 5;

}  // namespace

UINT TrayIcon::TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

TrayIcon::TrayIcon(HINSTANCE instance, HICON icon, std::wstring tip, std::function<void()> onOpen,
                   std::function<void(POINT)> onMenu, std::function<void()> onLost,
                   NotifyIconFn notify, AllowMessageFn allowMessage)
    : icon_(icon),
      tip_(std::move(tip)),
      onOpen_(std::move(onOpen)),
      onMenu_(std::move(onMenu)),
      onLost_(std::move(onLost)),
      notify_(notify) {
    TaskbarCreatedMessage();
    RegisterWindowClass(instance, {kClass, Proc});
    // A hidden top-level window, not a message-only one: only top-level windows receive the
    // shell's "TaskbarCreated" broadcast and the end-of-session messages.
    window_.Reset(CreateWindowExW(WS_EX_TOOLWINDOW, kClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                  nullptr, instance, this));
    // Run elevated, the program would not hear the shell's broadcast, which comes from a process
    // of lower integrity, unless it lets that one message through.
    if (window_ && allowMessage)
        allowMessage(window_.Get(), TaskbarCreatedMessage(), MSGFLT_ALLOW, nullptr);
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
    wanted_ = active_;
    if (!active_) switchedOff_ = true;
    if (active_) SetVersion();
    return active_;
}

void TrayIcon::SetVersion() {
    NOTIFYICONDATAW data = Data();
    // The shell's structure keeps the version in a union with the balloon's time-out.
    data.uVersion = NOTIFYICON_VERSION_4;  // NOLINT(cppcoreguidelines-pro-type-union-access)
    notify_(NIM_SETVERSION, &data);
}

void TrayIcon::SetIcon(HICON icon) {
    icon_ = icon;
    if (!active_) return;
    NOTIFYICONDATAW data = Data();
    notify_(NIM_MODIFY, &data);
}

void TrayIcon::SetTip(const std::string& tip) {
    std::wstring wide = Widen(tip);
    if (wide == tip_) return;
    tip_ = std::move(wide);
    if (!active_) return;
    NOTIFYICONDATAW data = Data();
    notify_(NIM_MODIFY, &data);
}

void TrayIcon::Warn(const std::string& text) {
    if (!active_) return;
    NOTIFYICONDATAW data = Data();
    data.uFlags |= NIF_INFO;
    data.dwInfoFlags = NIIF_WARNING;
    wcsncpy(data.szInfoTitle, L"Tallowcron", sizeof(data.szInfoTitle) / sizeof(wchar_t) - 1);
    wcsncpy(data.szInfo, Widen(text).c_str(), sizeof(data.szInfo) / sizeof(wchar_t) - 1);
    notify_(NIM_MODIFY, &data);
}

bool TrayIcon::AddAgain() {
    NOTIFYICONDATAW data = Data();
    // A taskbar that still has the icon refuses to add it twice but takes a change.
    const bool added = notify_(NIM_ADD, &data) != FALSE;
    active_ = added || notify_(NIM_MODIFY, &data) != FALSE;
    if (added) SetVersion();
    return active_;
}

void TrayIcon::OnTaskbarCreated() {
    // The shell's new taskbar has none of the old icons: add ours again if it was on (or was
    // still being tried).
    if (switchedOff_ || !wanted_) return;
    KillTimer(window_.Get(), kRetryTimer);
    retriesLeft_ = 0;
    if (AddAgain()) return;
    retriesLeft_ = kRetries;
    SetTimer(window_.Get(), kRetryTimer, kRetryMs, nullptr);
    if (onLost_) onLost_();
}

void TrayIcon::OnRetry() {
    if (retriesLeft_ <= 0) return;  // a tick that was already waiting
    if (AddAgain() || --retriesLeft_ <= 0) {
        retriesLeft_ = 0;
        KillTimer(window_.Get(), kRetryTimer);
    }
}

void TrayIcon::Remove() {
    KillTimer(window_.Get(), kRetryTimer);
    retriesLeft_ = 0;
    wanted_ = false;
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
        // Version 4: the event in the low word, the point (for the menu) in wParam.
        const UINT event = LOWORD(lParam);
        if ((event == WM_LBUTTONDBLCLK || event == NIN_BALLOONUSERCLICK) && onOpen_) onOpen_();
        if (event == WM_CONTEXTMENU && onMenu_)
            onMenu_(POINT{GET_X_LPARAM(wParam), GET_Y_LPARAM(wParam)});
        return 0;
    }
    if (message == TaskbarCreatedMessage()) {
        OnTaskbarCreated();
        return 0;
    }
    switch (message) {
    case WM_TIMER:
        if (wParam == kRetryTimer) OnRetry();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;  // no objection
    case WM_ENDSESSION:
        if (wParam) Remove();
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace tc
