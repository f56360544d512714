#include "canvas/canvas_bitmap.h"

namespace plotvale::canvas {

Bitmap toBitmap(const Canvas& canvas) {
    Bitmap bitmap = makeBitmap(canvas.width(), canvas.height(), 32);
    if (!bitmap) return bitmap;
    const std::uint32_t* src = canvas.pixels();
    for (int y = 0; y < canvas.height(); ++y) {
        BYTE* line = FreeImage_GetScanLine(bitmap.get(), canvas.height() - 1 - y);
        const std::uint32_t* row = src + static_cast<std::size_t>(y) * canvas.stride();
        for (int x = 0; x < canvas.width(); ++x) {
            const std::uint32_t v = row[x];
            const unsigned a = v >> 24;
            auto straight = [&](int shift) {
                const unsigned c = (v >> shift) & 0xFF;
                return static_cast<BYTE>(a == 0 ? 0 : (a == 255 ? c : std::min(255u, (c * 255 + a / 2) / a)));
            };
            BYTE* px = line + 4 * x;
            px[FI_RGBA_RED] = straight(16);
            px[FI_RGBA_GREEN] = straight(8);
            px[FI_RGBA_BLUE] = straight(0);
            px[FI_RGBA_ALPHA] = static_cast<BYTE>(a);
        }
    }
    return bitmap;
}

std::optional<Canvas> fromBitmap(FIBITMAP* bitmap) {
    if (bitmap == nullptr) return std::nullopt;
    const Bitmap converted(FreeImage_ConvertTo32Bits(bitmap));
    if (!converted) return std::nullopt;
    const int width = static_cast<int>(FreeImage_GetWidth(converted.get()));
    const int height = static_cast<int>(FreeImage_GetHeight(converted.get()));
    auto canvas = Canvas::create(width, height);
    if (!canvas) return std::nullopt;
    std::uint32_t* dst = canvas->pixels();
    for (int y = 0; y < height; ++y) {
        const BYTE* line = FreeImage_GetScanLine(converted.get(), height - 1 - y);
        std::uint32_t* row = dst + static_cast<std::size_t>(y) * canvas->stride();
        for (int x = 0; x < width; ++x) {
            const BYTE* px = line + 4 * x;
            const unsigned a = px[FI_RGBA_ALPHA];
            auto pre = [&](BYTE c) { return (static_cast<unsigned>(c) * a + 127) / 255; };
            row[x] = a << 24 | pre(px[FI_RGBA_RED]) << 16 | pre(px[FI_RGBA_GREEN]) << 8 | pre(px[FI_RGBA_BLUE]);
        }
    }
    canvas->pixelsChanged();
    return canvas;
}

}  // namespace plotvale::canvas
