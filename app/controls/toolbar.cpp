#include "app/controls/toolbar.h"

#include <algorithm>
#include <string>

#include "app/controls/window_font.h"
#include "app/win32/forward_to_parent.h"
#include "app/win32/handles.h"
#include "app/win32/win32_window.h"
#include "core/controls.h"

namespace tc {
namespace {

// Background (painted whole in WM_PAINT) and the window font, kept like every control's.
LRESULT CommonMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (LRESULT result = 0; HandleFontMessage(hwnd, message, wParam, lParam, result)) return result;
    if (message == WM_ERASEBKGND) return 1;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK ToolbarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsChildNotification(message)) return ForwardToParent(hwnd, message, wParam, lParam);
    if (message == WM_PAINT) {
        PaintScope paint(hwnd);
        RECT client;
        GetClientRect(hwnd, &client);
        FillRect(paint.Dc(), &client, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(paint.Dc(), &client, EDGE_ETCHED, BF_TOP);
        return 0;
    }
    return CommonMessage(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK SpacerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PaintScope paint(hwnd);
        RECT client;
        GetClientRect(hwnd, &client);
        FillRect(paint.Dc(), &client, GetSysColorBrush(COLOR_BTNFACE));
        // A groove down the middle, two pixels wide, short of both ends.
        const int middle = (client.right - 2) / 2;
        RECT groove{middle, client.top + 2, middle + 2, client.bottom - 2};
        DrawEdge(paint.Dc(), &groove, EDGE_ETCHED, BF_LEFT);
        return 0;
    }
    return CommonMessage(hwnd, message, wParam, lParam);
}

int CaptionWidth(HWND button, HFONT font) {
    const std::wstring text = WindowTextW(button);
    return text.empty() ? 0 : MeasureText(font, text.c_str()).cx;
}

}  // namespace

void RegisterToolbarClasses(HINSTANCE instance) {
    auto* const face = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterWindowClass(instance, {kToolbarClass, ToolbarProc, face});
    RegisterWindowClass(instance, {kSpacerClass, SpacerProc, face});
}

int ToolButtonWidth(int captionWidth, const Scale& scale) {
    return std::max(scale(25), scale(16) + captionWidth + scale(12));
}

void LayoutToolbar(const Scale& scale, HFONT font,
                   const std::function<HWND(std::string_view name)>& controlByName) {
    int x = scale(4);
    for (const ControlSpec& item : ControlTable()) {
        if (item.parent != kToolbar) continue;
        HWND hwnd = controlByName(item.name);
        if (!hwnd) continue;
        const int width = item.kind == ControlKind::ToolButton
                              ? ToolButtonWidth(CaptionWidth(hwnd, font), scale)
                              : scale(item.width);
        SetWindowPos(hwnd, nullptr, x, scale(item.top), width, scale(item.height),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        x += width;
    }
}

}  // namespace tc
