#include "canvas/pixel_spans.h"

#include <algorithm>
#include <cmath>

#include "canvas/raster.h"

namespace plotvale::canvas {

std::vector<Span> mergeSpans(std::vector<Span> spans) {
    std::sort(spans.begin(), spans.end(),
              [](const Span& a, const Span& b) { return a.y != b.y ? a.y < b.y : a.x0 < b.x0; });
    std::vector<Span> out;
    for (const Span& s : spans) {
        if (s.x1 <= s.x0) continue;
        if (!out.empty() && out.back().y == s.y && s.x0 <= out.back().x1) {
            out.back().x1 = std::max(out.back().x1, s.x1);
            continue;
        }
        out.push_back(s);
    }
    return out;
}

namespace {

Point cubicAt(Point p0, Point p1, Point p2, Point p3, double t) {
    const double u = 1 - t;
    const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    return {a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y};
}

double distance(Point a, Point b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

// Rows of pixels a square of half side h centred on (x, y) + offset reaches
// from segment a-b, added to out.
void addSegment(Point a, Point b, double h, Point offset, std::vector<Span>& out) {
    const int yFirst = static_cast<int>(std::ceil(std::min(a.y, b.y) - h - offset.y));
    const int yLast = static_cast<int>(std::floor(std::max(a.y, b.y) + h - offset.y));
    for (int y = yFirst; y <= yLast; ++y) {
        const double lo = y + offset.y - h, hi = y + offset.y + h;
        double t0 = 0, t1 = 1;
        if (a.y != b.y) {
            double ta = (lo - a.y) / (b.y - a.y), tb = (hi - a.y) / (b.y - a.y);
            if (ta > tb) std::swap(ta, tb);
            t0 = std::max(0.0, ta);
            t1 = std::min(1.0, tb);
            if (t0 > t1) continue;
        } else if (a.y < lo || a.y > hi) {
            continue;
        }
        const double xa = a.x + t0 * (b.x - a.x), xb = a.x + t1 * (b.x - a.x);
        const double left = std::min(xa, xb) - h - offset.x,
                     right = std::max(xa, xb) + h - offset.x;
        out.push_back(
            {y, static_cast<int>(std::ceil(left)), static_cast<int>(std::floor(right)) + 1});
    }
}

}  // namespace

Path spansToPath(const std::vector<Span>& spans) {
    std::vector<RectI> rows;
    rows.reserve(spans.size());
    for (const Span& s : spans) rows.push_back({s.x0, s.y, s.x1, s.y + 1});
    return rectsPath(rows);
}

std::vector<Polyline> flatten(const Path& path) {
    std::vector<Polyline> figures;
    const auto& pts = path.points();
    std::size_t i = 0;
    for (const auto verb : path.verbs()) {
        switch (verb) {
        case Path::Verb::Move:
            figures.push_back({{pts[i]}, false});
            i += 1;
            break;
        case Path::Verb::Line:
            figures.back().points.push_back(pts[i]);
            i += 1;
            break;
        case Path::Verb::Cubic: {
            const Point p0 = figures.back().points.back();
            const double length = distance(p0, pts[i]) + distance(pts[i], pts[i + 1]) +
                                  distance(pts[i + 1], pts[i + 2]);
            const int parts = std::clamp(static_cast<int>(std::ceil(length)), 1, 4096);
            for (int k = 1; k <= parts; ++k)
                figures.back().points.push_back(
                    cubicAt(p0, pts[i], pts[i + 1], pts[i + 2], static_cast<double>(k) / parts));
            i += 3;
            break;
        }
        case Path::Verb::Close: figures.back().closed = true; break;
        }
    }
    return figures;
}

std::vector<Span> squarePenSpans(const std::vector<Polyline>& figures, double width, Point offset) {
    std::vector<Span> spans;
    const double h = width / 2;
    for (const Polyline& f : figures) {
        const std::size_t n = f.points.size();
        if (n == 1) addSegment(f.points[0], f.points[0], h, offset, spans);
        for (std::size_t k = 1; k < n; ++k)
            addSegment(f.points[k - 1], f.points[k], h, offset, spans);
        if (f.closed && n > 2) addSegment(f.points[n - 1], f.points[0], h, offset, spans);
    }
    return mergeSpans(std::move(spans));
}

}  // namespace plotvale::canvas
