#include "wmf/canvas_device.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "canvas/raster.h"

namespace plotvale::wmf {
namespace {
// A layer holds at most this much; taller pictures are drawn in bands.
constexpr std::size_t kMaxLayerBytes = std::size_t{64} << 20;
}  // namespace

void CanvasDevice::applyClip(canvas::Canvas& canvas) {
    if (clipped_) canvas.setClipRects(clip_);
    else canvas.resetClip();
}

void CanvasDevice::flushClip() {
    if (!clipPending_) return;
    clipPending_ = false;
    pathClipped_ = false;
    applyClip(target_);
    if (layer_) applyClip(*layer_);
}

canvas::Canvas& CanvasDevice::current() {
    flushClip();
    return inLayer_ && layer_ ? *layer_ : target_;
}

void CanvasDevice::setClip(const std::vector<canvas::RectI>* rects) {
    clipped_ = rects != nullptr;
    if (rects) clip_ = *rects;
    else clip_.clear();
    clipPending_ = true;
}

void CanvasDevice::clipToPath(const Path& path) {
    flushClip();
    pathClipped_ = true;
    target_.clipToPath(path, FillRule::NonZero);
    if (layer_) layer_->clipToPath(path, FillRule::NonZero);
}

void CanvasDevice::touchLayer(const canvas::RectI& box) {
    if (box.empty()) return;
    if (layerBox_.empty()) { layerBox_ = box; return; }
    layerBox_ = {std::min(layerBox_.left, box.left), std::min(layerBox_.top, box.top),
                 std::max(layerBox_.right, box.right), std::max(layerBox_.bottom, box.bottom)};
}

// Control points bound a path's curves, so their box padded by the reach of
// the pen (and a pixel for rounding) bounds what the path paints.
void CanvasDevice::touchLayer(const Path& path, double pad) {
    if (!inLayer_ || path.points().empty()) return;
    double l = path.points()[0].x, t = path.points()[0].y, r = l, b = t;
    for (const Point& p : path.points()) {
        l = std::min(l, p.x); t = std::min(t, p.y);
        r = std::max(r, p.x); b = std::max(b, p.y);
    }
    auto clampX = [&](double v) { return static_cast<int>(std::clamp(v, 0.0, static_cast<double>(width()))); };
    auto clampY = [&](double v) { return static_cast<int>(std::clamp(v, 0.0, static_cast<double>(height()))); };
    touchLayer(canvas::RectI{clampX(std::floor(l - pad)), clampY(std::floor(t - pad)),
                             clampX(std::ceil(r + pad) + 1), clampY(std::ceil(b + pad) + 1)});
}

void CanvasDevice::paintRect(const PixelAccess& px, int top, canvas::RectI r, std::uint32_t value) {
    r = {std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, px.width), std::min(r.bottom, height())};
    if (inLayer_) touchLayer(r);  // the whole figure's reach, whatever the band
    r = {r.left, std::max(r.top, top), r.right, std::min(r.bottom, top + px.height)};
    if (r.empty()) return;
    const auto stride = static_cast<std::size_t>(px.stride);
    for (int y = r.top; y < r.bottom; ++y) {
        std::uint32_t* row = px.data + static_cast<std::size_t>(y - top) * stride;
        std::fill(row + r.left, row + r.right, value);
    }
}

// Solid whole-pixel rectangles (most of what the aliased player draws) are
// written straight into the pixels, clipped to the clip rectangles: Cairo's
// set-up cost per fill outweighs the work for such small fills.
bool CanvasDevice::fillWholePixels(const std::vector<canvas::RectI>& rects, Color color) {
    if (color.a != 255) return false;
    canvas::Canvas& c = current();
    if (pathClipped_) return false;
    const std::uint32_t value = 0xFF000000u | std::uint32_t{color.r} << 16 | std::uint32_t{color.g} << 8 | color.b;
    const PixelAccess px{c.pixels(), c.stride(), c.width(), c.height()};
    const int top = inLayer_ ? layerTop_ : 0;
    for (const canvas::RectI& r : rects) {
        if (!clipped_) { paintRect(px, top, r, value); continue; }
        for (const canvas::RectI& k : clip_)
            paintRect(px, top, {std::max(r.left, k.left), std::max(r.top, k.top), std::min(r.right, k.right),
                               std::min(r.bottom, k.bottom)}, value);
    }
    c.pixelsChanged();
    return true;
}

void CanvasDevice::fillRects(const std::vector<canvas::RectI>& rects, Color color) {
    if (!fillWholePixels(rects, color)) fill(canvas::rectsPath(rects), FillRule::NonZero, Paint{color, nullptr, nullptr});
}

