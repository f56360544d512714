#pragma once
// The dash pattern of a one-pixel pen laid along the pixels of a closed curve.

#include <vector>

#include "canvas/pixel_spans.h"
#include "wmf/pen_geometry.h"

namespace plotvale::wmf {

// The outline pixels of an ellipse inscribed in box, split into the pen's
// dashes and gaps in the order GDI runs the outline: from the rightmost point
// counter-clockwise on the screen. Solid pens put every pixel in `pen`.
ThinLinePixels dashEllipse(const std::vector<canvas::Span>& outline, const canvas::RectI& box, int style);

}  // namespace plotvale::wmf
