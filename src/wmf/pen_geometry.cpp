#include "wmf/pen_geometry.h"

#include <algorithm>
#include <cmath>

namespace plotvale::wmf {
namespace {

using canvas::Point;
using Figure = std::vector<Point>;

double cross(Point o, Point a, Point b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); }

// Convex hull (Andrew's monotone chain). Every hull runs the same way round,
// which is what the non-zero fill of their union needs.
Figure convexHull(Figure pts) {
    std::sort(pts.begin(), pts.end(), [](Point a, Point b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
    if (pts.size() < 3) return pts;
    Figure hull(2 * pts.size());
    std::size_t k = 0;
    for (std::size_t i = 0; i < pts.size(); ++i) {
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], pts[i]) <= 0) --k;
        hull[k++] = pts[i];
    }
    for (std::size_t i = pts.size() - 1, lower = k + 1; i-- > 0;) {
        while (k >= lower && cross(hull[k - 2], hull[k - 1], pts[i]) <= 0) --k;
        hull[k++] = pts[i];
    }
    hull.resize(k - 1);
    return hull;
}

// GDI's pen for a given whole-pixel width: the convex polygon through the
// whole-pixel points strictly inside a circle of radius width / 2 + 1/2,
// centred on the line's point for even widths and half a pixel right and
// down of it for odd ones. Such a pen gives a line the same thickness
// wherever it lies; the references bear it out (a four-pixel pen is the
// octagon through (2, 1) and (1, 2), a twelve-pixel pen's end is four pixels
// across at its tip, three-pixel lines lean half a pixel right and down).
Figure latticePen(int width) {
    const double r = width / 2.0 + 0.5, c = width % 2 ? 0.5 : 0.0;
    Figure pts;
    const int n = width / 2 + 2;
    for (int j = -n; j <= n; ++j)
        for (int i = -n; i <= n; ++i)
            if ((i - c) * (i - c) + (j - c) * (j - c) < r * r) pts.push_back({static_cast<double>(i), static_cast<double>(j)});
    return convexHull(pts);
}

Figure penAt(const Figure& pen, Point p) {
    Figure f(pen);
    for (Point& q : f) { q.x += p.x; q.y += p.y; }
    return f;
}

// A two-pixel pen's body: the octagon through (1, 3/4) and (3/4, 1), which
// lies between the swept square (too wide on shallow lines: image1,
// poly-polygon) and a one-pixel offset either side (too narrow on steep
// ones: A20010, 2doorvan); its ends keep the whole square.
const Figure& twoPixelBody() {
    static const Figure body = convexHull(
        {{-1, -0.75}, {-0.75, -1}, {0.75, -1}, {1, -0.75}, {1, 0.75}, {0.75, 1}, {-0.75, 1}, {-1, 0.75}});
    return body;
}

// The pen swept from a to b: the hull of the pen at both ends.
void addSweep(std::vector<Figure>& out, const Figure& pen, int width, Point a, Point b) {
    const Figure& body = width == 2 ? twoPixelBody() : pen;
    Figure both = penAt(body, a);
    const Figure end = penAt(body, b);
    both.insert(both.end(), end.begin(), end.end());
    out.push_back(convexHull(std::move(both)));
    if (width != 2) return;
    out.push_back(penAt(pen, a));
    out.push_back(penAt(pen, b));
}

std::vector<Point> withoutRepeats(const std::vector<Point>& pts) {
    std::vector<Point> out;
    for (const Point& p : pts)
        if (out.empty() || p.x != out.back().x || p.y != out.back().y) out.push_back(p);
    return out;
}

}  // namespace

// Each segment sweeps the pen from one end to the other: the hull of the
// pen at both ends. Ends and joins come out in the pen's shape.
std::vector<Figure> widenLine(const std::vector<Point>& input, bool closed, int width) {
    const std::vector<Point> pts = withoutRepeats(input);
    std::vector<Figure> out;
    if (pts.empty() || width < 1) return out;
    const Figure pen = latticePen(width);
    if (pts.size() == 1) out.push_back(penAt(pen, pts[0]));
    const bool closing = closed && pts.size() > 2 && (pts.front().x != pts.back().x || pts.front().y != pts.back().y);
    const std::size_t segments = pts.size() - 1 + (closing ? 1 : 0);
    for (std::size_t i = 0; i < segments; ++i) addSweep(out, pen, width, pts[i], pts[(i + 1) % pts.size()]);
    return out;
}

const std::vector<int>& dashPattern(int style) {
    static const std::vector<int> patterns[] = {{}, {18, 6}, {3, 3}, {9, 6, 3, 6}, {9, 3, 3, 3, 3, 3}};
    return style >= 1 && style <= 4 ? patterns[style] : patterns[0];
}

ThinLinePixels thinLinePixels(const std::vector<Point>& pts, bool closed, int style, canvas::RectI bounds) {
    // The pattern runs on from one segment into the next.
    const std::vector<int>& pattern = dashPattern(style);
    ThinLinePixels out;
    std::size_t dash = 0;
    int left = pattern.empty() ? 0 : pattern[0];
    auto plot = [&](int x, int y) {
        if (pattern.empty()) { out.pen.add(x, y); return; }
        if (left == 0) { dash = (dash + 1) % pattern.size(); left = pattern[dash]; }
        --left;
        (dash % 2 == 0 ? out.pen : out.gaps).add(x, y);
    };
    const std::size_t n = pts.size();
    const std::size_t segments = closed ? n : (n > 0 ? n - 1 : 0);
    for (std::size_t i = 0; i < segments; ++i) canvas::traceLine(pts[i], pts[(i + 1) % n], bounds, plot);
    return out;
}

}  // namespace plotvale::wmf
