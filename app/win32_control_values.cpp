#include "app/win32_control_values.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "app/window_controls.h"
#include "core/controls.h"
#include "core/errors.h"
#include "platform/win32/win32_text.h"

namespace tc {
namespace {

bool IsPicker(std::string_view name) {
    const ControlSpec* entry = FindControl(name);
    return entry &&
           (entry->kind == ControlKind::DatePicker || entry->kind == ControlKind::TimePicker);
}

TDateTime FromSystemTime(const SYSTEMTIME& st) {
    return EncodeDateTime({st.wYear, st.wMonth, st.wDay},
                          {st.wHour, st.wMinute, st.wSecond, st.wMilliseconds});
}

SYSTEMTIME ToSystemTime(TDateTime value) {
    const Decoded d = Decode(value);
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(d.date.year);
    st.wMonth = static_cast<WORD>(d.date.month);
    st.wDay = static_cast<WORD>(d.date.day);
    st.wDayOfWeek = static_cast<WORD>(d.dayOfWeek);
    st.wHour = static_cast<WORD>(d.time.hour);
    st.wMinute = static_cast<WORD>(d.time.minute);
    st.wSecond = static_cast<WORD>(d.time.second);
    st.wMilliseconds = static_cast<WORD>(d.time.millisecond);
    return st;
}

}  // namespace

void SelectItemOfTypedText(HWND comboBox) {
    const std::string typed = WindowText(comboBox);
    const int count = static_cast<int>(SendMessageW(comboBox, CB_GETCOUNT, 0, 0));
    int match = -1;
    for (int i = 0; i < count && match < 0; ++i) {
        const auto length = SendMessageW(comboBox, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring item(static_cast<std::size_t>(length) + 1, L'\0');
        SendMessageW(comboBox, CB_GETLBTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(item.data()));
        item.resize(static_cast<std::size_t>(length));
        if (Narrow(item) == typed) match = i;
    }
    if (SendMessageW(comboBox, CB_GETCURSEL, 0, 0) == match) return;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(comboBox, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    SendMessageW(comboBox, CB_SETCURSEL, static_cast<WPARAM>(match), 0);
    // Selecting no item empties the field: the user's text goes back in.
    if (match < 0) SetWindowTextW(comboBox, Widen(typed).c_str());
    SendMessageW(comboBox, CB_SETEDITSEL, 0, MAKELPARAM(start, end));
}

Win32ControlValues::Win32ControlValues(const WindowControls& controls,
                                       std::function<void(std::string_view)> fitLabel)
    : controls_(controls), fitLabel_(std::move(fitLabel)), kept_(ControlTable().size()) {}

HWND Win32ControlValues::At(std::string_view name) const {
    HWND hwnd = controls_.Find(name);
    if (!hwnd) throw std::logic_error("no control named " + std::string(name));
    return hwnd;
}

void Win32ControlValues::Run(
    const std::map<std::string, std::function<void()>, std::less<>>& handlers,
    std::string_view name) {
    if (const auto it = handlers.find(name); it != handlers.end() && it->second) it->second();
}

void Win32ControlValues::SetOutOfSight(bool outOfSight) {
    ++version_;
    outOfSight_ = outOfSight;
    if (outOfSight) return;
    ForgetReads();
    AppendHeldLines();
}

void Win32ControlValues::ForgetReads() {
    ++version_;
    std::fill(kept_.begin(), kept_.end(), Kept{});
}

std::optional<std::uint64_t> Win32ControlValues::Version() const {
    if (!outOfSight_) return std::nullopt;
    return version_;
}

Win32ControlValues::Kept* Win32ControlValues::KeptFor(std::string_view name) const {
    if (!outOfSight_) return nullptr;
    const ControlSpec* entry = FindControl(name);
    return entry ? &kept_[static_cast<std::size_t>(entry - ControlTable().data())] : nullptr;
}

void Win32ControlValues::Forget(std::string_view name) {
    ++version_;
    if (const ControlSpec* entry = FindControl(name))
        kept_[static_cast<std::size_t>(entry - ControlTable().data())] = Kept{};
}

namespace {

// Serves `slot` when a read of it is kept; otherwise reads and keeps it where reads are kept.
template <typename T, typename Read>
T Served(std::optional<T>* slot, Read read) {
    if (slot && *slot) return **slot;
    T value = read();
    if (slot) *slot = value;
    return value;
}

}  // namespace

std::string Win32ControlValues::Text(std::string_view name) const {
    if (name == kActivityMemo) AppendHeldLines();
    Kept* kept = KeptFor(name);
    return Served(kept ? &kept->text : nullptr, [&] { return WindowText(At(name)); });
}

void Win32ControlValues::SetText(std::string_view name, const std::string& text) {
    HWND hwnd = At(name);
    Forget(name);
    if (WindowText(hwnd) == text) return;
    writing_ = true;
    SetWindowTextW(hwnd, Widen(text).c_str());
    writing_ = false;
    if (fitLabel_) fitLabel_(name);
    Run(onChange_, name);
}

bool Win32ControlValues::Checked(std::string_view name) const {
    Kept* kept = KeptFor(name);
    return Served(kept ? &kept->checked : nullptr,
                  [&] { return SendMessageW(At(name), BM_GETCHECK, 0, 0) == BST_CHECKED; });
}

void Win32ControlValues::SetChecked(std::string_view name, bool checked) {
    HWND hwnd = At(name);
    const std::string partner = RadioPartner(name);
    Forget(name);
    Forget(partner);
    if (Checked(name) == checked) return;
    Forget(name);
    SendMessageW(hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (checked && !partner.empty()) SendMessageW(At(partner), BM_SETCHECK, BST_UNCHECKED, 0);
    Run(onClick_, name);
}

bool Win32ControlValues::Enabled(std::string_view name) const {
    return IsWindowEnabled(At(name)) != FALSE;
}

void Win32ControlValues::SetEnabled(std::string_view name, bool enabled) {
    HWND hwnd = At(name);
    ++version_;
    // A control that is switched off while it has the focus hands it to its window.
    if (!enabled && (GetFocus() == hwnd || IsChild(hwnd, GetFocus())))
        SetFocus(GetAncestor(hwnd, GA_ROOT));
    EnableWindow(hwnd, enabled);
}

bool Win32ControlValues::Visible(std::string_view name) const {
    return (GetWindowLongW(At(name), GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32ControlValues::SetVisible(std::string_view name, bool visible) {
    ++version_;
    ShowWindow(At(name), visible ? SW_SHOWNA : SW_HIDE);
}

int Win32ControlValues::ItemIndex(std::string_view name) const {
    Kept* kept = KeptFor(name);
    return Served(kept ? &kept->itemIndex : nullptr,
                  [&] { return static_cast<int>(SendMessageW(At(name), CB_GETCURSEL, 0, 0)); });
}

void Win32ControlValues::SetItemIndex(std::string_view name, int index) {
    HWND hwnd = At(name);
    Forget(name);
    const int count = static_cast<int>(SendMessageW(hwnd, CB_GETCOUNT, 0, 0));
    // Any index that is not an item leaves no item selected.
    SendMessageW(hwnd, CB_SETCURSEL, (index >= 0 && index < count) ? index : -1, 0);
}

TDateTime Win32ControlValues::DateTime(std::string_view name) const {
    if (!IsPicker(name)) throw std::logic_error(std::string(name) + " holds no date");
    Kept* kept = KeptFor(name);
    return Served(kept ? &kept->dateTime : nullptr, [&] {
        SYSTEMTIME st{};
        SendMessageW(At(name), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
        return FromSystemTime(st);
    });
}

void Win32ControlValues::SetDateTime(std::string_view name, TDateTime value) {
    if (!IsPicker(name)) throw std::logic_error(std::string(name) + " holds no date");
    Forget(name);
    // SYSTEMTIME holds the years 1601 to 30827; the picker itself may accept fewer.
    if (!std::isfinite(value) || value < EncodeDate(1601, 1, 1) ||
        value >= EncodeDate(9999, 12, 31) + 1)
        throw PickerRangeError();
    SYSTEMTIME st = ToSystemTime(value);
    if (!SendMessageW(At(name), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st)))
        throw PickerRangeError();
    // A date that is valid but outside the picker's range is answered with success all the same,
    // and the picker keeps its old value: what it holds afterwards tells.
    SYSTEMTIME held{};
    SendMessageW(At(name), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&held));
    if (held.wYear != st.wYear || held.wMonth != st.wMonth || held.wDay != st.wDay ||
        held.wHour != st.wHour || held.wMinute != st.wMinute || held.wSecond != st.wSecond)
        throw PickerRangeError();
}

bool Win32ControlValues::ActivityEndsAtLineStart(HWND memo, int length) const {
    if (length == 0) return true;
    // Untouched since the last append, the text still ends with the line break that append
    // wrote: no need to look for its last line, which costs as much as the box is long.
    if (length == appendedLength_ && !SendMessageW(memo, EM_GETMODIFY, 0, 0)) return true;
    const LRESULT lastLine = SendMessageW(memo, EM_GETLINECOUNT, 0, 0) - 1;
    const LRESULT lastStart = SendMessageW(memo, EM_LINEINDEX, static_cast<WPARAM>(lastLine), 0);
    return SendMessageW(memo, EM_LINELENGTH, static_cast<WPARAM>(lastStart), 0) == 0;
}

void Win32ControlValues::AppendActivityLine(const std::string& line) {
    // The box's next read holds this line, so what was kept of its text is out of date, whether
    // or not the box tells the window when the held lines go in.
    Forget(kActivityMemo);
    heldLines_.push_back(line);
    if (!outOfSight_) AppendHeldLines();
}

void Win32ControlValues::AppendHeldLines() const {
    if (heldLines_.empty()) return;
    HWND memo = At(kActivityMemo);
    // Each line ends with a line break, so the caret rests below the last line. Text the user
    // typed without a final line break gets one in front of the new lines instead (and the last
    // of them none, as one line at a time would have it). Appended at the end through the
    // selection: no copy of the whole text, whatever its length.
    const int length = GetWindowTextLengthW(memo);
    const bool atLineStart = ActivityEndsAtLineStart(memo, length);
    std::wstring text;
    for (const std::string& line : heldLines_)
        text += atLineStart ? Widen(line) + L"\r\n" : L"\r\n" + Widen(line);
    heldLines_.clear();
    SendMessageW(memo, EM_SETSEL, static_cast<WPARAM>(length), length);
    SendMessageW(memo, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    // The user's own edits set the flag again.
    SendMessageW(memo, EM_SETMODIFY, FALSE, 0);
    appendedLength_ = atLineStart ? GetWindowTextLengthW(memo) : -1;
}

void Win32ControlValues::ClearActivity() {
    heldLines_.clear();
    Forget(kActivityMemo);
    SetWindowTextW(At(kActivityMemo), L"");
}

void Win32ControlValues::OnTextChange(std::string_view name, std::function<void()> handler) {
    At(name);
    onChange_[std::string(name)] = std::move(handler);
}

void Win32ControlValues::OnClick(std::string_view name, std::function<void()> handler) {
    At(name);
    onClick_[std::string(name)] = std::move(handler);
}

}  // namespace tc
