#include "canvas/path.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace plotvale::canvas {

void Path::moveTo(Point p) {
    verbs_.push_back(Verb::Move);
    points_.push_back(p);
}

void Path::lineTo(Point p) {
    if (!hasCurrentPoint()) return moveTo(p);
    verbs_.push_back(Verb::Line);
    points_.push_back(p);
}

void Path::cubicTo(Point c1, Point c2, Point end) {
    if (!hasCurrentPoint()) moveTo(c1);
    verbs_.push_back(Verb::Cubic);
    points_.push_back(c1);
    points_.push_back(c2);
    points_.push_back(end);
}

void Path::close() {
    if (hasCurrentPoint()) verbs_.push_back(Verb::Close);
}

bool Path::hasCurves() const {
    return std::find(verbs_.begin(), verbs_.end(), Verb::Cubic) != verbs_.end();
}

void Path::addPolygon(const std::vector<Point>& points, bool closed) {
    if (points.empty()) return;
    moveTo(points.front());
    for (std::size_t i = 1; i < points.size(); ++i) lineTo(points[i]);
    if (closed) close();
}

void Path::addRect(const RectD& r) {
    addPolygon({{r.x, r.y}, {r.x + r.width, r.y}, {r.x + r.width, r.y + r.height},
                {r.x, r.y + r.height}},
               true);
}

// From the rightmost point counter-clockwise on the screen, as GDI runs an
// ellipse's outline (where a dash pattern starts).
void Path::addEllipse(const RectD& box) {
    addArc(box, 0.0, -2.0 * std::numbers::pi, false);
    close();
}

namespace {

// Sides for an ellipse of larger radius r at the tolerance: a chord over a
// step a of the angle strays from the circle by r (1 - cos(a / 2)), and from
// the ellipse by no more than from the circle of its larger radius. A
// multiple of four, so the polygon keeps the ellipse's symmetry.
int flatSides(double r, double tolerance) {
    constexpr int MaxSides = 8192;
    if (r <= tolerance) return 4;
    const double sides = std::min<double>(MaxSides, std::ceil(std::numbers::pi / std::acos(1 - tolerance / r)));
    return std::max(8, (static_cast<int>(sides) + 3) / 4 * 4);
}

// Cosines and sines of `sides` equal steps of the angle from 0, the way
// addEllipse runs (y down).
std::vector<Point> unitSteps(int sides) {
    std::vector<Point> steps(static_cast<std::size_t>(sides));
    const double step = -2.0 * std::numbers::pi / sides;
    for (int i = 0; i < sides; ++i) steps[static_cast<std::size_t>(i)] = {std::cos(i * step), std::sin(i * step)};
    return steps;
}

// The point of the ellipse of centre c and radii r at a unit step, moved by
// `offset` along its outward normal.
Point ellipsePoint(Point c, Point r, Point unit, double offset) {
    const double nx = r.y * unit.x, ny = r.x * unit.y, length = std::hypot(nx, ny);
    const double k = length > 0 ? offset / length : 0;
    return {c.x + r.x * unit.x + k * nx, c.y + r.y * unit.y + k * ny};
}

// One closed contour through the ellipse's points at the steps, moved by
// `offset`; backwards runs it the other way round.
void addContour(Path& path, Point c, Point r, const std::vector<Point>& steps, double offset, bool backwards) {
    const std::size_t n = steps.size();
    path.moveTo(ellipsePoint(c, r, steps[0], offset));
    for (std::size_t i = 1; i < n; ++i) path.lineTo(ellipsePoint(c, r, steps[backwards ? n - i : i], offset));
    path.close();
}

}  // namespace

void Path::addFlatEllipse(const RectD& box, double tolerance) {
    const Point r{box.width / 2, box.height / 2}, c{box.x + r.x, box.y + r.y};
    addContour(*this, c, r, unitSteps(flatSides(std::max(r.x, r.y), tolerance)), 0, false);
}

// The least radius of curvature of an ellipse is b^2 / a (at the ends of its
// longer axis); a little margin keeps the inner curve clear of it.
bool Path::flatRingFits(const RectD& box, double half) {
    const double a = std::max(box.width, box.height) / 2, b = std::min(box.width, box.height) / 2;
    return b > 0 && half > 0 && half < 0.9 * b * b / a;
}

// Both contours share the steps, so each angle's cosine and sine is taken once.
void Path::addFlatEllipseRing(const RectD& box, double half, double tolerance) {
    const Point r{box.width / 2, box.height / 2}, c{box.x + r.x, box.y + r.y};
    const std::vector<Point> steps = unitSteps(flatSides(std::max(r.x, r.y) + half, tolerance));
    addContour(*this, c, r, steps, half, false);
    addContour(*this, c, r, steps, -half, true);
}

// Splits the sweep into quarter turns at most, each one cubic segment.
void Path::addArc(const RectD& box, double start, double sweep, bool connect) {
    const double rx = box.width / 2, ry = box.height / 2;
    const double cx = box.x + rx, cy = box.y + ry;
    auto at = [&](double a) { return Point{cx + rx * std::cos(a), cy + ry * std::sin(a)}; };
    const int parts = std::max(1, static_cast<int>(std::ceil(std::abs(sweep) / (std::numbers::pi / 2) - 1e-9)));
    const double step = sweep / parts;
    const double k = 4.0 / 3.0 * std::tan(step / 4);
    if (connect && hasCurrentPoint()) lineTo(at(start));
    else moveTo(at(start));
    double a = start;
    for (int i = 0; i < parts; ++i) {
        const double b = a + step;
        const Point p0 = at(a), p3 = at(b);
        const Point c1{p0.x - k * rx * std::sin(a), p0.y + k * ry * std::cos(a)};
        const Point c2{p3.x + k * rx * std::sin(b), p3.y - k * ry * std::cos(b)};
        cubicTo(c1, c2, p3);
        a = b;
    }
}

}  // namespace plotvale::canvas
