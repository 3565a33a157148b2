// The browse buttons with the open-file dialog, and the cursor-locate button.
#include "app/open_dialog.h"
#include "window_fixture.h"

namespace tc::test {
namespace {

class BrowseTest : public WindowTest {
protected:
    void Browse(int row, const wchar_t* answer) {
        Dialog().answer = answer ? std::optional<std::wstring>(answer) : std::nullopt;
        SendMessageW(Ctl(RowName("SpeedButton", row)), BM_CLICK, 0, 0);
    }
    bool Enabled(const std::string& name) { return Values().Enabled(name); }
};

TEST_F(BrowseTest, ABatchFileSelectsOpenAndDisablesCloseUntilAnExeIsChosen) {
    Open();
    Values().SetChecked("rbtColse3", true);
    Browse(3, L"C:\\Jobs\\run.bat");
    EXPECT_EQ(Values().Text("Edit3"), "C:\\Jobs\\run.bat");
    EXPECT_TRUE(Values().Checked("rbtOp3"));
    EXPECT_FALSE(Values().Checked("rbtColse3"));
    EXPECT_FALSE(Enabled("rbtColse3"));

    Browse(3, L"C:\\Apps\\app.exe");
    EXPECT_EQ(Values().Text("Edit3"), "C:\\Apps\\app.exe");
    EXPECT_TRUE(Enabled("rbtColse3"));
    EXPECT_TRUE(Values().Checked("rbtOp3"));  // the selection does not change
    for (int row : {1, 2, 4, 5}) {
        EXPECT_EQ(Values().Text(RowName("Edit", row)), "E:\\qzvt.exe") << row;
        EXPECT_TRUE(Enabled(RowName("rbtColse", row))) << row;
    }
}

TEST_F(BrowseTest, ExtensionsCountInAnyCaseAndOthersOnlySetThePath) {
    Open();
    struct Case {
        const wchar_t* file;
        bool closeEnabledAfter;
        bool openSelectedAfter;
    } cases[] = {
        {L"D:\\x\\Nightly.Bat", false, true},
        {L"D:\\x\\tool.exe", true, true},
        {L"D:\\x\\BACKUP.BAT", false, true},
        {L"D:\\x\\Tool.ExE", true, true},
    };
    for (const Case& c : cases) {
        Browse(5, c.file);
        EXPECT_EQ(Enabled("rbtColse5"), c.closeEnabledAfter) << c.file;
        EXPECT_EQ(Values().Checked("rbtOp5"), c.openSelectedAfter) << c.file;
    }
    // Another extension: the path is taken, the buttons stay as they are.
    Values().SetChecked("rbtColse5", true);
    Browse(5, L"D:\\docs\\notes.txt");
    EXPECT_EQ(Values().Text("Edit5"), "D:\\docs\\notes.txt");
    EXPECT_TRUE(Values().Checked("rbtColse5"));
    EXPECT_TRUE(Enabled("rbtColse5"));
    Browse(5, L"D:\\bat.folder\\README");  // no dot in the file name: no extension
    EXPECT_TRUE(Enabled("rbtColse5"));
}

TEST_F(BrowseTest, ABatchPathTypedByHandDoesNotDisableClose) {
    Open();
    Values().SetText("Edit2", "C:\\Jobs\\run.bat");
    EXPECT_TRUE(Enabled("rbtColse2"));
}

TEST_F(BrowseTest, CancelChangesNothing) {
    Open();
    Browse(1, nullptr);
    EXPECT_EQ(Dialog().opened, 1);
    EXPECT_EQ(Values().Text("Edit1"), "E:\\qzvt.exe");
    EXPECT_TRUE(Enabled("rbtColse1"));
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

TEST(FileExtension, FromTheLastDotOfTheFileName) {
    EXPECT_EQ(FileExtension("C:\\a\\run.bat"), ".bat");
    EXPECT_EQ(FileExtension("C:\\a\\arch.tar.gz"), ".gz");
    EXPECT_EQ(FileExtension("C:\\a.b\\file"), "");
    EXPECT_EQ(FileExtension("C:\\a\\file."), ".");
    EXPECT_EQ(UpperAscii(".Bat"), ".BAT");
    EXPECT_EQ(UpperAscii(".exé"), ".EXé");  // only a to z
}

class LocateTest : public WindowTest {};

TEST_F(LocateTest, MovesTheCursorToEdit7AndEdit8AndTheReadOutFollows) {
    Open();
    Values().SetText("Edit7", "100");
    Values().SetText("Edit8", "200");
    SendMessageW(Ctl("Button6"), BM_CLICK, 0, 0);
    ASSERT_EQ(input.events.size(), 1u);
    EXPECT_EQ(input.events[0].kind, FakeInput::Kind::Move);
    EXPECT_EQ(input.events[0].at, (Point{100, 200}));
    EXPECT_EQ(input.Downs(), 0);  // nothing is clicked
    form->ShowCursorPosition();
    EXPECT_EQ(Values().Text("Memo1"), "");  // nothing is logged
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
        Values().SetText("Edit7", c.x);
        Values().SetText("Edit8", c.y);
        SendMessageW(Ctl("Button6"), BM_CLICK, 0, 0);
        ASSERT_EQ(Boxes().shown.size(), 1u) << c.x;
        EXPECT_EQ(Boxes().shown[0].text, c.message);
    }
    EXPECT_TRUE(input.events.empty());
    Values().SetText("Edit7", "$10");
    Values().SetText("Edit8", "-5");
    SendMessageW(Ctl("Button6"), BM_CLICK, 0, 0);
    EXPECT_EQ(input.cursor, (Point{16, -5}));  // passed on as they are
}

}  // namespace
}  // namespace tc::test
