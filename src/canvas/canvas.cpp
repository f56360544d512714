#include "canvas/canvas.h"

#include <cmath>

namespace plotvale::canvas {

std::optional<Canvas> Canvas::create(int width, int height) {
    if (width <= 0 || height <= 0) return std::nullopt;
    return onSurface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height), width, height);
}

// The device offset is set before the context is made: a context keeps the
// offset its surface had then.
std::optional<Canvas> Canvas::createBand(int width, int height, int top) {
    if (width <= 0 || height <= 0) return std::nullopt;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_surface_set_device_offset(surface, 0, -top);
    return onSurface(surface, width, height);
}

bool Canvas::moveBand(int top) {
    cairo_surface_set_device_offset(surface_.get(), 0, -top);
    cr_.reset(cairo_create(surface_.get()));
    return cairo_status(cr_.get()) == CAIRO_STATUS_SUCCESS;
}

// Takes ownership of the surface and draws on it.
std::optional<Canvas> Canvas::onSurface(cairo_surface_t* surface, int width, int height) {
    Canvas canvas;
    canvas.surface_.reset(surface);
    if (cairo_surface_status(canvas.surface_.get()) != CAIRO_STATUS_SUCCESS) return std::nullopt;
    canvas.cr_.reset(cairo_create(canvas.surface_.get()));
    if (cairo_status(canvas.cr_.get()) != CAIRO_STATUS_SUCCESS) return std::nullopt;
    canvas.width_ = width;
    canvas.height_ = height;
    return canvas;
}

std::optional<Canvas> Canvas::createOn(std::uint32_t* data, int width, int height, int strideBytes) {
    if (data == nullptr || width <= 0 || height <= 0 ||
        strideBytes != cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, width))
        return std::nullopt;
    return onSurface(cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(data),
                                                         CAIRO_FORMAT_ARGB32, width, height, strideBytes),
                     width, height);
}

void Canvas::setColor(Color c) {
    cairo_set_source_rgba(cr_.get(), c.r / 255.0, c.g / 255.0, c.b / 255.0, c.a / 255.0);
}

