#pragma once
// The cursor and the left mouse button through GetCursorPos, SetCursorPos and mouse_event.
#include "platform/input.h"

namespace tc {

class Win32Input : public Input {
public:
    // Throws SystemError with the system's text when the position cannot be read.
    Point CursorPos() override;
    void SetCursorPos(Point p) override;
    void LeftDown() override;
    void LeftUp() override;
};

}  // namespace tc
