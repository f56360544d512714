#include "wmf/pattern_tile.h"

namespace plotvale::wmf {
namespace {

// Along one axis: the tile's start and extent, and the pattern's index of
// its first pixel.
struct Axis {
    int start = 0;
    int extent = 0;
    int first = 0;
};

Axis axisFor(int period, int from, int to) {
    if (to - from >= period) return {0, period, 0};
    const int first = ((from % period) + period) % period;
    return {from, to - from, first};
}

}  // namespace

std::optional<PatternTile> patternTileFor(const Image& pattern, const canvas::RectI& box) {
    if (pattern.width <= 0 || pattern.height <= 0 || box.empty()) return std::nullopt;
    if (box.width() >= pattern.width && box.height() >= pattern.height) return std::nullopt;
    const Axis ax = axisFor(pattern.width, box.left, box.right), ay = axisFor(pattern.height, box.top, box.bottom);
    PatternTile tile{{ax.extent, ay.extent, pattern.bottomUp, {}}, {static_cast<double>(ax.start), static_cast<double>(ay.start)}};
    tile.image.pixels.resize(static_cast<std::size_t>(ax.extent) * ay.extent);
    for (int y = 0; y < ay.extent; ++y) {
        const int py = (ay.first + y) % pattern.height;
        for (int x = 0; x < ax.extent; ++x)
            tile.image.pixels[static_cast<std::size_t>(y) * ax.extent + x] = pattern.at((ax.first + x) % pattern.width, py);
    }
    return tile;
}

}  // namespace plotvale::wmf
