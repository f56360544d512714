// Bitmap records: every transfer (BITBLT, STRETCHBLT, DIBBITBLT,
// DIBSTRETCHBLT, STRETCHDIB, SETDIBTODEV, PATBLT) goes through one per-pixel
// routine that samples the source by nearest neighbour and applies the
// ternary raster operation with the brush as pattern.

#include <algorithm>
#include <cmath>
#include <utility>
#include <cstdlib>
#include <limits>
#include <string>

#include "wmf/hatch.h"
#include "wmf/player.h"
#include "wmf/raster_ops.h"
#include "wmf/record_functions.h"
#include "wmf/record_reader.h"

namespace plotvale::wmf {
namespace {

bool dibIsBottomUp(std::string_view dib) {
    return readU32(dib, 0) == 12 || static_cast<std::int32_t>(readU32(dib, 8)) > 0;
}

// The source colour for a destination pixel. Enlarged or same-size sources
// are sampled at the pixel centre; a shrunk source combines the source pixels
// that fall on one destination pixel by the stretch mode: AND keeps dark
// lines (BLACKONWHITE), OR keeps light ones (WHITEONBLACK), HALFTONE
// averages, COLORONCOLOR drops them.
// The pixel under a destination pixel's centre. A centre on a pixel boundary
// takes, as GDI's pictures show, the row below it in a bottom-up DIB (the
// next one in the DIB's own row order); across, the next column when the
// source is shrunk (COLORONCOLOR) and the one before it when enlarged.
struct SourceSampler {
    const Image* src;
    double sx, sy, perX, perY;  // source origin and source pixels per device pixel
    int mode;

    std::uint32_t operator()(double dx, double dy) const {
        if (mode == 3) return src->at(centred(sx, dx, perX, src->width, false), centredRow(dy));
        const auto [x0, x1] = range(sx, dx, perX, src->width, false);
        const auto [y0, y1] = range(sy, dy, perY, src->height, src->bottomUp);
        if (x1 - x0 == 1 && y1 - y0 == 1) return src->at(x0, y0);
        return combine(x0, x1, y0, y1);
    }

    int centredRow(double dy) const { return centred(sy, dy, perY, src->height, src->bottomUp); }
    static int clampTo(double v, int size) { return static_cast<int>(std::clamp(std::floor(v), 0.0, size - 1.0)); }
    static int centred(double origin, double d, double per, int size, bool tiesBefore) {
        // Bounded before the cast: a destination a hair wide gives huge steps.
        const double v = std::clamp(origin + (d + 0.5) * per, -1.0, size + 1.0);
        return std::clamp(tiesBefore ? static_cast<int>(std::ceil(v)) - 1 : static_cast<int>(std::floor(v)), 0, size - 1);
    }

    // Source pixels [first, last) under the destination pixel at offset d:
    // the one under its centre unless the source is shrunk along this axis.
    static std::pair<int, int> range(double origin, double d, double per, int size, bool bottomUpRows) {
        if (std::abs(per) <= 1) {
            const int c = centred(origin, d, per, size, bottomUpRows || std::abs(per) < 1);
            return {c, c + 1};
        }
        const double v = origin + d * per;
        int a = clampTo(per < 0 ? v + per : v, size), b = clampTo((per < 0 ? v : v + per) - 1e-9, size);
        if (b < a) std::swap(a, b);
        return {a, b + 1};
    }

