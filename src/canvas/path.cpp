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
