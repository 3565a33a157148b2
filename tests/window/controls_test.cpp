// Every control of the window against the control table, and spot checks against the design.
#include <windows.h>
#include <commctrl.h>

#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "app/controls/status_bar.h"
#include "app/controls/window_font.h"
#include "app/win32/dpi.h"
#include "core/controls.h"
#include "platform/win32/win32_text.h"
#include "window_fixture.h"

namespace tc::test {
namespace {

class ControlsTest : public WindowTest {};

LONG StyleOf(HWND hwnd) { return GetWindowLongW(hwnd, GWL_STYLE); }

// The window class and the style bits that make each kind.
void ExpectKind(HWND hwnd, const ControlSpec& c) {
    const std::string cls = ClassOf(hwnd);
    const LONG style = StyleOf(hwnd);
    const LONG buttonType = style & BS_TYPEMASK;
    SCOPED_TRACE(std::string(c.name));
    switch (c.kind) {
    case ControlKind::Label:
        EXPECT_EQ(cls, "Static");
        break;
    case ControlKind::Edit:
        EXPECT_EQ(cls, "Edit");
        EXPECT_FALSE(style & ES_MULTILINE);
        break;
    case ControlKind::Memo:
        EXPECT_EQ(cls, "Edit");
        EXPECT_TRUE(style & ES_MULTILINE);
        EXPECT_TRUE(style & WS_VSCROLL);
        EXPECT_FALSE(style & WS_HSCROLL);  // long lines wrap
        EXPECT_FALSE(style & ES_AUTOHSCROLL);
        break;
    case ControlKind::CheckBox:
        EXPECT_EQ(cls, "Button");
        EXPECT_EQ(buttonType, BS_AUTOCHECKBOX);
        break;
    case ControlKind::RadioButton:
        EXPECT_EQ(cls, "Button");
        EXPECT_EQ(buttonType, BS_RADIOBUTTON);
        break;
    case ControlKind::ComboBox:
        EXPECT_EQ(cls, "ComboBox");
        EXPECT_EQ(style & 3, CBS_DROPDOWN);  // an editable text field with a list
        break;
    case ControlKind::DatePicker:
        EXPECT_EQ(cls, "SysDateTimePick32");
        EXPECT_FALSE(style & DTS_TIMEFORMAT & ~DTS_UPDOWN);
        EXPECT_EQ((style & DTS_UPDOWN) != 0, c.spin);
        break;
    case ControlKind::TimePicker:
        EXPECT_EQ(cls, "SysDateTimePick32");
        EXPECT_EQ(style & DTS_TIMEFORMAT, DTS_TIMEFORMAT);
        break;
    case ControlKind::Button:
        EXPECT_EQ(cls, "Button");
        EXPECT_EQ(buttonType, BS_PUSHBUTTON);
        break;
    case ControlKind::GroupBox:
        EXPECT_EQ(cls, "TGroupBox");
        break;
    case ControlKind::SpeedButton:
        EXPECT_EQ(cls, "TSpeedButton");
        break;
    case ControlKind::ToolBar:
        EXPECT_EQ(cls, "TRzToolbar");
        break;
    case ControlKind::ToolButton:
        EXPECT_EQ(cls, "TRzToolButton");
        break;
    case ControlKind::Spacer:
        EXPECT_EQ(cls, "TRzSpacer");
        break;
    case ControlKind::StatusBar:
        EXPECT_EQ(cls, "msctls_statusbar32");
        EXPECT_FALSE(style & SBARS_SIZEGRIP);
        break;
    }
}

TEST_F(ControlsTest, EveryControlHasItsKindParentAndDesignState) {
    Open(false);
    for (const ControlSpec& c : ControlTable()) {
        SCOPED_TRACE(std::string(c.name));
        HWND hwnd = Ctl(c.name);
        ASSERT_NE(hwnd, nullptr);
        ExpectKind(hwnd, c);
        EXPECT_EQ(GetParent(hwnd), c.parent.empty() ? form->Handle() : Ctl(c.parent));
        EXPECT_EQ((StyleOf(hwnd) & WS_VISIBLE) != 0, c.visible);
        EXPECT_EQ(IsWindowEnabled(hwnd) != FALSE, c.enabled);
        if (c.kind == ControlKind::CheckBox || c.kind == ControlKind::RadioButton) {
            EXPECT_EQ(Values().Checked(c.name), c.checked);
        }
        const bool shownText = c.kind != ControlKind::DatePicker &&
                               c.kind != ControlKind::TimePicker &&
                               c.kind != ControlKind::StatusBar;
        if (shownText) {
            EXPECT_EQ(Values().Text(c.name), std::string(c.text));
        }
    }
}

TEST_F(ControlsTest, EveryControlStandsAtItsTablePosition) {
    Open(false);
    for (const ControlSpec& c : ControlTable()) {
        if (c.kind == ControlKind::StatusBar || c.parent == "RzToolbar1") continue;  // own tests
        SCOPED_TRACE(std::string(c.name));
        const RECT r = RectInParent(Ctl(c.name));
        EXPECT_EQ(r.left, c.left);
        EXPECT_EQ(r.top, c.top);
        if (c.width > 0) {
            EXPECT_EQ(r.right - r.left, c.width);
        }
    }
}

// The size of a control's text in the control's own font, line breaks included.
SIZE TextSize(HWND hwnd, const std::string& text) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    return MeasureText(font, Widen(text).c_str());
}

// The room a control leaves its caption or shown value; nothing for fields whose text scrolls.
std::optional<SIZE> TextRoom(const ControlSpec& c, const RECT& r, const Scale& scale) {
    const LONG w = r.right - r.left, h = r.bottom - r.top;
    switch (c.kind) {
    case ControlKind::Label:
        return SIZE{w, h};
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:  // the box or circle and the gap after it
        return SIZE{w - scale(16), h};
    case ControlKind::Button:
    case ControlKind::SpeedButton:
        return SIZE{w - scale(6), h - scale(4)};
    case ControlKind::ToolButton:  // the picture left of the caption
        return SIZE{w - scale(16) - scale(8), h};
    case ControlKind::GroupBox:  // the caption sits in the frame's top line
        return SIZE{w - scale(16), h};
    case ControlKind::DatePicker:
    case ControlKind::TimePicker:
    case ControlKind::ComboBox:  // the shown value, left of the drop-down or spin button
        return SIZE{w - scale(20), h};
    default:
        return std::nullopt;
    }
}

// The column after the rightmost text pixel of a window as it paints itself (text in the
// button-text colour on the button face), 0 when it shows no text.
int RightmostInk(HWND hwnd) {
    RECT r;
    GetClientRect(hwnd, &r);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, r.right, r.bottom);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    int end = 0;
    for (int x = 0; x < r.right; ++x)
        for (int y = 0; y < r.bottom; ++y) {
            const COLORREF pixel = GetPixel(dc, x, y);
            // Text is much darker than the face; borders and separators are not.
            if (GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) + 240 <
                GetRValue(face) + GetGValue(face) + GetBValue(face))
                end = x + 1;
        }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return end;
}

