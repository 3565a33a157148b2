#pragma once
// The toolbar's pictures: the ten as bitmaps of one size, drawn with their transparency,
// and the embossed grey form a disabled button draws of its own picture.
#include <windows.h>

#include <vector>

#include "app/win32/handles.h"

namespace tc {

class PictureList {
public:
    // size: the side in pixels (16 at 96 dots per inch).
    explicit PictureList(int size);

    int Size() const { return size_; }
    void Draw(HDC dc, int index, int x, int y) const;
    // The picture's shape in the 3-D shadow colour with a highlight one pixel down and right.
    void DrawEmbossed(HDC dc, int index, int x, int y) const;

private:
    int size_;
    std::vector<UniqueBitmap> pictures_;
    std::vector<UniqueBitmap> embossed_;  // size + 1 pixels square
};

}  // namespace tc
