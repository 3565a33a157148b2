#include "app/scaled_look.h"

#include <algorithm>

#include "app/controls/picture_list.h"
#include "app/controls/status_bar.h"
#include "app/controls/window_font.h"
#include "app/tray_icon.h"
#include "app/window_controls.h"

namespace tc {
namespace {

// The program's icon at a size of the window's scale, owned by the caller. Without the
// resource (a test program), the system's application icon, copied so that it can be owned.
HICON LoadProgramIcon(HINSTANCE instance, int size) {
    if (HANDLE icon = LoadImageW(instance, kProgramIcon, IMAGE_ICON, size, size, LR_DEFAULTCOLOR))
        return static_cast<HICON>(icon);
    return CopyIcon(static_cast<HICON>(
        LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, size, size, LR_SHARED)));
}

// AdjustWindowRectExForDpi where the system has it (Windows 10 on), else the plain form.
void AdjustForDpi(RECT& r, int dpi, const NewerWindowFunctions& newer) {
    if (newer.adjustWindowRectExForDpi)
        newer.adjustWindowRectExForDpi(&r, kMainWindowStyle, FALSE, 0, static_cast<UINT>(dpi));
    else
        AdjustWindowRectEx(&r, kMainWindowStyle, FALSE, 0);
}

}  // namespace

ScaledLook::ScaledLook(HINSTANCE instance, const NewerWindowFunctions& newer,
                       const WindowControls& controls)
    : instance_(instance), newer_(newer), controls_(controls) {}

ScaledLook::~ScaledLook() = default;

void ScaledLook::Attach(HWND window) {
    window_ = window;
    dpi_ = WindowDpi(window, newer_);
}

void ScaledLook::SetIcons(TrayIcon* tray) {
    const Scale scale{dpi_};
    UniqueIcon big(LoadProgramIcon(instance_, scale(32)));
    UniqueIcon small(LoadProgramIcon(instance_, scale(16)));
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.Get()));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.Get()));
    if (tray) tray->SetIcon(small.Get());
    // The old pictures go only when nothing shows them any more.
    bigIcon_ = std::move(big);
    smallIcon_ = std::move(small);
}

void ScaledLook::MakePicturesAndFont() {
    const Scale scale{dpi_};
    pictures_ = std::make_unique<PictureList>(scale(16));
    font_ = CreateWindowFont(dpi_);
}

void ScaledLook::SetStatusFont() {
    UniqueFont statusFont = CreateStatusFont(dpi_, newer_);
    SendMessageW(controls_.Find(kStatusBar), WM_SETFONT, reinterpret_cast<WPARAM>(statusFont.Get()),
                 FALSE);
    statusFont_ = std::move(statusFont);
}

void ScaledLook::ResizeToClientArea() {
    const Scale scale{dpi_};
    RECT r{0, 0, scale(kClientWidth), scale(kClientHeight)};
    AdjustForDpi(r, dpi_, newer_);
    SetWindowPos(window_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Where the frame drawn differs from what the calculation assumed, correct by the difference.
    RECT client;
    RECT frame;
    GetClientRect(window_, &client);
    GetWindowRect(window_, &frame);
    const int dx = scale(kClientWidth) - client.right;
    const int dy = scale(kClientHeight) - client.bottom;
    if (dx != 0 || dy != 0)
        SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left + dx,
                     frame.bottom - frame.top + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ScaledLook::KeepTrackSize(MINMAXINFO& info) const {
    const Scale scale{dpi_};
    RECT r{0, 0, scale(kClientWidth), scale(kClientHeight)};
    AdjustForDpi(r, dpi_, newer_);
    info.ptMaxTrackSize.x = std::max<LONG>(info.ptMaxTrackSize.x, (r.right - r.left) * 2);
    info.ptMaxTrackSize.y = std::max<LONG>(info.ptMaxTrackSize.y, (r.bottom - r.top) * 2);
}

void ScaledLook::Apply(int dpi, TrayIcon* tray) {
    const bool rescaled = dpi != dpi_;
    dpi_ = dpi;
    const Scale scale{dpi};
    if (rescaled) SetIcons(tray);
    // The pictures made at creation serve at the scale they were made for.
    if (rescaled || !pictures_) {
        auto pictures = std::make_unique<PictureList>(scale(16));
        controls_.SetPictures(pictures.get());
        pictures_ = std::move(pictures);
    }
    UniqueFont font = CreateWindowFont(dpi);
    controls_.SetFont(font.Get());
    font_ = std::move(font);
    SetStatusFont();
    ResizeToClientArea();
}

}  // namespace tc
