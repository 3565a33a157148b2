#pragma once
// The ten toolbar pictures, drawn in code at any size: 0 a blue triangle pointing right, 2 an
// open door with a blue arrow pointing left at it, 4 a blue square, 6 a green bar with rounded
// corners, 8 a blue floppy disk; each odd picture is the one before it in grey.
#include <cstdint>
#include <vector>

namespace tc {

constexpr int kPictureCount = 10;

// size x size pixels, rows top to bottom, each 0xAARRGGBB with the colour premultiplied by
// alpha (the layout of a 32-bit top-down DIB for AlphaBlend). Outside the shapes: transparent.
std::vector<std::uint32_t> RenderPicture(int index, int size);

}  // namespace tc
