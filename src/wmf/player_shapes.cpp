// Lines, polygons, rectangles and pixels, painted with the current pen and
// brush through the binary raster operation (curves: player_curves.cpp).

#include <algorithm>
#include <cmath>

#include "canvas/raster.h"
#include "wmf/hatch.h"
#include "wmf/pattern_tile.h"
#include "wmf/player.h"
#include "wmf/raster_ops.h"
#include "wmf/record_functions.h"

namespace plotvale::wmf {
namespace {

std::vector<Point> shiftedBy(const std::vector<Point>& pts, double d) {
    std::vector<Point> out(pts);
    for (auto& p : out) { p.x += d; p.y += d; }
    return out;
}

// GDI's narrow wide pens on curves (under three pixels, where the square pen
// does not draw them) cover about half a pixel more than a stroke of the
// nominal width. Measured on the corpus references.
constexpr double kWideCurveGrowth = 0.5;

}  // namespace

// Where a stroke's centre line sits relative to the pixel grid so that a pen
// covers the pixels GDI's pen covers: on pixel centres for every width (an
// even-width GDI pen reaches one pixel further right and down than left and up).
double Player::strokeOffset(double /*width*/) { return 0.5; }

// Aliased polygons are filled span by span by GDI's sample-point rule; the
// anti-aliased ones, and polygons whose spans would cost too much, by Cairo,
// moved half a pixel to the same grid.
Player::FillShape Player::fillPathOf(const std::vector<std::vector<Point>>& polygons) const {
    const FillRule rule = s_.polyFillMode == 2 ? FillRule::NonZero : FillRule::EvenOdd;
    const canvas::RectI bounds{0, 0, device_.width(), device_.height()};
    if (!device_.antialias() && canvas::edgeRowCrossings(polygons, bounds) <= canvas::kExactRasterBudget)
        return {canvas::rectsPath(canvas::polygonSpans(polygons, rule, bounds)), FillRule::NonZero};
    FillShape shape{Path(), rule};
    for (const auto& pts : polygons) shape.path.addPolygon(shiftedBy(pts, kFillOffset), true);
    return shape;
}

// PS_INSIDEFRAME keeps a wide pen inside the figure's bounding box.
double Player::insideFrameInset() const {
    return (s_.pen.style & 0x0F) == 6 ? (penWidth() - 1) / 2 : 0.0;
}

// The aliased width is GDI's whole-pixel width: the width is mapped along x
// as a point is, from the window's origin, and the device x of the width
// less that of 0, each rounded to whole pixels, is the width (so the window
// origin decides as much as the width: GDI's lines and rectangles at five
// origins a fifth of a pixel apart, at 96 and 192 DPI). Inside-frame pens
// are as wide as solid ones. GDI's scale is a single-precision ratio: a
// width of exactly half a pixel more rounds up or down as that ratio falls.
double Player::penWidth() const {
    if (s_.pen.width <= 0) return 1;
    if (device_.antialias()) return std::max(1.0, lengthX(s_.pen.width));
    const double scale = static_cast<float>(device_.width()) / static_cast<float>(s_.windowExtX);
    const double from = std::floor(-s_.windowOrgX * scale + 0.5);
    const double to = std::floor((s_.pen.width - s_.windowOrgX) * scale + 0.5);
    return std::max(1.0, std::abs(to - from));
}

// Device points moved onto the pen's pixel grid; anti-aliased thin lines snap
// to pixel centres so they stay crisp.
std::vector<Point> Player::strokePoints(const std::vector<Point>& pts) const {
    const double w = penWidth();
    const double shift = strokeOffset(w);
    const bool snap = device_.antialias() && w < 1.5;
    std::vector<Point> moved(pts);
    for (auto& p : moved) {
        if (snap) { p.x = std::floor(p.x + 0.5); p.y = std::floor(p.y + 0.5); }
        p.x += shift;
        p.y += shift;
    }
    return moved;
}

std::vector<Point> Player::readPoints(const Record& r, std::size_t firstWord, std::size_t count) const {
    const std::size_t available = r.words() > firstWord ? (r.words() - firstWord) / 2 : 0;
    count = std::min(count, available);
    std::vector<Point> pts;
    pts.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        pts.push_back(toDevice(r.word(firstWord + 2 * i), r.word(firstWord + 2 * i + 1)));
    return pts;
}

void Player::withRop2(const std::function<void()>& draw) {
    if (s_.rop2 == R2_COPYPEN || s_.rop2 < 1 || s_.rop2 > 16) return draw();
    if (s_.rop2 == 11) return;  // R2_NOP
    const int rop = s_.rop2;
    for (int band = 0; band < device_.layerBands(); ++band) {
        if (!device_.beginLayer(band)) continue;
        draw();
        device_.endLayer([rop](std::uint32_t pen, std::uint32_t dst) { return applyRop2(rop, pen, dst); });
    }
}

// The picture's pixels a path can paint: its points' box (control points
// bound its curves), a pixel wider all round for anti-aliasing.
canvas::RectI Player::pathBox(const Path& path) const {
    if (path.points().empty()) return {};
    double l = path.points()[0].x, t = path.points()[0].y, r = l, b = t;
    for (const Point& p : path.points()) {
        l = std::min(l, p.x); t = std::min(t, p.y);
        r = std::max(r, p.x); b = std::max(b, p.y);
    }
    auto clampTo = [](double v, int size) { return static_cast<int>(std::clamp(v, 0.0, static_cast<double>(size))); };
    return {clampTo(std::floor(l) - 1, device_.width()), clampTo(std::floor(t) - 1, device_.height()),
            clampTo(std::ceil(r) + 1, device_.width()), clampTo(std::ceil(b) + 1, device_.height())};
}

void Player::fillWithBrush(const Path& path, const BrushObject& brush, FillRule rule) {
    if (brush.style == 1) return;
    if (brush.style == 2) {
        Image tile{8, 8, false, std::vector<std::uint32_t>(64, s_.bkColor)};
        std::vector<bool> mask(64, s_.bkMode != 1);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                if (hatchCovers(brush.hatch, x, y)) {
                    tile.pixels[static_cast<std::size_t>(y * 8 + x)] = brush.color;
                    mask[static_cast<std::size_t>(y * 8 + x)] = true;
                }
        device_.fill(path, rule, Paint{rgbColor(brush.color), &tile, &mask});
        return;
    }
    if ((brush.style == 3 || brush.style == 5) && brush.pattern) {
        auto part = patternTileFor(*brush.pattern, pathBox(path));
        if (!part && !brush.monochromePattern) {
            device_.fill(path, rule, Paint{Color{}, brush.pattern.get(), nullptr});
            return;
        }
        PatternTile tile = part ? std::move(*part) : PatternTile{*brush.pattern, {0, 0}};
        if (brush.monochromePattern)
            for (auto& p : tile.image.pixels) p = (p == 0) ? s_.textColor : s_.bkColor;
        device_.fill(path, rule, Paint{Color{}, &tile.image, nullptr, tile.origin});
        return;
    }
    device_.fill(path, rule, Paint{rgbColor(brush.color), nullptr, nullptr});
}

void Player::strokeWithPen(const Path& path, const std::vector<canvas::Span>* rim) {
    if (!penVisible() || strokeWithSquarePen(path, rim)) return;
    if (strokeCurveBands(path)) return;
    StrokeStyle style;
    style.width = penWidth();
    if (!device_.antialias() && style.width >= 2 && path.hasCurves()) style.width += kWideCurveGrowth;
    const int kind = s_.pen.style & 0x0F;
    const bool thin = style.width < 1.5;
    style.cap = thin ? canvas::LineCap::Butt : canvas::LineCap::Round;
    style.join = thin ? canvas::LineJoin::Miter : canvas::LineJoin::Round;
    if (thin && kind >= 1 && kind <= 4) {
        static const std::vector<double> patterns[] = {{}, {18, 6}, {3, 3}, {9, 6, 3, 6}, {9, 3, 3, 3, 3, 3}};
        if (s_.bkMode == 2) {
            StrokeStyle background = style;
            device_.stroke(path, background, rgbColor(s_.bkColor));
        }
        style.dashes = patterns[kind];
    }
    device_.stroke(path, style, rgbColor(s_.pen.color));
}

// Aliased fills arrive as disjoint whole-pixel spans with the fill mode
// already applied, or as single simple figures: they fill by the non-zero
// rule, which lets the device write their pixels directly.
FillRule Player::shapeFillRule() const {
    return s_.polyFillMode == 2 || !device_.antialias() ? FillRule::NonZero : FillRule::EvenOdd;
}

void Player::fillAndStroke(const Path& fillPath, const Path& strokePath, bool filled,
                           const std::vector<canvas::Span>* rim) {
    const FillRule rule = shapeFillRule();
    withRop2([&] {
        if (filled) fillWithBrush(fillPath, s_.brush, rule);
        strokeWithPen(strokePath, rim);
    });
}

// Several polygons filled as one figure (so holes follow the fill mode), each
// outlined on its own.
void Player::drawPolyPolygon(const Record& r) {
    const std::size_t polys = r.uword(0);
    if (polys == 0 || polys >= r.words()) return;
    std::vector<std::vector<Point>> polygons;
    std::size_t at = 1 + polys;
    for (std::size_t i = 0; i < polys; ++i) {
        const std::size_t count = r.uword(1 + i);
        const auto pts = readPoints(r, at, count);
        at += 2 * count;
        polygons.push_back(pts);
    }
    fillAndOutline(fillPathOf(polygons), polygons, true, true);
}

bool Player::playShape(const Record& r) {
    switch (r.function()) {
    case META_LINETO: {
        const Point a = toDevice(s_.curX, s_.curY);
        s_.curY = r.word(0);
        s_.curX = r.word(1);
        const Point b = toDevice(s_.curX, s_.curY);
        fillAndOutline({}, {{a, b}}, false, false);
        return true;
    }
    case META_POLYLINE: case META_POLYGON: {
        const auto pts = readPoints(r, 1, r.uword(0));
        if (pts.size() < 2) return true;
        const bool polygon = r.function() == META_POLYGON;
        fillAndOutline(polygon ? fillPathOf({pts}) : FillShape{}, {pts}, polygon, polygon);
        return true;
    }
    case META_POLYPOLYGON: drawPolyPolygon(r); return true;
    case META_RECTANGLE: {
        const canvas::RectI b = toDeviceRect(r.word(3), r.word(2), r.word(1), r.word(0));
        Path fill;
        fill.addRect({static_cast<double>(b.left), static_cast<double>(b.top), b.width() - 1.0, b.height() - 1.0});
        // The outline runs through the corner pixels of the box, inset for
        // PS_INSIDEFRAME, from the top-right corner counter-clockwise as GDI
        // runs it (where a dash pattern starts).
        const double in = insideFrameInset();
        const double l = b.left + in, t = b.top + in;
        const double rt = std::max(l, b.right - 1 - in), btm = std::max(t, b.bottom - 1 - in);
        fillAndOutline({fill, FillRule::NonZero}, {{{rt, t}, {l, t}, {l, btm}, {rt, btm}}}, true, true);
        return true;
    }
    case META_ELLIPSE: drawEllipse(r); return true;
    case META_ROUNDRECT: drawRoundRect(r); return true;
    case META_ARC: drawArcFamily(r, 0); return true;
    case META_PIE: drawArcFamily(r, 1); return true;
    case META_CHORD: drawArcFamily(r, 2); return true;
    case META_SETPIXEL: {
        const Point p = toDevice(r.word(3), r.word(2));
        Path path;
        path.addRect({std::floor(p.x), std::floor(p.y), 1, 1});
        const std::uint32_t c = colorRef(r, 0);
        device_.fill(path, FillRule::NonZero, Paint{rgbColor(c), nullptr, nullptr});
        return true;
    }
    default: return false;
    }
}

}  // namespace plotvale::wmf
