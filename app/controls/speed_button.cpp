#include "app/controls/speed_button.h"

#include <memory>
#include <string>

#include "app/controls/picture_list.h"
#include "app/win32/forward_to_parent.h"
#include "app/win32/handles.h"
#include "app/win32/win32_window.h"

namespace tc {
namespace {

struct ButtonState {
    bool flat = false;
    bool hot = false;      // the mouse is over it
    bool pressed = false;  // the left button went down on it and is still down
    bool inside = false;   // ... and the mouse is still over it
    const PictureList* pictures = nullptr;
    int picture = -1;
};

ButtonState* State(HWND hwnd) {
    return reinterpret_cast<ButtonState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// Disabled text: a highlight copy one pixel down and right under a shadow copy.
void DrawCaption(HDC dc, const std::wstring& text, RECT r, UINT format, bool enabled) {
    SetBkMode(dc, TRANSPARENT);
    if (enabled) {
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        DrawTextW(dc, text.c_str(), -1, &r, format);
        return;
    }
    RECT light = r;
    OffsetRect(&light, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
    DrawTextW(dc, text.c_str(), -1, &light, format);
    SetTextColor(dc, GetSysColor(COLOR_3DSHADOW));
    DrawTextW(dc, text.c_str(), -1, &r, format);
}

void PaintFlat(HWND hwnd, HDC dc, const ButtonState& s, RECT client, bool enabled) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    const bool down = s.pressed && s.inside;
    if (enabled && (s.hot || s.pressed)) {
        RECT edge = client;
        DrawEdge(dc, &edge, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
    const int size = s.pictures ? s.pictures->Size() : 16;
    const int pad = size / 4;  // 4 pixels at 96 dots per inch
    const int shift = down ? 1 : 0;
    const int y = (client.bottom - size) / 2 + shift;
    if (s.pictures && s.picture >= 0) {
        if (enabled)
            s.pictures->Draw(dc, s.picture, pad + shift, y);
        else
            s.pictures->DrawEmbossed(dc, s.picture, pad, y);
    }
    RECT text{pad + size + pad + shift, shift, client.right, client.bottom + shift};
    DrawCaption(dc, WindowTextW(hwnd), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, enabled);
}

void PaintRaised(HWND hwnd, HDC dc, const ButtonState& s, RECT client, bool enabled) {
    const bool down = s.pressed && s.inside;
    RECT frame = client;
    DrawFrameControl(dc, &frame, DFC_BUTTON,
                     DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0) | (enabled ? 0 : DFCS_INACTIVE));
    RECT text = client;
    if (down) OffsetRect(&text, 1, 1);
    DrawCaption(dc, WindowTextW(hwnd), text, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX,
                enabled);
}

void Paint(HWND hwnd) {
    PaintScope paint(hwnd);
    const ButtonState* s = State(hwnd);
    if (!s) return;
    RECT client;
    GetClientRect(hwnd, &client);
    HFONT font = StoredFont(hwnd);
    SelectIn select(paint.Dc(),
                    font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    const bool enabled = IsWindowEnabled(hwnd);
    if (s->flat)
        PaintFlat(hwnd, paint.Dc(), *s, client, enabled);
    else
        PaintRaised(hwnd, paint.Dc(), *s, client, enabled);
}

void Click(HWND hwnd) {
    if (!IsWindowEnabled(hwnd)) return;
    SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED),
                 reinterpret_cast<LPARAM>(hwnd));
}

bool PointInside(HWND hwnd, LPARAM lParam) {
    RECT client;
    GetClientRect(hwnd, &client);
    const POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return PtInRect(&client, p);
}

void Redraw(HWND hwnd) { InvalidateRect(hwnd, nullptr, FALSE); }

LRESULT OnMouse(HWND hwnd, ButtonState& s, UINT message, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        if (!IsWindowEnabled(hwnd)) return 0;
        s.pressed = s.inside = true;
        SetCapture(hwnd);
        break;
    case WM_MOUSEMOVE:
        if (!s.hot) {
            s.hot = true;
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd, 0};
            TrackMouseEvent(&track);
        }
        if (s.pressed) s.inside = PointInside(hwnd, lParam);
        break;
    case WM_MOUSELEAVE:
        s.hot = false;
        break;
    case WM_LBUTTONUP: {
        const bool click = s.pressed && PointInside(hwnd, lParam);
        if (s.pressed) ReleaseCapture();
        s.pressed = false;
        Redraw(hwnd);
        if (click) Click(hwnd);
        return 0;
    }
    case WM_CAPTURECHANGED:
        s.pressed = false;
        break;
    }
    Redraw(hwnd);
    return 0;
}

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (LRESULT result = 0; HandleFontMessage(hwnd, message, wParam, lParam, result)) return result;
    ButtonState* s = State(hwnd);
    switch (message) {
    case WM_NCCREATE: {
        // The window owns its state from here until WM_NCDESTROY.
        auto state = std::make_unique<ButtonState>();
        wchar_t name[32] = {};
        GetClassNameW(hwnd, name, 32);
        state->flat = lstrcmpW(name, kToolButtonClass) == 0;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state.release()));
        break;
    }
    case WM_NCDESTROY:
        std::unique_ptr<ButtonState>{s}.reset();
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        break;
    case WM_PAINT:
        Paint(hwnd);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_CAPTURECHANGED:
        if (s) return OnMouse(hwnd, *s, message, lParam);
        break;
    case BM_CLICK:
        Click(hwnd);
        return 0;
    case WM_ENABLE:
        if (s) s->pressed = false;
        Redraw(hwnd);
        return 0;
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
        Redraw(hwnd);
        return result;
    }
    }
    // The state made at WM_NCCREATE belongs to the window from then on (freed at WM_NCDESTROY).
    // NOLINTNEXTLINE(clang-analyzer-cplusplus.NewDeleteLeaks)
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

void RegisterSpeedButtonClasses(HINSTANCE instance) {
    auto* const face = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterWindowClass(instance, {kSpeedButtonClass, ButtonProc, face});
    RegisterWindowClass(instance, {kToolButtonClass, ButtonProc, face});
}

void SetButtonPicture(HWND button, const PictureList* pictures, int index) {
    if (ButtonState* s = State(button)) {
        s->pictures = pictures;
        s->picture = index;
        Redraw(button);
    }
}

int ButtonPicture(HWND button) {
    const ButtonState* s = State(button);
    return s ? s->picture : -1;
}

}  // namespace tc
