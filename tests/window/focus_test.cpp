// The keyboard focus order: Memo1 first, Tab forward, Shift+Tab backward, wrapping at the end.
#include "core/controls.h"
#include "window_fixture.h"

namespace tc::test {
namespace {

class FocusTest : public WindowTest {
protected:
    std::string Focused() {
        HWND focus = GetFocus();
        for (const ControlSpec& c : ControlTable()) {
            HWND hwnd = Ctl(c.name);
            if (hwnd == focus || IsChild(hwnd, focus)) {
                if (c.kind == ControlKind::GroupBox || c.kind == ControlKind::ToolBar) continue;
                return std::string(c.name);
            }
        }
        return "(none)";
    }
    void Tab() {
        MSG msg{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
        ASSERT_TRUE(form->HandleFocusKeys(msg));
    }
};

// The order as the window's design lists it.
// The expected focus order: the mouse and power-off groups, then the slot rows by column.
std::vector<std::string> ExpectedOrder() {
    std::vector<std::string> order;
    for (std::string_view name :
         {kActivityMemo, kStartWithWindowsCheck, kAutoStartCheck, kMouseOnCheck,
          kMouseStartDatePicker, kMouseStartTimePicker, kClickIntervalEdit, kClickXEdit,
          kClickYEdit, kLocateButton, kCountdownCheck, kSetMomentCheck, kPowerCommandCombo,
          kCountdownMinutesEdit, kSetMomentDatePicker, kSetMomentTimePicker, kByClockCheck})
        order.emplace_back(name);
    for (int row = 1; row <= kSlotRows; ++row)
        for (std::string_view prefix : {kSlotDatePrefix, kSlotTimePrefix, kSlotPathPrefix})
            order.push_back(RowName(prefix, row));
    for (std::string_view prefix : {kOpenButtonPrefix, kSlotOnPrefix, kSlotDailyPrefix})
        for (int row = 1; row <= kSlotRows; ++row) order.push_back(RowName(prefix, row));
    return order;
}

TEST_F(FocusTest, FirstShowFocusesMemo1AndTabWalksTheWholeOrderAndWraps) {
    Open();
    EXPECT_EQ(Focused(), kActivityMemo);
    std::vector<std::string> seen{Focused()};
    for (std::size_t i = 1; i < ExpectedOrder().size(); ++i) {
        Tab();
        seen.push_back(Focused());
    }
    EXPECT_EQ(seen, ExpectedOrder());
    Tab();
    EXPECT_EQ(Focused(), kActivityMemo);
}

TEST_F(FocusTest, ShiftTabGoesBackwardAndWraps) {
    Open();
    form->MoveFocus(false);
    EXPECT_EQ(Focused(), RowName(kSlotDailyPrefix, 5));
    form->MoveFocus(false);
    EXPECT_EQ(Focused(), RowName(kSlotDailyPrefix, 4));
    form->MoveFocus(true);
    form->MoveFocus(true);
    EXPECT_EQ(Focused(), kActivityMemo);
}

TEST_F(FocusTest, OnlyTheSelectedRadioButtonAndEnabledControlsAreStops) {
    Open();
    Values().SetChecked(RowName(kCloseButtonPrefix, 2), true);
    SetFocus(Ctl(RowName(kSlotPathPrefix, 5)));
    form->MoveFocus(true);
    EXPECT_EQ(Focused(), RowName(kOpenButtonPrefix, 1));
    form->MoveFocus(true);
    EXPECT_EQ(Focused(), RowName(kCloseButtonPrefix, 2));

    SendMessageW(Ctl(kStartButton), BM_CLICK, 0, 0);  // Start disables Edit9
    SetFocus(Ctl(kPowerCommandCombo));
    form->MoveFocus(true);
    EXPECT_EQ(Focused(), kSetMomentDatePicker);
}

TEST_F(FocusTest, ButtonsOfTheToolbarAndTheBrowseButtonsTakeNoFocus) {
    Open();
    SetFocus(Ctl(kClickXEdit));
    for (const std::string& name : {std::string(kClearButton), RowName(kBrowseButtonPrefix, 2)}) {
        HWND button = Ctl(name);
        RECT r;
        GetClientRect(button, &r);
        SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        EXPECT_EQ(Focused(), kClickXEdit) << name;
    }
}

TEST_F(FocusTest, ArrowKeysMoveBetweenTheButtonsOfAPair) {
    Open();
    SetFocus(Ctl(RowName(kOpenButtonPrefix, 3)));
    MSG msg{Ctl(RowName(kOpenButtonPrefix, 3)), WM_KEYDOWN, VK_RIGHT, 0, 0, {}};
    EXPECT_TRUE(form->HandleFocusKeys(msg));
    EXPECT_EQ(Focused(), RowName(kCloseButtonPrefix, 3));
    EXPECT_TRUE(Values().Checked(RowName(kCloseButtonPrefix, 3)));
    EXPECT_FALSE(Values().Checked(RowName(kOpenButtonPrefix, 3)));
}

}  // namespace
}  // namespace tc::test