// What the user sees, over the whole window at every scale: every visible control has a size and
// lies inside its parent, every caption and shown value fits its control on the lines it has,
// and siblings overlap only where the layout puts them so, the lower one's text clear of the
// upper one.
TEST_F(ControlsTest, WhatTheUserSeesAtEveryScale) {
    Open();
    // The countdown on at its longest read-out: the labels it shows carry real texts.
    Values().SetText(kCountdownMinutesEdit, "16666");
    Values().SetChecked(kCountdownCheck, true);
    ASSERT_EQ(Values().Text(kRemainingSecondsLabel), "999960");
    const std::set<std::pair<std::string, std::string>> allowed = {{"Label15", "Label16"}};
    for (const int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(dpi);
        form->ApplyDpi(dpi);
        const Scale scale{dpi};
        std::set<std::pair<std::string, std::string>> overlaps;
        int checked = 0;
        for (const ControlSpec& c : ControlTable()) {
            HWND hwnd = Ctl(c.name);
            SCOPED_TRACE(std::string(c.name));
            EXPECT_TRUE(IsWindowVisible(hwnd));
            if (!IsWindowVisible(hwnd)) continue;
            ++checked;
            const RECT r = RectInParent(hwnd);
            EXPECT_GT(r.right - r.left, 0);
            EXPECT_GT(r.bottom - r.top, 0);
            RECT parent;
            GetClientRect(GetParent(hwnd), &parent);
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= parent.right &&
                        r.bottom <= parent.bottom);

            const std::string text = WindowText(hwnd);
            if (const auto room = TextRoom(c, r, scale); room && !text.empty()) {
                const SIZE size = TextSize(hwnd, text);
                EXPECT_LE(size.cx, room->cx) << text;
                EXPECT_LE(size.cy, room->cy) << text;
            }
            // A glyph can reach past its advance: a label's ink must end before its edge, or
            // its last character is cut.
            if (c.kind == ControlKind::Label) {
                EXPECT_LT(RightmostInk(hwnd), r.right - r.left) << text;
            }

            // Siblings drawn over this one (earlier in the z-order): none may cover its text.
            for (HWND above = GetWindow(hwnd, GW_HWNDPREV); above;
                 above = GetWindow(above, GW_HWNDPREV)) {
                const ControlSpec* other = WindowControls::SpecOfId(GetDlgCtrlID(above));
                if (!other || !IsWindowVisible(above)) continue;
                const RECT o = RectInParent(above);
                RECT common;
                if (!IntersectRect(&common, &r, &o)) continue;
                overlaps.insert(std::minmax(std::string(c.name), std::string(other->name)));
                const SIZE size = TextSize(hwnd, text);
                const RECT inked{r.left, r.top, r.left + size.cx, r.top + size.cy};
                EXPECT_FALSE(IntersectRect(&common, &inked, &o)) << other->name << " covers it";
            }
        }
        EXPECT_EQ(overlaps, allowed);
        EXPECT_EQ(checked, static_cast<int>(ControlTable().size()));

        // The status bar: its design height, and the clock's text within its panel.
        HWND bar = Ctl(kStatusBar);
        form->ShowClock();
        RECT barRect, panel;
        GetClientRect(bar, &barRect);
        EXPECT_EQ(barRect.bottom, scale(19));
        SendMessageW(bar, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&panel));
        const SIZE clock = TextSize(bar, StatusText(bar, 0));
        EXPECT_LE(clock.cx, panel.right - panel.left);
        EXPECT_LE(clock.cy, panel.bottom - panel.top);
        // The cursor position, right-aligned, ends a little before the window's edge.
        form->ShowCursorPosition();
        const int inkEnd = RightmostInk(bar);
        EXPECT_GT(inkEnd, barRect.right / 2);
        EXPECT_LE(inkEnd, barRect.right - scale(4));
    }
}

