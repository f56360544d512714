// Text drawing of Canvas: glyph runs placed by explicit advances along a
// possibly rotated baseline, with underline and strike-out bars.

#include <cmath>

#include "canvas/canvas.h"

namespace plotvale::canvas {

double Canvas::drawText(const Font& font, std::u32string_view text, const TextPlacement& placement,
                        Color color) {
    if (text.empty()) return 0;
    const FontSpec& spec = font.spec();
    const std::vector<double> own = placement.advances ? std::vector<double>() : font.advances(text);
    const std::vector<double>& advances = placement.advances ? *placement.advances : own;
    const double cosA = std::cos(placement.angle), sinA = std::sin(placement.angle);

    std::vector<cairo_glyph_t> glyphs;
    glyphs.reserve(text.size());
    double pen = 0;
    // Aliased glyphs sit on whole pixels: along a rotated baseline each one's
    // offset from the origin is cut toward zero, as GDI places them.
    auto whole = [this](double v) { return antialias_ ? v : std::trunc(v); };
    for (std::size_t i = 0; i < text.size(); ++i) {
        glyphs.push_back({font.glyphIndex(text[i]), placement.origin.x + whole(pen * cosA),
                          placement.origin.y + whole(-pen * sinA)});
        pen += i < advances.size() ? advances[i] : 0;
    }

    cairo_t* cr = cr_.get();
    cairo_save(cr);
    cairo_set_font_face(cr, font.cairoFace());
    cairo_matrix_t matrix;
    cairo_matrix_init_rotate(&matrix, -placement.angle);
    cairo_matrix_scale(&matrix, spec.pixelSize * spec.widthScale, spec.pixelSize);
    cairo_set_font_matrix(cr, &matrix);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, antialias_ ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, antialias_ ? CAIRO_HINT_STYLE_NONE : CAIRO_HINT_STYLE_FULL);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
    setColor(color);
    cairo_show_glyphs(cr, glyphs.data(), static_cast<int>(glyphs.size()));
    cairo_restore(cr);

    // Underline and strike-out bars at the font's own positions, at least a
    // pixel thick. Aliased bars are whole pixels as GDI places them: the
    // position rounded, the bar's top half its thickness (rounded down) above.
    const FontMetrics m = font.metrics();
    auto bar = [&](double offsetBelow, double thickness) {
        thickness = std::max(1.0, std::round(thickness));
        if (!antialias_) offsetBelow = std::round(offsetBelow) - std::floor(thickness / 2) + thickness / 2;
        Path path;
        const Point a{placement.origin.x + offsetBelow * sinA, placement.origin.y + offsetBelow * cosA};
        path.moveTo(a);
        path.lineTo({a.x + pen * cosA, a.y - pen * sinA});
        StrokeStyle style;
        style.width = thickness;
        style.cap = LineCap::Butt;
        strokePath(path, style, color);
    };
    if (spec.underline) bar(m.underlineOffset, m.underlineThickness);
    if (spec.strikeOut) bar(-m.strikeOutOffset, m.strikeOutThickness);
    return pen;
}

}  // namespace plotvale::canvas
