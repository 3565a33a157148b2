// The toolbar's items, their layout and enabled states around Start and Stop; the status bar.
#include <windows.h>
#include <commctrl.h>

#include "app/controls/speed_button.h"
#include "app/controls/status_bar.h"
#include "app/controls/toolbar.h"
#include "app/controls/window_font.h"
#include "core/controls.h"
#include "core/scheduler.h"
#include "platform/win32/win32_text.h"
#include "window_fixture.h"

namespace tc::test {
namespace {

class ToolbarTest : public WindowTest {};

struct Item {
    const char* name;
    const char* caption;  // empty for spacers and check boxes
    int picture;
    bool button;
    int width;  // spacers and check boxes: fixed; buttons: computed
    int top;
};

const Item kItems[] = {
    {"RzToolButton1", "开始", 0, true, 0, 2},     {"RzSpacer1", "", -1, false, 8, 2},
    {"RzToolButton2", "停止", 4, true, 0, 2},     {"RzSpacer2", "", -1, false, 8, 2},
    {"RzToolButton5", "保存配置", 8, true, 0, 2}, {"RzSpacer4", "", -1, false, 8, 2},
    {"RzToolButton3", "清除信息", 6, true, 0, 2}, {"RzSpacer3", "", -1, false, 8, 2},
    {"RzToolButton4", "退出", 2, true, 0, 2},     {"RzSpacer5", "", -1, false, 8, 2},
    {"chkAutorun", "", -1, false, 85, 6},         {"RzSpacer6", "", -1, false, 8, 2},
    {"TimeAtuoRunchk", "", -1, false, 151, 6},
};

TEST_F(ToolbarTest, ItemsStandOneAfterAnotherWithComputedButtonWidths) {
    Open(false);
    int x = 4;
    for (const Item& item : kItems) {
        SCOPED_TRACE(item.name);
        HWND hwnd = Ctl(item.name);
        EXPECT_EQ(GetParent(hwnd), Ctl(kToolbar));
        const RECT r = RectInParent(hwnd);
        EXPECT_EQ(r.left, x);
        EXPECT_EQ(r.top, item.top);
        int width = item.width;
        if (item.button) {
            EXPECT_EQ(WindowText(hwnd), item.caption);
            EXPECT_EQ(ButtonPicture(hwnd), item.picture);
            const int text = MeasureText(form->Font(), Widen(item.caption).c_str()).cx;
            width = std::max(25, 16 + text + 12);
            EXPECT_EQ(r.bottom - r.top, 25);
        }
        EXPECT_EQ(r.right - r.left, width);
        x += width;
    }
    EXPECT_EQ(WindowText(Ctl(kStartWithWindowsCheck)), "开机启动");
    EXPECT_EQ(WindowText(Ctl(kAutoStartCheck)), "软件启动后自动启动时钟");
}

TEST_F(ToolbarTest, ButtonWidthRuleHasAMinimum) {
    EXPECT_EQ(ToolButtonWidth(0, Scale{96}), 28);
    EXPECT_EQ(ToolButtonWidth(24, Scale{96}), 52);
    EXPECT_EQ(ToolButtonWidth(48, Scale{96}), 76);
    EXPECT_EQ(ToolButtonWidth(36, Scale{144}), 24 + 36 + 18);
}

TEST_F(ToolbarTest, StartAndStopSwapTheButtonsAndSwitchTheScheduling) {
    Open();
    auto enabled = [&](std::string_view name) { return IsWindowEnabled(Ctl(name)) != FALSE; };
    EXPECT_TRUE(enabled(kStartButton));
    EXPECT_FALSE(enabled(kStopButton));
    // A click on the disabled "停止" does nothing.
    SendMessageW(Ctl(kStopButton), BM_CLICK, 0, 0);
    EXPECT_FALSE(form->Schedule().Running());

    SendMessageW(Ctl(kStartButton), BM_CLICK, 0, 0);
    EXPECT_TRUE(form->Schedule().Running());
    EXPECT_FALSE(enabled(kStartButton));
    EXPECT_TRUE(enabled(kStopButton));
    EXPECT_FALSE(enabled(kCountdownMinutesEdit));
    for (std::string_view other : {kSaveButton, kClearButton, kExitButton})
        EXPECT_TRUE(enabled(other)) << other;

    SendMessageW(Ctl(kStopButton), BM_CLICK, 0, 0);
    EXPECT_FALSE(form->Schedule().Running());
    EXPECT_TRUE(enabled(kStartButton));
    EXPECT_FALSE(enabled(kStopButton));
    EXPECT_TRUE(enabled(kCountdownMinutesEdit));
}

TEST_F(ToolbarTest, ClearEmptiesTheActivityBoxAndExitClosesTheWindow) {
    Open();
    Values().AppendActivityLine("打开程序-C:\\a.exe-执行时间-2026/3/4 5:06:07");
    SendMessageW(Ctl(kClearButton), BM_CLICK, 0, 0);
    EXPECT_EQ(Values().Text(kActivityMemo), "");
    SendMessageW(Ctl(kClearButton), BM_CLICK, 0, 0);  // again on an empty box: nothing
    EXPECT_EQ(Values().Text(kActivityMemo), "");
    EXPECT_TRUE(Boxes().shown.empty());

    HWND hwnd = form->Handle();
    SendMessageW(Ctl(kExitButton), BM_CLICK, 0, 0);
    Pump(50);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_TRUE(files.files.empty());  // nothing saved on exit
}

TEST_F(ToolbarTest, SaveWritesTheSettingsFileWithoutAMessage) {
    Open();
    Values().SetText(kClickXEdit, "321");
    SendMessageW(Ctl(kSaveButton), BM_CLICK, 0, 0);
    const auto it = files.files.find("C:\\Tools\\Tallowcron\\config.ini");
    ASSERT_NE(it, files.files.end());
    EXPECT_NE(it->second.find("mouseX=321"), std::string::npos);
    EXPECT_TRUE(Boxes().shown.empty());
}

class StatusBarTest : public WindowTest {};

TEST_F(StatusBarTest, PanelsAreEmptyUntilTheirTimersTickThenShowClockAndCursor) {
    Open(false);
    HWND bar = Ctl(kStatusBar);
    EXPECT_EQ(StatusText(bar, 0), "");
    EXPECT_EQ(StatusText(bar, 1), "");
    int parts[3] = {};
    EXPECT_EQ(SendMessageW(bar, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(parts)), 2);
    EXPECT_EQ(parts[0], 200);
    RECT r = RectInClient(bar, form->Handle());
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.right, 939);
    EXPECT_EQ(r.bottom, 579);

