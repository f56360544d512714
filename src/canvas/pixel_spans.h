#pragma once
// Pixel-exact rasterisation helpers for shapes whose pixels must follow a
// fixed integer rule rather than Cairo's sampling: the result is a set of
// horizontal runs of whole pixels, painted as integer rectangles (which an
// aliased Cairo fill covers exactly).
//
// Coordinates are pixel indices: the integer point (x, y) stands for pixel
// (x, y).

#include <vector>

#include "canvas/geometry.h"
#include "canvas/path.h"

namespace plotvale::canvas {

// Pixels x0 <= x < x1 of row y.
struct Span {
    int y = 0;
    int x0 = 0;
    int x1 = 0;
};

// Sorted by row, overlapping or touching runs merged.
std::vector<Span> mergeSpans(std::vector<Span> spans);

// Integer rectangles, one per span, as a path to fill.
Path spansToPath(const std::vector<Span>& spans);

// One figure of a flattened path.
struct Polyline {
    std::vector<Point> points;
    bool closed = false;
};

// The path's figures with every cubic replaced by straight segments at most
// about a pixel long.
std::vector<Polyline> flatten(const Path& path);

// Pixels covered by an axis-aligned square pen of side `width` swept along
// the figures: pixel (x, y) is covered when the closed square of that side
// centred on (x, y) + offset meets a segment. Sorted by row, merged.
std::vector<Span> squarePenSpans(const std::vector<Polyline>& figures, double width, Point offset);

// The one-pixel outline and the interior of the ellipse inscribed in the
// pixels box.left .. box.right - 1 (rows likewise), symmetric about the
// box's centre: where the curve is flatter than 45 degrees each column takes
// the pixel nearest the curve, elsewhere each row does.
struct EllipsePixels {
    std::vector<Span> outline;
    std::vector<Span> interior;
};
EllipsePixels thinEllipse(const RectI& box);

}  // namespace plotvale::canvas
