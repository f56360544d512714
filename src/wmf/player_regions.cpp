// Region painting (fill, frame, invert, paint) and flood fills.

#include <algorithm>
#include <cmath>

#include "wmf/player.h"
#include "wmf/record_functions.h"

namespace plotvale::wmf {
namespace {

// Runs [first, second) of one row, sorted and apart.
using Runs = std::vector<std::pair<int, int>>;

Runs runsAt(const Region& region, int y) {
    Runs runs;
    for (const auto& r : region.rects())
        if (r.top <= y && y < r.bottom) runs.emplace_back(r.left, r.right);
    std::sort(runs.begin(), runs.end());
    Runs merged;
    for (const auto& run : runs) {
        if (!merged.empty() && run.first <= merged.back().second) merged.back().second = std::max(merged.back().second, run.second);
        else merged.push_back(run);
    }
    return merged;
}

Runs shifted(Runs runs, int d) {
    for (auto& run : runs) { run.first += d; run.second += d; }
    return runs;
}

Runs intersection(const Runs& a, const Runs& b) {
    Runs out;
    for (std::size_t i = 0, j = 0; i < a.size() && j < b.size();) {
        const int l = std::max(a[i].first, b[j].first), r = std::min(a[i].second, b[j].second);
        if (l < r) out.emplace_back(l, r);
        if (a[i].second < b[j].second) ++i;
        else ++j;
    }
    return out;
}

Runs difference(const Runs& a, const Runs& b) {
    Runs out;
    std::size_t j = 0;
    for (auto [l, r] : a) {
        while (j < b.size() && b[j].second <= l) ++j;
        for (std::size_t k = j; k < b.size() && b[k].first < r; ++k) {
            if (b[k].first > l) out.emplace_back(l, b[k].first);
            l = std::max(l, b[k].second);
        }
        if (l < r) out.emplace_back(l, r);
    }
    return out;
}

// Pixels of the region within width/height of its outside: its frame. A
// pixel (x, y) of the region is framed unless (x -+ fw, y) and (x, y -+ fh)
// all lie in it. Worked out on runs, once for every stretch of rows over
// which the rows at y - fh, y and y + fh keep their runs.
std::vector<canvas::RectI> frameOf(const Region& region, int fw, int fh) {
    std::vector<canvas::RectI> out;
    if (region.empty()) return out;
    canvas::RectI box = region.rects().front();
    for (const auto& r : region.rects()) {
        box.left = std::min(box.left, r.left); box.top = std::min(box.top, r.top);
        box.right = std::max(box.right, r.right); box.bottom = std::max(box.bottom, r.bottom);
    }
    // Very large or fragmented regions are filled rather than framed, keeping
    // the work bounded.
    if (static_cast<long long>(box.width()) * box.height() > (1LL << 22) || region.rects().size() > 256)
        return region.rects();
    // Offsets beyond the box look outside the region, however far.
    fw = std::min(fw, box.width() + 1);
    fh = std::min(fh, box.height() + 1);
    std::vector<int> cuts = {box.top, box.bottom};
    for (const auto& r : region.rects())
        for (const int edge : {r.top, r.bottom})
            for (const int cut : {edge - fh, edge, edge + fh})
                if (cut > box.top && cut < box.bottom) cuts.push_back(cut);
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        const int y = cuts[i];
        const Runs row = runsAt(region, y);
        const Runs inner = intersection(intersection(shifted(row, fw), shifted(row, -fw)),
                                        intersection(runsAt(region, y - fh), runsAt(region, y + fh)));
        for (const auto& [l, r] : difference(row, inner)) out.push_back({l, y, r, cuts[i + 1]});
    }
    return out;
}

}  // namespace

void Player::fillRegionRects(const std::vector<canvas::RectI>& rects, const BrushObject& brush) {
    Path path;
    for (const auto& r : rects)
        path.addRect({static_cast<double>(r.left), static_cast<double>(r.top),
                      static_cast<double>(r.width()), static_cast<double>(r.height())});
    if (!path.empty()) fillWithBrush(path, brush, FillRule::NonZero);
}

