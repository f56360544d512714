#pragma once
// Aliased polygon filling by the sample-point rule of the classic Windows
// rasteriser: pixel (x, y) is filled when the point (x, y) itself lies
// inside, edges running through it count on their top and left sides only.
// Cairo samples pixel centres and breaks ties its own way; drawing the spans
// computed here as whole-pixel rectangles gives the same pixels as GDI.

#include <vector>

#include "canvas/geometry.h"
#include "canvas/path.h"

namespace plotvale::canvas {

// Filled pixels [left, right) of one row.
struct Span {
    int y = 0;
    int left = 0;
    int right = 0;
};

// Spans of the polygons filled together with the rule, within bounds.
std::vector<Span> polygonSpans(const std::vector<std::vector<Point>>& polygons, FillRule rule,
                               const RectI& bounds);

// The spans as a path of whole-pixel rectangles; equal spans of consecutive
// rows share one rectangle.
Path spanPath(const std::vector<Span>& spans);

}  // namespace plotvale::canvas
