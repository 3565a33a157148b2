#include "app/window_focus.h"

#include <string>

#include "app/focus_order.h"
#include "app/window_controls.h"
#include "core/control_values.h"
#include "core/controls.h"

namespace tc {
namespace {

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

}  // namespace

bool WindowFocus::HandleKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN) return false;
    if (msg.hwnd != window_ && !IsChild(window_, msg.hwnd)) return false;
    if (msg.wParam == VK_TAB && !KeyDown(VK_CONTROL) && !KeyDown(VK_MENU)) {
        Move(!KeyDown(VK_SHIFT));
        return true;
    }
    const ControlSpec* entry = WindowControls::SpecOfId(GetDlgCtrlID(msg.hwnd));
    const bool arrow = msg.wParam == VK_LEFT || msg.wParam == VK_RIGHT || msg.wParam == VK_UP ||
                       msg.wParam == VK_DOWN;
    if (arrow && entry && entry->kind == ControlKind::RadioButton) {
        const std::string partner = RadioPartner(entry->name);
        if (IsWindowEnabled(controls_.Find(partner))) {
            values_.SetChecked(partner, true);
            SetFocus(controls_.Find(partner));
        }
        return true;
    }
    return false;
}

void WindowFocus::Move(bool forward) {
    if (HWND next = NextFocusStop(controls_, GetFocus(), forward)) SetFocus(next);
}

void WindowFocus::OnActivate(WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) lastFocus_ = focus;
        return;
    }
    if (HIWORD(wParam)) return;  // activated while minimised
    HWND target = lastFocus_ && IsWindow(lastFocus_) && IsWindowEnabled(lastFocus_)
                      ? lastFocus_
                      : FirstFocusStop(controls_);
    if (target) SetFocus(target);
}

}  // namespace tc
