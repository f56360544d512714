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
    void setAntialias(bool on) override {
        target_.setAntialias(on);
        if (layer_) layer_->setAntialias(on);
    }
    void setClip(const std::vector<canvas::RectI>* rects) override;
    void clipToPath(const Path& path) override;
    void fill(const Path& path, FillRule rule, const Paint& paint) override;
    void fillRects(const std::vector<canvas::RectI>& rects, Color color) override;
    void stroke(const Path& path, const StrokeStyle& style, Color color) override;
    void text(const canvas::Font& font, std::u32string_view text, Point origin, double angle,
              const std::vector<double>& advances, Color color) override;
    int layerBands() const override;
    bool beginLayer(int band) override;
    void endLayer(const std::function<std::uint32_t(std::uint32_t, std::uint32_t)>& combine) override;
    PixelAccess pixels() override;
    void pixelsChanged() override { target_.pixelsChanged(); }

private:
    // The canvas drawing goes to, with the pending clip applied.
    canvas::Canvas& current();
    void applyClip(canvas::Canvas& canvas);
    void flushClip();
    // Widens the area the layer has been drawn on.
    void touchLayer(const Path& path, double pad);
    void touchLayer(const canvas::RectI& box);
    bool fillWholePixels(const std::vector<canvas::RectI>& rects, Color color);
    // Writes the rectangle (picture pixels) into pixels holding the rows from top down.
    void paintRect(const PixelAccess& pixels, int top, canvas::RectI rect, std::uint32_t value);
    int bandRows() const;

    canvas::Canvas& target_;
    std::optional<canvas::Canvas> layer_;
    int layerTop_ = 0;  // the picture row of the layer's first row
    bool inLayer_ = false;
    bool clipped_ = false;
    // Clip records often come in long runs with nothing drawn between them;
    // the clip reaches Cairo only when something is drawn.
    bool clipPending_ = false;
    bool pathClipped_ = false;  // a clip path is in force until the next clip is applied
    std::vector<canvas::RectI> clip_;
    canvas::RectI layerBox_;  // drawn area of the layer, empty when untouched
    canvas::RectI figureBox_;  // what the figure drawn band by band reached in its first band
};

}  // namespace plotvale::wmf
