#include "app/status_bar.h"

#include <commctrl.h>

#include "platform/win32/win32_text.h"

namespace tc {

void SetStatusText(HWND statusBar, int panel, const std::string& text) {
    // Two tabs in front right-align a status bar panel's text.
    const std::wstring shown = (panel == 1 ? L"\t\t" : L"") + Widen(text);
    SendMessageW(statusBar, SB_SETTEXTW, static_cast<WPARAM>(panel),
                 reinterpret_cast<LPARAM>(shown.c_str()));
}

std::string StatusText(HWND statusBar, int panel) {
    const LRESULT info = SendMessageW(statusBar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(panel), 0);
    std::wstring text(static_cast<std::size_t>(LOWORD(info)) + 1, L'\0');
    SendMessageW(statusBar, SB_GETTEXTW, static_cast<WPARAM>(panel),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcslen(text.c_str()));
    const std::size_t start = text.find_first_not_of(L'\t');
    return Narrow(start == std::wstring::npos ? std::wstring() : text.substr(start));
}

}  // namespace tc
