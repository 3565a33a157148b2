#pragma once
// Input port: the cursor and the left mouse button, in physical screen pixels.

namespace tc {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

class Input {
public:
    virtual ~Input() = default;
    // Throws SystemError when the system refuses to report the position.
    virtual Point CursorPos() = 0;
    virtual void SetCursorPos(Point p) = 0;
    virtual void LeftDown() = 0;
    virtual void LeftUp() = 0;
};

}  // namespace tc
