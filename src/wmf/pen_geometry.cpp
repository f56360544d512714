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
// The hull of those points is the hull of each row's outermost two, so the
// pen costs its width, not its area.
Figure latticePen(int width) {
    const double r = width / 2.0 + 0.5, c = width % 2 ? 0.5 : 0.0;
    const auto inside = [&](int i, double dy2) { return (i - c) * (i - c) + dy2 < r * r; };
    Figure pts;
    const int n = width / 2 + 2;
    for (int j = -n; j <= n; ++j) {
        const double dy2 = (j - c) * (j - c);
        if (dy2 >= r * r) continue;
        const double reach = std::sqrt(r * r - dy2);
        auto hi = static_cast<int>(std::floor(c + reach)), lo = static_cast<int>(std::ceil(c - reach));
        while (hi >= lo && !inside(hi, dy2)) --hi;
        while (inside(hi + 1, dy2)) ++hi;
        while (lo <= hi && !inside(lo, dy2)) ++lo;
        while (inside(lo - 1, dy2)) --lo;
        if (lo > hi) continue;
        pts.push_back({static_cast<double>(lo), static_cast<double>(j)});
        if (hi != lo) pts.push_back({static_cast<double>(hi), static_cast<double>(j)});
    }
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

// The rows of bounds a pen reaching `reach` rows up and down can cover when
// swept from a to b.
long long sweptRows(Point a, Point b, double reach, canvas::RectI bounds) {
    const double from = std::max(std::min(a.y, b.y) - reach, static_cast<double>(bounds.top));
    const double to = std::min(std::max(a.y, b.y) + reach, static_cast<double>(bounds.bottom));
    return to >= from ? static_cast<long long>(to - from) + 1 : 0;
}

// Whether a pen reaching `reach` pixels from the segment a-b can touch bounds.
bool sweepMeets(Point a, Point b, double reach, canvas::RectI bounds) {
    return std::max(a.x, b.x) + reach >= bounds.left && std::min(a.x, b.x) - reach <= bounds.right &&
           std::max(a.y, b.y) + reach >= bounds.top && std::min(a.y, b.y) - reach <= bounds.bottom;
}

// The segments of a line: its points without repeats, joined in order, the
// last back to the first when it is closed.
struct Segments {
    std::vector<Point> pts;
    std::size_t count = 0;
    Point from(std::size_t i) const { return pts[i]; }
    Point to(std::size_t i) const { return pts[(i + 1) % pts.size()]; }
};

Segments segmentsOf(const std::vector<Point>& input, bool closed) {
    Segments s{withoutRepeats(input)};
    if (s.pts.size() < 2) return s;
    const bool closing = closed && s.pts.size() > 2 &&
                         (s.pts.front().x != s.pts.back().x || s.pts.front().y != s.pts.back().y);
    s.count = s.pts.size() - 1 + (closing ? 1 : 0);
    return s;
}

}  // namespace

// Each segment sweeps the pen from one end to the other: the hull of the
// pen at both ends. Ends and joins come out in the pen's shape. The cost is
// counted before anything is built: the pen's rows, then for each sweep
// within reach of bounds its points and the rows it crosses there.
std::optional<std::vector<Figure>> widenLines(const std::vector<std::vector<Point>>& lines, bool closed,
                                              int width, canvas::RectI bounds, long long budget) {
    std::vector<Figure> out;
    if (width < 1) return out;
    if (2LL * width + 10 > budget) return std::nullopt;
    const Figure pen = latticePen(width);
    const double reach = width / 2.0 + 2;
    const auto penPoints = static_cast<long long>(pen.size());
    // A sweep's hull has about the pen's points; a two-pixel pen adds its
    // square at both ends.
    const long long sweepPoints = (width == 2 ? 3 : 1) * penPoints + 2;
    long long cost = 2LL * width;
    std::vector<Segments> all;
    for (const auto& line : lines) {
        all.push_back(segmentsOf(line, closed));
        const Segments& s = all.back();
        if (s.pts.size() == 1 && sweepMeets(s.pts[0], s.pts[0], reach, bounds))
            cost += penPoints + 2 * sweptRows(s.pts[0], s.pts[0], reach, bounds);
        for (std::size_t i = 0; i < s.count && cost <= budget; ++i)
            if (sweepMeets(s.from(i), s.to(i), reach, bounds))
                cost += sweepPoints + 2 * sweptRows(s.from(i), s.to(i), reach, bounds);
        if (cost > budget) return std::nullopt;
    }
    for (const Segments& s : all) {
        if (s.pts.size() == 1 && sweepMeets(s.pts[0], s.pts[0], reach, bounds)) out.push_back(penAt(pen, s.pts[0]));
        for (std::size_t i = 0; i < s.count; ++i)
            if (sweepMeets(s.from(i), s.to(i), reach, bounds)) addSweep(out, pen, width, s.from(i), s.to(i));
    }
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
