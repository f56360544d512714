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

}  // namespace plotvale::canvas
