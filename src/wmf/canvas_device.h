#pragma once
// The player's device on a canvas::Canvas.

#include <optional>

#include "canvas/canvas.h"
#include "wmf/device.h"

namespace plotvale::wmf {

class CanvasDevice final : public Device {
public:
    explicit CanvasDevice(canvas::Canvas& target) : target_(target) {}

    int width() const override { return target_.width(); }
    int height() const override { return target_.height(); }
    bool antialias() const override { return target_.antialias(); }
    void setClip(const std::vector<canvas::RectI>* rects) override;
    void clipToPath(const Path& path) override;
    void fill(const Path& path, FillRule rule, const Paint& paint) override;
    void stroke(const Path& path, const StrokeStyle& style, Color color) override;
    void text(const canvas::Font& font, std::u32string_view text, Point origin, double angle,
              const std::vector<double>& advances, Color color) override;
    void beginLayer() override;
    void endLayer(const std::function<std::uint32_t(std::uint32_t, std::uint32_t)>& combine) override;
    PixelAccess pixels() override;
    void pixelsChanged() override { target_.pixelsChanged(); }

private:
    canvas::Canvas& current() { return inLayer_ && layer_ ? *layer_ : target_; }
    void applyClip(canvas::Canvas& canvas);

    canvas::Canvas& target_;
    std::optional<canvas::Canvas> layer_;
    bool inLayer_ = false;
    bool clipped_ = false;
    std::vector<canvas::RectI> clip_;
};

}  // namespace plotvale::wmf