void CanvasDevice::fill(const Path& path, FillRule rule, const Paint& paint) {
    if (paint.tile == nullptr && rule == FillRule::NonZero)
        if (const auto rects = canvas::pixelRectsOf(path); rects && fillWholePixels(*rects, paint.color)) return;
    canvas::Canvas& c = current();
    touchLayer(path, 2);
    if (paint.tile == nullptr) return c.fillPath(path, rule, paint.color);
    auto tile = canvas::Canvas::create(paint.tile->width, paint.tile->height);
    if (!tile) return;
    std::uint32_t* px = tile->pixels();
    for (int y = 0; y < paint.tile->height; ++y)
        for (int x = 0; x < paint.tile->width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * paint.tile->width + x;
            const bool on = paint.tileMask == nullptr || (i < paint.tileMask->size() && (*paint.tileMask)[i]);
            px[static_cast<std::size_t>(y) * tile->stride() + x] = on ? (0xFF000000u | paint.tile->pixels[i]) : 0u;
        }
    tile->pixelsChanged();
    c.fillPathWithTile(path, rule, *tile, paint.tileOrigin);
}

void CanvasDevice::stroke(const Path& path, const StrokeStyle& style, Color color) {
    const bool mitered = style.join == canvas::LineJoin::Miter;
    const double reach = style.width / 2 * (mitered ? std::max(style.miterLimit, 1.0) : 1.0);
    touchLayer(path, reach + style.width + 2);
    current().strokePath(path, style, color);
}

void CanvasDevice::text(const canvas::Font& font, std::u32string_view text, Point origin, double angle,
                        const std::vector<double>& advances, Color color) {
    canvas::TextPlacement placement{origin, angle, &advances};
    if (inLayer_) touchLayer(canvas::RectI{0, 0, width(), height()});
    current().drawText(font, text, placement, color);
}

int CanvasDevice::bandRows() const {
    const std::size_t rows = kMaxLayerBytes / (sizeof(std::uint32_t) * static_cast<std::size_t>(std::max(width(), 1)));
    return static_cast<int>(std::clamp<std::size_t>(rows, 1, static_cast<std::size_t>(std::max(height(), 1))));
}

int CanvasDevice::layerBands() const { return (height() + bandRows() - 1) / bandRows(); }

// The layer is created transparent once and moved from band to band (one
// band for pictures that fit it); endLayer clears what was drawn on it, so
// a layer costs the area drawn, not the whole picture. A figure's first
// band learns how far the figure reaches; later bands it does not reach
// are skipped.
bool CanvasDevice::beginLayer(int band) {
    const int top = band * bandRows();
    if (band == 0) figureBox_ = {};
    else if (figureBox_.empty() || figureBox_.bottom <= top || figureBox_.top >= top + bandRows()) return false;
    if (!layer_) {
        layer_ = canvas::Canvas::createBand(target_.width(), bandRows(), top);
        if (!layer_) return true;
        layerTop_ = top;
        applyClip(*layer_);
    }
    if (layerTop_ != top) {
        if (!layer_->moveBand(top)) { layer_.reset(); return true; }
        layerTop_ = top;
        applyClip(*layer_);
    }
    layer_->setAntialias(target_.antialias());
    layerBox_ = {};
    inLayer_ = true;
    return true;
}

void CanvasDevice::endLayer(const std::function<std::uint32_t(std::uint32_t, std::uint32_t)>& combine) {
    if (!inLayer_ || !layer_) return;
    inLayer_ = false;
    figureBox_ = layerBox_;
    if (layerBox_.empty()) return;
    std::uint32_t* src = layer_->pixels();
    std::uint32_t* dst = target_.pixels();
    const int ss = layer_->stride(), ds = target_.stride();
    const int top = std::max(layerBox_.top, layerTop_);
    const int bottom = std::min({layerBox_.bottom, layerTop_ + layer_->height(), target_.height()});
    for (int y = top; y < bottom; ++y) {
        for (int x = layerBox_.left; x < layerBox_.right; ++x) {
            std::uint32_t& layerPixel = src[static_cast<std::size_t>(y - layerTop_) * ss + x];
            const std::uint32_t s = std::exchange(layerPixel, 0u);
            const std::uint32_t a = s >> 24;
            if (a == 0) continue;
            std::uint32_t& d = dst[static_cast<std::size_t>(y) * ds + x];
            // Layer colours are premultiplied; undo it to get the drawn colour.
            auto ch = [&](int shift) { return std::min(255u, (((s >> shift) & 0xFF) * 255 + a / 2) / a); };
            const std::uint32_t color = ch(16) << 16 | ch(8) << 8 | ch(0);
            const std::uint32_t result = combine(color, d & 0xFFFFFFu);
            if (a >= 255) { d = 0xFF000000u | result; continue; }
            auto mix = [&](int shift) {
                const std::uint32_t r = (result >> shift) & 0xFF, o = (d >> shift) & 0xFF;
                return ((r * a + o * (255 - a) + 127) / 255) << shift;
            };
            d = 0xFF000000u | mix(16) | mix(8) | mix(0);
        }
    }
    layer_->pixelsChanged();
    target_.pixelsChanged();
}

PixelAccess CanvasDevice::pixels() {
    return PixelAccess{target_.pixels(), target_.stride(), target_.width(), target_.height()};
}

}  // namespace plotvale::wmf
