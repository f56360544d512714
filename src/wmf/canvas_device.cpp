#include "wmf/canvas_device.h"

namespace plotvale::wmf {

void CanvasDevice::applyClip(canvas::Canvas& canvas) {
    if (clipped_) canvas.setClipRects(clip_);
    else canvas.resetClip();
}

void CanvasDevice::setClip(const std::vector<canvas::RectI>* rects) {
    clipped_ = rects != nullptr;
    clip_ = rects ? *rects : std::vector<canvas::RectI>();
    applyClip(target_);
    if (layer_) applyClip(*layer_);
}

void CanvasDevice::clipToPath(const Path& path) {
    target_.clipToPath(path, FillRule::NonZero);
    if (layer_) layer_->clipToPath(path, FillRule::NonZero);
}

void CanvasDevice::fill(const Path& path, FillRule rule, const Paint& paint) {
    canvas::Canvas& c = current();
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
    c.fillPathWithTile(path, rule, *tile, {0, 0});
}

void CanvasDevice::stroke(const Path& path, const StrokeStyle& style, Color color) {
    current().strokePath(path, style, color);
}

void CanvasDevice::text(const canvas::Font& font, std::u32string_view text, Point origin, double angle,
                        const std::vector<double>& advances, Color color) {
    canvas::TextPlacement placement{origin, angle, &advances};
    current().drawText(font, text, placement, color);
}

void CanvasDevice::beginLayer() {
    if (!layer_) {
        layer_ = canvas::Canvas::create(target_.width(), target_.height());
        if (!layer_) return;
        applyClip(*layer_);
    }
    layer_->setAntialias(target_.antialias());
    layer_->clear(Color{0, 0, 0, 0});
    inLayer_ = true;
}

void CanvasDevice::endLayer(const std::function<std::uint32_t(std::uint32_t, std::uint32_t)>& combine) {
    if (!inLayer_ || !layer_) return;
    inLayer_ = false;
    const std::uint32_t* src = layer_->pixels();
    std::uint32_t* dst = target_.pixels();
    const int w = target_.width(), h = target_.height();
    const int ss = layer_->stride(), ds = target_.stride();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::uint32_t s = src[static_cast<std::size_t>(y) * ss + x];
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
    target_.pixelsChanged();
}

PixelAccess CanvasDevice::pixels() {
    return PixelAccess{target_.pixels(), target_.stride(), target_.width(), target_.height()};
}

}  // namespace plotvale::wmf