bool Player::playRegion(const Record& r) {
    const std::uint16_t f = r.function();
    if (f != META_FILLREGION && f != META_FRAMEREGION && f != META_INVERTREGION &&
        f != META_PAINTREGION && f != META_FLOODFILL && f != META_EXTFLOODFILL)
        return false;
    if (f == META_FLOODFILL || f == META_EXTFLOODFILL) {
        const std::size_t base = f == META_EXTFLOODFILL ? 1 : 0;
        const bool surface = f == META_EXTFLOODFILL && r.uword(0) == 1;
        const std::uint32_t color = colorRef(r, 2 * base);
        const Point p = toDevice(r.word(base + 3), r.word(base + 2));
        floodFill(pixelIndex(std::floor(p.x)), pixelIndex(std::floor(p.y)), color, surface);
        return true;
    }
    const GdiObject* o = objects_.get(r.uword(0));
    const auto* regionObject = o ? std::get_if<RegionObject>(o) : nullptr;
    if (regionObject == nullptr) return true;
    Region region = Region::fromRects(regionToDevice(*regionObject));
    if (s_.clip) region.intersect(*s_.clip);
    const BrushObject* brush = &s_.brush;
    if (f == META_FILLREGION || f == META_FRAMEREGION) {
        const GdiObject* b = objects_.get(r.uword(1));
        brush = b ? std::get_if<BrushObject>(b) : nullptr;
        if (brush == nullptr) return true;
    }
    if (f == META_FRAMEREGION) {
        auto whole = [](double v) { return static_cast<int>(std::clamp(std::round(v), 1.0, 1e8)); };
        const int fw = whole(lengthX(r.word(3))), fh = whole(std::abs(r.word(2) * scaleY()));
        fillRegionRects(frameOf(region, fw, fh), *brush);
    } else if (f == META_INVERTREGION) {
        const PixelAccess px = device_.pixels();
        for (const auto& rect : region.rects())
            for (int y = std::max(0, rect.top); y < std::min(px.height, rect.bottom); ++y)
                for (int x = std::max(0, rect.left); x < std::min(px.width, rect.right); ++x) {
                    std::uint32_t& d = px.data[static_cast<std::size_t>(y) * px.stride + x];
                    d = 0xFF000000u | (~d & 0xFFFFFFu);
                }
        device_.pixelsChanged();
    } else {
        fillRegionRects(region.rects(), *brush);
    }
    return true;
}

// Scan-line flood fill on the picture's pixels with the current brush
// colour; bounded by the picture, each pixel visited once.
void Player::floodFill(int x0, int y0, std::uint32_t color, bool surface) {
    const PixelAccess px = device_.pixels();
    if (x0 < 0 || y0 < 0 || x0 >= px.width || y0 >= px.height || s_.brush.style == 1) return;
    auto at = [&](int x, int y) -> std::uint32_t& { return px.data[static_cast<std::size_t>(y) * px.stride + x]; };
    auto inside = [&](int x, int y) {
        if (s_.clip && !s_.clip->contains(x, y)) return false;
        const std::uint32_t c = at(x, y) & 0xFFFFFFu;
        return surface ? c == color : c != color;
    };
    const std::uint32_t fill = 0xFF000000u | s_.brush.color;
    if (!inside(x0, y0) || (at(x0, y0) | 0xFF000000u) == fill) return;
    std::vector<bool> seen(static_cast<std::size_t>(px.width) * px.height, false);
    std::vector<std::pair<int, int>> stack{{x0, y0}};
    while (!stack.empty()) {
        auto [x, y] = stack.back();
        stack.pop_back();
        int left = x;
        while (left > 0 && !seen[static_cast<std::size_t>(y) * px.width + left - 1] && inside(left - 1, y)) --left;
        int right = x;
        while (right + 1 < px.width && !seen[static_cast<std::size_t>(y) * px.width + right + 1] && inside(right + 1, y)) ++right;
        for (int i = left; i <= right; ++i) {
            seen[static_cast<std::size_t>(y) * px.width + i] = true;
            at(i, y) = fill;
        }
        for (int ny : {y - 1, y + 1}) {
            if (ny < 0 || ny >= px.height) continue;
            for (int i = left; i <= right; ++i)
                if (!seen[static_cast<std::size_t>(ny) * px.width + i] && inside(i, ny)) {
                    stack.push_back({i, ny});
                    while (i + 1 <= right && inside(i + 1, ny)) ++i;
                }
        }
    }
    device_.pixelsChanged();
}

}  // namespace plotvale::wmf
