#pragma once
// The pixels of straight lines drawn with a pen in the aliased mode, as GDI
// sets them: one-pixel pens step from pixel to pixel with their dash
// pattern; wider pens are GDI's band along each segment and the pen's end
// at each point, filled by the polygon rule.

#include <optional>
#include <vector>

#include "canvas/geometry.h"
#include "canvas/raster.h"

namespace plotvale::wmf {

// The pixels that the lines through the device points cover within bounds
// when drawn with a pen width pixels wide, one rectangle per run; closed
// lines join their last point to the first. Ends and joins are round (the
// pen's end at every point) whatever the pen's style or the line-cap escapes
// say: GDI draws a metafile's pens that way. Sweeps that cannot reach bounds
// are left out. nullopt, before anything large is built, when the pen and
// the sweeps would cost more than budget (points plus rows crossed within
// bounds), or once their edges cross more than crossingBudget rows.
std::optional<std::vector<canvas::RectI>> widePenPixels(const std::vector<std::vector<canvas::Point>>& lines,
                                                       bool closed, int width, canvas::RectI bounds,
                                                       long long budget, long long crossingBudget);

// The pixels of a one-pixel line through whole-pixel device points, each
// segment without its last pixel. style is the PS_* style: dashes and dots
// put their gaps in `gaps` (the caller paints them under OPAQUE). Pixels
// outside bounds are left out.
struct ThinLinePixels {
    canvas::PixelRuns pen;
    canvas::PixelRuns gaps;
};
ThinLinePixels thinLinePixels(const std::vector<canvas::Point>& pts, bool closed, int style, canvas::RectI bounds);

// A one-pixel pen's dash pattern in pixels, on and off by turns starting with
// on; empty for solid pens.
const std::vector<int>& dashPattern(int style);

}  // namespace plotvale::wmf
