#include "canvas/canvas_bitmap.h"

#include <algorithm>

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

// Cairo's native-endian 0xAARRGGBB word is FreeImage's B, G, R, A byte order.
static_assert(FI_RGBA_BLUE == 0 && FI_RGBA_GREEN == 1 && FI_RGBA_RED == 2 && FI_RGBA_ALPHA == 3,
              "CanvasOnBitmap needs FreeImage's little-endian BGRA layout");

// Cairo keeps colours premultiplied; FreeImage wants straight alpha. Opaque
// pixels, nearly all of a rendered picture, are the same in both: runs of
// them are passed over a block at a time (the AND of their alphas).
static void unpremultiplyPixel(std::uint32_t& pixel) {
    const std::uint32_t v = pixel, a = v >> 24;
    if (a == 255) return;
    auto straight = [&](int shift) {
        const std::uint32_t c = (v >> shift) & 0xFF;
        return (a == 0 ? 0u : std::min(255u, (c * 255 + a / 2) / a)) << shift;
    };
    pixel = (a << 24) | straight(16) | straight(8) | straight(0);
}

static void unpremultiplyRow(std::uint32_t* row, int width) {
    constexpr int Block = 8;
    int x = 0;
    for (; x + Block <= width; x += Block) {
        std::uint32_t all = row[x];
        for (int i = 1; i < Block; ++i) all &= row[x + i];
        if ((all >> 24) == 0xFF) continue;
        for (int i = 0; i < Block; ++i) unpremultiplyPixel(row[x + i]);
    }
    for (; x < width; ++x) unpremultiplyPixel(row[x]);
}

std::optional<CanvasOnBitmap> CanvasOnBitmap::create(int width, int height) {
    CanvasOnBitmap result;
    result.bitmap_ = makeBitmap(width, height, 32);
    if (!result.bitmap_) return std::nullopt;
    auto* bits = reinterpret_cast<std::uint32_t*>(FreeImage_GetBits(result.bitmap_.get()));
    const auto pitch = static_cast<int>(FreeImage_GetPitch(result.bitmap_.get()));
    result.canvas_ = Canvas::createOn(bits, width, height, pitch);
    if (!result.canvas_) return std::nullopt;
    return result;
}

Bitmap CanvasOnBitmap::finish() {
    if (!canvas_ || !bitmap_) return Bitmap();
    std::uint32_t* px = canvas_->pixels();
    const int width = canvas_->width(), height = canvas_->height(), stride = canvas_->stride();
    canvas_.reset();
    // Cairo's rows run top down, FreeImage's bottom up: each pair of rows is
    // made straight and swapped in one pass while it is in the cache.
    const auto row = [&](int y) { return px + static_cast<std::size_t>(y) * stride; };
    int top = 0, bottom = height - 1;
    for (; top < bottom; ++top, --bottom) {
        unpremultiplyRow(row(top), width);
        unpremultiplyRow(row(bottom), width);
        std::swap_ranges(row(top), row(top) + width, row(bottom));
    }
    if (top == bottom) unpremultiplyRow(row(top), width);
    return std::move(bitmap_);
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