// Positions in the window's client area, worked out from the design (group + place in group).
TEST_F(ControlsTest, SpotChecksInTheClientArea) {
    Open(false);
    struct Expected {
        const char* name;
        RECT rect;
    };
    const Expected expected[] = {
        {"RzToolbar1", {0, 0, 939, 29}},
        {"GroupBox7", {17, 35, 921, 114}},
        {"GroupBox8", {17, 120, 922, 323}},
        {"GroupBox6", {633, 328, 921, 549}},
        {"Memo1", {17, 350, 627, 549}},
        {"Edit3", {48, 217, 437, 238}},
        {"SpeedButton5", {441, 273, 464, 295}},
        {"rbtOp1", {17 + 735 + 10, 120 + 41 + 1, 17 + 735 + 10 + 73, 120 + 41 + 1 + 17}},
        {"rbtColse4", {841, 246, 906, 263}},
        {"FSetTime2", {17 + 634, 120 + 69, 17 + 634 + 97, 120 + 69 + 21}},
        {"Button6", {857, 514, 918, 536}},
        {"chkTime", {479, 84, 900, 101}},
        {"Edit9", {265, 56, 330, 77}},
        {"DateTimePicker2", {755, 401, 852, 422}},
        {"Label10", {781, 438, 913, 503}},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.name);
        const RECT r = RectInClient(Ctl(e.name), form->Handle());
        EXPECT_EQ(r.left, e.rect.left);
        EXPECT_EQ(r.top, e.rect.top);
        EXPECT_EQ(r.right, e.rect.right);
        EXPECT_EQ(r.bottom, e.rect.bottom);
    }
    for (const char* name : {"Label4", "Label5", "Label11"}) {
        SCOPED_TRACE(name);
        const RECT r = RectInClient(Ctl(name), form->Handle());
        const POINT at = std::string(name) == "Label4"   ? POINT{19, 328}
                         : std::string(name) == "Label5" ? POINT{758, 301}
                                                         : POINT{34, 60};
        EXPECT_EQ(r.left, at.x);
        EXPECT_EQ(r.top, at.y);
    }
}