    std::uint32_t combine(int x0, int x1, int y0, int y1) const {
        std::uint32_t acc = mode == 2 ? 0u : 0xFFFFFFu;
        std::uint64_t r = 0, g = 0, b = 0, n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                const std::uint32_t c = src->at(x, y);
                if (mode == 2) acc |= c;
                else acc &= c;
                r += (c >> 16) & 0xFF; g += (c >> 8) & 0xFF; b += c & 0xFF; ++n;
            }
        if (mode != 4) return acc & 0xFFFFFFu;
        return static_cast<std::uint32_t>(((r / n) << 16) | ((g / n) << 8) | (b / n));
    }
};

// The DIB with its header's height set to rows (keeping its direction), for
// a band of scan lines carried without the rest of the picture.
std::string withHeight(std::string_view dib, int rows) {
    std::string out(dib);
    if (readU32(dib, 0) == 12) {
        if (out.size() >= 8) { out[6] = static_cast<char>(rows & 0xFF); out[7] = static_cast<char>(rows >> 8); }
        return out;
    }
    if (out.size() < 12) return out;
    const bool topDown = static_cast<std::int32_t>(readU32(dib, 8)) < 0;
    const auto h = static_cast<std::uint32_t>(topDown ? -rows : rows);
    for (int i = 0; i < 4; ++i) out[8 + static_cast<std::size_t>(i)] = static_cast<char>(h >> (8 * i));
    return out;
}

// A source rectangle's top row in the decoded (top-down) image: the records
// count a bottom-up DIB's rows from its bottom.
double dibSourceTop(const Image& img, double ySrc, double height) {
    return img.bottomUp ? img.height - ySrc - height : ySrc;
}

int dibHeight(std::string_view dib) {
    if (readU32(dib, 0) == 12) return readU16(dib, 6);
    const auto h = static_cast<std::int32_t>(readU32(dib, 8));
    return h == std::numeric_limits<std::int32_t>::min() ? 0 : std::abs(h);
}

}  // namespace

// SETDIBTODEV carries scan lines StartScan to StartScan + ScanCount of a DIB
// whose header gives the whole height (counted from the bottom row of a
// bottom-up DIB); only the part of the source rectangle inside that band is
// drawn.
void Player::setDibToDevice(const Record& r) {
    const std::string_view dib = r.tail(18);
    const int fullHeight = dibHeight(dib);
    const int startScan = r.uword(2), scans = std::min<int>(r.uword(1), fullHeight - startScan);
    if (fullHeight <= 0 || scans <= 0) return;
    const auto band = dibOf(withHeight(dib, scans), r.uword(0));
    if (!band) return;
    const int w = r.word(6), h = r.word(5), xSrc = r.word(4), ySrc = r.word(3);
    // Source rows and the band as rows of the whole DIB, counted from its top.
    const bool bottomUp = dibIsBottomUp(dib);
    const int srcTop = bottomUp ? fullHeight - ySrc - h : ySrc;
    const int bandTop = bottomUp ? fullHeight - startScan - scans : startScan;
    const int top = std::max(srcTop, bandTop), bottom = std::min(srcTop + h, bandTop + scans);
    if (top >= bottom) return;
    blit(&*band, r.word(8), r.word(7) + (top - srcTop), w, bottom - top, xSrc, top - bandTop, w, bottom - top, SRCCOPY);
}

std::optional<Image> Player::dibOf(std::string_view dib, int colorUsage) const {
    return decodeDib(dib, colorUsage, s_.palette, affordablePixels(1));
}

std::uint32_t Player::patternAt(int x, int y) const {
    const BrushObject& b = s_.brush;
    if (b.style == 2) return hatchCovers(b.hatch, x, y) ? b.color : s_.bkColor;
    if ((b.style == 3 || b.style == 5) && b.pattern && b.pattern->width > 0 && b.pattern->height > 0) {
        const std::uint32_t p = b.pattern->at(x % b.pattern->width, y % b.pattern->height);
        if (b.monochromePattern) return p == 0 ? s_.textColor : s_.bkColor;
        return p;
    }
    return b.color;
}

