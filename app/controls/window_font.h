#pragma once
// The window's font: Tahoma, 8 points (11 pixels at 96 dots per inch). Tahoma has no Chinese
// characters; the system's font linking supplies them (SimSun on Windows, its replacement under
// Wine). Where Tahoma is missing, the system's message font face stands in at the same size.
#include <windows.h>

#include "app/win32/handles.h"

namespace tc {

UniqueFont CreateWindowFont(int dpi);

// Width and height of a text in the given font, with line breaks.
SIZE MeasureText(HFONT font, const wchar_t* text);

}  // namespace tc