TEST_F(ControlsTest, TheWindowItself) {
    Open();
    HWND hwnd = form->Handle();
    EXPECT_EQ(ClassOf(hwnd), "TForm1");
    EXPECT_EQ(WindowText(hwnd), "Tallowcron");
    const LONG style = StyleOf(hwnd);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);            // fixed size
    EXPECT_EQ(GetWindow(hwnd, GW_OWNER), nullptr);  // owns its taskbar button
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 939);
    EXPECT_EQ(client.bottom, 579);
    RECT frame;
    GetWindowRect(hwnd, &frame);
    EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    EXPECT_NE(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(GetClassLongPtrW(hwnd, GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);
}

TEST_F(ControlsTest, ControlsUseTahomaEightPointAndTheNotesAreBlue) {
    Open(false);
    HDC dc = CreateCompatibleDC(nullptr);
    for (const ControlSpec& c : ControlTable()) {
        SCOPED_TRACE(std::string(c.name));
        HWND hwnd = Ctl(c.name);
        if (c.kind != ControlKind::StatusBar) {  // the status bar keeps the system's font
            LOGFONTW lf{};
            const auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
            GetObjectW(font, sizeof(lf), &lf);
            EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
            EXPECT_EQ(lf.lfHeight, -11);
        }
        if (c.kind == ControlKind::Label || c.kind == ControlKind::CheckBox) {
            SetTextColor(dc, RGB(1, 2, 3));
            SendMessageW(form->Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(hwnd));
            EXPECT_EQ(GetTextColor(dc), c.blue ? RGB(0, 0, 255) : GetSysColor(COLOR_WINDOWTEXT));
        }
    }
    DeleteDC(dc);
    for (const char* blue : {"Label5", "Label10", "Label14", "Label15", "Label17", "Label18"})
        EXPECT_TRUE(FindControl(blue)->blue) << blue;
}

TEST_F(ControlsTest, DropDownStartsOnItsFirstItemAndNotesReadAsDesigned) {
    Open(false);
    HWND combo = Ctl(kPowerCommandCombo);
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), std::ssize(kPowerCommandItems));
    EXPECT_EQ(Values().ItemIndex(kPowerCommandCombo), 0);  // what it shows is what runs
    EXPECT_EQ(Values().Text(kPowerCommandCombo), "关机");
    // Each index shows its own item: the index is what runs and what is stored.
    for (int i = 0; i < std::ssize(kPowerCommandItems); ++i) {
        Values().SetItemIndex(kPowerCommandCombo, i);
        EXPECT_EQ(Values().Text(kPowerCommandCombo), kPowerCommandItems[i]);
    }
    Values().SetItemIndex(kPowerCommandCombo, 7);
    EXPECT_EQ(Values().ItemIndex(kPowerCommandCombo), -1);

    EXPECT_EQ(Values().Text("Label10"),
              "启用鼠标点击后如果\r\n启用时间小于当前时\r\n间则默认间隔时间计时\r\n"
              "鼠标点击坐标可以参考\r\n右下角鼠标实时坐标定位");
    EXPECT_EQ(Values().Text("GroupBox7"),
              "定时关机（可以同时选择倒计时和定时,时间先到执行,定时时间小于当前时间无法触发）");
    EXPECT_EQ(Values().Text(RowName(kSlotPathPrefix, 4)), "E:\\qzvt.exe");
    EXPECT_EQ(Values().Text(kRemainingSecondsLabel), "600");
    EXPECT_FALSE(Values().Visible(kCountdownStartLabel));
    EXPECT_FALSE(Values().Visible(kCountdownTargetLabel));
}

TEST_F(ControlsTest, RadioButtonsArePairedPerRow) {
    Open();
    SendMessageW(Ctl(RowName(kCloseButtonPrefix, 2)), BM_CLICK, 0, 0);
    for (int row = 1; row <= 5; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(Values().Checked(RowName("rbtColse", row)), row == 2);
        EXPECT_EQ(Values().Checked(RowName("rbtOp", row)), row != 2);
    }
    SendMessageW(Ctl(RowName(kOpenButtonPrefix, 2)), BM_CLICK, 0, 0);
    EXPECT_TRUE(Values().Checked(RowName(kOpenButtonPrefix, 2)));
    EXPECT_FALSE(Values().Checked(RowName(kCloseButtonPrefix, 2)));
}

}  // namespace
}  // namespace tc::test
