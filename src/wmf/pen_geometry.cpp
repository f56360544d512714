#include "wmf/pen_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace plotvale::wmf {
namespace {

using canvas::Point;
using Figure = std::vector<Point>;

constexpr int kNibVertices = 32;

double signedArea(const Figure& f) {
    double a = 0;
    for (std::size_t i = 0; i < f.size(); ++i) {
        const Point p = f[i], q = f[(i + 1) % f.size()];
        a += p.x * q.y - q.x * p.y;
    }
    return a / 2;
}

// Every figure runs the same way round so that their union fills under the
// non-zero rule.
void addFigure(std::vector<Figure>& out, Figure f) {
    if (signedArea(f) < 0) std::reverse(f.begin(), f.end());
    out.push_back(std::move(f));
}

// The pen's outline around an end or a join. A two-pixel pen covers a whole
// two-by-two block there, as a square does (libuemf's chevrons, A20010);
// wider pens are a polygon close to the circle.
Figure nib(Point c, double r) {
    if (r <= 1) return {{c.x - r, c.y - r}, {c.x + r, c.y - r}, {c.x + r, c.y + r}, {c.x - r, c.y + r}};
    Figure f;
    for (int k = 0; k < kNibVertices; ++k) {
        const double a = 2 * std::numbers::pi * k / kNibVertices;
        f.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a)});
    }
    return f;
}

void addSegment(std::vector<Figure>& out, Point a, Point b, double r) {
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    const Point n{(a.y - b.y) / len * r, (b.x - a.x) / len * r};
    addFigure(out, {{a.x + n.x, a.y + n.y}, {b.x + n.x, b.y + n.y}, {b.x - n.x, b.y - n.y}, {a.x - n.x, a.y - n.y}});
}

std::vector<Point> withoutRepeats(const std::vector<Point>& pts) {
    std::vector<Point> out;
    for (const Point& p : pts)
        if (out.empty() || p.x != out.back().x || p.y != out.back().y) out.push_back(p);
    return out;
}

}  // namespace

std::vector<Figure> widenLine(const std::vector<Point>& input, bool closed, double width) {
    const std::vector<Point> pts = withoutRepeats(input);
    std::vector<Figure> out;
    const double r = width / 2;
    for (std::size_t i = 0; i + 1 < pts.size(); ++i) addSegment(out, pts[i], pts[i + 1], r);
    const bool closing = closed && pts.size() > 2 && (pts.front().x != pts.back().x || pts.front().y != pts.back().y);
    if (closing) addSegment(out, pts.back(), pts.front(), r);
    for (const Point& p : pts) addFigure(out, nib(p, r));
    return out;
}

ThinLinePixels thinLinePixels(const std::vector<Point>& pts, bool closed, int style, canvas::RectI bounds) {
    // Dash patterns in pixels, on and off by turns, starting with on; the
    // pattern runs on from one segment into the next.
    static const std::vector<int> patterns[] = {{}, {18, 6}, {3, 3}, {9, 6, 3, 6}, {9, 3, 3, 3, 3, 3}};
    const std::vector<int>& pattern = style >= 1 && style <= 4 ? patterns[style] : patterns[0];
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
