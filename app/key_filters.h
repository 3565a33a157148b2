#pragma once
// The two key filters. Each is called with the character a key press produced, before the control
// handles it, and may replace it by 0, which discards the key press. Installed on a control, the
// filter sees every WM_CHAR it receives, control characters included (Ctrl+C, Ctrl+V, Ctrl+X and
// Ctrl+Z arrive as 3, 22, 24 and 26).
#include <windows.h>

namespace tc {

// The date and time pickers: backspace and the digits 0 to 9 pass.
void KeepPickerKey(wchar_t& key);
// Edit6, Edit7, Edit8: only the digits 0 to 9 pass; backspace is discarded too.
void KeepDigitKey(wchar_t& key);

using KeyPressFn = void (*)(wchar_t& key);
void InstallKeyFilter(HWND control, KeyPressFn filter);
// The filter installed on a control, or nullptr.
KeyPressFn InstalledKeyFilter(HWND control);

}  // namespace tc
