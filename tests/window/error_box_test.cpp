// The default error handler: title, full stop, one box per handler at a time.
#include "app/error_box.h"
#include "app/error_text.h"
#include "core/controls.h"
#include "platform/win32/win32_code_page.h"
#include "window_fixture.h"

namespace tc::test {
namespace {

TEST(ErrorText, TitleIsTheFileNameUpToItsFirstDotWithLaterLettersLowered) {
    EXPECT_EQ(ProgramTitle("C:\\Tools\\Tallowcron.exe"), "Tallowcron");
    EXPECT_EQ(ProgramTitle("C:\\Tools\\TALLOWCRON.EXE"), "Tallowcron");
    EXPECT_EQ(ProgramTitle("C:\\Tools\\tallowCron.v2.exe"), "tallowcron");
    EXPECT_EQ(ProgramTitle("C:\\a.b\\MyApp"), "Myapp");
    EXPECT_EQ(ProgramTitle("D:/x/Window_Tests.exe"), "Window_tests");
}

TEST(ErrorText, FullStopWhenTheLastCharactersFirstAnsiByteIsAboveTheDot) {
    Win32CodePage ansi;  // code page 936 under the test locale
    struct Case {
        const char* message;
        const char* shown;
    } cases[] = {
        {"'x' is not a valid integer value", "'x' is not a valid integer value."},
        {"Already ends.", "Already ends."},
        {"ends in a quote'", "ends in a quote'"},  // ' is 0x27
        {"ends in a bracket)", "ends in a bracket)"},
        {"ends in a dash-", "ends in a dash-"},     // 0x2D
        {"ends in a slash/", "ends in a slash/."},  // 0x2F
        {"7", "7."},
        {"拒绝访问", "拒绝访问."},  // a lead byte
        {"拒绝访问。", "拒绝访问。."},
        {"line\r\n", "line\r\n"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(WithFullStop(c.message, ansi), c.shown) << c.message;
}

class ErrorBoxTest : public WindowTest {};

TEST_F(ErrorBoxTest, ShowsTheMessageWithErrorIconOkAndTheProgramsName) {
    files.exePath = "C:\\Program Files\\TALLOWCRON.EXE";
    Open();
    Values().SetText(kClickXEdit, "");
    SendMessageW(Ctl(kLocateButton), BM_CLICK, 0, 0);
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].title, L"Tallowcron");
    EXPECT_EQ(Boxes().shown[0].type, static_cast<UINT>(MB_ICONERROR | MB_OK));
    EXPECT_TRUE(IsWindow(form->Handle()));  // the window stays as it was
}

TEST_F(ErrorBoxTest, WorkBeforeTheFailureStands) {
    Open();
    ErrorBox& box = form->Errors();
    int steps = 0;
    box.Guard("test", [&] {
        ++steps;
        throw std::runtime_error("stop");
        ++steps;
    });
    EXPECT_EQ(steps, 1);
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].text, L"stop.");
}

TEST_F(ErrorBoxTest, ATickThatFailsEveryTimeOpensOneBoxAtATime) {
    Open();
    Values().SetText(kClickIntervalEdit, "");  // the mouse task's interval: fails on every tick
    Boxes().pumpMs = 3500;                     // the box stays open for three and a half ticks
    Values().SetChecked(kMouseOnCheck, true);
    Pump(1300);
    EXPECT_EQ(Boxes().maxDepth, 1);
    EXPECT_GE(Boxes().shown.size(), 1u);
    // After a box was closed the next failure shows a box again.
    Boxes().pumpMs = 0;
    const std::size_t before = Boxes().shown.size();
    Pump(2200);
    EXPECT_GT(Boxes().shown.size(), before);
    EXPECT_EQ(Boxes().maxDepth, 1);
    EXPECT_EQ(Boxes().shown.back().text, L"'' is not a valid integer value.");
    Values().SetChecked(kMouseOnCheck, false);
}

TEST_F(ErrorBoxTest, DifferentHandlersMayEachHaveABoxOpen) {
    Open();
    Boxes().pumpMs = 300;
    ErrorBox& box = form->Errors();
    box.Guard("outer", [&] {
        box.Guard("inner", [] { throw std::runtime_error("second"); });
        throw std::runtime_error("first");
    });
    ASSERT_EQ(Boxes().shown.size(), 2u);
    EXPECT_EQ(Boxes().shown[0].text, L"second.");
    EXPECT_EQ(Boxes().shown[1].text, L"first.");
}

// The real system box, found and closed from inside its own message loop by a thread timer.
struct RealBox {
    static inline std::wstring text;
    static inline std::wstring title;
    static inline int found = 0;
    static BOOL CALLBACK Find(HWND hwnd, LPARAM) {
        wchar_t cls[16] = {};
        GetClassNameW(hwnd, cls, 16);
        if (std::wstring(cls) != L"#32770" || !IsWindowVisible(hwnd)) return TRUE;
        wchar_t buffer[512] = {};
        GetDlgItemTextW(hwnd, 0xFFFF, buffer, 512);
        text = buffer;
        GetWindowTextW(hwnd, buffer, 512);
        title = buffer;
        ++found;
        PostMessageW(hwnd, WM_COMMAND, IDOK, 0);
        return FALSE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        EnumThreadWindows(GetCurrentThreadId(), Find, 0);
    }
};

TEST(ErrorBoxReal, TheSystemBoxCarriesTitleAndText) {
    Win32CodePage ansi;
    ErrorBox box("Tallowcron", ansi, [] { return HWND{}; });
    RealBox::found = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, RealBox::Tick);
    box.Guard("Button6Click",
              [] { throw std::runtime_error("'abc' is not a valid integer value"); });
    KillTimer(nullptr, timer);
    EXPECT_EQ(RealBox::found, 1);
    EXPECT_EQ(RealBox::title, L"Tallowcron");
    EXPECT_EQ(RealBox::text, L"'abc' is not a valid integer value.");
}

}  // namespace
}  // namespace tc::test
