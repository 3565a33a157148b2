// The window values over the real controls, the activity box, the first show and the display
// scale.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/controls/toolbar.h"
#include "core/controls.h"
#include "core/errors.h"
#include "core/moments.h"
#include "core/scheduler.h"
#include "platform/win32/win32_text.h"
#include "window_fixture.h"

namespace tc::test {
namespace {

class WindowValuesTest : public WindowTest {};

int IconWidth(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return 0;
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

TEST_F(WindowValuesTest, ProgramWritesRunTheHandlersOnARealChangeOnly) {
    Open(false);
    EXPECT_EQ(form->Schedule().CountdownMinutes(), 10);
    Values().SetText(kCountdownMinutesEdit, "25");
    EXPECT_EQ(form->Schedule().CountdownMinutes(), 25);
    EXPECT_EQ(Values().Text(kRemainingSecondsLabel), "1500");
    Values().SetText(kCountdownMinutesEdit,
                     "");  // the handler puts "1" back, and runs again for it
    EXPECT_EQ(Values().Text(kCountdownMinutesEdit), "1");
    EXPECT_EQ(form->Schedule().CountdownMinutes(), 1);
    EXPECT_THROW(Values().SetText(kCountdownMinutesEdit, "x"),
                 ConvertError);  // errors reach the writer
    EXPECT_EQ(form->Schedule().CountdownMinutes(), 1);

    Values().SetChecked(kCountdownCheck, true);  // its click handler shows the countdown labels
    EXPECT_TRUE(Values().Visible(kCountdownStartLabel));
    EXPECT_TRUE(Values().Visible(kCountdownTargetLabel));
    Values().SetChecked(kCountdownCheck, false);
    EXPECT_FALSE(Values().Visible(kCountdownStartLabel));
}

TEST_F(WindowValuesTest, AUserEditOfEdit9RunsItsHandlerThroughTheErrorBox) {
    Open();
    SendMessageW(Ctl(kCountdownMinutesEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"12"));
    EXPECT_EQ(form->Schedule().CountdownMinutes(), 12);
    SendMessageW(Ctl(kCountdownMinutesEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"1 2"));
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].text, L"'1 2' is not a valid integer value.");
    EXPECT_EQ(form->Schedule().CountdownMinutes(), 12);
}

TEST_F(WindowValuesTest, LabelsSizedToTheirTextGrowWithIt) {
    Open(false);
    RECT before = RectInParent(Ctl(kCountdownStartLabel));
    Values().SetText(kCountdownStartLabel, "开始时间 2026/3/4 5:06:07");
    RECT after = RectInParent(Ctl(kCountdownStartLabel));
    EXPECT_EQ(after.left, before.left);
    EXPECT_GT(after.right - after.left, before.right - before.left + 50);
}

TEST_F(WindowValuesTest, PickersHoldAWholeMomentAndRefuseWhatTheyCannotShow) {
    Open(false);
    const TDateTime moment = EncodeDateTime({2026, 2, 28}, {23, 59, 58, 123});
    Values().SetDateTime(RowName(kSlotDatePrefix, 2), moment);
    EXPECT_EQ(ToMilliseconds(Values().DateTime(RowName(kSlotDatePrefix, 2))),
              ToMilliseconds(moment));
    Values().SetDateTime(kSetMomentTimePicker, moment);
    EXPECT_EQ(ToMilliseconds(Values().DateTime(kSetMomentTimePicker)), ToMilliseconds(moment));
    EXPECT_THROW(Values().SetDateTime(RowName(kSlotDatePrefix, 2), EncodeDate(1500, 1, 1)),
                 PickerRangeError);
    EXPECT_THROW(Values().SetDateTime(RowName(kSlotDatePrefix, 2), 1e300), PickerRangeError);
    EXPECT_EQ(ToMilliseconds(Values().DateTime(RowName(kSlotDatePrefix, 2))),
              ToMilliseconds(moment));
}

TEST_F(WindowValuesTest, ActivityBoxHasNoLengthLimitAndEndsEachLine) {
    Open(false);
    HWND memo = Ctl(kActivityMemo);
    EXPECT_GT(SendMessageW(memo, EM_GETLIMITTEXT, 0, 0), 1000000);
    Values().AppendActivityLine("第一行");
    Values().AppendActivityLine("second");
    EXPECT_EQ(Values().Text(kActivityMemo), "第一行\r\nsecond\r\n");
    const std::string line(99, 'x');
    for (int i = 0; i < 400; ++i) Values().AppendActivityLine(line);  // past 30,000 characters
    EXPECT_EQ(GetWindowTextLengthW(memo), 3 + 2 + 6 + 2 + 400 * 101);
    // Text the user typed without a final line break gets one before the next line.
    SetWindowTextW(memo, L"typed");
    Values().AppendActivityLine("next");
    EXPECT_EQ(Values().Text(kActivityMemo), "typed\r\nnext");
    Values().AppendActivityLine("more");
    EXPECT_EQ(Values().Text(kActivityMemo), "typed\r\nnext\r\nmore");
    Values().ClearActivity();
    Values().AppendActivityLine("again");
    // Typing that leaves the box exactly as long as the last append did is seen as well.
    const int length = GetWindowTextLengthW(memo);
    SendMessageW(memo, EM_SETSEL, 0, -1);
    for (int i = 0; i < length; ++i) SendMessageW(memo, WM_CHAR, L'y', 0);
    ASSERT_EQ(GetWindowTextLengthW(memo), length);
    Values().AppendActivityLine("last");
    EXPECT_EQ(Values().Text(kActivityMemo),
              std::string(static_cast<std::size_t>(length), 'y') + "\r\nlast");
    Values().ClearActivity();
    EXPECT_EQ(Values().Text(kActivityMemo), "");
}

TEST_F(WindowValuesTest, FirstShowLoadsTheSettingsOnceAndSetsThePickersToNow) {
    files.files["C:\\Tools\\Tallowcron\\config.ini"] =
        "[SoftWare]\r\ncounT=25\r\nsysTask=1\r\n[SoftRun]\r\nexepath2=C:\\b.exe\r\ntask2=1\r\n";
    Open(false);
    EXPECT_EQ(Values().Text(kCountdownMinutesEdit), "10");  // nothing loaded before the first show
    form->Show();
    Pump(20);
    EXPECT_EQ(Values().Text(kCountdownMinutesEdit), "25");
    EXPECT_EQ(Values().ItemIndex(kPowerCommandCombo), 1);
    EXPECT_EQ(Values().Text(RowName(kSlotPathPrefix, 2)), "C:\\b.exe");
    EXPECT_TRUE(Values().Checked(RowName(kCloseButtonPrefix, 2)));
    const Decoded date = Decode(Values().DateTime(RowName(kSlotDatePrefix, 4)));
    EXPECT_EQ(date.date.year, 2026);
    EXPECT_EQ(date.date.month, 3);
    EXPECT_EQ(date.time.minute, 6);
    EXPECT_TRUE(Boxes().shown.empty());

    Values().SetText(kCountdownMinutesEdit, "40");
    ShowWindow(form->Handle(), SW_HIDE);
    ShowWindow(form->Handle(), SW_SHOW);  // shown again: no second load
    EXPECT_EQ(Values().Text(kCountdownMinutesEdit), "40");
}

TEST_F(WindowValuesTest, AnErrorOfTheFirstShowIsSeenBeforeTheWindow) {
    files.files["C:\\Tools\\Tallowcron\\config.ini"] = "[SoftWare]\r\ncounT=ten\r\n";
    Open(false);
    form->Show();
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_NE(Boxes().shown[0].text.find(L"'ten' is not a valid integer value"),
              std::wstring::npos);
    EXPECT_FALSE(Boxes().shown[0].ownerVisible);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));  // then shown as usual
}

