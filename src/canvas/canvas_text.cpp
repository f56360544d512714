// Text drawing of Canvas: glyph runs placed by explicit advances along a
// possibly rotated baseline, with underline and strike-out bars.

#include <cmath>
#include <memory>

#include "canvas/canvas.h"

namespace plotvale::canvas {

namespace {

// Font options for drawing: aliased glyphs fully hinted, anti-aliased ones
// unhinted; metrics never hinted (the player gives the advances).
void setGlyphOptions(cairo_t* cr, bool antialias) {
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, antialias ? CAIRO_HINT_STYLE_NONE : CAIRO_HINT_STYLE_FULL);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

// Appends a Cairo path to path, each point mapped by map.
template <typename Map>
void appendPath(Path& path, const cairo_path_t& from, const Map& map) {
    for (int i = 0; i < from.num_data; i += from.data[i].header.length) {
        const cairo_path_data_t* d = &from.data[i];
        switch (d->header.type) {
        case CAIRO_PATH_MOVE_TO: path.moveTo(map(d[1])); break;
        case CAIRO_PATH_LINE_TO: path.lineTo(map(d[1])); break;
        case CAIRO_PATH_CURVE_TO: path.cubicTo(map(d[1]), map(d[2]), map(d[3])); break;
        case CAIRO_PATH_CLOSE_PATH: path.close(); break;
        }
    }
}

}  // namespace

void Canvas::showGlyphs(const Font& font, const std::vector<cairo_glyph_t>& glyphs, double angle, Color color) {
    cairo_t* cr = cr_.get();
    const FontSpec& spec = font.spec();
    cairo_save(cr);
    cairo_set_font_face(cr, font.cairoFace());
    cairo_matrix_t matrix;
    cairo_matrix_init_rotate(&matrix, -angle);
    cairo_matrix_scale(&matrix, spec.pixelSize * spec.widthScale, spec.pixelSize);
    cairo_matrix_t shear;
    cairo_matrix_init(&shear, 1, 0, -font.obliqueShear(), 1, 0, 0);
    cairo_matrix_multiply(&matrix, &shear, &matrix);
    cairo_set_font_matrix(cr, &matrix);
    setGlyphOptions(cr, antialias_);
    setColor(color);
    cairo_show_glyphs(cr, glyphs.data(), static_cast<int>(glyphs.size()));
    cairo_restore(cr);
}

// Aliased stretched or slanted glyphs as GDI draws them: each glyph's
// outline hinted at the font's unstretched upright size, then stretched,
// slanted (and turned) and filled on its whole-pixel position. Cairo would hint them at the stretched size, which
// makes other stems (GDI's 2-pixel stems of Arial at 20 pixels stretched
// by 1.45 stay 2 pixels; hinted stretched they are 3).
void Canvas::fillOutlineGlyphs(const Font& font, const std::vector<cairo_glyph_t>& glyphs, double angle,
                                 Color color) {
    cairo_t* cr = cr_.get();
    const FontSpec& spec = font.spec();
    const double cosA = std::cos(angle), sinA = std::sin(angle);
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_set_font_face(cr, font.cairoFace());
    cairo_matrix_t matrix;
    cairo_matrix_init_scale(&matrix, spec.pixelSize, spec.pixelSize);
    cairo_set_font_matrix(cr, &matrix);
    setGlyphOptions(cr, false);
    Path stretched;
    for (const cairo_glyph_t& placed : glyphs) {
        const cairo_glyph_t glyph{placed.index, 0, 0};
        cairo_new_path(cr);
        cairo_glyph_path(cr, &glyph, 1);
        const std::unique_ptr<cairo_path_t, void (*)(cairo_path_t*)> outline(cairo_copy_path(cr), cairo_path_destroy);
        appendPath(stretched, *outline, [&](const cairo_path_data_t& p) {
            const double x = p.point.x * spec.widthScale - font.obliqueShear() * p.point.y, y = p.point.y;
            return Point{placed.x + x * cosA + y * sinA, placed.y - x * sinA + y * cosA};
        });
    }
    cairo_new_path(cr);
    cairo_restore(cr);
    fillPath(stretched, FillRule::NonZero, color);
}

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
    if (!antialias_ && (spec.widthScale != 1 || font.obliqueShear() != 0)) fillOutlineGlyphs(font, glyphs, placement.angle, color);
    else showGlyphs(font, glyphs, placement.angle, color);

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
