#include "app/controls/group_box.h"

#include <string>

#include "app/win32/forward_to_parent.h"
#include "app/win32/handles.h"
#include "app/win32/win32_window.h"

namespace tc {
namespace {

void Paint(HWND hwnd) {
    PaintScope paint(hwnd);
    HDC dc = paint.Dc();
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    SelectIn font(dc, StoredFont(hwnd) ? static_cast<HGDIOBJ>(StoredFont(hwnd))
                                       : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    // The frame runs through the middle of the caption line; a frame without a caption (the
    // radio pairs of the slot rows) encloses its whole area.
    const std::wstring caption = WindowTextW(hwnd);
    const int length = static_cast<int>(caption.size());
    RECT frame = client;
    if (length > 0) frame.top = metrics.tmHeight / 2 - 1;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (length == 0) return;
    RECT text{metrics.tmAveCharWidth + 2, 0, client.right - 8, metrics.tmHeight};
    DrawTextW(dc, caption.c_str(), length, &text, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    text.left -= 1, text.right += 1;
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkMode(dc, OPAQUE);
    DrawTextW(dc, caption.c_str(), length, &text, DT_SINGLELINE | DT_NOPREFIX | DT_CENTER);
}

LRESULT CALLBACK GroupBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsChildNotification(message)) return ForwardToParent(hwnd, message, wParam, lParam);
    if (LRESULT result = 0; HandleFontMessage(hwnd, message, wParam, lParam, result)) return result;
    switch (message) {
    case WM_PAINT:
        Paint(hwnd);
        return 0;
    case WM_ERASEBKGND:
        return 1;  // painted whole in WM_PAINT
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return result;
    }
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

void RegisterGroupBoxClass(HINSTANCE instance) {
    RegisterWindowClass(
        instance, {kGroupBoxClass, GroupBoxProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)});
}

}  // namespace tc
