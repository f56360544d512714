#include "canvas/scanline_fill.h"

#include <algorithm>
#include <cmath>

namespace plotvale::canvas {
namespace {

// A non-horizontal edge, stored top to bottom; dir is +1 for an edge that
// runs downwards in the polygon's order.
struct Edge {
    double x0, y0, x1, y1;
    int dir;
    int firstRow, endRow;  // rows whose sample y lies in [y0, y1)
    double xAt(double y) const { return x0 + (y - y0) * (x1 - x0) / (y1 - y0); }
};

std::vector<Edge> edgesOf(const std::vector<std::vector<Point>>& polygons, const RectI& bounds) {
    std::vector<Edge> edges;
    for (const auto& poly : polygons) {
        for (std::size_t i = 0; i < poly.size(); ++i) {
            const Point a = poly[i], b = poly[(i + 1) % poly.size()];
            if (a.y == b.y || !std::isfinite(a.y) || !std::isfinite(b.y)) continue;
            Edge e = a.y < b.y ? Edge{a.x, a.y, b.x, b.y, 1, 0, 0} : Edge{b.x, b.y, a.x, a.y, -1, 0, 0};
            e.firstRow = static_cast<int>(std::clamp(std::ceil(e.y0), double(bounds.top), double(bounds.bottom)));
            e.endRow = static_cast<int>(std::clamp(std::ceil(e.y1), double(bounds.top), double(bounds.bottom)));
            if (e.firstRow < e.endRow) edges.push_back(e);
        }
    }
    std::sort(edges.begin(), edges.end(), [](const Edge& l, const Edge& r) { return l.firstRow < r.firstRow; });
    return edges;
}

struct Crossing {
    double x;
    int dir;
};

// Pixels from the first sample at or right of a to the last left of b.
void addSpan(std::vector<Span>& out, int y, double a, double b, const RectI& bounds) {
    const int left = static_cast<int>(std::clamp(std::ceil(a), double(bounds.left), double(bounds.right)));
    const int right = static_cast<int>(std::clamp(std::ceil(b), double(bounds.left), double(bounds.right)));
    if (left >= right) return;
    if (!out.empty() && out.back().y == y && out.back().right >= left) {
        out.back().right = std::max(out.back().right, right);
        return;
    }
    out.push_back({y, left, right});
}

void spansOfRow(const std::vector<Crossing>& xs, FillRule rule, int y, const RectI& bounds,
                std::vector<Span>& out) {
    int winding = 0;
    for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
        winding += rule == FillRule::EvenOdd ? 1 : xs[i].dir;
        const bool inside = rule == FillRule::EvenOdd ? (winding & 1) != 0 : winding != 0;
        if (inside) addSpan(out, y, xs[i].x, xs[i + 1].x, bounds);
    }
}

}  // namespace

std::vector<Span> polygonSpans(const std::vector<std::vector<Point>>& polygons, FillRule rule,
                               const RectI& bounds) {
    std::vector<Span> spans;
    const std::vector<Edge> edges = edgesOf(polygons, bounds);
    std::vector<const Edge*> active;
    std::vector<Crossing> xs;
    std::size_t next = 0;
    for (int y = bounds.top; y < bounds.bottom; ++y) {
        std::erase_if(active, [y](const Edge* e) { return e->endRow <= y; });
        while (next < edges.size() && edges[next].firstRow <= y) active.push_back(&edges[next++]);
        if (active.empty()) {
            if (next == edges.size()) break;
            y = edges[next].firstRow - 1;  // skip empty rows
            continue;
        }
        xs.clear();
        for (const Edge* e : active) xs.push_back({e->xAt(y), e->dir});
        std::sort(xs.begin(), xs.end(), [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
        spansOfRow(xs, rule, y, bounds, spans);
    }
    return spans;
}

Path spanPath(const std::vector<Span>& spans) {
    Path path;
    struct Open {
        Span span;
        int rows;
    };
    std::vector<Open> open, row;
    auto flush = [&path](const std::vector<Open>& rects) {
        for (const Open& o : rects)
            path.addRect({double(o.span.left), double(o.span.y), double(o.span.right - o.span.left), double(o.rows)});
    };
    std::size_t i = 0;
    while (i < spans.size()) {
        const int y = spans[i].y;
        row.clear();
        for (; i < spans.size() && spans[i].y == y; ++i) row.push_back({spans[i], 1});
        // A row whose spans repeat the previous row's grows those rectangles.
        const bool repeats = !open.empty() && open.front().span.y + open.front().rows == y &&
                             std::equal(row.begin(), row.end(), open.begin(), open.end(), [](const Open& a, const Open& b) {
                                 return a.span.left == b.span.left && a.span.right == b.span.right;
                             });
        if (repeats) {
            for (Open& o : open) ++o.rows;
            continue;
        }
        flush(open);
        open = row;
    }
    flush(open);
    return path;
}

}  // namespace plotvale::canvas
