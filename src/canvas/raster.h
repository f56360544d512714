#pragma once
// Exact pixel coverage for aliased drawing, computed without Cairo so the
// caller decides every pixel: polygon spans sampled at integer points, and
// straight lines one pixel wide. The results are whole-pixel rectangles a
// canvas fills exactly.

#include <functional>
#include <optional>
#include <vector>

#include "canvas/geometry.h"
#include "canvas/path.h"

namespace plotvale::canvas {

// Pixels whose integer point (x, y) lies inside the figures (closed
// polygons): each row y is cut at the edges' crossings, and a run between
// crossings xl and xr covers ceil(xl) <= x < ceil(xr); an edge covers the
// rows from its top end up to, not including, its bottom end. One rectangle
// one row high per run, rows top to bottom, cut to bounds. Figures with a
// point that is not finite are left out.
std::vector<RectI> polygonSpans(const std::vector<std::vector<Point>>& figures, FillRule rule, RectI bounds);

// The pixels of a one-pixel line from (x0, y0) towards (x1, y1): one pixel
// per step along the longer axis, the other coordinate rounded to the
// nearest pixel with halves going to the smaller coordinate (so a line
// covers the same pixels drawn either way), the last pixel left out. Only
// pixels inside bounds are plotted (steps outside are not even walked); a
// line with an end that is not finite plots nothing.
void traceLine(Point from, Point to, RectI bounds, const std::function<void(int, int)>& plot);

// Adjacent pixels of a row merged into runs, one rectangle per run.
class PixelRuns {
public:
    void add(int x, int y);
    const std::vector<RectI>& rects() const { return rects_; }
    bool empty() const { return rects_.empty(); }

private:
    std::vector<RectI> rects_;
};

// How much work exact pixels may take for one drawing: rows crossed by the
// edges of a polygon set, or pixels stepped along a line. Beyond it (self-
// crossing figures of tens of thousands of points) callers draw with Cairo,
// whose time and memory do not grow with the crossings.
inline constexpr long long kExactRasterBudget = 1LL << 20;

// Edge-row crossings the figures have within bounds: the runs polygonSpans
// would build are at most this many. With a reach, each edge counts the rows
// it crosses widened by that much up and down: what the outline of a stroke
// that wide crosses.
long long edgeRowCrossings(const std::vector<std::vector<Point>>& figures, RectI bounds, double reach = 0);

// Pixels a one-pixel line through the points steps over (before any clipping).
long long lineSteps(const std::vector<Point>& points, bool closed);

// A path of the rectangles, for filling with the non-zero rule.
Path rectsPath(const std::vector<RectI>& rects);

// The path's whole-pixel rectangles when it consists of nothing else (as
// rectsPath and Path::addRect build them), so a caller can write their
// pixels directly; nullopt for any other path.
std::optional<std::vector<RectI>> pixelRectsOf(const Path& path);

}  // namespace plotvale::canvas
