// The browse buttons with the open-file dialog, and the cursor-locate button.
#include "app/open_dialog.h"
#include "core/controls.h"
#include "window_fixture.h"

namespace tc::test {
namespace {

class BrowseTest : public WindowTest {
protected:
    void Browse(int row, const wchar_t* answer) {
        Dialog().answer = answer ? std::optional<std::wstring>(answer) : std::nullopt;
        SendMessageW(Ctl(RowName(kBrowseButtonPrefix, row)), BM_CLICK, 0, 0);
    }
    bool Enabled(const std::string& name) { return Values().Enabled(name); }
};

TEST_F(BrowseTest, ABatchFileSelectsOpenAndDisablesCloseUntilAnExeIsChosen) {
    Open();
    Values().SetChecked(RowName(kCloseButtonPrefix, 3), true);
    Browse(3, L"C:\\Jobs\\run.bat");
    EXPECT_EQ(Values().Text(RowName(kSlotPathPrefix, 3)), "C:\\Jobs\\run.bat");
    EXPECT_TRUE(Values().Checked(RowName(kOpenButtonPrefix, 3)));
    EXPECT_FALSE(Values().Checked(RowName(kCloseButtonPrefix, 3)));
    EXPECT_FALSE(Enabled(RowName(kCloseButtonPrefix, 3)));

    Browse(3, L"C:\\Apps\\app.exe");
    EXPECT_EQ(Values().Text(RowName(kSlotPathPrefix, 3)), "C:\\Apps\\app.exe");
    EXPECT_TRUE(Enabled(RowName(kCloseButtonPrefix, 3)));
    EXPECT_TRUE(Values().Checked(RowName(kOpenButtonPrefix, 3)));  // the selection does not change
    for (int row : {1, 2, 4, 5}) {
        EXPECT_EQ(Values().Text(RowName("Edit", row)), "E:\\qzvt.exe") << row;
        EXPECT_TRUE(Enabled(RowName("rbtColse", row))) << row;
    }
}

TEST_F(BrowseTest, ABatchPathTypedByHandDoesNotDisableClose) {
    Open();
    Values().SetText(RowName(kSlotPathPrefix, 2), "C:\\Jobs\\run.bat");
    EXPECT_TRUE(Enabled(RowName(kCloseButtonPrefix, 2)));
}

TEST_F(BrowseTest, CancelChangesNothing) {
    Open();
    Browse(1, nullptr);
    EXPECT_EQ(Dialog().opened, 1);
    EXPECT_EQ(Values().Text(RowName(kSlotPathPrefix, 1)), "E:\\qzvt.exe");
    EXPECT_TRUE(Enabled(RowName(kCloseButtonPrefix, 1)));
}

TEST_F(BrowseTest, OneDialogKeepsFilterAndFileOfTheLastSuccessfulChoice) {
    Open();
    Browse(2, nullptr);
    EXPECT_EQ(Dialog().filter, std::wstring(L"可执行文件\0*.EXE\0批处理文件\0*.BAT\0", 24));
    EXPECT_EQ(Dialog().filterIndex, 1);
    EXPECT_EQ(Dialog().initialFile, L"");
    EXPECT_FALSE(Dialog().flags & OFN_ALLOWMULTISELECT);
    EXPECT_FALSE(Dialog().flags & OFN_NOCHANGEDIR);

    Dialog().chooseFilterIndex = 2;
    Browse(4, L"C:\\Jobs\\run.bat");
    Dialog().chooseFilterIndex = 0;
    Browse(1, nullptr);  // opened by another row's button
    EXPECT_EQ(Dialog().filterIndex, 2);
    EXPECT_EQ(Dialog().initialFile, L"C:\\Jobs\\run.bat");
    Browse(1, nullptr);  // a cancel changed neither
    EXPECT_EQ(Dialog().filterIndex, 2);
    EXPECT_EQ(Dialog().initialFile, L"C:\\Jobs\\run.bat");
}

class LocateTest : public WindowTest {};

TEST_F(LocateTest, MovesTheCursorToEdit7AndEdit8AndTheReadOutFollows) {
    Open();
    Values().SetText(kClickXEdit, "100");
    Values().SetText(kClickYEdit, "200");
    SendMessageW(Ctl(kLocateButton), BM_CLICK, 0, 0);
    ASSERT_EQ(input.events.size(), 1u);
    EXPECT_EQ(input.events[0].kind, FakeInput::Kind::Move);
    EXPECT_EQ(input.events[0].at, (Point{100, 200}));
    EXPECT_EQ(input.Downs(), 0);  // nothing is clicked
    form->ShowCursorPosition();
    EXPECT_EQ(Values().Text(kActivityMemo), "");  // nothing is logged
}

TEST_F(LocateTest, ABadCoordinateShowsItsErrorAndLeavesTheCursor) {
    Open();
    struct Case {
        const char* x;
        const char* y;
        const wchar_t* message;
    } cases[] = {
        {"100", "", L"'' is not a valid integer value."},
        {"abc", "x", L"'abc' is not a valid integer value."},  // Edit7 is converted first
        {"12", "4 ", L"'4 ' is not a valid integer value."},
    };
    for (const Case& c : cases) {
        Boxes().shown.clear();
        Values().SetText(kClickXEdit, c.x);
        Values().SetText(kClickYEdit, c.y);
        SendMessageW(Ctl(kLocateButton), BM_CLICK, 0, 0);
        ASSERT_EQ(Boxes().shown.size(), 1u) << c.x;
        EXPECT_EQ(Boxes().shown[0].text, c.message);
    }
    EXPECT_TRUE(input.events.empty());
    Values().SetText(kClickXEdit, "$10");
    Values().SetText(kClickYEdit, "-5");
    SendMessageW(Ctl(kLocateButton), BM_CLICK, 0, 0);
    EXPECT_EQ(input.cursor, (Point{16, -5}));  // passed on as they are
}

}  // namespace
}  // namespace tc::test
