#pragma once
// StatusBar1: two panels, 0 from the left edge to 200 with left-aligned text, 1 from 200 to the
// end of the bar with right-aligned text.
#include <windows.h>

#include <string>

#include "app/win32/handles.h"
#include "app/win32/newer_window_functions.h"

namespace tc {

// The system's status-bar font at a display scale (dots per inch).
UniqueFont CreateStatusFont(int dpi, const NewerWindowFunctions& newer);
// Along the bottom of its window, `height` high, the first panel `firstWidth` wide and the
// second to the end of the bar.
void PlaceStatusBar(HWND statusBar, int height, int firstWidth);

// Does nothing when the panel already shows that text.
void SetStatusText(HWND statusBar, int panel, const std::string& text);
// The panel's text without the alignment marks.
std::string StatusText(HWND statusBar, int panel);

}  // namespace tc
