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

// Clockwise on the screen (y down), as convexHull returns its hulls.
Figure clockwise(Figure f) {
    double area = 0;
    for (std::size_t i = 0; i < f.size(); ++i) area += cross({0, 0}, f[i], f[(i + 1) % f.size()]);
    if (area < 0) std::reverse(f.begin(), f.end());
    return f;
}

// GDI's pen end for a whole-pixel width: the pixels whose centres lie
// strictly inside a circle a little smaller than the pen (its square radius
// width^2 / 4 - 1/2, and no less than 3/4 so that two-pixel pens are a
// square), centred on the line's point for odd widths and half a pixel up
// and left of it for even ones. Given as a polygon through each row's
// first pixel and the one after its last (and the last row's again a row
// lower): the polygon rule samples rows only at whole y, so it fills
// exactly those pixels.
Figure penEnd(int width) {
    const double r2 = std::max(width * (width / 4.0) - 0.5, 0.75), c = width % 2 ? 0.0 : -0.5;
    Figure right, left;
    const int n = width / 2 + 1;
    for (int j = -n; j <= n; ++j) {
        const double dy = j - c;
        if (r2 - dy * dy <= 0) continue;
        const double half = std::sqrt(r2 - dy * dy);
        // Whole pixels i with |i - c| < half.
        const int lo = static_cast<int>(std::floor(c - half)) + 1, hi = static_cast<int>(std::ceil(c + half)) - 1;
        if (lo > hi) continue;
        right.push_back({hi + 1.0, static_cast<double>(j)});
        left.push_back({static_cast<double>(lo), static_cast<double>(j)});
    }
    if (right.empty()) return right;
    right.push_back({right.back().x, right.back().y + 1});
    left.push_back({left.back().x, left.back().y + 1});
    right.insert(right.end(), left.rbegin(), left.rend());
    return clockwise(std::move(right));
}

Figure penAt(const Figure& pen, Point p) {
    Figure f(pen);
    for (Point& q : f) { q.x += p.x; q.y += p.y; }
    return f;
}

// One component of the band's whole-pixel thickness vector: the width's
// share rounded up, and a whole share on a slanted line taken one more.
double thicknessStep(double share, double other) {
    const double a = std::abs(share), whole = std::round(a);
    const double step = (std::abs(a - whole) < 1e-9 && a > 0 && other != 0) ? whole + 1 : std::ceil(a - 1e-9);
    return std::copysign(step, share);
}

// GDI's band between a segment's ends: a parallelogram whose sides are the
// segment moved by whole-pixel offsets. The offset normal to the segment
// (taken from the end nearer the top, or the left end of a level segment),
// of length width, is rounded up to whole pixels, K; one side lies at half
// of it rounded to the nearest pixel, A, the other at A - K. The bands of
// diagonal lines come out thicker than the width, as GDI's do.
Figure band(int width, Point a, Point b) {
    if (b.y < a.y || (b.y == a.y && b.x < a.x)) std::swap(a, b);
    const double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
    const double vx = -dy / len * width, vy = dx / len * width;
    const Point k{thicknessStep(vx, vy), thicknessStep(vy, vx)};
    const Point h{std::floor(vx / 2 + 0.5), std::floor(vy / 2 + 0.5)};
    const Point o{h.x - k.x, h.y - k.y};
    return convexHull({{a.x + h.x, a.y + h.y}, {b.x + h.x, b.y + h.y}, {b.x + o.x, b.y + o.y}, {a.x + o.x, a.y + o.y}});
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

// Each segment is GDI's band between its ends, and every point gets the
// pen's end, so ends and joins come out round. The cost is counted before
// anything is built: the pen's rows, then for each end and band within reach
// of bounds its points and the rows it crosses there.
std::optional<std::vector<Figure>> widenLines(const std::vector<std::vector<Point>>& lines, bool closed,
                                              int width, canvas::RectI bounds, long long budget) {
    std::vector<Figure> out;
    if (width < 1) return out;
    // The pen's end has two points a row.
    if (2LL * width + 10 > budget) return std::nullopt;
    const Figure pen = penEnd(width);
    const double reach = width / 2.0 + 2;
    const auto penPoints = static_cast<long long>(pen.size());
    long long cost = 2LL * width;
    std::vector<Segments> all;
    for (const auto& line : lines) {
        all.push_back(segmentsOf(line, closed));
        const Segments& s = all.back();
        for (std::size_t i = 0; i < s.pts.size() && cost <= budget; ++i)
            if (sweepMeets(s.pts[i], s.pts[i], reach, bounds))
                cost += penPoints + 2 * sweptRows(s.pts[i], s.pts[i], reach, bounds);
        for (std::size_t i = 0; i < s.count && cost <= budget; ++i)
            if (sweepMeets(s.from(i), s.to(i), reach, bounds))
                cost += 4 + 2 * sweptRows(s.from(i), s.to(i), reach, bounds);
        if (cost > budget) return std::nullopt;
    }
    for (const Segments& s : all) {
        for (const Point& p : s.pts)
            if (sweepMeets(p, p, reach, bounds)) out.push_back(penAt(pen, p));
        for (std::size_t i = 0; i < s.count; ++i)
            if (sweepMeets(s.from(i), s.to(i), reach, bounds)) out.push_back(band(width, s.from(i), s.to(i)));
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
