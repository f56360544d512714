#include "canvas/raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace plotvale::canvas {
namespace {

struct Edge {
    Point top, bottom;
    int winding;  // +1 running down, -1 running up
};

bool finite(Point p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// Figures with a point at infinity or not a number are left out whole.
std::vector<Edge> edgesOf(const std::vector<std::vector<Point>>& figures) {
    std::vector<Edge> edges;
    for (const auto& f : figures) {
        if (!std::all_of(f.begin(), f.end(), finite)) continue;
        for (std::size_t i = 0; i < f.size(); ++i) {
            const Point a = f[i], b = f[(i + 1) % f.size()];
            if (a.y == b.y) continue;
            edges.push_back(a.y < b.y ? Edge{a, b, 1} : Edge{b, a, -1});
        }
    }
    return edges;
}

struct Crossing {
    double x;
    int winding;
};

void spansOfRow(std::vector<Crossing>& xs, int y, FillRule rule, RectI bounds, std::vector<RectI>& out) {
    std::sort(xs.begin(), xs.end(), [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
    int wind = 0;
    for (std::size_t k = 0; k + 1 < xs.size(); ++k) {
        wind += rule == FillRule::NonZero ? xs[k].winding : 1;
        const bool inside = rule == FillRule::NonZero ? wind != 0 : (wind & 1) != 0;
        if (!inside) continue;
        const double l = std::max(std::ceil(xs[k].x), static_cast<double>(bounds.left));
        const double r = std::min(std::ceil(xs[k + 1].x), static_cast<double>(bounds.right));
        if (r <= l) continue;
        const int li = static_cast<int>(l), ri = static_cast<int>(r);
        if (!out.empty() && out.back().top == y && out.back().right == li) out.back().right = ri;
        else out.push_back(RectI{li, y, ri, y + 1});
    }
}

long long floorDiv(long long a, long long b) {  // b > 0
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

}  // namespace

// Rows are walked top to bottom with the edges that cross them: edges
// sorted by their top, an active list gaining edges as rows reach them and
// losing them past their bottom, so long outlines cost what they cross.
std::vector<RectI> polygonSpans(const std::vector<std::vector<Point>>& figures, FillRule rule, RectI bounds) {
    std::vector<Edge> edges = edgesOf(figures);
    std::vector<RectI> out;
    if (edges.empty()) return out;
    std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.top.y < b.top.y; });
    double bottom = std::numeric_limits<double>::lowest();
    for (const Edge& e : edges) bottom = std::max(bottom, e.bottom.y);
    const auto clampY = [&](double v) {
        return static_cast<int>(std::clamp(std::ceil(v), static_cast<double>(bounds.top), static_cast<double>(bounds.bottom)));
    };
    const int y0 = clampY(edges.front().top.y), y1 = clampY(bottom);
    std::vector<const Edge*> active;
    std::vector<Crossing> xs;
    std::size_t next = 0;
    for (int y = y0; y < y1; ++y) {
        while (next < edges.size() && edges[next].top.y <= y) active.push_back(&edges[next++]);
        std::erase_if(active, [y](const Edge* e) { return e->bottom.y <= y; });
        xs.clear();
        for (const Edge* e : active) {
            const double t = (y - e->top.y) / (e->bottom.y - e->top.y);
            xs.push_back({e->top.x + t * (e->bottom.x - e->top.x), e->winding});
        }
        spansOfRow(xs, y, rule, bounds, out);
    }
    return out;
}

void traceLine(Point from, Point to, RectI bounds, const std::function<void(int, int)>& plot) {
    if (!finite(from) || !finite(to)) return;
    const auto whole = [](double v) { return static_cast<long long>(std::clamp(v, -1e9, 1e9)); };
    const long long x0 = whole(from.x), y0 = whole(from.y);
    const long long dx = whole(to.x) - x0, dy = whole(to.y) - y0;
    const bool alongX = std::llabs(dx) >= std::llabs(dy);
    const long long major = alongX ? dx : dy, minor = alongX ? dy : dx;
    const long long start = alongX ? x0 : y0, other = alongX ? y0 : x0;
    const long long sign = major > 0 ? 1 : -1;
    // Steps whose major coordinate lies inside the bounds.
    const long long lo = alongX ? bounds.left : bounds.top, hi = (alongX ? bounds.right : bounds.bottom) - 1;
    const long long first = std::max(0LL, sign > 0 ? lo - start : start - hi);
    const long long last = std::min(std::llabs(major), sign > 0 ? hi - start + 1 : start - lo + 1);
    for (long long i = first; i < last; ++i) {
        const long long m = sign * i;
        // Nearest minor offset to m * minor / major, halves rounded down:
        // ceil(n / d) with n = 2 m minor sign(major) - |major|, d = 2 |major|.
        const long long n = 2 * m * minor * sign - std::llabs(major);
        const long long b = other + floorDiv(n - 1, 2 * std::llabs(major)) + 1;
        const long long a = start + m;
        const long long x = alongX ? a : b, y = alongX ? b : a;
        if (x < bounds.left || x >= bounds.right || y < bounds.top || y >= bounds.bottom) continue;
        plot(static_cast<int>(x), static_cast<int>(y));
    }
}

void PixelRuns::add(int x, int y) {
    if (!rects_.empty()) {
        RectI& last = rects_.back();
        if (last.top == y && last.right == x) { ++last.right; return; }
        if (last.top == y && last.left == x + 1) { --last.left; return; }
    }
    rects_.push_back(RectI{x, y, x + 1, y + 1});
}

Path rectsPath(const std::vector<RectI>& rects) {
    Path path;
    for (const RectI& r : rects)
        if (!r.empty())
            path.addRect({static_cast<double>(r.left), static_cast<double>(r.top), static_cast<double>(r.width()),
                          static_cast<double>(r.height())});
    return path;
}

long long edgeRowCrossings(const std::vector<std::vector<Point>>& figures, RectI bounds, double reach) {
    double rows = 0;
    for (const auto& f : figures)
        for (std::size_t i = 0; i < f.size(); ++i) {
            const double a = f[i].y, b = f[(i + 1) % f.size()].y;
            const double top = std::max(std::min(a, b) - reach, double(bounds.top));
            const double bottom = std::min(std::max(a, b) + reach, double(bounds.bottom));
            if (std::isfinite(top) && std::isfinite(bottom) && bottom > top) rows += bottom - top + 1;
        }
    return rows > 1e18 ? std::numeric_limits<long long>::max() : static_cast<long long>(rows);
}

long long lineSteps(const std::vector<Point>& points, bool closed) {
    double steps = 0;
    const std::size_t segments = closed ? points.size() : (points.empty() ? 0 : points.size() - 1);
    for (std::size_t i = 0; i < segments; ++i) {
        const Point a = points[i], b = points[(i + 1) % points.size()];
        const double d = std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
        steps += std::isfinite(d) ? d + 1 : 1e18;
    }
    return steps > 1e18 ? std::numeric_limits<long long>::max() : static_cast<long long>(steps);
}

std::optional<std::vector<RectI>> pixelRectsOf(const Path& path) {
    const auto& verbs = path.verbs();
    const auto& pts = path.points();
    if (verbs.size() % 5 != 0 || pts.size() != verbs.size() / 5 * 4) return std::nullopt;
    std::vector<RectI> rects;
    rects.reserve(pts.size() / 4);
    auto whole = [](double v) { return std::abs(v) < 1e8 && v == std::floor(v); };
    for (std::size_t i = 0, p = 0; i < verbs.size(); i += 5, p += 4) {
        using V = Path::Verb;
        if (verbs[i] != V::Move || verbs[i + 1] != V::Line || verbs[i + 2] != V::Line || verbs[i + 3] != V::Line ||
            verbs[i + 4] != V::Close)
            return std::nullopt;
        const Point a = pts[p], b = pts[p + 1], c = pts[p + 2], d = pts[p + 3];
        // Corners in addRect's order: top-left, top-right, bottom-right, bottom-left.
        if (a.y != b.y || b.x != c.x || c.y != d.y || d.x != a.x || !whole(a.x) || !whole(a.y) || !whole(c.x) ||
            !whole(c.y) || c.x < a.x || c.y < a.y)
            return std::nullopt;
        rects.push_back({static_cast<int>(a.x), static_cast<int>(a.y), static_cast<int>(c.x), static_cast<int>(c.y)});
    }
    return rects;
}

}  // namespace plotvale::canvas
