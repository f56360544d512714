#pragma once
// A 32-bit drawing surface on Cairo: filled and stroked paths, clipping,
// compositing one canvas onto another, and text in a resolved Font.
//
// Pixels are Cairo's ARGB32: one native-endian 32-bit word per pixel,
// 0xAARRGGBB, premultiplied by alpha, rows top-down. Pixel access (pixels(),
// pixelsChanged()) lets callers run their own per-pixel operations, such as
// raster operations, between drawing calls. toBitmap() in canvas_bitmap.h hands
// a canvas over to FreeImage with straight alpha.
//
// Each drawing call honours the current clip and the anti-alias switch: with
// anti-aliasing off, shapes cover exactly the pixels whose centres they contain
// and text is drawn with hinted, one-bit glyphs.

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "canvas/font.h"
#include "canvas/geometry.h"
#include "canvas/path.h"

namespace plotvale::canvas {

struct CairoSurfaceDeleter {
    void operator()(cairo_surface_t* s) const noexcept { cairo_surface_destroy(s); }
};
struct CairoContextDeleter {
    void operator()(cairo_t* c) const noexcept { cairo_destroy(c); }
};

// Where and how a run of text is placed.
struct TextPlacement {
    Point origin;                        // start of the baseline, device pixels
    double angle = 0;                    // radians, counter-clockwise on screen
    const std::vector<double>* advances = nullptr;  // per-character advance; null: the font's
};

class Canvas {
public:
    // A transparent canvas, or nullopt when the size is not positive or the
    // surface cannot be allocated.
    static std::optional<Canvas> create(int width, int height);
    // A canvas drawing into memory the caller owns and keeps alive as long
    // as the canvas: width x height ARGB32 pixels, rows top-down, stride in
    // bytes as cairo_format_stride_for_width gives it. nullopt otherwise.
    static std::optional<Canvas> createOn(std::uint32_t* data, int width, int height, int strideBytes);
    // A transparent canvas of width x height pixels holding the rows from
    // `top` down of a larger drawing: what is drawn at (x, y) lands on its
    // pixel (x, y - top). nullopt as for create.
    static std::optional<Canvas> createBand(int width, int height, int top);
    // Moves a band canvas to hold the rows from `top` down: its pixels stay,
    // the drawing state (clip, path) starts afresh. False when the new
    // drawing context cannot be made.
    bool moveBand(int top);

    int width() const { return width_; }
    int height() const { return height_; }
    void setAntialias(bool on) { antialias_ = on; }
    bool antialias() const { return antialias_; }

    void clear(Color color);
    void fillPath(const Path& path, FillRule rule, Color color);
    // Fills with tile repeated, its top-left corner at origin (device pixels),
    // sampled without smoothing.
    void fillPathWithTile(const Path& path, FillRule rule, const Canvas& tile, Point origin);
    void strokePath(const Path& path, const StrokeStyle& style, Color color);

    // Clipping. setClipRects replaces the clip by the union of the rectangles
    // (an empty list clips everything away); clipToPath intersects.
    void setClipRects(const std::vector<RectI>& rects);
    void clipToPath(const Path& path, FillRule rule);
    void resetClip();

    // Composites src with its top-left corner at 'at', scaled by alpha 0..1.
    void drawCanvas(const Canvas& src, Point at, double alpha);
    // Composites src stretched onto dst; a negative width or height mirrors it.
    void drawCanvasScaled(const Canvas& src, const RectD& dst, double alpha, bool smooth);

    // Text: draws characters with the font's glyphs; underline and strike-out
    // follow the font spec. Returns the total advance in pixels.
    double drawText(const Font& font, std::u32string_view text, const TextPlacement& placement,
                    Color color);

    // Raw pixel access; call pixelsChanged() after writing.
    std::uint32_t* pixels();
    const std::uint32_t* pixels() const;
    int stride() const;  // in pixels
    void pixelsChanged();
    Color pixel(int x, int y) const;  // straight alpha; transparent outside

    cairo_surface_t* surface() const { return surface_.get(); }

private:
    Canvas() = default;
    static std::optional<Canvas> onSurface(cairo_surface_t* surface, int width, int height);
    void applyPath(const Path& path);
    void applyAntialias();
    void setColor(Color color);
    void showGlyphs(const Font& font, const std::vector<cairo_glyph_t>& glyphs, double angle, Color color);
    void fillOutlineGlyphs(const Font& font, const std::vector<cairo_glyph_t>& glyphs, double angle, Color color);

    std::unique_ptr<cairo_surface_t, CairoSurfaceDeleter> surface_;
    std::unique_ptr<cairo_t, CairoContextDeleter> cr_;
    int width_ = 0;
    int height_ = 0;
    bool antialias_ = true;
};

}  // namespace plotvale::canvas
