#include "app/window_controls.h"

#include <commctrl.h>

#include "app/controls/group_box.h"
#include "app/controls/picture_list.h"
#include "app/controls/speed_button.h"
#include "app/controls/status_bar.h"
#include "app/controls/toolbar.h"
#include "app/controls/window_font.h"
#include "app/win32/win32_window.h"
#include "core/time_form.h"
#include "platform/win32/win32_text.h"

namespace tc {
namespace {

constexpr int kFirstId = 100;

struct WindowKind {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

WindowKind KindOf(const ControlSpec& c) {
    constexpr DWORD kTab = WS_TABSTOP;
    switch (c.kind) {
    case ControlKind::Label:
        // A label of one line never wraps: "剩余：" must not lose its "：" to a second line.
        return {L"STATIC",
                static_cast<DWORD>(c.text.find('\n') == std::string_view::npos ? SS_LEFTNOWORDWRAP
                                                                               : SS_LEFT) |
                    SS_NOPREFIX,
                0};
    case ControlKind::Edit:
        return {L"EDIT", ES_AUTOHSCROLL | kTab, WS_EX_CLIENTEDGE};
    case ControlKind::Memo:
        return {L"EDIT", ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | kTab,
                WS_EX_CLIENTEDGE};
    case ControlKind::CheckBox:
        return {L"BUTTON", BS_AUTOCHECKBOX | kTab, 0};
    case ControlKind::RadioButton:
        // Paired by our own click handling: each frame holds exactly one pair.
        return {L"BUTTON", BS_RADIOBUTTON | kTab, 0};
    case ControlKind::ComboBox:
        return {WC_COMBOBOXW, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | kTab, 0};
    case ControlKind::DatePicker:
        return {DATETIMEPICK_CLASSW, DTS_SHORTDATEFORMAT | (c.spin ? DTS_UPDOWN : 0) | kTab, 0};
    case ControlKind::TimePicker:
        return {DATETIMEPICK_CLASSW, DTS_TIMEFORMAT | kTab, 0};
    case ControlKind::Button:
        return {L"BUTTON", BS_PUSHBUTTON | kTab, 0};
    case ControlKind::GroupBox:
        return {kGroupBoxClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case ControlKind::SpeedButton:
        return {kSpeedButtonClass, 0, 0};
    case ControlKind::ToolBar:
        return {kToolbarClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case ControlKind::ToolButton:
        return {kToolButtonClass, 0, 0};
    case ControlKind::Spacer:
        return {kSpacerClass, 0, 0};
    case ControlKind::StatusBar:
        // No size grip: the window has a fixed size. Placed by the window, not by itself.
        return {STATUSCLASSNAMEW, CCS_NORESIZE | CCS_NOPARENTALIGN, 0};
    }
    return {L"STATIC", 0, 0};
}

void SetDesignState(HWND hwnd, const ControlSpec& c) {
    switch (c.kind) {
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
        SendMessageW(hwnd, BM_SETCHECK, c.checked ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
    case ControlKind::ComboBox:
        for (std::string_view item : kPowerCommandItems)
            SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
        SendMessageW(hwnd, CB_SETCURSEL, static_cast<WPARAM>(c.itemIndex), 0);
        if (c.itemIndex < 0) SetWindowTextW(hwnd, Widen(c.text).c_str());
        break;
    case ControlKind::Memo:
        SendMessageW(hwnd, EM_SETLIMITTEXT, 0, 0);  // no length limit
        break;
    default:
        break;
    }
}

// Labels without a width take their text's size; labels with a width but no height take the
// height of their text in the window font.
bool SizedToText(const ControlSpec& c) { return c.kind == ControlKind::Label && c.width == 0; }
bool HeightOfText(const ControlSpec& c) { return c.kind == ControlKind::Label && c.height == 0; }

// The size of a label sized to its text.
SIZE LabelSize(const std::wstring& text, HFONT font) {
    SIZE size = MeasureText(font, text.empty() ? L" " : text.c_str());
    // A glyph's ink can reach a pixel or two past its advance ("0" in Tahoma, many Chinese
    // glyphs): that much room after the text, in proportion to the font, keeps it uncut.
    size.cx = text.empty() ? 0 : size.cx + (size.cy + 5) / 6;
    return size;
}

// Where a control stands in its parent at the scale; `text` is what a label sized to its text
// shows. The toolbar's buttons and the status bar are placed by their bars (PlaceBars) and get
// an empty rectangle here.
RECT BoundsOf(const ControlSpec& c, const std::wstring& text, const Scale& scale, HFONT font) {
    if (c.parent == kToolbar || c.kind == ControlKind::StatusBar) return RECT{0, 0, 0, 0};
    const int left = scale(c.left);
    const int top = scale(c.top);
    if (SizedToText(c)) {
        const SIZE size = LabelSize(text, font);
        return RECT{left, top, left + size.cx, top + size.cy};
    }
    int height = scale(c.height);
    if (HeightOfText(c)) height = MeasureText(font, Widen(c.text).c_str()).cy;
    // A drop-down's window height includes its list; the closed box takes its height from
    // the item height set by SetItemHeight.
    if (c.kind == ControlKind::ComboBox) height += scale(120);
    return RECT{left, top, left + scale(c.width), top + height};
}

void SetItemHeight(HWND hwnd, const ControlSpec& c, const Scale& scale) {
    if (c.kind == ControlKind::ComboBox)
        SendMessageW(hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), scale(c.height) - 6);
}

}  // namespace

void WindowControls::RegisterClasses(HINSTANCE instance) {
    INITCOMMONCONTROLSEX icc{sizeof(icc),
                             ICC_DATE_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    RegisterGroupBoxClass(instance);
    RegisterSpeedButtonClasses(instance);
    RegisterToolbarClasses(instance);
}

void WindowControls::Create(HWND form, HINSTANCE instance, const PictureList* pictures,
                            const Scale& scale, HFONT font) {
    // Each control is made at its place and with the window font, before the window is seen:
    // placing and giving the font afterwards would be a second round of calls for every one.
    for (const ControlSpec& c : ControlTable()) {
        const WindowKind kind = KindOf(c);
        HWND parent = c.parent.empty() ? form : Find(c.parent);
        DWORD style = WS_CHILD | WS_CLIPSIBLINGS | kind.style;
        if (c.visible) style |= WS_VISIBLE;
        if (!c.enabled) style |= WS_DISABLED;
        const std::wstring text = c.kind == ControlKind::ComboBox ? L"" : Widen(c.text);
        const RECT r = BoundsOf(c, text, scale, font);
        HWND hwnd = CreateWindowExW(kind.exStyle, kind.className, text.c_str(), style, r.left,
                                    r.top, r.right - r.left, r.bottom - r.top, parent,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdOf(c))),
                                    instance, nullptr);
        byName_.emplace(std::string(c.name), hwnd);
        if (c.kind != ControlKind::StatusBar)
            SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        SetDesignState(hwnd, c);
        SetItemHeight(hwnd, c, scale);
    }
    // A new child window goes below its siblings. Labels are raised in table order instead,
    // so a label stands above one to its left: where a label reaches under its right-hand
    // neighbour (the countdown's seconds under "秒"), the neighbour is drawn over it and stays
    // readable, and the lower label's background cannot cover it.
    for (const ControlSpec& c : ControlTable())
        if (c.kind == ControlKind::Label)
            SetWindowPos(Find(c.name), HWND_TOP, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetPictures(pictures);
    PlaceBars(scale, font);
}

void WindowControls::SetPictures(const PictureList* pictures) const {
    for (const ControlSpec& c : ControlTable())
        if (c.kind == ControlKind::ToolButton) SetButtonPicture(Find(c.name), pictures, c.picture);
}

void WindowControls::SetFont(HFONT font) const {
    for (const ControlSpec& c : ControlTable())
        if (c.kind != ControlKind::StatusBar)
            SendMessageW(Find(c.name), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void WindowControls::Place(const Scale& scale, HFONT font) {
    for (const ControlSpec& c : ControlTable()) {
        if (c.parent == kToolbar || c.kind == ControlKind::StatusBar) continue;
        HWND hwnd = Find(c.name);
        // Only a label sized to its text needs its text (the information box's may be long).
        const RECT r = BoundsOf(c, SizedToText(c) ? WindowTextW(hwnd) : L"", scale, font);
        SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (SizedToText(c)) InvalidateRect(hwnd, nullptr, TRUE);
        SetItemHeight(hwnd, c, scale);
    }
    PlaceBars(scale, font);
}

void WindowControls::PlaceBars(const Scale& scale, HFONT font) const {
    LayoutToolbar(scale, font, [this](std::string_view name) { return Find(name); });
    const ControlSpec* status = FindControl(kStatusBar);
    PlaceStatusBar(Find(status->name), scale(status->height), scale(200));
}

void WindowControls::FitLabel(std::string_view name, HFONT font) const {
    const ControlSpec* entry = FindControl(name);
    HWND hwnd = Find(name);
    if (!entry || !hwnd || !SizedToText(*entry)) return;
    const SIZE size = LabelSize(WindowTextW(hwnd), font);
    SetWindowPos(hwnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd, nullptr, TRUE);
}

void WindowControls::SetPickerFormats(const LocaleInfo& locale) const {
    const std::wstring timeFormat = Widen(PickerTimeFormat(locale));
    for (const ControlSpec& c : ControlTable()) {
        if (c.kind == ControlKind::DatePicker)
            SendMessageW(Find(c.name), DTM_SETFORMATW, 0, 0);
        else if (c.kind == ControlKind::TimePicker)
            SendMessageW(Find(c.name), DTM_SETFORMATW, 0,
                         reinterpret_cast<LPARAM>(timeFormat.c_str()));
    }
}

HWND WindowControls::Find(std::string_view name) const {
    const auto it = byName_.find(name);
    return it == byName_.end() ? nullptr : it->second;
}

const ControlSpec* WindowControls::SpecOfId(int id) {
    const auto table = ControlTable();
    const int index = id - kFirstId;
    if (index < 0 || index >= static_cast<int>(table.size())) return nullptr;
    return &table[static_cast<std::size_t>(index)];
}

int WindowControls::IdOf(const ControlSpec& entry) {
    return kFirstId + static_cast<int>(&entry - ControlTable().data());
}

HBRUSH WindowControls::Colours(HDC dc, HWND control) {
    const ControlSpec* entry = SpecOfId(GetDlgCtrlID(control));
    const bool ours =
        entry && (entry->kind == ControlKind::Label || entry->kind == ControlKind::CheckBox ||
                  entry->kind == ControlKind::RadioButton);
    if (!ours) return nullptr;
    SetTextColor(dc, entry->blue ? RGB(0, 0, 255) : GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
}

}  // namespace tc
