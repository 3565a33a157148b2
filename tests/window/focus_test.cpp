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
const std::vector<std::string> kOrder = {"Memo1",
                                         "chkAutorun",
                                         "TimeAtuoRunchk",
                                         "CheckBox1",
                                         "DateTimePicker1",
                                         "DateTimePicker2",
                                         "Edit6",
                                         "Edit7",
                                         "Edit8",
                                         "Button6",
                                         "CheckBox3",
                                         "CheckBox4",
                                         "ComboBox1",
                                         "Edit9",
                                         "dtpStartDate",
                                         "dtpStartTime",
                                         "chkTime",
                                         "FSetDate1",
                                         "FSetTime1",
                                         "Edit1",
                                         "FSetDate2",
                                         "FSetTime2",
                                         "Edit2",
                                         "FSetDate3",
                                         "FSetTime3",
                                         "Edit3",
                                         "FSetDate4",
                                         "FSetTime4",
                                         "Edit4",
                                         "FSetDate5",
                                         "FSetTime5",
                                         "Edit5",
                                         "rbtOp1",
                                         "rbtOp2",
                                         "rbtOp3",
                                         "rbtOp4",
                                         "rbtOp5",
                                         "chk1",
                                         "chk2",
                                         "chk3",
                                         "chk4",
                                         "chk5",
                                         "softchk1",
                                         "softchk2",
                                         "softchk3",
                                         "softchk4",
                                         "softchk5"};

TEST_F(FocusTest, FirstShowFocusesMemo1AndTabWalksTheWholeOrderAndWraps) {
    Open();
    EXPECT_EQ(Focused(), "Memo1");
    std::vector<std::string> seen{Focused()};
    for (std::size_t i = 1; i < kOrder.size(); ++i) {
        Tab();
        seen.push_back(Focused());
    }
    EXPECT_EQ(seen, kOrder);
    Tab();
    EXPECT_EQ(Focused(), "Memo1");
}

TEST_F(FocusTest, ShiftTabGoesBackwardAndWraps) {
    Open();
    form->MoveFocus(false);
    EXPECT_EQ(Focused(), "softchk5");
    form->MoveFocus(false);
    EXPECT_EQ(Focused(), "softchk4");
    form->MoveFocus(true);
    form->MoveFocus(true);
    EXPECT_EQ(Focused(), "Memo1");
}

TEST_F(FocusTest, OnlyTheSelectedRadioButtonAndEnabledControlsAreStops) {
    Open();
    Values().SetChecked(RowName(kCloseButtonPrefix, 2), true);
    SetFocus(Ctl(RowName(kSlotPathPrefix, 5)));
    form->MoveFocus(true);
    EXPECT_EQ(Focused(), "rbtOp1");
    form->MoveFocus(true);
    EXPECT_EQ(Focused(), "rbtColse2");

    SendMessageW(Ctl(kStartButton), BM_CLICK, 0, 0);  // Start disables Edit9
    SetFocus(Ctl(kPowerCommandCombo));
    form->MoveFocus(true);
    EXPECT_EQ(Focused(), "dtpStartDate");
}

TEST_F(FocusTest, ButtonsOfTheToolbarAndTheBrowseButtonsTakeNoFocus) {
    Open();
    SetFocus(Ctl(kClickXEdit));
    for (const char* name : {"RzToolButton3", "SpeedButton2"}) {
        HWND button = Ctl(name);
        RECT r;
        GetClientRect(button, &r);
        SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        EXPECT_EQ(Focused(), "Edit7") << name;
    }
}

TEST_F(FocusTest, ArrowKeysMoveBetweenTheButtonsOfAPair) {
    Open();
    SetFocus(Ctl(RowName(kOpenButtonPrefix, 3)));
    MSG msg{Ctl(RowName(kOpenButtonPrefix, 3)), WM_KEYDOWN, VK_RIGHT, 0, 0, {}};
    EXPECT_TRUE(form->HandleFocusKeys(msg));
    EXPECT_EQ(Focused(), "rbtColse3");
    EXPECT_TRUE(Values().Checked(RowName(kCloseButtonPrefix, 3)));
    EXPECT_FALSE(Values().Checked(RowName(kOpenButtonPrefix, 3)));
}

}  // namespace
}  // namespace tc::test
