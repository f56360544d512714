// Straight lines and polygon outlines with the current pen. In the aliased
// mode the pixels are worked out here, as GDI sets them, and reach the
// device as whole-pixel rectangles, so the device's fill still applies the
// clip and the raster operation.

#include "wmf/pen_geometry.h"
#include "wmf/player.h"

namespace plotvale::wmf {

namespace {

// Cairo's anti-aliasing costs about the crossings of a figure's edges with
// the pixel rows times the crossings each row has: beyond this, a figure
// takes it seconds.
constexpr double kAntialiasBudget = 1 << 25;

// The rows of bounds the figures' points reach, each widened by reach.
double rowsReached(const std::vector<std::vector<Point>>& figures, canvas::RectI bounds, double reach) {
    double top = bounds.bottom, bottom = bounds.top;
    for (const auto& f : figures)
        for (const Point& p : f) { top = std::min(top, p.y - reach); bottom = std::max(bottom, p.y + reach); }
    return std::max(1.0, std::min(bottom, double(bounds.bottom)) - std::max(top, double(bounds.top)));
}

}  // namespace

// Anti-aliasing figures of tens of thousands of crossing edges takes Cairo
// minutes, and so does stroking many lines with a pen as wide as the
// picture; such figures are drawn as in the aliased mode.
void Player::fillAndOutline(const FillShape& fill, const Figures& outlines, bool closed, bool filled) {
    const canvas::RectI bounds{0, 0, device_.width(), device_.height()};
    bool heavy = false;
    if (device_.antialias()) {
        const double reach = penVisible() ? penWidth() / 2 : 0;
        const auto crossings = static_cast<double>(canvas::edgeRowCrossings(outlines, bounds, reach));
        heavy = crossings > canvas::kExactRasterBudget ||
                crossings * crossings / rowsReached(outlines, bounds, reach) > kAntialiasBudget;
    }
    if (heavy) device_.setAntialias(false);
    withRop2([&] {
        if (filled) fillWithBrush(fill.path, s_.brush, fill.rule);
        strokeLines(outlines, closed);
    });
    if (heavy) device_.setAntialias(true);
}

void Player::strokeLines(const Figures& outlines, bool closed) {
    if (!penVisible()) return;
    if (device_.antialias()) return strokeApproximately(outlines, closed);
    if (penWidth() < 1.5) strokeThinLines(outlines, closed);
    else strokeWideLines(outlines, closed);
}

// Lines whose exact pixels would cost too much go to Cairo. Aliased wide
// pens, whose ends and joins are round, are stroked a few hundred segments
// at a time: the pixels are the same, and Cairo's time grows with the
// square of the edges crossing a row when they all go at once.
void Player::strokeApproximately(const Figures& outlines, bool closed) {
    constexpr std::size_t kSegmentsPerStroke = 256;
    if (device_.antialias() || penWidth() < 1.5) {
        Path path;
        for (const auto& f : outlines) path.addPolygon(strokePoints(f), closed);
        return strokeWithPen(path);
    }
    Path path;
    std::size_t segments = 0;
    auto add = [&](std::vector<Point>::const_iterator first, std::vector<Point>::const_iterator last) {
        path.addPolygon({first, last}, false);
        segments += static_cast<std::size_t>(std::max<std::ptrdiff_t>(last - first - 1, 1));
        if (segments < kSegmentsPerStroke) return;
        strokeWithPen(path);
        path = Path();
        segments = 0;
    };
    for (const auto& f : outlines) {
        std::vector<Point> pts = strokePoints(f);
        if (closed && pts.size() > 2) pts.push_back(pts.front());
        if (pts.size() == 1) add(pts.begin(), pts.end());
        for (std::size_t from = 0; from + 1 < pts.size(); from += kSegmentsPerStroke) {
            const std::size_t to = std::min(pts.size() - 1, from + kSegmentsPerStroke);
            add(pts.begin() + static_cast<std::ptrdiff_t>(from), pts.begin() + static_cast<std::ptrdiff_t>(to) + 1);
        }
    }
    if (!path.empty()) strokeWithPen(path);
}

void Player::fillPixels(const std::vector<canvas::RectI>& rects, std::uint32_t color) {
    if (rects.empty()) return;
    device_.fillRects(rects, rgbColor(color));
}

void Player::fillPixels(const std::vector<canvas::Span>& spans, std::uint32_t color) {
    std::vector<canvas::RectI> rects;
    rects.reserve(spans.size());
    for (const canvas::Span& s : spans)
        if (s.x1 > s.x0) rects.push_back({s.x0, s.y, s.x1, s.y + 1});
    fillPixels(rects, color);
}

// One-pixel pens: dashes and dots keep their pattern across the segments of
// a figure; under OPAQUE the gaps take the background colour.
void Player::strokeThinLines(const Figures& outlines, bool closed) {
    const canvas::RectI bounds{0, 0, device_.width(), device_.height()};
    const int kind = s_.pen.style & 0x0F;
    for (const auto& f : outlines) {
        if (canvas::lineSteps(f, closed) > canvas::kExactRasterBudget) {
            strokeApproximately({f}, closed);
            continue;
        }
        const ThinLinePixels px = thinLinePixels(f, closed, kind, bounds);
        if (s_.bkMode == 2) fillPixels(px.gaps.rects(), s_.bkColor);
        fillPixels(px.pen.rects(), s_.pen.color);
    }
}

// Wider pens: GDI's bands and pen ends filled by the polygon rule. Pens and
// lines whose pixels would cost too much go to Cairo.
void Player::strokeWideLines(const Figures& outlines, bool closed) {
    const canvas::RectI bounds{0, 0, device_.width(), device_.height()};
    const auto spans = widePenPixels(outlines, closed, pixelIndex(penWidth()), bounds,
                                     2 * canvas::kExactRasterBudget, canvas::kExactRasterBudget);
    if (!spans) return strokeApproximately(outlines, closed);
    fillPixels(*spans, s_.pen.color);
}

}  // namespace plotvale::wmf
