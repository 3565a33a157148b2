// The two key filters, as functions and on the real controls.
#include <commctrl.h>

#include "app/key_filters.h"
#include "window_fixture.h"

namespace tc::test {
namespace {

TEST(KeyFilters, PickerFilterPassesDigitsAndBackspaceOnly) {
    struct Case {
        wchar_t key;
        bool passes;
    } cases[] = {{L'0', true}, {L'5', true}, {L'9', true}, {8, true},   {L'a', false},
                 {L'/', false}, {L':', false}, {L' ', false}, {3, false}, {22, false},
                 {24, false}, {26, false}, {13, false}, {27, false}, {L'٣', false}, {L'５', false}};
    for (const Case& c : cases) {
        wchar_t key = c.key;
        FSetDate1KeyPress(key);
        EXPECT_EQ(key, c.passes ? c.key : 0) << static_cast<int>(c.key);
    }
}

TEST(KeyFilters, DigitFilterPassesDigitsOnlyNotEvenBackspace) {
    for (wchar_t key = 0; key < 128; ++key) {
        wchar_t filtered = key;
        Edit7KeyPress(filtered);
        EXPECT_EQ(filtered, (key >= L'0' && key <= L'9') ? key : 0) << static_cast<int>(key);
    }
}

class KeyFilterWindowTest : public WindowTest {
protected:
    void Type(const char* name, std::initializer_list<wchar_t> keys) {
        HWND hwnd = Ctl(name);
        SetFocus(hwnd);
        const int end = GetWindowTextLengthW(hwnd);
        SendMessageW(hwnd, EM_SETSEL, end, end);
        for (wchar_t key : keys) SendMessageW(hwnd, WM_CHAR, key, 1);
    }
};

TEST_F(KeyFilterWindowTest, EachControlHasItsFilterAndNoOtherHasOne) {
    Open(false);
    for (const char* name : {"DateTimePicker1", "DateTimePicker2", "FSetDate1", "FSetDate5",
                             "FSetTime1", "FSetTime3", "FSetTime5"})
        EXPECT_EQ(InstalledKeyFilter(Ctl(name)), &FSetDate1KeyPress) << name;
    for (const char* name : {"Edit6", "Edit7", "Edit8"})
        EXPECT_EQ(InstalledKeyFilter(Ctl(name)), &Edit7KeyPress) << name;
    for (const char* name : {"dtpStartDate", "dtpStartTime", "Edit1", "Edit5", "Edit9", "Memo1",
                             "ComboBox1"})
        EXPECT_EQ(InstalledKeyFilter(Ctl(name)), nullptr) << name;
}

TEST_F(KeyFilterWindowTest, TypingIntoEdit7KeepsDigitsAndDropsBackspaceAndShortcuts) {
    Open();
    Values().SetText("Edit7", "");
    Type("Edit7", {L'1', L'2', L'a'});
    EXPECT_EQ(Values().Text("Edit7"), "12");
    Type("Edit7", {8});
    EXPECT_EQ(Values().Text("Edit7"), "12");
    // Ctrl+A, Ctrl+X and Ctrl+Z would select, cut and undo: all three are discarded.
    Type("Edit7", {1, 24, 26, 3, 22});
    EXPECT_EQ(Values().Text("Edit7"), "12");
}

TEST_F(KeyFilterWindowTest, BackspaceReachesFieldsWithoutTheDigitFilter) {
    Open();
    Type("Edit1", {8});
    EXPECT_EQ(Values().Text("Edit1"), "E:\\qzvt.ex");
    Type("Edit9", {L'x'});
    EXPECT_EQ(Values().Text("Edit9"), "10x");  // no filter; the countdown reports the bad text
}

TEST_F(KeyFilterWindowTest, PasteThroughTheFieldsOwnKeysIsNotFiltered) {
    Open();
    Values().SetText("Edit8", "");
    SetFocus(Ctl("Edit8"));
    SendMessageW(Ctl("Edit8"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"a1"));
    EXPECT_EQ(Values().Text("Edit8"), "a1");  // text that arrives other than typed stays
}

}  // namespace
}  // namespace tc::test
