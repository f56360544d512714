#pragma once
// The narrow drawing interface the player talks to. The player works out
// geometry, colours and raster operations; a device only fills, strokes,
// draws text and gives access to its pixels. CanvasDevice draws on a
// canvas::Canvas; other back ends (a tracing device, a faster rasteriser)
// can be put in without touching the player.

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "canvas/font.h"
#include "canvas/geometry.h"
#include "canvas/path.h"
#include "wmf/dib.h"

namespace plotvale::wmf {

using canvas::Color;
using canvas::FillRule;
using canvas::Path;
using canvas::Point;
using canvas::StrokeStyle;

// 0x00RRGGBB as an opaque colour.
inline Color rgbColor(std::uint32_t rgb) {
    return Color{static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                 static_cast<std::uint8_t>(rgb), 255};
}

// How an area is painted: one colour, or an image tiled from tileOrigin
// (hatch and pattern brushes: the device origin, or a part of a large
// pattern cut for one fill); pixels of a tile with alpha 0 are left alone.
struct Paint {
    Color color;
    const Image* tile = nullptr;            // 0x00RRGGBB pixels
    const std::vector<bool>* tileMask = nullptr;  // true where the tile paints; null: everywhere
    Point tileOrigin{0, 0};                 // where a tile's top-left pixel lies
};

struct PixelAccess {
    std::uint32_t* data = nullptr;  // 0xAARRGGBB, rows top-down
    int stride = 0;                 // in pixels
    int width = 0;
    int height = 0;
};

class Device {
public:
    virtual ~Device() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual bool antialias() const = 0;
    virtual void setAntialias(bool on) = 0;

    // Clip to the union of the rectangles; null removes the clip.
    virtual void setClip(const std::vector<canvas::RectI>* rects) = 0;
    // Intersects the current clip with a path until the next setClip.
    virtual void clipToPath(const Path& path) = 0;

    virtual void fill(const Path& path, FillRule rule, const Paint& paint) = 0;
    // Non-empty whole-pixel rectangles in one colour: fill(rectsPath(rects)) without
    // building the path.
    virtual void fillRects(const std::vector<canvas::RectI>& rects, Color color) = 0;
    virtual void stroke(const Path& path, const StrokeStyle& style, Color color) = 0;
    virtual void text(const canvas::Font& font, std::u32string_view text, Point origin,
                      double angle, const std::vector<double>& advances, Color color) = 0;

    // Drawing between beginLayer and endLayer goes to a transparent layer;
    // endLayer merges each covered pixel into the picture through combine
    // (layer colour, picture colour) -> new picture colour. A layer may hold
    // only a band of the picture's rows: what is drawn for it is drawn once
    // per band, each band between its own beginLayer and endLayer, starting
    // with band 0; beginLayer is false (draw nothing, no endLayer) for a
    // band the figure does not reach.
    virtual int layerBands() const = 0;
    virtual bool beginLayer(int band) = 0;
    virtual void endLayer(const std::function<std::uint32_t(std::uint32_t, std::uint32_t)>& combine) = 0;

    // Direct pixel access for raster operations; call pixelsChanged() after writing.
    virtual PixelAccess pixels() = 0;
    virtual void pixelsChanged() = 0;
};

}  // namespace plotvale::wmf
