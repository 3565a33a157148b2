#pragma once
// RzTrayIcon1: the program's icon in the notification area, with the tooltip "Tallowcron". Its
// mouse messages go to a hidden window of its own; a left double-click calls back. It is added
// again when the shell announces a new taskbar ("TaskbarCreated"), and removed when the user's
// session ends and when the icon is destroyed. If adding fails at creation, the icon stays off
// for the rest of the run.
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

#include "app/handles.h"

namespace tc {

using NotifyIconFn = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAW);

class TrayIcon {
public:
    TrayIcon(HINSTANCE instance, HICON icon, std::wstring tip, std::function<void()> onDoubleClick,
             NotifyIconFn notify = Shell_NotifyIconW);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon; false when the shell refused it (the icon is then off for good).
    bool Add();
    void Remove();
    // On: added and not removed since.
    bool Active() const { return active_; }
    HWND Window() const { return window_.Get(); }
    static UINT TaskbarCreatedMessage();

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    NOTIFYICONDATAW Data() const;

    HICON icon_;
    std::wstring tip_;
    std::function<void()> onDoubleClick_;
    NotifyIconFn notify_;
    UniqueWindow window_;
    bool switchedOff_ = false;  // adding failed once
    bool active_ = false;
};

}  // namespace tc
