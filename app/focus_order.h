#pragma once
// The keyboard focus order of the main window (Tab forward, Shift+Tab backward, wrapping at the
// end), from the control table: Memo1 first. Of a radio pair only the selected button is a stop;
// controls that are switched off or hidden are passed over.
#include <windows.h>

namespace tc {

class WindowControls;

// The stop after (or before) the one that holds `focus`; nullptr when no stop can take it.
HWND NextFocusStop(const WindowControls& controls, HWND focus, bool forward);
HWND FirstFocusStop(const WindowControls& controls);

}  // namespace tc
