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

// The point at angle t (y down) of the ellipse of centre c and radii r,
// moved by `offset` along its outward normal.
Point ellipsePoint(Point c, Point r, double t, double offset) {
    const double cosT = std::cos(t), sinT = std::sin(t);
    const double nx = r.y * cosT, ny = r.x * sinT, length = std::hypot(nx, ny);
    const double k = length > 0 ? offset / length : 0;
    return {c.x + r.x * cosT + k * nx, c.y + r.y * sinT + k * ny};
}

}  // namespace

// Points at equal steps of the angle, from angle 0 the way addEllipse runs.
void Path::addFlatEllipse(const RectD& box, double tolerance) {
    const Point r{box.width / 2, box.height / 2}, c{box.x + r.x, box.y + r.y};
    const int sides = flatSides(std::max(r.x, r.y), tolerance);
    const double step = -2.0 * std::numbers::pi / sides;
    moveTo(ellipsePoint(c, r, 0, 0));
    for (int i = 1; i < sides; ++i) lineTo(ellipsePoint(c, r, i * step, 0));
    close();
}

// The least radius of curvature of an ellipse is b^2 / a (at the ends of its
// longer axis); a little margin keeps the inner curve clear of it.
bool Path::flatRingFits(const RectD& box, double half) {
    const double a = std::max(box.width, box.height) / 2, b = std::min(box.width, box.height) / 2;
    return b > 0 && half > 0 && half < 0.9 * b * b / a;
}

void Path::addFlatEllipseRing(const RectD& box, double half, double tolerance) {
    const Point r{box.width / 2, box.height / 2}, c{box.x + r.x, box.y + r.y};
    const int sides = flatSides(std::max(r.x, r.y) + half, tolerance);
    const double step = -2.0 * std::numbers::pi / sides;
    moveTo(ellipsePoint(c, r, 0, half));
    for (int i = 1; i < sides; ++i) lineTo(ellipsePoint(c, r, i * step, half));
    close();
    moveTo(ellipsePoint(c, r, 0, -half));
    for (int i = sides - 1; i > 0; --i) lineTo(ellipsePoint(c, r, i * step, -half));
    close();
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
