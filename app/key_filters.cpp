#include "app/key_filters.h"

#include <commctrl.h>

namespace tc {
namespace {

constexpr UINT_PTR kSubclassId = 0x4B46;  // "KF"
// The filter is also kept as a window property, so the window can tell which one a control has.
constexpr wchar_t kFilterProperty[] = L"TcKeyFilter";

bool IsDigit(wchar_t key) { return key >= L'0' && key <= L'9'; }

LRESULT CALLBACK FilterProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                            DWORD_PTR data) {
    if (message == WM_CHAR) {
        auto key = static_cast<wchar_t>(wParam);
        reinterpret_cast<KeyPressFn>(data)(key);
        if (key == 0) return 0;
        wParam = key;
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, FilterProc, kSubclassId);
        RemovePropW(hwnd, kFilterProperty);
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

void FSetDate1KeyPress(wchar_t& key) {
    if (key != 8 && !IsDigit(key)) key = 0;
}

void Edit7KeyPress(wchar_t& key) {
    if (!IsDigit(key)) key = 0;
}

void InstallKeyFilter(HWND control, KeyPressFn filter) {
    SetWindowSubclass(control, FilterProc, kSubclassId, reinterpret_cast<DWORD_PTR>(filter));
    SetPropW(control, kFilterProperty, reinterpret_cast<HANDLE>(filter));
}

KeyPressFn InstalledKeyFilter(HWND control) {
    return reinterpret_cast<KeyPressFn>(GetPropW(control, kFilterProperty));
}

}  // namespace tc