void Canvas::applyAntialias() {
    cairo_set_antialias(cr_.get(), antialias_ ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
}

void Canvas::applyPath(const Path& path) {
    cairo_t* cr = cr_.get();
    cairo_new_path(cr);
    const auto& pts = path.points();
    std::size_t i = 0;
    for (const auto verb : path.verbs()) {
        switch (verb) {
        case Path::Verb::Move: cairo_move_to(cr, pts[i].x, pts[i].y); i += 1; break;
        case Path::Verb::Line: cairo_line_to(cr, pts[i].x, pts[i].y); i += 1; break;
        case Path::Verb::Cubic:
            cairo_curve_to(cr, pts[i].x, pts[i].y, pts[i + 1].x, pts[i + 1].y, pts[i + 2].x,
                           pts[i + 2].y);
            i += 3;
            break;
        case Path::Verb::Close: cairo_close_path(cr); break;
        }
    }
}

void Canvas::clear(Color color) {
    cairo_save(cr_.get());
    cairo_reset_clip(cr_.get());
    cairo_set_operator(cr_.get(), CAIRO_OPERATOR_SOURCE);
    setColor(color);
    cairo_paint(cr_.get());
    cairo_restore(cr_.get());
}

static cairo_fill_rule_t toCairo(FillRule rule) {
    return rule == FillRule::EvenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING;
}

void Canvas::fillPath(const Path& path, FillRule rule, Color color) {
    applyAntialias();
    applyPath(path);
    cairo_set_fill_rule(cr_.get(), toCairo(rule));
    setColor(color);
    cairo_fill(cr_.get());
}

void Canvas::fillPathWithTile(const Path& path, FillRule rule, const Canvas& tile, Point origin) {
    applyAntialias();
    applyPath(path);
    cairo_set_fill_rule(cr_.get(), toCairo(rule));
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(tile.surface_.get());
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
    cairo_matrix_t matrix;
    cairo_matrix_init_translate(&matrix, -origin.x, -origin.y);
    cairo_pattern_set_matrix(pattern, &matrix);
    cairo_set_source(cr_.get(), pattern);
    cairo_fill(cr_.get());
    cairo_pattern_destroy(pattern);
}

void Canvas::strokePath(const Path& path, const StrokeStyle& style, Color color) {
    cairo_t* cr = cr_.get();
    applyAntialias();
    applyPath(path);
    cairo_set_line_width(cr, style.width);
    static constexpr cairo_line_cap_t caps[] = {CAIRO_LINE_CAP_BUTT, CAIRO_LINE_CAP_ROUND,
                                                CAIRO_LINE_CAP_SQUARE};
    static constexpr cairo_line_join_t joins[] = {CAIRO_LINE_JOIN_MITER, CAIRO_LINE_JOIN_ROUND,
                                                  CAIRO_LINE_JOIN_BEVEL};
    cairo_set_line_cap(cr, caps[static_cast<int>(style.cap)]);
    cairo_set_line_join(cr, joins[static_cast<int>(style.join)]);
    cairo_set_miter_limit(cr, style.miterLimit);
    cairo_set_dash(cr, style.dashes.data(), static_cast<int>(style.dashes.size()), style.dashOffset);
    setColor(color);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
}

void Canvas::setClipRects(const std::vector<RectI>& rects) {
    cairo_t* cr = cr_.get();
    cairo_reset_clip(cr);
    cairo_new_path(cr);
    for (const auto& r : rects)
        if (!r.empty()) cairo_rectangle(cr, r.left, r.top, r.width(), r.height());
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_clip(cr);
}

void Canvas::clipToPath(const Path& path, FillRule rule) {
    applyAntialias();
    applyPath(path);
    cairo_set_fill_rule(cr_.get(), toCairo(rule));
    cairo_clip(cr_.get());
}

void Canvas::resetClip() { cairo_reset_clip(cr_.get()); }

void Canvas::drawCanvas(const Canvas& src, Point at, double alpha) {
    cairo_set_source_surface(cr_.get(), src.surface_.get(), at.x, at.y);
    cairo_paint_with_alpha(cr_.get(), alpha);
}

void Canvas::drawCanvasScaled(const Canvas& src, const RectD& dst, double alpha, bool smooth) {
    if (dst.width == 0 || dst.height == 0) return;
    cairo_t* cr = cr_.get();
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, std::min(dst.x, dst.x + dst.width), std::min(dst.y, dst.y + dst.height),
                    std::abs(dst.width), std::abs(dst.height));
    cairo_clip(cr);
    cairo_translate(cr, dst.x, dst.y);
    cairo_scale(cr, dst.width / src.width_, dst.height / src.height_);
    cairo_set_source_surface(cr, src.surface_.get(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), smooth ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
}

std::uint32_t* Canvas::pixels() {
    cairo_surface_flush(surface_.get());
    return reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface_.get()));
}

const std::uint32_t* Canvas::pixels() const {
    cairo_surface_flush(surface_.get());
    return reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(surface_.get()));
}

int Canvas::stride() const { return cairo_image_surface_get_stride(surface_.get()) / 4; }

void Canvas::pixelsChanged() { cairo_surface_mark_dirty(surface_.get()); }

Color Canvas::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return Color{0, 0, 0, 0};
    const std::uint32_t v = pixels()[static_cast<std::size_t>(y) * stride() + x];
    const auto a = static_cast<std::uint8_t>(v >> 24);
    auto channel = [&](int shift) {
        const unsigned c = (v >> shift) & 0xFF;
        return static_cast<std::uint8_t>(a == 0 ? 0 : std::min(255u, (c * 255 + a / 2) / a));
    };
    return Color{channel(16), channel(8), channel(0), a};
}

}  // namespace plotvale::canvas
