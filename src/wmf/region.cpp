#include "wmf/region.h"

#include <algorithm>

namespace plotvale::wmf {
namespace {

RectI intersection(const RectI& a, const RectI& b) {
    return RectI{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                 std::min(a.bottom, b.bottom)};
}

// Pieces of r outside cut (up to four).
void appendDifference(const RectI& r, const RectI& cut, std::vector<RectI>& out) {
    const RectI in = intersection(r, cut);
    if (in.empty()) { out.push_back(r); return; }
    if (r.top < in.top) out.push_back({r.left, r.top, r.right, in.top});
    if (in.bottom < r.bottom) out.push_back({r.left, in.bottom, r.right, r.bottom});
    if (r.left < in.left) out.push_back({r.left, in.top, in.left, in.bottom});
    if (in.right < r.right) out.push_back({in.right, in.top, r.right, in.bottom});
}

}  // namespace

void Region::add(const RectI& rect) {
    if (rect.empty()) return;
    std::vector<RectI> pieces{rect};
    for (const auto& existing : rects_) {
        std::vector<RectI> rest;
        for (const auto& p : pieces) appendDifference(p, existing, rest);
        pieces.swap(rest);
        if (pieces.empty()) return;
    }
    for (const auto& p : pieces)
        if (rects_.size() < kMaxRegionRects) rects_.push_back(p);
}

void Region::intersect(const RectI& rect) {
    std::vector<RectI> out;
    for (const auto& r : rects_) {
        const RectI in = intersection(r, rect);
        if (!in.empty()) out.push_back(in);
    }
    rects_.swap(out);
}

void Region::intersect(const Region& other) {
    std::vector<RectI> out;
    for (const auto& a : rects_)
        for (const auto& b : other.rects_) {
            const RectI in = intersection(a, b);
            if (!in.empty() && out.size() < kMaxRegionRects) out.push_back(in);
        }
    rects_.swap(out);
}

void Region::subtract(const RectI& rect) {
    if (rect.empty()) return;
    std::vector<RectI> out;
    for (const auto& r : rects_) {
        if (out.size() >= kMaxRegionRects) break;
        appendDifference(r, rect, out);
    }
    rects_.swap(out);
}

void Region::offset(int dx, int dy) {
    for (auto& r : rects_) { r.left += dx; r.right += dx; r.top += dy; r.bottom += dy; }
}

bool Region::contains(int x, int y) const {
    return std::any_of(rects_.begin(), rects_.end(), [&](const RectI& r) {
        return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    });
}

}  // namespace plotvale::wmf
