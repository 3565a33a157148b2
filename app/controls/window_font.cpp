#include "app/controls/window_font.h"

#include <cwchar>

namespace tc {
namespace {

UniqueFont CreateFace(const wchar_t* face, int dpi) {
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(8, dpi, 72);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return UniqueFont(CreateFontIndirectW(&lf));
}

bool HasFace(HFONT font, const wchar_t* face) {
    ScreenDc dc;
    SelectIn select(dc.Get(), font);
    wchar_t actual[LF_FACESIZE] = {};
    GetTextFaceW(dc.Get(), LF_FACESIZE, actual);
    return _wcsicmp(actual, face) == 0;
}

}  // namespace

UniqueFont CreateWindowFont(int dpi) {
    UniqueFont font = CreateFace(L"Tahoma", dpi);
    if (font && HasFace(font.Get(), L"Tahoma")) return font;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        return CreateFace(metrics.lfMessageFont.lfFaceName, dpi);
    return font;
}

SIZE MeasureText(HFONT font, const wchar_t* text) {
    ScreenDc dc;
    SelectIn select(dc.Get(), font);
    RECT r{0, 0, 0, 0};
    DrawTextW(dc.Get(), text, -1, &r, DT_CALCRECT | DT_NOPREFIX | DT_LEFT);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

}  // namespace tc
