#include "app/controls/artwork.h"

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <vector>

namespace tc {
namespace {

// Shapes are described on a 16 x 16 grid and sampled at the requested size.
struct Rgb {
    int r, g, b;
};

struct Layer {
    std::function<bool(double, double)> covers;
    Rgb colour;
};

struct Pt {
    double x, y;
};

std::function<bool(double, double)> Polygon(std::initializer_list<Pt> points) {
    std::vector<Pt> p(points);
    return [p](double x, double y) {
        bool inside = false;
        for (std::size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
            if ((p[i].y > y) != (p[j].y > y) &&
                x < (p[j].x - p[i].x) * (y - p[i].y) / (p[j].y - p[i].y) + p[i].x)
                inside = !inside;
        }
        return inside;
    };
}

std::function<bool(double, double)> Box(double left, double top, double right, double bottom,
                                        double radius = 0) {
    return [=](double x, double y) {
        if (x < left || x > right || y < top || y > bottom) return false;
        const double cx = std::clamp(x, left + radius, right - radius);
        const double cy = std::clamp(y, top + radius, bottom - radius);
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
    };
}

constexpr Rgb kBlue{30, 100, 220};
constexpr Rgb kDarkBlue{15, 55, 150};

std::vector<Layer> Picture(int colourIndex) {
    switch (colourIndex) {
    case 0:  // triangle pointing right
        return {{Polygon({{3.0, 0.8}, {15.2, 8.0}, {3.0, 15.2}}), kDarkBlue},
                {Polygon({{4.2, 2.8}, {13.0, 8.0}, {4.2, 13.2}}), kBlue}};
    case 2:  // open door, arrow pointing left at it
        return {{Box(0.5, 0.5, 8.5, 15.5), {110, 75, 40}},
                {Box(1.7, 1.7, 7.3, 15.5), {45, 35, 25}},
                {Polygon({{1.7, 1.7}, {5.8, 3.2}, {5.8, 15.8}, {1.7, 15.5}}), {200, 150, 90}},
                {Box(10.0, 6.8, 15.5, 9.2), kBlue},
                {Polygon({{6.8, 8.0}, {11.0, 3.8}, {11.0, 12.2}}), kBlue}};
    case 4:  // square
        return {{Box(1.5, 1.5, 14.5, 14.5), kDarkBlue}, {Box(2.7, 2.7, 13.3, 13.3), kBlue}};
    case 6:  // bar with rounded corners
        return {{Box(0.5, 4.0, 15.5, 12.0, 3.0), {20, 110, 40}},
                {Box(1.6, 5.1, 14.4, 10.9, 2.2), {60, 185, 75}}};
    case 8:  // floppy disk
        return {{Box(1.0, 1.0, 15.0, 15.0, 1.2), kDarkBlue},
                {Box(2.0, 2.0, 14.0, 14.0, 0.6), kBlue},
                {Box(4.0, 2.0, 12.0, 7.5), {250, 250, 250}},
                {Box(4.5, 4.0, 11.5, 4.8), {150, 170, 210}},
                {Box(5.0, 10.0, 11.0, 14.0), {200, 205, 215}},
                {Box(8.6, 10.8, 10.0, 13.2), kDarkBlue}};
    default:
        return {};
    }
}  // NOLINT(clang-analyzer-cplusplus.NewDeleteLeaks): the layers own their shapes

Rgb Grey(Rgb c) {
    const int y = (c.r * 299 + c.g * 587 + c.b * 114) / 1000;
    const int light = 96 + y * 5 / 8;  // keep the grey pictures light, as disabled pictures are
    return {light, light, light};
}

// One pixel of a picture: four by four samples, each taking the colour of the topmost layer
// that covers it; premultiplied ARGB, the sum over covered samples divided by all samples.
std::uint32_t SamplePixel(const std::vector<Layer>& layers, bool grey, int px, int py, int size) {
    constexpr int kSamples = 4;  // per axis
    constexpr int kAll = kSamples * kSamples;
    Rgb sum{0, 0, 0};
    int hits = 0;
    for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
            const double x = (px + (sx + 0.5) / kSamples) * 16.0 / size;
            const double y = (py + (sy + 0.5) / kSamples) * 16.0 / size;
            const auto top = std::find_if(layers.rbegin(), layers.rend(),
                                          [x, y](const Layer& l) { return l.covers(x, y); });
            if (top == layers.rend()) continue;
            const Rgb c = grey ? Grey(top->colour) : top->colour;
            sum.r += c.r;
            sum.g += c.g;
            sum.b += c.b;
            ++hits;
        }
    }
    const auto channel = [](int value) { return static_cast<std::uint32_t>(value / kAll); };
    return channel(hits * 255) << 24 | channel(sum.r) << 16 | channel(sum.g) << 8 | channel(sum.b);
}

}  // namespace

std::vector<std::uint32_t> RenderPicture(int index, int size) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size) * size, 0);
    if (index < 0 || index >= kPictureCount || size <= 0) return pixels;
    const std::vector<Layer> layers = Picture(index - index % 2);
    const bool grey = index % 2 == 1;
    for (int py = 0; py < size; ++py)
        for (int px = 0; px < size; ++px)
            pixels[static_cast<std::size_t>(py) * size + px] =
                SamplePixel(layers, grey, px, py, size);
    return pixels;
}

}  // namespace tc
