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
// pixels, nearly all of a rendered picture, are the same in both.
static void unpremultiplyRow(std::uint32_t* row, int width) {
    // Most rows are opaque throughout: one pass the compiler vectorises
    // tells them apart.
    std::uint32_t alphas = 0xFF000000u;
    for (int x = 0; x < width; ++x) alphas &= row[x];
    if (alphas == 0xFF000000u) return;
    for (int x = 0; x < width; ++x) {
        const std::uint32_t v = row[x], a = v >> 24;
        if (a == 255) continue;
        auto straight = [&](int shift) {
            const std::uint32_t c = (v >> shift) & 0xFF;
            return (a == 0 ? 0u : std::min(255u, (c * 255 + a / 2) / a)) << shift;
        };
        row[x] = (a << 24) | straight(16) | straight(8) | straight(0);
    }
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
    // One pass: each pair of rows is un-premultiplied while it is swapped.
    for (int top = 0, bottom = height - 1; top <= bottom; ++top, --bottom) {
        std::uint32_t* a = px + static_cast<std::size_t>(top) * stride;
        std::uint32_t* b = px + static_cast<std::size_t>(bottom) * stride;
        unpremultiplyRow(a, width);
        if (top == bottom) break;
        unpremultiplyRow(b, width);
        std::swap_ranges(a, a + width, b);
    }
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
