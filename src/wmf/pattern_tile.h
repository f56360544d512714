#pragma once
// The part of a pattern brush a fill can show. A pattern is tiled from the
// device origin; where the area to fill is narrower or shorter than the
// pattern, only the pattern's pixels under that area are taken, so a fill
// costs what it covers, not the pattern's size (a million-pixel pattern
// filling a small rectangle thousands of times).

#include <optional>

#include "canvas/geometry.h"
#include "wmf/dib.h"

namespace plotvale::wmf {

struct PatternTile {
    Image image;              // the pattern's pixels from origin on
    canvas::Point origin;     // where the tile's top-left pixel lies on the device
};

// The smaller tile for filling within box, or nullopt when the whole
// pattern is needed along both axes (or box is empty).
std::optional<PatternTile> patternTileFor(const Image& pattern, const canvas::RectI& box);

}  // namespace plotvale::wmf
