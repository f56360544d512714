// Ellipses, arcs, pies, chords and rounded rectangles. In the aliased mode the
// pen and fill follow GDI's integer rules where they are known (one-pixel
// ellipses, two-pixel pens); the rest goes through Cairo's sampling.

#include <algorithm>
#include <cmath>
#include <numbers>

#include "canvas/pixel_spans.h"
#include "canvas/raster.h"
#include "wmf/dashed_curve.h"
#include "wmf/player.h"

namespace plotvale::wmf {
namespace {

// The pixel rules walk every pixel of a figure's outline; figures reaching
// further than this from the picture go through Cairo instead, which clips.
constexpr double kPixelRuleReach = 16384;

bool withinReach(double v) {
    return v > -kPixelRuleReach && v < kPixelRuleReach;
}

bool withinReach(const canvas::RectI& box) {
    return withinReach(box.left) && withinReach(box.top) && withinReach(box.right) &&
           withinReach(box.bottom);
}

bool withinReach(const Path& path) {
    return std::all_of(path.points().begin(), path.points().end(),
                       [](const Point& p) { return withinReach(p.x) && withinReach(p.y); });
}

// How far along the sweep from start the angle lies, or -1 outside it.
double alongSweep(double angle, double start, double sweep) {
    const double turn = 2 * std::numbers::pi;
    double d = std::fmod(sweep < 0 ? start - angle : angle - start, turn);
    if (d < 0) d += turn;
    return d <= std::abs(sweep) + 1e-9 ? d : -1;
}

// The pixels of the one-pixel ellipse in box from angle start through sweep
// (parametric, y down), in the order the sweep meets them.
std::vector<Point> arcPoints(const canvas::RectI& box, double start, double sweep) {
    const double rx = std::max((box.width() - 1) / 2.0, 1e-9),
                 ry = std::max((box.height() - 1) / 2.0, 1e-9);
    const double cx = box.left + rx, cy = box.top + ry;
    std::vector<std::pair<double, Point>> along;
    for (const canvas::Span& s : canvas::thinEllipse(box).outline)
        for (int x = s.x0; x < s.x1; ++x)
            if (const double d = alongSweep(std::atan2((s.y - cy) / ry, (x - cx) / rx), start, sweep); d >= 0)
                along.push_back({d, Point{double(x), double(s.y)}});
    std::stable_sort(along.begin(), along.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<Point> points;
    points.reserve(along.size());
    for (const auto& [d, p] : along) points.push_back(p);
    return points;
}

std::vector<canvas::Span> pixelSpans(const std::vector<Point>& points) {
    std::vector<canvas::Span> spans;
    spans.reserve(points.size());
    for (const Point& p : points) spans.push_back({int(p.y), int(p.x), int(p.x) + 1});
    return canvas::mergeSpans(std::move(spans));
}

std::vector<canvas::Span> arcPixels(const canvas::RectI& box, double start, double sweep) {
    return pixelSpans(arcPoints(box, start, sweep));
}

// The one-pixel arc with each pixel grown one pixel left and up. GDI's
// two-pixel pen covers these too, which lengthens its runs where the curve
// is flat. Measured on wmfjs__arc, wmfjs__pie and wmfjs__chord.
std::vector<canvas::Span> arcRim(const canvas::RectI& box, double start, double sweep) {
    std::vector<canvas::Span> rim;
    for (const canvas::Span& p : arcPixels(box, start, sweep)) {
        rim.push_back({p.y - 1, p.x0 - 1, p.x1});
        rim.push_back({p.y, p.x0 - 1, p.x1});
    }
    return rim;
}

}  // namespace

// Ellipses and arcs: odd widths on pixel centres, even widths on pixel
// corners, which matches GDI's curves better than the straight-line rule.
double Player::curveOffset(double width) {
    return std::fmod(std::floor(width + 0.5), 2.0) == 1.0 ? 0.5 : 0.0;
}

// Aliased curve fills sample the path at whole pixels, like polygons; the
// anti-aliased mode keeps the fill on the pen's grid.
double Player::curveFillShift(double penShift) const {
    return device_.antialias() ? penShift : kFillOffset;
}

// GDI sweeps a two-pixel pen along curved figures as an axis-aligned square
// (45-degree edges come out four pixels across, not three): pixel (x, y)
// takes the pen when the 2 x 2 square centred on (x + 1/2, y + 1/4) meets
// the path. Measured on the corpus references. Ties go to the pixel left of
// and above the square; where both axes tie, the vertical tie decides.
constexpr Point kSquarePenCentre{0.5 + 1e-7, 0.25 + 1.3e-7};

bool Player::usesSquarePen() const {
    const int kind = s_.pen.style & 0x0F;
    return !device_.antialias() && penWidth() == 2 && (kind == 0 || kind == 6);
}

bool Player::strokeWithSquarePen(const Path& path, const std::vector<canvas::Span>* rim) {
    if (!usesSquarePen() || !path.hasCurves() || !withinReach(path)) return false;
    auto spans = canvas::squarePenSpans(canvas::flatten(path), 2, kSquarePenCentre);
    if (rim) {
        spans.insert(spans.end(), rim->begin(), rim->end());
        spans = canvas::mergeSpans(std::move(spans));
    }
    fillPixels(spans, s_.pen.color);
    return true;
}

// Aliased curves with pens of three pixels or more: the flattened curve,
// back on GDI's whole-pixel points (without the half pixel odd pens are
// stroked on), drawn as straight wide lines are. False for other pens and
// paths beyond the pixel rules' reach.
bool Player::strokeCurveBands(const Path& path) {
    if (device_.antialias() || penWidth() < 3 || !path.hasCurves() || !withinReach(path)) return false;
    const double o = curveOffset(penWidth());
    for (const canvas::Polyline& f : canvas::flatten(path)) {
        std::vector<Point> pts;
        pts.reserve(f.points.size());
        for (const Point& p : f.points) pts.push_back({std::floor(p.x - o + 0.5), std::floor(p.y - o + 0.5)});
        strokeWideLines({pts}, f.closed);
    }
    return true;
}

// A one-pixel solid outline and its interior, pixel for pixel as GDI draws
// them; without a pen the brush covers both (the same pixels, as
// mr-libwmf__libwmf_2doorvan's wheels show). False for other pens.
bool Player::drawThinEllipse(const canvas::RectI& box) {
    const int kind = s_.pen.style & 0x0F;
    const bool thin = penWidth() < 1.5 && kind >= 0 && kind <= 6 && kind != 5;
    if (device_.antialias() || (!thin && penVisible()) || !withinReach(box)) return false;
    canvas::EllipsePixels pixels = canvas::thinEllipse(box);
    if (!penVisible()) {
        pixels.interior.insert(pixels.interior.end(), pixels.outline.begin(), pixels.outline.end());
        pixels.outline.clear();
    }
    const bool solid = dashPattern(kind).empty();
    const ThinLinePixels dashed = solid ? ThinLinePixels{} : dashEllipse(pixels.outline, box, kind);
    withRop2([&] {
        fillWithBrush(canvas::spansToPath(pixels.interior), s_.brush, FillRule::NonZero);
        if (solid) return fillPixels(pixels.outline, s_.pen.color);
        if (s_.bkMode == 2) fillPixels(dashed.gaps.rects(), s_.bkColor);
        fillPixels(dashed.pen.rects(), s_.pen.color);
    });
    return true;
}

// A two-pixel inside-frame pen runs along the ellipse of the box less its
// left and top pixels (mr-libwmf__libwmf_2doorvan's wheels).
void Player::drawEllipse(const Record& r) {
    const canvas::RectI b = toDeviceRect(r.word(3), r.word(2), r.word(1), r.word(0));
    if (drawThinEllipse(b)) return;
    const bool square = usesSquarePen(), framed = (s_.pen.style & 0x0F) == 6;
    const canvas::RectI curve =
        square && framed ? canvas::RectI{b.left + 1, b.top + 1, b.right, b.bottom} : b;
    const double in = square ? 0.0 : insideFrameInset();
    auto boxAt = [&](double shift) {
        return canvas::RectD{curve.left + shift + in, curve.top + shift + in,
                             std::max(0.0, curve.width() - 1.0 - 2 * in),
                             std::max(0.0, curve.height() - 1.0 - 2 * in)};
    };
    auto ellipse = [&](double shift) {
        Path path;
        path.addEllipse(boxAt(shift));
        return path;
    };
    const double o = curveOffset(penWidth());
    if (device_.antialias()) return drawAntialiasedEllipse(boxAt(curveFillShift(o)), boxAt(o));
    const std::vector<canvas::Span> rim = square && withinReach(curve)
                                              ? arcRim(curve, 0, 2 * std::numbers::pi)
                                              : std::vector<canvas::Span>{};
    fillAndStroke(ellipse(curveFillShift(o)), ellipse(o), true, &rim);
}

// Anti-aliased ellipses are polygons within Cairo's own flattening tolerance
// with far fewer sides than Cairo makes of Beziers, and a solid pen is the
// band between the ellipse's offset curves, filled: drawings of thousands of
// small ellipses (molecules, scatter plots) cost a third of what Cairo's
// stroker takes. Dashed pens and pens too wide for the band are stroked.
void Player::drawAntialiasedEllipse(const canvas::RectD& fillBox, const canvas::RectD& penBox) {
    Path fill;
    fill.addFlatEllipse(fillBox, canvas::kCurveTolerance);
    const int kind = s_.pen.style & 0x0F;
    const double half = penWidth() / 2;
    if (!penVisible() || (kind != 0 && kind != 6) || !Path::flatRingFits(penBox, half)) {
        Path outline;
        outline.addFlatEllipse(penBox, canvas::kCurveTolerance);
        return fillAndStroke(fill, outline, true);
    }
    Path band;
    band.addFlatEllipseRing(penBox, half, canvas::kCurveTolerance);
    withRop2([&] {
        fillWithBrush(fill, s_.brush, shapeFillRule());
        device_.fill(band, FillRule::NonZero, Paint{rgbColor(s_.pen.color), nullptr, nullptr});
    });
}

void Player::drawRoundRect(const Record& r) {
    const canvas::RectI box = toDeviceRect(r.word(5), r.word(4), r.word(3), r.word(2));
    const double cw = std::min(lengthX(r.word(1)), static_cast<double>(box.width()));
    const double ch = std::min(std::abs(r.word(0) * scaleY()), static_cast<double>(box.height()));
    auto build = [&](double l, double t, double rr, double b) {
        Path p;
        const double w = std::min(cw, rr - l), h = std::min(ch, b - t);
        const double hp = std::numbers::pi / 2;
        p.addArc({rr - w, t, w, h}, -hp, hp, false);
        p.addArc({rr - w, b - h, w, h}, 0, hp, true);
        p.addArc({l, b - h, w, h}, hp, hp, true);
        p.addArc({l, t, w, h}, std::numbers::pi, hp, true);
        p.close();
        return p;
    };
    const double o = curveOffset(penWidth());
    const double f = curveFillShift(0);
    const double in = insideFrameInset();  // an inside-frame pen keeps within the box
    fillAndStroke(build(box.left + f + in, box.top + f + in, box.right - 1 + f - in, box.bottom - 1 + f - in),
                  build(box.left + o + in, box.top + o + in, box.right - 1 + o - in, box.bottom - 1 + o - in), true);
}

// A one-pixel solid arc: the pixels of the one-pixel ellipse within the
// sweep. False for other pens.
bool Player::drawThinArc(const canvas::RectI& box, double start, double sweep) {
    const int kind = s_.pen.style & 0x0F;
    if (device_.antialias() || !penVisible() || penWidth() >= 1.5 || (kind != 0 && kind != 6) ||
        !withinReach(box))
        return false;
    withRop2([&] { fillPixels(arcPixels(box, start, sweep), s_.pen.color); });
    return true;
}

// A one-pixel solid pie or chord, as GDI draws it: a closed figure of
// one-pixel segments, each without its last pixel. The arc runs from the
// sweep's first pixel of the one-pixel ellipse up to its last, which starts
// the straight edges (through the pie's point) back to the first (GDI's
// pies and chords in every quadrant and under both flips). The brush fills
// the pixels inside that figure. False for other pens.
bool Player::drawThinChord(const canvas::RectI& box, double start, double sweep, const Point* point) {
    const int kind = s_.pen.style & 0x0F;
    if (device_.antialias() || !penVisible() || penWidth() >= 1.5 || (kind != 0 && kind != 6) ||
        !withinReach(box))
        return false;
    std::vector<Point> arc = arcPoints(box, start, sweep);
    if (arc.size() < 2) return false;
    std::vector<Point> corners{arc.back()};
    if (point) corners.push_back(*point);
    corners.push_back(arc.front());
    const canvas::RectI bounds{0, 0, device_.width(), device_.height()};
    std::vector<Point> outline(arc.begin(), arc.end() - 1);
    for (std::size_t i = 0; i + 1 < corners.size(); ++i)
        canvas::traceLine(corners[i], corners[i + 1], bounds, [&](int x, int y) { outline.push_back({double(x), double(y)}); });
    std::vector<Point> figure(arc);
    if (point) figure.push_back(*point);
    const std::vector<canvas::RectI> inside = canvas::polygonSpans({figure}, FillRule::NonZero, bounds);
    withRop2([&] {
        fillWithBrush(canvas::rectsPath(inside), s_.brush, FillRule::NonZero);
        fillPixels(pixelSpans(outline), s_.pen.color);
    });
    return true;
}

// kind: 0 arc, 1 pie, 2 chord.
void Player::drawArcFamily(const Record& r, int kind) {
    const canvas::RectI box = toDeviceRect(r.word(7), r.word(6), r.word(5), r.word(4));
    if (box.empty()) return;
    const Point start = toDevice(r.word(3), r.word(2)), end = toDevice(r.word(1), r.word(0));
    const double o = curveOffset(penWidth());
    // An inside-frame pen runs along the ellipse of the box less half its width.
    const double in = std::min(insideFrameInset(), (std::min(box.width(), box.height()) - 1) / 2.0);
    const canvas::RectD ell{box.left + o + in, box.top + o + in, box.width() - 1.0 - 2 * in, box.height() - 1.0 - 2 * in};
    const double rx = std::max(ell.width / 2, 1e-9), ry = std::max(ell.height / 2, 1e-9);
    const double cx = ell.x + rx, cy = ell.y + ry;
    const double a0 = std::atan2((start.y + o - cy) / ry, (start.x + o - cx) / rx);
    const double a1 = std::atan2((end.y + o - cy) / ry, (end.x + o - cx) / rx);
    // Counter-clockwise on the device whatever the window's axes: a flipped
    // axis draws the mirror image of the other part of the ellipse.
    double sweep = std::fmod(a1 - a0, 2 * std::numbers::pi);
    if (sweep >= -1e-12) sweep -= 2 * std::numbers::pi;
    if (kind == 0 && drawThinArc(box, a0, sweep)) return;
    // A pie's point: the box's centre in whole pixels (halves rounded up); under
    // the two-pixel square pen the exact centre, half a pixel further right.
    const Point point =
        usesSquarePen() ? Point{(box.left + box.right) / 2.0 + 0.5, (box.top + box.bottom) / 2.0}
                        : Point{static_cast<double>((box.left + box.right + 1) / 2),
                                static_cast<double>((box.top + box.bottom + 1) / 2)};
    // The one-pixel pie's point: the box's centre, halves rounded up and left.
    const Point centre{std::floor((box.left + box.right) / 2.0), std::floor((box.top + box.bottom) / 2.0)};
    if (kind != 0 && drawThinChord(box, a0, sweep, kind == 1 ? &centre : nullptr)) return;
    // With pens up to two pixels wide, the aliased pie's and chord's straight
    // edges meet the arc at whole pixels rounded right and up (measured on
    // wmfjs__chord and wmfjs__pie; wider pens match better without it).
    auto endOf = [&](double a) {
        const Point p{cx + rx * std::cos(a) - o, cy + ry * std::sin(a) - o};
        return device_.antialias() || kind == 0 || penWidth() > 2
                   ? p
                   : Point{std::ceil(p.x), std::floor(p.y)};
    };
    Point first = endOf(a0), last = endOf(a0 + sweep);
    const int whole = static_cast<int>(in);
    const canvas::RectI arcBox{box.left + whole, box.top + whole, box.right - whole, box.bottom - whole};
    if (!device_.antialias() && kind != 0 && penWidth() > 2 && withinReach(arcBox)) {
        const std::vector<Point> arc = arcPoints(arcBox, a0, sweep);
        if (arc.size() >= 2) { first = arc.front(); last = arc.back(); }
    }
    auto figure = [&](double shift) {
        Path path;
        if (kind == 1) path.moveTo({point.x + shift, point.y + shift});
        path.lineTo({first.x + shift, first.y + shift});
        path.addArc({ell.x - o + shift, ell.y - o + shift, ell.width, ell.height}, a0, sweep, true);
        path.lineTo({last.x + shift, last.y + shift});
        if (kind != 0) path.close();
        return path;
    };
    const std::vector<canvas::Span> rim =
        usesSquarePen() && withinReach(box) ? arcRim(box, a0, sweep) : std::vector<canvas::Span>{};
    fillAndStroke(figure(curveFillShift(o)), figure(o), kind != 0, &rim);
}

}  // namespace plotvale::wmf
