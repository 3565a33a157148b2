#pragma once
// RzTrayIcon1: the program's icon in the notification area, with the tooltip "Tallowcron". Its
// mouse messages go to a hidden window of its own; a left double-click calls back. It is added
// again when the shell announces a new taskbar ("TaskbarCreated"), and removed when the user's
// session ends and when the icon is destroyed. If adding fails at creation, the icon stays off
// for the rest of the run; if a new taskbar refuses it, it is tried again a few times.
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

#include "app/handles.h"

namespace tc {

using NotifyIconFn = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAW);
// ChangeWindowMessageFilterEx: lets a message from a less trusted process through to a window.
using AllowMessageFn = BOOL(WINAPI*)(HWND, UINT, DWORD, PCHANGEFILTERSTRUCT);

class TrayIcon {
public:
    // onLost: the icon vanished with the old taskbar and could not be added to the new one (it
    // is tried again a few times); the window must then be reachable without it.
    TrayIcon(HINSTANCE instance, HICON icon, std::wstring tip, std::function<void()> onDoubleClick,
             std::function<void()> onLost, NotifyIconFn notify = Shell_NotifyIconW,
             AllowMessageFn allowMessage = ChangeWindowMessageFilterEx);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon; false when the shell refused it (the icon is then off for good).
    bool Add();
    void Remove();
    // A new picture (the display scale changed); shown at once where the icon is on.
    void SetIcon(HICON icon);
    // On: added and not removed since.
    bool Active() const { return active_; }
    HWND Window() const { return window_.Get(); }
    static UINT TaskbarCreatedMessage();

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    NOTIFYICONDATAW Data() const;
    // Puts the icon on a new taskbar; true when it is there.
    bool AddAgain();
    void OnTaskbarCreated();
    void OnRetry();

    HICON icon_;
    std::wstring tip_;
    std::function<void()> onDoubleClick_;
    std::function<void()> onLost_;
    NotifyIconFn notify_;
    UniqueWindow window_;
    bool switchedOff_ = false;  // adding failed at creation: off for the whole run
    bool active_ = false;
    bool wanted_ = false;  // added and not removed: a new taskbar gets it again
    int retriesLeft_ = 0;  // tries left to put the icon on a new taskbar
};

}  // namespace tc
