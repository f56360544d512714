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

Region Region::fromRects(std::vector<RectI> rects) {
    Region out;
    std::erase_if(rects, [](const RectI& r) { return r.empty(); });
    if (rects.size() > kMaxRegionRects) rects.resize(kMaxRegionRects);
    std::vector<int> edges;
    for (const auto& r : rects) { edges.push_back(r.top); edges.push_back(r.bottom); }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    std::sort(rects.begin(), rects.end(), [](const RectI& a, const RectI& b) { return a.top < b.top; });
    std::vector<const RectI*> active;
    std::size_t next = 0;
    std::vector<std::pair<int, int>> spans;
    for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
        const int top = edges[i], bottom = edges[i + 1];
        while (next < rects.size() && rects[next].top <= top) active.push_back(&rects[next++]);
        std::erase_if(active, [&](const RectI* r) { return r->bottom <= top; });
        spans.clear();
        for (const RectI* r : active) spans.emplace_back(r->left, r->right);
        std::sort(spans.begin(), spans.end());
        for (std::size_t k = 0; k < spans.size();) {
            int left = spans[k].first, right = spans[k].second;
            for (++k; k < spans.size() && spans[k].first <= right; ++k) right = std::max(right, spans[k].second);
            out.addDisjoint(RectI{left, top, right, bottom});
        }
        if (out.rects_.size() >= kMaxRegionRects) break;
    }
    return out;
}

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
    for (const auto& a : rects_) {
        for (const auto& b : other.rects_) {
            const RectI in = intersection(a, b);
            if (!in.empty()) out.push_back(in);
        }
        if (out.size() >= kMaxRegionRects) break;
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

// Repeated offsets stay within an int: coordinates stop a billion pixels out.
void Region::offset(int dx, int dy) {
    auto moved = [](int v, int d) { return static_cast<int>(std::clamp<long long>(static_cast<long long>(v) + d, -1000000000LL, 1000000000LL)); };
    for (auto& r : rects_) {
        r.left = moved(r.left, dx); r.right = moved(r.right, dx);
        r.top = moved(r.top, dy); r.bottom = moved(r.bottom, dy);
    }
}

bool Region::contains(int x, int y) const {
    return std::any_of(rects_.begin(), rects_.end(), [&](const RectI& r) {
        return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    });
}

}  // namespace plotvale::wmf
