#include "app/key_filters.h"

#include <unordered_map>

namespace tc {
namespace {

// A control with a filter: its filter and the window procedure it had before. Kept in this
// process rather than in window properties or the common controls' subclass chain, which look up
// a property (a call to the window server under Wine) on every message the control gets, the
// scheduling ticks' reads of the pickers included.
struct Filtered {
    KeyPressFn filter;
    WNDPROC previous;
};

std::unordered_map<HWND, Filtered>& FilteredControls() {
    static std::unordered_map<HWND, Filtered> controls;
    return controls;
}

bool IsDigit(wchar_t key) { return key >= L'0' && key <= L'9'; }

LRESULT CALLBACK FilterProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto it = FilteredControls().find(hwnd);
    if (it == FilteredControls().end()) return DefWindowProcW(hwnd, message, wParam, lParam);
    const Filtered filtered = it->second;
    if (message == WM_CHAR) {
        auto key = static_cast<wchar_t>(wParam);
        filtered.filter(key);
        if (key == 0) return 0;
        wParam = key;
    } else if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(filtered.previous));
        FilteredControls().erase(it);
    }
    return CallWindowProcW(filtered.previous, hwnd, message, wParam, lParam);
}

}  // namespace

void KeepPickerKey(wchar_t& key) {
    if (key != 8 && !IsDigit(key)) key = 0;
}

void KeepDigitKey(wchar_t& key) {
    if (!IsDigit(key)) key = 0;
}

void InstallKeyFilter(HWND control, KeyPressFn filter) {
    if (const auto it = FilteredControls().find(control); it != FilteredControls().end()) {
        it->second.filter = filter;
        return;
    }
    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FilterProc)));
    FilteredControls()[control] = {filter, previous};
}

KeyPressFn InstalledKeyFilter(HWND control) {
    const auto it = FilteredControls().find(control);
    return it == FilteredControls().end() ? nullptr : it->second.filter;
}

}  // namespace tc
