// Straight lines and polygon outlines with the current pen. In the aliased
// mode the pixels are worked out here, as GDI sets them, and reach the
// device as whole-pixel rectangles, so the device's fill still applies the
// clip and the raster operation.

#include "wmf/pen_geometry.h"
#include "wmf/player.h"

namespace plotvale::wmf {

// Anti-aliasing figures of tens of thousands of crossing edges takes Cairo
// minutes; such figures are drawn as in the aliased mode.
void Player::fillAndOutline(const FillShape& fill, const Figures& outlines, bool closed, bool filled) {
    const canvas::RectI bounds{0, 0, device_.width(), device_.height()};
    const bool heavy = device_.antialias() && canvas::edgeRowCrossings(outlines, bounds) > canvas::kExactRasterBudget;
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

// Lines whose exact pixels would cost too much go to Cairo.
void Player::strokeApproximately(const Figures& outlines, bool closed) {
    Path path;
    for (const auto& f : outlines) path.addPolygon(strokePoints(f), closed);
    strokeWithPen(path);
}

void Player::fillPixels(const std::vector<canvas::RectI>& rects, std::uint32_t color) {
    if (rects.empty()) return;
    device_.fill(canvas::rectsPath(rects), FillRule::NonZero, Paint{rgbColor(color), nullptr, nullptr});
}

void Player::fillPixels(const std::vector<canvas::Span>& spans, std::uint32_t color) {
    if (spans.empty()) return;
    device_.fill(canvas::spansToPath(spans), FillRule::NonZero, Paint{rgbColor(color), nullptr, nullptr});
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

// Wider pens: the lines widened into polygons and filled by the polygon rule.
void Player::strokeWideLines(const Figures& outlines, bool closed) {
    Figures figures;
    for (const auto& f : outlines) {
        auto widened = widenLine(f, closed, static_cast<int>(penWidth()));
        figures.insert(figures.end(), widened.begin(), widened.end());
    }
    const canvas::RectI bounds{0, 0, device_.width(), device_.height()};
    if (canvas::edgeRowCrossings(figures, bounds) > canvas::kExactRasterBudget)
        return strokeApproximately(outlines, closed);
    fillPixels(canvas::polygonSpans(figures, FillRule::NonZero, bounds), s_.pen.color);
}

}  // namespace plotvale::wmf