    input.cursor = {1080, 654};
    Pump(1150);  // no read-out work while the window has never been seen
    EXPECT_EQ(StatusText(bar, 0), "");
    EXPECT_EQ(StatusText(bar, 1), "");
    clock.Set(2026, 3, 4, 5, 6, 7, 950);
    form->Show();
    EXPECT_EQ(StatusText(bar, 0), "");
    // Shown: the cursor read-out every 100 ms, and the clock read-out as each second of the clock
    // begins, not a whole second after the show.
    clock.Set(2026, 3, 4, 5, 6, 8, 30);
    Pump(400);
    EXPECT_EQ(StatusText(bar, 0), "2026/3/4 05:06:08");  // hours with a leading zero
    EXPECT_EQ(StatusText(bar, 1), "当前鼠标坐标1080 -- 654");
}

TEST_F(StatusBarTest, ClockPanelUsesTheDefaultDateTimeText) {
    Open(false);
    HWND bar = Ctl(kStatusBar);
    clock.Set(2026, 12, 31, 23, 59, 58);
    form->ShowClock();
    EXPECT_EQ(StatusText(bar, 0), "2026/12/31 23:59:58");
    clock.Set(2027, 1, 1, 0, 0, 0, 400);  // midnight: the date alone
    form->ShowClock();
    EXPECT_EQ(StatusText(bar, 0), "2027/1/1");
}

// Reports a different position on each reading.
class MovingInput : public FakeInput {
public:
    std::vector<Point> readings;
    Point CursorPos() override {
        const Point p = readings.at(next_ % readings.size());
        ++next_;
        return p;
    }

private:
    std::size_t next_ = 0;
};

TEST_F(StatusBarTest, CursorPanelTakesXFromTheFirstReadingAndYFromTheSecond) {
    Open(false);
    struct Case {
        Point first, second;
        const char* shown;
    } cases[] = {
        {{1080, 654}, {1080, 654}, "当前鼠标坐标1080 -- 654"},
        {{-5, -20}, {-5, -20}, "当前鼠标坐标-5 -- -20"},
        {{10, 20}, {30, 40}, "当前鼠标坐标10 -- 40"},
        {{0, 0}, {0, 0}, "当前鼠标坐标0 -- 0"},
    };
    MovingInput moving;
    MainWindowPorts ports{clock, locale, files, codePage, processes, moving, registry};
    ports.shell = &shell;
    ports.notifyIcon = FakeNotifyIcon;
    ports.messageBox = FakeMessageBox;
    ports.quitOnClose = false;
    MainWindow other(GetModuleHandleW(nullptr), ports);
    ASSERT_TRUE(other.Create());
    for (const Case& c : cases) {
        moving.readings = {c.first, c.second};
        other.ShowCursorPosition();
        EXPECT_EQ(StatusText(other.Control(kStatusBar), 1), c.shown);
    }
}

TEST_F(StatusBarTest, RefusedCursorPositionIsSaidInThePanelWithOneBoxPerRunOfRefusals) {
    Open(false);
    HWND bar = Ctl(kStatusBar);
    input.refuseCursorPos = true;
    KillTimer(form->Handle(), 3);  // ticks driven by hand below
    for (int i = 0; i < 5; ++i) SendMessageW(form->Handle(), WM_TIMER, 3, 0);
    EXPECT_EQ(StatusText(bar, 1), "当前鼠标坐标不可用");
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].text, L"System Error.  Code: 5.\r\n拒绝访问。.");

    input.refuseCursorPos = false;
    SendMessageW(form->Handle(), WM_TIMER, 3, 0);
    EXPECT_EQ(StatusText(bar, 1), "当前鼠标坐标400 -- 300");
    input.refuseCursorPos = true;
    SendMessageW(form->Handle(), WM_TIMER, 3, 0);
    EXPECT_EQ(Boxes().shown.size(), 2u);  // a new run of refusals
}

}  // namespace
}  // namespace tc::test
