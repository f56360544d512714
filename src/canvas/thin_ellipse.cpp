// The one-pixel ellipse: offsets from the centre are kept doubled so that
// half-pixel centres stay exact integers.

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <utility>

#include "canvas/pixel_spans.h"

namespace plotvale::canvas {
namespace {

// The doubled offset of the pixel nearest v (in pixels), on the grid of
// doubled offsets with the given parity; halves go away from the centre.
int nearestDoubled(double v, int parity) {
    const double c = parity / 2.0;
    return static_cast<int>(std::lround(2 * (std::floor(v - c + 0.5) + c)));
}

// Doubled (dx, dy) offsets of one quadrant of the outline; semi-axes doubled.
std::set<std::pair<int, int>> quadrant(int ax2, int by2) {
    const double a = ax2 / 2.0, b = by2 / 2.0;
    const double diagonal = std::sqrt(a * a + b * b);
    const double xTurn = a * a / diagonal, yTurn = b * b / diagonal;  // where the slope is 1
    std::set<std::pair<int, int>> points;
    for (int dx = ax2 % 2; dx <= ax2; dx += 2) {
        if (dx / 2.0 > xTurn + 1e-9) break;
        const double t = dx / 2.0 / a;
        points.insert({dx, nearestDoubled(b * std::sqrt(std::max(0.0, 1 - t * t)), by2 % 2)});
    }
    std::set<int> rows;
    for (const auto& point : points) rows.insert(point.second);
    for (int dy = by2 % 2; dy <= by2; dy += 2) {
        // Past the turn, rows the columns left out still take their pixel,
        // so the outline has no gap where the two walks meet.
        if (dy / 2.0 > yTurn + 1e-9 && rows.count(dy)) continue;
        const double t = dy / 2.0 / b;
        points.insert({nearestDoubled(a * std::sqrt(std::max(0.0, 1 - t * t)), ax2 % 2), dy});
    }
    return points;
}

std::vector<Span> boxSpans(const RectI& box) {
    std::vector<Span> spans;
    for (int y = box.top; y < box.bottom; ++y) spans.push_back({y, box.left, box.right});
    return spans;
}

}  // namespace

EllipsePixels thinEllipse(const RectI& box) {
    if (box.empty()) return {};
    const int ax2 = box.width() - 1, by2 = box.height() - 1;
    if (ax2 == 0 || by2 == 0) return {boxSpans(box), {}};
    const int cx2 = 2 * box.left + ax2, cy2 = 2 * box.top + by2;
    std::map<int, std::set<int>> rows;
    for (const auto& [dx, dy] : quadrant(ax2, by2))
        for (const int sx : {-1, 1})
            for (const int sy : {-1, 1}) rows[(cy2 + sy * dy) / 2].insert((cx2 + sx * dx) / 2);
    EllipsePixels out;
    for (const auto& [y, xs] : rows) {
        for (const int x : xs) out.outline.push_back({y, x, x + 1});
        // The interior runs between the outline pixels nearest the centre.
        int left = 0, right = 0;
        bool hasLeft = false, hasRight = false;
        for (const int x : xs) {
            if (2 * x <= cx2) {
                left = x;
                hasLeft = true;
            }
            if (2 * x >= cx2 && !hasRight) {
                right = x;
                hasRight = true;
            }
        }
        if (hasLeft && hasRight && right > left + 1) out.interior.push_back({y, left + 1, right});
    }
    return out;
}

}  // namespace plotvale::canvas
