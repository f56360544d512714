#include "wmf/pen_geometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

#include "canvas/span_union.h"

namespace plotvale::wmf {
namespace {

using canvas::Point;
using Figure = std::vector<Point>;

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
    return right;
}

using Run = canvas::SpanUnion::Run;
using Runs = std::span<const Run>;

// The pen's end, and its runs about the point. When every slanted edge of
// its outline spans one row, each row is crossed at an edge's whole-pixel
// end, so at a whole-pixel point the runs moved there are exactly what the
// outline moved there gives.
struct PenEnd {
    Figure outline;
    std::vector<Run> runs;
    bool movable = false;
};

PenEnd penEndOf(int width) {
    PenEnd pen{penEnd(width), {}, true};
    for (std::size_t i = 0; i < pen.outline.size(); ++i) {
        const double dy = pen.outline[(i + 1) % pen.outline.size()].y - pen.outline[i].y;
        if (dy != 0 && std::abs(dy) != 1) pen.movable = false;
    }
    constexpr int kFar = 1 << 20;
    canvas::SpanUnion about({-kFar, -kFar, kFar, kFar});
    about.add(pen.outline);
    pen.runs = about.runs();
    return pen;
}

void movePen(const Figure& pen, Point p, Figure& out) {
    out.resize(pen.size());
    for (std::size_t i = 0; i < pen.size(); ++i) out[i] = {pen[i].x + p.x, pen[i].y + p.y};
}

// The pen end's runs at a whole-pixel point, cut to bounds.
void moveRuns(const PenEnd& pen, Point p, canvas::RectI bounds, std::vector<Run>& out) {
    out.clear();
    const int x = static_cast<int>(p.x), y = static_cast<int>(p.y);
    for (const Run& r : pen.runs) {
        const Run m{r.y + y, std::max(r.left + x, bounds.left), std::min(r.right + x, bounds.right)};
        if (m.y >= bounds.top && m.y < bounds.bottom && m.right > m.left) out.push_back(m);
    }
}

bool wholePixel(Point p) {
    return std::abs(p.x) < 1e8 && std::abs(p.y) < 1e8 && p.x == std::floor(p.x) && p.y == std::floor(p.y);
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
std::array<Point, 4> band(int width, Point a, Point b) {
    if (b.y < a.y || (b.y == a.y && b.x < a.x)) std::swap(a, b);
    const double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
    const double vx = -dy / len * width, vy = dx / len * width;
    const Point k{thicknessStep(vx, vy), thicknessStep(vy, vx)};
    const Point h{std::floor(vx / 2 + 0.5), std::floor(vy / 2 + 0.5)};
    const Point o{h.x - k.x, h.y - k.y};
    return {{{a.x + h.x, a.y + h.y}, {b.x + h.x, b.y + h.y}, {b.x + o.x, b.y + o.y}, {a.x + o.x, a.y + o.y}}};
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

// A row's run among a figure's runs (rows ascending), or none.
const Run* runAt(Runs runs, int y) {
    const auto it = std::lower_bound(runs.begin(), runs.end(), y, [](const Run& r, int row) { return r.y < row; });
    return it != runs.end() && it->y == y ? &*it : nullptr;
}

// Whether every pixel of a pen end's runs lies in the runs of the bands
// beside it, so leaving it out changes nothing. Looks at one run a row of
// each band: a band is one.
bool coveredBy(Runs end, Runs before, Runs after) {
    for (const Run& r : end) {
        const Run* p = runAt(before, r.y);
        const Run* q = runAt(after, r.y);
        const auto holds = [&](int left, int right) { return left <= r.left && r.right <= right; };
        if ((p && holds(p->left, p->right)) || (q && holds(q->left, q->right))) continue;
        if (p && q && p->left <= q->right && q->left <= p->right &&
            holds(std::min(p->left, q->left), std::max(p->right, q->right)))
            continue;
        return false;
    }
    return true;
}

// Adds a line's bands, then the pen's ends its bands do not already cover
// (along a curve of short segments, most of them). False once the figures'
// edges cross more than crossingBudget rows.
bool addLine(const Segments& s, const PenEnd& pen, int width, double reach, canvas::SpanUnion& pixels,
             long long crossingBudget) {
    struct Range {
        std::size_t from = 0, to = 0;
    };
    std::vector<Range> bands(s.count);
    for (std::size_t i = 0; i < s.count; ++i) {
        if (!sweepMeets(s.from(i), s.to(i), reach, pixels.bounds())) continue;
        bands[i].from = pixels.runs().size();
        pixels.add(band(width, s.from(i), s.to(i)));
        bands[i].to = pixels.runs().size();
        if (pixels.crossings() > crossingBudget) return false;
    }
    const auto runsOf = [&](std::size_t from, std::size_t to) {
        return Runs(pixels.runs().data() + from, to - from);
    };
    const bool closing = s.count == s.pts.size();
    Figure end;
    std::vector<Run> moved;
    for (std::size_t i = 0; i < s.pts.size(); ++i) {
        if (!sweepMeets(s.pts[i], s.pts[i], reach, pixels.bounds())) continue;
        movePen(pen.outline, s.pts[i], end);
        const Range before = i > 0 ? bands[i - 1] : closing ? bands[s.count - 1] : Range{};
        const Range after = i < s.count ? bands[i] : Range{};
        if (pen.movable && wholePixel(s.pts[i])) {
            pixels.count(end);
            moveRuns(pen, s.pts[i], pixels.bounds(), moved);
            if (!coveredBy(moved, runsOf(before.from, before.to), runsOf(after.from, after.to))) pixels.addRuns(moved);
        } else {
            const std::size_t from = pixels.runs().size();
            pixels.add(end);
            if (coveredBy(runsOf(from, pixels.runs().size()), runsOf(before.from, before.to),
                          runsOf(after.from, after.to)))
                pixels.dropRuns(from);
        }
        if (pixels.crossings() > crossingBudget) return false;
    }
    return true;
}

}  // namespace

// Each segment is GDI's band between its ends, and every point gets the
// pen's end, so ends and joins come out round. The cost is counted before
// anything is built: the pen's rows, then for each end and band within reach
// of bounds its points and the rows it crosses there.
std::optional<std::vector<canvas::RectI>> widePenPixels(const std::vector<std::vector<Point>>& lines, bool closed,
                                                       int width, canvas::RectI bounds, long long budget,
                                                       long long crossingBudget) {
    if (width < 1) return std::vector<canvas::RectI>{};
    // The pen's end has two points a row.
    if (2LL * width + 10 > budget) return std::nullopt;
    const PenEnd pen = penEndOf(width);
    const double reach = width / 2.0 + 2;
    const auto penPoints = static_cast<long long>(pen.outline.size());
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
    canvas::SpanUnion pixels(bounds);
    for (const Segments& s : all)
        if (!addLine(s, pen, width, reach, pixels, crossingBudget)) return std::nullopt;
    return pixels.spans();
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
