// The window values over the real controls, the activity box, the first show and the display
// scale.
#include <windows.h>
#include <commctrl.h>

#include "app/toolbar.h"
#include "core/scheduler.h"
#include "platform/errors.h"
#include "window_fixture.h"

namespace tc::test {
namespace {

class WindowValuesTest : public WindowTest {};

TEST_F(WindowValuesTest, ProgramWritesRunTheHandlersOnARealChangeOnly) {
    Open(false);
    EXPECT_EQ(form->Schedule().CountdownMinutes(), 10);
    Values().SetText("Edit9", "25");
    EXPECT_EQ(form->Schedule().CountdownMinutes(), 25);
    EXPECT_EQ(Values().Text("Label15"), "1500");
    Values().SetText("Edit9", "");  // the handler puts "1" back, and runs again for it
    EXPECT_EQ(Values().Text("Edit9"), "1");
    EXPECT_EQ(form->Schedule().CountdownMinutes(), 1);
    EXPECT_THROW(Values().SetText("Edit9", "x"), ConvertError);  // errors reach the writer
    EXPECT_EQ(form->Schedule().CountdownMinutes(), 1);

    Values().SetChecked("CheckBox3", true);  // its click handler shows the countdown labels
    EXPECT_TRUE(Values().Visible("Label14"));
    EXPECT_TRUE(Values().Visible("Label17"));
    Values().SetChecked("CheckBox3", false);
    EXPECT_FALSE(Values().Visible("Label14"));
}

TEST_F(WindowValuesTest, AUserEditOfEdit9RunsItsHandlerThroughTheErrorBox) {
    Open();
    SendMessageW(Ctl("Edit9"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"12"));
    EXPECT_EQ(form->Schedule().CountdownMinutes(), 12);
    SendMessageW(Ctl("Edit9"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"1 2"));
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].text, L"'1 2' is not a valid integer value.");
    EXPECT_EQ(form->Schedule().CountdownMinutes(), 12);
}

TEST_F(WindowValuesTest, LabelsSizedToTheirTextGrowWithIt) {
    Open(false);
    RECT before = RectInParent(Ctl("Label14"));
    Values().SetText("Label14", "开始时间 2026/3/4 5:06:07");
    RECT after = RectInParent(Ctl("Label14"));
    EXPECT_EQ(after.left, before.left);
    EXPECT_GT(after.right - after.left, before.right - before.left + 50);
}

TEST_F(WindowValuesTest, PickersHoldAWholeMomentAndRefuseWhatTheyCannotShow) {
    Open(false);
    const TDateTime moment = EncodeDateTime({2026, 2, 28}, {23, 59, 58, 123});
    Values().SetDateTime("FSetDate2", moment);
    EXPECT_EQ(ToMilliseconds(Values().DateTime("FSetDate2")), ToMilliseconds(moment));
    Values().SetDateTime("dtpStartTime", moment);
    EXPECT_EQ(ToMilliseconds(Values().DateTime("dtpStartTime")), ToMilliseconds(moment));
    EXPECT_THROW(Values().SetDateTime("FSetDate2", EncodeDate(1500, 1, 1)), PickerRangeError);
    EXPECT_THROW(Values().SetDateTime("FSetDate2", 1e300), PickerRangeError);
    EXPECT_EQ(ToMilliseconds(Values().DateTime("FSetDate2")), ToMilliseconds(moment));
}

TEST_F(WindowValuesTest, ActivityBoxHasNoLengthLimitAndEndsEachLine) {
    Open(false);
    HWND memo = Ctl("Memo1");
    EXPECT_GT(SendMessageW(memo, EM_GETLIMITTEXT, 0, 0), 1000000);
    Values().AppendActivityLine("第一行");
    Values().AppendActivityLine("second");
    EXPECT_EQ(Values().Text("Memo1"), "第一行\r\nsecond\r\n");
    const std::string line(99, 'x');
    for (int i = 0; i < 400; ++i) Values().AppendActivityLine(line);  // past 30,000 characters
    EXPECT_EQ(GetWindowTextLengthW(memo), 3 + 2 + 6 + 2 + 400 * 101);
    // Text the user typed without a final line break gets one before the next line.
    SetWindowTextW(memo, L"typed");
    Values().AppendActivityLine("next");
    EXPECT_EQ(Values().Text("Memo1"), "typed\r\nnext");
    Values().ClearActivity();
    EXPECT_EQ(Values().Text("Memo1"), "");
}

TEST_F(WindowValuesTest, FirstShowLoadsTheSettingsOnceAndSetsThePickersToNow) {
    files.files["C:\\Tools\\Tallowcron\\config.ini"] =
        "[SoftWare]\r\ncounT=25\r\nsysTask=1\r\n[SoftRun]\r\nexepath2=C:\\b.exe\r\ntask2=1\r\n";
    Open(false);
    EXPECT_EQ(Values().Text("Edit9"), "10");  // nothing loaded before the first show
    form->Show();
    Pump(20);
    EXPECT_EQ(Values().Text("Edit9"), "25");
    EXPECT_EQ(Values().ItemIndex("ComboBox1"), 1);
    EXPECT_EQ(Values().Text("Edit2"), "C:\\b.exe");
    EXPECT_TRUE(Values().Checked("rbtColse2"));
    const Decoded date = Decode(Values().DateTime("FSetDate4"));
    EXPECT_EQ(date.date.year, 2026);
    EXPECT_EQ(date.date.month, 3);
    EXPECT_EQ(date.time.minute, 6);
    EXPECT_TRUE(Boxes().shown.empty());

    Values().SetText("Edit9", "40");
    ShowWindow(form->Handle(), SW_HIDE);
    ShowWindow(form->Handle(), SW_SHOW);  // shown again: no second load
    EXPECT_EQ(Values().Text("Edit9"), "40");
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

TEST_F(WindowValuesTest, AtAnotherScaleEverythingIsMultipliedAndTheFontFollows) {
    Open(false);
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
        const RECT edit = RectInClient(Ctl("Edit3"), form->Handle());
        EXPECT_EQ(edit.left, scale(17) + scale(31));
        EXPECT_EQ(edit.top, scale(120) + scale(97));
        EXPECT_EQ(edit.right - edit.left, scale(389));
        const RECT button = RectInParent(Ctl("RzToolButton1"));
        EXPECT_EQ(button.left, scale(4));
        EXPECT_EQ(button.bottom - button.top, scale(25));
        LOGFONTW lf{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Ctl("Edit3"), WM_GETFONT, 0, 0)),
                   sizeof(lf), &lf);
        EXPECT_EQ(lf.lfHeight, -MulDiv(8, s.dpi, 72));
        int parts[2] = {};
        SendMessageW(Ctl("StatusBar1"), SB_GETPARTS, 2, reinterpret_cast<LPARAM>(parts));
        EXPECT_EQ(parts[0], scale(200));
    }
}

}  // namespace
}  // namespace tc::test
