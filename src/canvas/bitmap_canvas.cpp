#include "canvas/bitmap_canvas.h"

#include <cstdint>

namespace plotvale::canvas {
namespace {

// Premultiplies one channel with correct rounding of c * a / 255.
std::uint32_t premultiply(unsigned channel, unsigned alpha) {
    const unsigned t = channel * alpha + 0x80;
    return ((t >> 8) + t) >> 8;
}

}  // namespace

std::optional<Canvas> fromBitmap(FIBITMAP* bitmap) {
    if (bitmap == nullptr || FreeImage_GetImageType(bitmap) != FIT_BITMAP ||
        FreeImage_GetBPP(bitmap) != 32)
        return std::nullopt;
    const int width = static_cast<int>(FreeImage_GetWidth(bitmap));
    const int height = static_cast<int>(FreeImage_GetHeight(bitmap));
    auto canvas = Canvas::create(width, height);
    if (!canvas) return std::nullopt;
    std::uint32_t* dst = canvas->pixels();
    for (int y = 0; y < height; ++y) {
        const BYTE* line = FreeImage_GetScanLine(bitmap, height - 1 - y);
        std::uint32_t* row = dst + static_cast<std::size_t>(y) * canvas->stride();
        for (int x = 0; x < width; ++x) {
            const BYTE* px = line + 4 * x;
            const unsigned a = px[FI_RGBA_ALPHA];
            row[x] = (std::uint32_t{a} << 24) | (premultiply(px[FI_RGBA_RED], a) << 16) |
                     (premultiply(px[FI_RGBA_GREEN], a) << 8) | premultiply(px[FI_RGBA_BLUE], a);
        }
    }
    canvas->pixelsChanged();
    return canvas;
}

}  // namespace plotvale::canvas
