#pragma once
// The main window's look at its display scale: the program's icons on the title bar, the taskbar
// and in the notification area, the toolbar's pictures, the window's and the status bar's fonts,
// and the window's size. All are made for the window's dots per inch, and made again when the
// window moves to a display of another scale.
#include <windows.h>

#include <memory>

#include "app/win32/dpi.h"
#include "app/win32/handles.h"
#include "app/win32/newer_window_functions.h"

namespace tc {

class PictureList;
class TrayIcon;
class WindowControls;

// The main window's frame, and its client area at 96 dots per inch.
constexpr DWORD kMainWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr int kClientWidth = 939;
constexpr int kClientHeight = 579;

// The resource name of the program's icon.
constexpr wchar_t kProgramIcon[] = L"MAINICON";

class ScaledLook {
public:
    ScaledLook(HINSTANCE instance, const NewerWindowFunctions& newer,
               const WindowControls& controls);
    ~ScaledLook();
    ScaledLook(const ScaledLook&) = delete;
    ScaledLook& operator=(const ScaledLook&) = delete;
    ScaledLook(ScaledLook&&) = delete;
    ScaledLook& operator=(ScaledLook&&) = delete;

    // The window it serves, once created, at the scale the system reports for it.
    void Attach(HWND window);

    int Dpi() const { return dpi_; }
    HFONT Font() const { return font_.Get(); }
    const PictureList* Pictures() const { return pictures_.get(); }
    HICON SmallIcon() const { return smallIcon_.Get(); }

    // The title bar's, the taskbar's and the notification area's icons at the window's scale
    // (`tray` may be nullptr: no icon in the notification area yet).
    void SetIcons(TrayIcon* tray);
    // The toolbar's pictures and the window's font at the window's scale, before the controls.
    void MakePicturesAndFont();
    // The status bar's font at the window's scale, once the status bar is there.
    void SetStatusFont();
    // The window sized to hold its client area at its scale.
    void ResizeToClientArea();
    // The window keeps its size at any scale, also when that is larger than the screen.
    void KeepTrackSize(MINMAXINFO& info) const;

    // A new scale: icons, pictures and fonts made again for it and given to the controls, and
    // the window sized for it. The controls are placed by the caller.
    void Apply(int dpi, TrayIcon* tray);

private:
    HINSTANCE instance_;
    const NewerWindowFunctions& newer_;
    const WindowControls& controls_;
    HWND window_ = nullptr;
    int dpi_ = 96;
    UniqueFont font_;
    UniqueFont statusFont_;
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
    std::unique_ptr<PictureList> pictures_;
};

}  // namespace tc
