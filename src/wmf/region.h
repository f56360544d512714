#pragma once
// A clip or drawing region in device pixels: a set of non-overlapping
// rectangles, as GDI keeps regions.

#include <vector>

#include "canvas/geometry.h"

namespace plotvale::wmf {

using canvas::RectI;

// Bounded: a region never keeps more rectangles than this; beyond it further
// pieces are dropped, so hostile files cannot exhaust memory.
inline constexpr std::size_t kMaxRegionRects = 8192;

class Region {
public:
    Region() = default;
    explicit Region(const RectI& rect) { add(rect); }

    const std::vector<RectI>& rects() const { return rects_; }
    bool empty() const { return rects_.empty(); }
    void clear() { rects_.clear(); }

    // The region covered by any of the rectangles, which may overlap; built
    // band by band so its own rectangles never overlap.
    static Region fromRects(std::vector<RectI> rects);
    // Appends a rectangle known not to overlap the others.
    void addDisjoint(const RectI& rect) {
        if (!rect.empty() && rects_.size() < kMaxRegionRects) rects_.push_back(rect);
    }
    // Union with a rectangle.
    void add(const RectI& rect);
    void intersect(const RectI& rect);
    void intersect(const Region& other);
    void subtract(const RectI& rect);
    void offset(int dx, int dy);
    bool contains(int x, int y) const;

private:
    std::vector<RectI> rects_;
};

}  // namespace plotvale::wmf
