#include "app/controls/picture_list.h"

#include <cstdint>
#include <cstring>

#include "app/controls/artwork.h"

namespace tc {
namespace {

UniqueBitmap MakeBitmap(const std::vector<std::uint32_t>& pixels, int size) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap && bits) std::memcpy(bits, pixels.data(), pixels.size() * sizeof(std::uint32_t));
    return bitmap;
}

std::uint32_t Opaque(COLORREF c) {
    return 0xFF000000U | (static_cast<std::uint32_t>(GetRValue(c)) << 16) |
           (static_cast<std::uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
}

std::vector<std::uint32_t> Emboss(const std::vector<std::uint32_t>& pixels, int size) {
    const int out = size + 1;
    std::vector<std::uint32_t> result(static_cast<std::size_t>(out) * out, 0);
    auto solid = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= size || y >= size) return false;
        return (pixels[static_cast<std::size_t>(y) * size + x] >> 24) >= 0x80;
    };
    const std::uint32_t shadow = Opaque(GetSysColor(COLOR_3DSHADOW));
    const std::uint32_t light = Opaque(GetSysColor(COLOR_3DHILIGHT));
    for (int y = 0; y < out; ++y)
        for (int x = 0; x < out; ++x) {
            std::uint32_t& p = result[static_cast<std::size_t>(y) * out + x];
            if (solid(x, y))
                p = shadow;
            else if (solid(x - 1, y - 1))
                p = light;
        }
    return result;
}

void Blend(HDC dc, HBITMAP bitmap, int x, int y, int size) {
    HDC memory = CreateCompatibleDC(dc);
    {
        SelectIn select(memory, bitmap);
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        GdiAlphaBlend(dc, x, y, size, size, memory, 0, 0, size, size, blend);
    }
    DeleteDC(memory);
}

}  // namespace

PictureList::PictureList(int size) : size_(size) {
    for (int i = 0; i < kPictureCount; ++i) {
        const std::vector<std::uint32_t> pixels = RenderPicture(i, size);
        pictures_.push_back(MakeBitmap(pixels, size));
        embossed_.push_back(MakeBitmap(Emboss(pixels, size), size + 1));
    }
}

void PictureList::Draw(HDC dc, int index, int x, int y) const {
    if (index < 0 || index >= kPictureCount) return;
    Blend(dc, pictures_[index].Get(), x, y, size_);
}

void PictureList::DrawEmbossed(HDC dc, int index, int x, int y) const {
    if (index < 0 || index >= kPictureCount) return;
    Blend(dc, embossed_[index].Get(), x, y, size_ + 1);
}

}  // namespace tc
