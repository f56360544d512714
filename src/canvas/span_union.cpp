#include "canvas/span_union.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "canvas/raster.h"

namespace plotvale::canvas {
namespace {

bool finite(Point p) { return std::isfinite(p.x) && std::isfinite(p.y); }

}  // namespace

void SpanUnion::add(std::span<const Point> f) {
    count(f);
    // Fewer than three points enclose nothing; a figure with a point that is
    // not finite is left out, as polygonSpans leaves it out.
    if (f.size() < 3 || !std::all_of(f.begin(), f.end(), finite) || addTwoCrossingRuns(f)) return;
    const std::vector<Point> figure(f.begin(), f.end());
    for (const RectI& r : polygonSpans({figure}, FillRule::NonZero, bounds_)) runs_.push_back({r.top, r.left, r.right});
}

void SpanUnion::count(std::span<const Point> f) {
    for (std::size_t i = 0; i < f.size(); ++i) {
        const double a = f[i].y, b = f[(i + 1) % f.size()].y;
        const double top = std::max(std::min(a, b), double(bounds_.top));
        const double bottom = std::min(std::max(a, b), double(bounds_.bottom));
        if (std::isfinite(top) && std::isfinite(bottom) && bottom > top) crossings_ += bottom - top + 1;
    }
}

long long SpanUnion::crossings() const {
    return crossings_ > 1e18 ? std::numeric_limits<long long>::max() : static_cast<long long>(crossings_);
}

// Each row's least and greatest crossing, computed edge by edge as
// polygonSpans computes them; false, with nothing added, when some row is
// not crossed exactly twice.
bool SpanUnion::addTwoCrossingRuns(std::span<const Point> f) {
    double top = f.front().y, bottom = f.front().y;
    for (const Point& p : f) { top = std::min(top, p.y); bottom = std::max(bottom, p.y); }
    const auto row = [&](double v) {
        return static_cast<int>(std::clamp(std::ceil(v), double(bounds_.top), double(bounds_.bottom)));
    };
    const int y0 = row(top), y1 = row(bottom);
    if (y1 <= y0) return true;
    const auto n = static_cast<std::size_t>(y1 - y0);
    lo_.assign(n, std::numeric_limits<double>::infinity());
    hi_.assign(n, -std::numeric_limits<double>::infinity());
    count_.assign(n, 0);
    for (std::size_t i = 0; i < f.size(); ++i) {
        Point a = f[i], b = f[(i + 1) % f.size()];
        if (a.y == b.y) continue;
        if (b.y < a.y) std::swap(a, b);
        // An edge crosses the rows a.y <= y < b.y.
        for (int y = row(a.y), end = row(b.y); y < end; ++y) {
            const double t = (y - a.y) / (b.y - a.y);
            const double x = a.x + t * (b.x - a.x);
            const auto k = static_cast<std::size_t>(y - y0);
            lo_[k] = std::min(lo_[k], x);
            hi_[k] = std::max(hi_[k], x);
            ++count_[k];
        }
    }
    if (std::any_of(count_.begin(), count_.end(), [](int c) { return c != 2; })) return false;
    for (std::size_t k = 0; k < n; ++k) {
        const double l = std::max(std::ceil(lo_[k]), double(bounds_.left));
        const double r = std::min(std::ceil(hi_[k]), double(bounds_.right));
        if (r > l) runs_.push_back({y0 + static_cast<int>(k), static_cast<int>(l), static_cast<int>(r)});
    }
    return true;
}

// The runs are put in row order by counting (rows are few next to the runs
// of a long wide line), each row's then by their left ends.
std::vector<RectI> SpanUnion::spans() const {
    std::vector<RectI> out;
    if (runs_.empty()) return out;
    const auto [lowest, highest] =
        std::minmax_element(runs_.begin(), runs_.end(), [](const Run& a, const Run& b) { return a.y < b.y; });
    const int first = lowest->y;
    std::vector<std::size_t> start(static_cast<std::size_t>(highest->y - first) + 2, 0);
    for (const Run& r : runs_) ++start[static_cast<std::size_t>(r.y - first) + 1];
    for (std::size_t k = 1; k < start.size(); ++k) start[k] += start[k - 1];
    std::vector<Run> sorted(runs_.size());
    std::vector<std::size_t> next(start.begin(), start.end() - 1);
    for (const Run& r : runs_) sorted[next[static_cast<std::size_t>(r.y - first)]++] = r;
    for (std::size_t k = 0; k + 1 < start.size(); ++k) {
        const auto from = sorted.begin() + static_cast<std::ptrdiff_t>(start[k]);
        const auto to = sorted.begin() + static_cast<std::ptrdiff_t>(start[k + 1]);
        std::sort(from, to, [](const Run& a, const Run& b) { return a.left < b.left; });
        const std::size_t rowStart = out.size();
        for (auto r = from; r != to; ++r) {
            if (out.size() > rowStart && r->left <= out.back().right) out.back().right = std::max(out.back().right, r->right);
            else out.push_back({r->left, r->y, r->right, r->y + 1});
        }
    }
    return out;
}

}  // namespace plotvale::canvas
