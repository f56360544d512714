#pragma once
// The pixels of whole-pixel rectangles as a set, for comparing coverage.

#include <set>
#include <utility>
#include <vector>

#include "canvas/geometry.h"

namespace plotvale::canvas {

inline std::set<std::pair<int, int>> pixelsOf(const std::vector<RectI>& rects) {
    std::set<std::pair<int, int>> out;
    for (const RectI& r : rects)
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) out.insert({x, y});
    return out;
}

}  // namespace plotvale::canvas