TEST_F(WindowValuesTest, TimePickersShowTheLongTimeFormWithSecondsAndFollowALocaleChange) {
    Open();
    const auto expectLongTime = [this](const LocaleInfo& info) {
        const LocaleForms forms(info);
        for (const ControlSpec& c : ControlTable()) {
            if (c.kind != ControlKind::TimePicker) continue;
            SCOPED_TRACE(std::string(c.name));
            Values().SetDateTime(c.name, EncodeDateTime({2026, 3, 4}, {15, 4, 5, 0}));
            EXPECT_EQ(WindowText(Ctl(c.name)), forms.LongTime(Values().DateTime(c.name)));
        }
    };
    expectLongTime(locale.Read());  // 15:04:05, whatever the system's own pattern leaves out

    // A 12-hour clock with the marker in front, hours without a leading zero, and a dot. The
    // picker draws the marker itself, in the system's words (Wine's picker: AM and PM).
    LocaleInfo twelve = ChineseLocale();
    twelve.timeFormat = 0;
    twelve.hourLeadingZero = 0;
    twelve.markerPosition = 1;
    twelve.timeSeparator = ".";
    twelve.am = "AM";
    twelve.pm = "PM";
    locale.Set(twelve);
    SendMessageW(form->Handle(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"intl"));
    expectLongTime(twelve);
}

