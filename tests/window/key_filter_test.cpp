// The two key filters, as functions and on the real controls.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "app/key_filters.h"
#include "core/controls.h"
#include "window_fixture.h"

namespace tc::test {
namespace {

TEST(KeyFilters, PickerFilterPassesDigitsAndBackspaceOnly) {
    struct Case {
        wchar_t key;
        bool passes;
    } cases[] = {{L'0', true},  {L'5', true},  {L'9', true},  {8, true},
                 {L'a', false}, {L'/', false}, {L':', false}, {L' ', false},
                 {3, false},    {22, false},   {24, false},   {26, false},
                 {13, false},   {27, false},   {L'٣', false}, {L'５', false}};
    for (const Case& c : cases) {
        wchar_t key = c.key;
        KeepPickerKey(key);
        EXPECT_EQ(key, c.passes ? c.key : 0) << static_cast<int>(c.key);
    }
}

TEST(KeyFilters, DigitFilterPassesDigitsOnlyNotEvenBackspace) {
    for (wchar_t key = 0; key < 128; ++key) {
        wchar_t filtered = key;
        KeepDigitKey(filtered);
        EXPECT_EQ(filtered, (key >= L'0' && key <= L'9') ? key : 0) << static_cast<int>(key);
    }
}

class KeyFilterWindowTest : public WindowTest {
protected:
    void Type(std::string_view name, std::initializer_list<wchar_t> keys) {
        HWND hwnd = Ctl(name);
        SetFocus(hwnd);
        const int end = GetWindowTextLengthW(hwnd);
        SendMessageW(hwnd, EM_SETSEL, end, end);
        for (wchar_t key : keys) SendMessageW(hwnd, WM_CHAR, key, 1);
    }
};

TEST_F(KeyFilterWindowTest, EachControlHasItsFilterAndNoOtherHasOne) {
    Open(false);
    const auto rows = [](std::string_view prefix, std::initializer_list<int> rows) {
        std::vector<std::string> names;
        for (int row : rows) names.push_back(RowName(prefix, row));
        return names;
    };
    std::vector<std::string> pickers = {std::string(kMouseStartDatePicker),
                                        std::string(kMouseStartTimePicker)};
    for (const auto& more : {rows(kSlotDatePrefix, {1, 5}), rows(kSlotTimePrefix, {1, 3, 5})})
        pickers.insert(pickers.end(), more.begin(), more.end());
    for (const std::string& name : pickers)
        EXPECT_EQ(InstalledKeyFilter(Ctl(name)), &KeepPickerKey) << name;
    for (std::string_view name : {kClickIntervalEdit, kClickXEdit, kClickYEdit})
        EXPECT_EQ(InstalledKeyFilter(Ctl(name)), &KeepDigitKey) << name;
    std::vector<std::string> others = rows(kSlotPathPrefix, {1, 5});
    for (std::string_view name : {kSetMomentDatePicker, kSetMomentTimePicker, kCountdownMinutesEdit,
                                  kActivityMemo, kPowerCommandCombo})
        others.emplace_back(name);
    for (const std::string& name : others)
        EXPECT_EQ(InstalledKeyFilter(Ctl(name)), nullptr) << name;
}

bool PutOnClipboard(const wchar_t* text) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    const std::size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(memory), text, bytes);
    GlobalUnlock(memory);
    const bool ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    return ok;
}

TEST_F(KeyFilterWindowTest, TypingIntoEdit7KeepsDigitsAndDropsBackspaceAndShortcuts) {
    Open();
    ASSERT_TRUE(PutOnClipboard(L"77"));
    Values().SetText(kClickXEdit, "");
    Type(kClickXEdit, {L'1', L'2', L'a'});
    EXPECT_EQ(Values().Text(kClickXEdit), "12");
    Type(kClickXEdit, {8});
    EXPECT_EQ(Values().Text(kClickXEdit), "12");
    // Ctrl+V, Ctrl+X, Ctrl+Z and Ctrl+C arrive as 22, 24, 26 and 3: all discarded.
    Type(kClickXEdit, {22, 24, 26, 3});
    EXPECT_EQ(Values().Text(kClickXEdit), "12");
    // The same Ctrl+V pastes into a field without the filter.
    Values().SetText(RowName(kSlotPathPrefix, 1), "");
    Type(RowName(kSlotPathPrefix, 1), {22});
    EXPECT_EQ(Values().Text(RowName(kSlotPathPrefix, 1)), "77");
    // A paste through the field's own command (its context menu) is not filtered.
    ASSERT_TRUE(PutOnClipboard(L"a1"));
    Values().SetText(kClickYEdit, "");
    SendMessageW(Ctl(kClickYEdit), WM_PASTE, 0, 0);
    EXPECT_EQ(Values().Text(kClickYEdit), "a1");
}

TEST_F(KeyFilterWindowTest, BackspaceReachesFieldsWithoutTheDigitFilter) {
    Open();
    Type(RowName(kSlotPathPrefix, 1), {8});
    EXPECT_EQ(Values().Text(RowName(kSlotPathPrefix, 1)), "E:\\qzvt.ex");
    Type(kCountdownMinutesEdit, {L'x'});
    EXPECT_EQ(Values().Text(kCountdownMinutesEdit), "10x");  // no filter there
    Boxes().shown.clear();
}

}  // namespace
}  // namespace tc::test
