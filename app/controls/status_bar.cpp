#include "app/controls/status_bar.h"

#include <commctrl.h>

#include <cwchar>

#include "platform/win32/win32_text.h"

namespace tc {

namespace {

// The right panel's text ends this many blanks before the window's edge.
constexpr wchar_t kRightMargin[] = L"  ";

}  // namespace

UniqueFont CreateStatusFont(int dpi, const NewerWindowFunctions& newer) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (newer.systemParametersInfoForDpi &&
        newer.systemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0,
                                         static_cast<UINT>(dpi)))
        return UniqueFont(CreateFontIndirectW(&metrics.lfStatusFont));
    // Older systems give the font at the scale the session started with.
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return {};
    ScreenDc dc;
    metrics.lfStatusFont.lfHeight =
        MulDiv(metrics.lfStatusFont.lfHeight, dpi, GetDeviceCaps(dc.Get(), LOGPIXELSY));
    return UniqueFont(CreateFontIndirectW(&metrics.lfStatusFont));
}

void PlaceStatusBar(HWND statusBar, int height, int firstWidth) {
    // Placed by hand (the bar is created not to size itself): the height a status bar picks
    // from its font differs between systems.
    RECT parent;
    GetClientRect(GetParent(statusBar), &parent);
    SetWindowPos(statusBar, nullptr, 0, parent.bottom - height, parent.right, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    const int parts[2] = {firstWidth, -1};
    SendMessageW(statusBar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
}

namespace {

// The panel's text as it was set, alignment marks included.
std::wstring RawText(HWND statusBar, int panel) {
    const LRESULT info = SendMessageW(statusBar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(panel), 0);
    std::wstring text(static_cast<std::size_t>(LOWORD(info)) + 1, L'\0');
    SendMessageW(statusBar, SB_GETTEXTW, static_cast<WPARAM>(panel),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcslen(text.c_str()));
    return text;
}

}  // namespace

void SetStatusText(HWND statusBar, int panel, const std::string& text) {
    // Two tabs in front right-align a status bar panel's text.
    const std::wstring shown = panel == 1 ? L"\t\t" + Widen(text) + kRightMargin : Widen(text);
    // The same text again would only repaint the panel.
    if (RawText(statusBar, panel) == shown) return;
    SendMessageW(statusBar, SB_SETTEXTW, static_cast<WPARAM>(panel),
                 reinterpret_cast<LPARAM>(shown.c_str()));
}

std::string StatusText(HWND statusBar, int panel) {
    std::wstring text = RawText(statusBar, panel);
    const std::size_t start = text.find_first_not_of(L'\t');
    if (start == std::wstring::npos) return {};
    text = text.substr(start);
    if (panel == 1 && text.ends_with(kRightMargin)) text.resize(text.size() - wcslen(kRightMargin));
    return Narrow(text);
}

}  // namespace tc
