#pragma once
// StatusBar1: two panels, 0 from the left edge to 200 with left-aligned text, 1 from 200 to the
// end of the bar with right-aligned text.
#include <windows.h>

#include <string>

namespace tc {

void SetStatusText(HWND statusBar, int panel, const std::string& text);
// The panel's text without the alignment marks.
std::string StatusText(HWND statusBar, int panel);

}  // namespace tc
