#pragma once
// The notification icon: the program's icon in the notification area, with the tooltip "Tallowcron"
// (and while the clock runs a second line with the next action). Its mouse messages go to a hidden
// window of its own; a left double-click, or a click on its warning balloon, calls back, and so
// does a request for its menu (a right-click, the menu key or Shift+F10: the icon asks for the
// shell's version 4 behaviour, which sends those as WM_CONTEXTMENU). It is
// added again when the shell announces a new taskbar ("TaskbarCreated"), and removed when the
// user's session ends and when the icon is destroyed. If adding fails at creation, the icon stays
// off for the rest of the run; if a new taskbar refuses it, it is tried again a few times.
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

#include "app/win32/handles.h"
#include "core/tray_notices.h"
#include "platform/win32/late_system_calls.h"

namespace tc {

using NotifyIconFn = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAW);
// ChangeWindowMessageFilterEx: lets a message from a less trusted process through to a window.
using AllowMessageFn = BOOL(WINAPI*)(HWND, UINT, DWORD, PCHANGEFILTERSTRUCT);

class TrayIcon : public TrayNotices {
public:
    // onOpen: the user asks for the window (a double-click on the icon, a click on a balloon).
    // onMenu: the user asks for the icon's menu, at that screen point.
    // onLost: the icon vanished with the old taskbar and could not be added to the new one (it
    // is tried again a few times); the window must then be reachable without it.
    TrayIcon(HINSTANCE instance, HICON icon, std::wstring tip, std::function<void()> onOpen,
             std::function<void(POINT)> onMenu, std::function<void()> onLost,
             NotifyIconFn notify = LateShellNotifyIcon,
             AllowMessageFn allowMessage = ChangeWindowMessageFilterEx);
    ~TrayIcon() override;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;
    TrayIcon(TrayIcon&&) = delete;
    TrayIcon& operator=(TrayIcon&&) = delete;

    // Adds the icon; false when the shell refused it (the icon is then off for good).
    bool Add();
    void Remove();
    // A new picture (the display scale changed); shown at once where the icon is on.
    void SetIcon(HICON icon);
    // A new tooltip (UTF-8), shown at once where the icon is on; the same one again asks nothing.
    void SetTip(const std::string& tip) override;
    // A warning balloon titled "Tallowcron"; none while the icon is off.
    void Warn(const std::string& text) override;
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
    // Asks the shell for the version 4 behaviour of an icon it has just taken.
    void SetVersion();
    void OnTaskbarCreated();
    void OnRetry();

    HICON icon_;
    std::wstring tip_;
    std::function<void()> onOpen_;
    std::function<void(POINT)> onMenu_;
    std::function<void()> onLost_;
    NotifyIconFn notify_;
    UniqueWindow window_;
    bool switchedOff_ = false;  // adding failed at creation: off for the whole run
    bool active_ = false;
    bool wanted_ = false;  // added and not removed: a new taskbar gets it again
    int retriesLeft_ = 0;  // tries left to put the icon on a new taskbar
};

}  // namespace tc