TEST_F(WindowValuesTest, TypingInTheDropDownSelectsTheItemItShowsOrNone) {
    Open();
    HWND edit = FindWindowExW(Ctl(kPowerCommandCombo), nullptr, L"Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    const auto type = [edit](const wchar_t* text) {
        SendMessageW(edit, EM_SETSEL, 0, -1);
        for (const wchar_t* c = text; *c; ++c) SendMessageW(edit, WM_CHAR, *c, 0);
        Pump(20);
    };
    const struct {
        const wchar_t* typed;
        int index;
    } cases[] = {{L"重启", 1}, {L"关", -1}, {L"关机", 0}, {L"关机 ", -1}, {L"重启", 1}, {L"x", -1}};
    for (const auto& c : cases) {
        type(c.typed);
        EXPECT_EQ(Values().Text(kPowerCommandCombo), Narrow(c.typed));  // the typed text stays
        EXPECT_EQ(Values().ItemIndex(kPowerCommandCombo), c.index) << Narrow(c.typed);
    }
}

TEST_F(WindowValuesTest, AtAnotherScaleEverythingIsMultipliedAndTheFontFollows) {
    Open();
    LOGFONTW statusAt96{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Ctl(kStatusBar), WM_GETFONT, 0, 0)),
               sizeof(statusAt96), &statusAt96);
    struct Scaled {
        int dpi;
    } scales[] = {{120}, {144}, {192}, {96}};
    for (const Scaled& s : scales) {
        SCOPED_TRACE(s.dpi);
        form->ApplyDpi(s.dpi);
        const Scale scale{s.dpi};
        RECT client;
        GetClientRect(form->Handle(), &client);
        EXPECT_EQ(client.right, scale(939));
        EXPECT_EQ(client.bottom, scale(579));
        const RECT edit = RectInClient(Ctl(RowName(kSlotPathPrefix, 3)), form->Handle());
        EXPECT_EQ(edit.left, scale(17) + scale(31));
        EXPECT_EQ(edit.top, scale(120) + scale(97));
        EXPECT_EQ(edit.right - edit.left, scale(389));
        const RECT button = RectInParent(Ctl(kStartButton));
        EXPECT_EQ(button.left, scale(4));
        EXPECT_EQ(button.bottom - button.top, scale(25));
        LOGFONTW lf{};
        GetObjectW(reinterpret_cast<HFONT>(
                       SendMessageW(Ctl(RowName(kSlotPathPrefix, 3)), WM_GETFONT, 0, 0)),
                   sizeof(lf), &lf);
        EXPECT_EQ(lf.lfHeight, -MulDiv(8, s.dpi, 72));
        int parts[2] = {};
        SendMessageW(Ctl(kStatusBar), SB_GETPARTS, 2, reinterpret_cast<LPARAM>(parts));
        EXPECT_EQ(parts[0], scale(200));

        // The status bar's font, the title bar's icons and the notification area's icon follow.
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Ctl(kStatusBar), WM_GETFONT, 0, 0)),
                   sizeof(lf), &lf);
        EXPECT_NEAR(lf.lfHeight, MulDiv(statusAt96.lfHeight, s.dpi, 96), 1);
        const auto small =
            reinterpret_cast<HICON>(SendMessageW(form->Handle(), WM_GETICON, ICON_SMALL, 0));
        EXPECT_EQ(IconWidth(small), scale(16));
        EXPECT_EQ(IconWidth(reinterpret_cast<HICON>(
                      SendMessageW(form->Handle(), WM_GETICON, ICON_BIG, 0))),
                  scale(32));
        if (s.dpi != 96) {
            EXPECT_EQ(Notifications().calls.back().message, static_cast<DWORD>(NIM_MODIFY));
            EXPECT_EQ(Notifications().calls.back().icon, small);
        }
    }
}

}  // namespace
}  // namespace tc::test