void Player::blit(const Image* src, double dx, double dy, double dw, double dh, double sx, double sy,
                  double sw, double sh, std::uint32_t rop) {
    const auto table = static_cast<std::uint8_t>(rop >> 16);
    if (rop3UsesSource(table) && (src == nullptr || src->width <= 0 || src->height <= 0)) return;
    if (rop3UsesPattern(table) && s_.brush.style == 1) return;
    if (table == 0xAA) return;  // destination unchanged
    const Point p0 = toDevice(dx, dy), p1 = toDevice(dx + dw, dy + dh);
    const double spanX = p1.x - p0.x, spanY = p1.y - p0.y;
    if (std::abs(spanX) < 1e-9 || std::abs(spanY) < 1e-9) return;
    // A mirrored destination covers the pixels from its start back to one
    // past its end, as GDI takes it: one pixel further right or down.
    const int mirrorX = spanX < 0 ? 1 : 0, mirrorY = spanY < 0 ? 1 : 0;
    canvas::RectI area{pixelIndex(std::floor(std::min(p0.x, p1.x) + 0.5)) + mirrorX,
                       pixelIndex(std::floor(std::min(p0.y, p1.y) + 0.5)) + mirrorY,
                       pixelIndex(std::floor(std::max(p0.x, p1.x) + 0.5)) + mirrorX,
                       pixelIndex(std::floor(std::max(p0.y, p1.y) + 0.5)) + mirrorY};
    Region target(canvas::RectI{0, 0, device_.width(), device_.height()});
    target.intersect(area);
    if (s_.clip) target.intersect(*s_.clip);
    const PixelAccess px = device_.pixels();
    const SourceSampler sample{src, sx, sy, sw / spanX, sh / spanY, s_.stretchMode};
    for (const auto& rect : target.rects()) {
        for (int y = rect.top; y < rect.bottom; ++y) {
            std::uint32_t* row = px.data + static_cast<std::size_t>(y) * px.stride;
            for (int x = rect.left; x < rect.right; ++x) {
                const std::uint32_t s = src ? sample(x - mirrorX - p0.x, y - mirrorY - p0.y) : 0;
                if (s & Image::kUnpainted) continue;
                const std::uint32_t p = rop3UsesPattern(table) ? patternAt(x, y) : 0;
                row[x] = 0xFF000000u | applyRop3(table, p, s, row[x] & 0xFFFFFFu);
            }
        }
    }
    device_.pixelsChanged();
}

bool Player::playBitmap(const Record& r) {
    const std::uint32_t rop = r.u32(0);
    switch (r.function()) {
    case META_PATBLT:
        blit(nullptr, r.word(5), r.word(4), r.word(3), r.word(2), 0, 0, 0, 0, rop);
        return true;
    case META_BITBLT: case META_DIBBITBLT: {
        if (r.words() == 9) {  // no source bitmap: a pattern or destination operation
            blit(nullptr, r.word(8), r.word(7), r.word(6), r.word(5), 0, 0, 0, 0, rop);
            return true;
        }
        const double w = r.word(5), h = r.word(4);
        const bool dib = r.function() == META_DIBBITBLT;
        std::optional<Image> img =
            dib ? dibOf(r.tail(16), 0) : decodeBitmap16(r.tail(16), s_.textColor, s_.bkColor, affordablePixels(1));
        if (img) blit(&*img, r.word(7), r.word(6), w, h, r.word(3), dibSourceTop(*img, r.word(2), h), w, h, rop);
        return true;
    }
    case META_STRETCHBLT: case META_DIBSTRETCHBLT: {
        if (r.words() == 11) {
            blit(nullptr, r.word(10), r.word(9), r.word(8), r.word(7), 0, 0, 0, 0, rop);
            return true;
        }
        std::optional<Image> img = r.function() == META_DIBSTRETCHBLT
                                       ? dibOf(r.tail(20), 0)
                                       : decodeBitmap16(r.tail(20), s_.textColor, s_.bkColor, affordablePixels(1));
        if (img)
            blit(&*img, r.word(9), r.word(8), r.word(7), r.word(6), r.word(5), dibSourceTop(*img, r.word(4), r.word(2)),
                 r.word(3), r.word(2), rop);
        return true;
    }
    case META_STRETCHDIB: {
        const std::string_view dib = r.tail(22);
        auto img = dibOf(dib, r.uword(2));
        if (!img) return true;
        blit(&*img, r.word(10), r.word(9), r.word(8), r.word(7), r.word(6), dibSourceTop(*img, r.word(5), r.word(3)),
             r.word(4), r.word(3), rop);
        return true;
    }
    case META_SETDIBTODEV: setDibToDevice(r); return true;
    default: return false;
    }
}

}  // namespace plotvale::wmf
