#pragma once
// Real input, as a user's mouse and keyboard give it: the system's input queue of the shared
// desktop, not messages posted to a window. The window under the point (or with the focus)
// receives it, whichever process it belongs to.
#include <windows.h>

namespace tc::e2e {

// False when the cursor could not be put there.
bool MoveMouseTo(POINT point);
// A left click: the button goes down and up at once (in Wine's virtual desktop a pause between
// the two can lose the release). False when the cursor could not be put there or the input was
// refused.
bool Click(POINT point);
bool DoubleClick(POINT point);
// A key pressed and released.
void PressKey(WORD virtualKey);

}  // namespace tc::e2e
