#include "app/key_filters.h"

#include <commctrl.h>

namespace tc {
namespace {

constexpr UINT_PTR kSubclassId = 0x4B46;  // "KF"

bool IsDigit(wchar_t key) { return key >= L'0' && key <= L'9'; }

LRESULT CALLBACK FilterProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                            UINT_PTR, DWORD_PTR data) {
    if (message == WM_CHAR) {
        wchar_t key = static_cast<wchar_t>(wParam);
        reinterpret_cast<KeyFilter>(data)(key);
        if (key == 0) return 0;
        wParam = key;
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, FilterProc, kSubclassId);
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

void InstallKeyFilter(HWND control, KeyFilter filter) {
    SetWindowSubclass(control, FilterProc, kSubclassId, reinterpret_cast<DWORD_PTR>(filter));
}

KeyFilter InstalledKeyFilter(HWND control) {
    DWORD_PTR data = 0;
    if (!GetWindowSubclass(control, FilterProc, kSubclassId, &data)) return nullptr;
    return reinterpret_cast<KeyFilter>(data);
}

}  // namespace tc
