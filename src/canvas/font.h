#pragma once
// Fonts resolved through fontconfig and drawn with FreeType through Cairo.
//
// A FontSpec names a face, an em size in pixels and the usual styles. resolveFont()
// asks fontconfig for the face; "Arial", "Times New Roman" and "Courier New" find
// their metric-compatible Liberation faces through fontconfig's aliases. When no
// installed font serves the name, the result says so (found == false) and, when a
// fallback was allowed, still carries the similar face fontconfig chose, so text
// can be drawn anyway.

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plotvale::canvas {

struct FontSpec {
    std::string face;          // family name, e.g. "Arial"
    double pixelSize = 16.0;   // em height in device pixels
    double widthScale = 1.0;   // horizontal stretch of the glyphs
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

// Vertical metrics in pixels for the font's em size, as Windows reports them
// (from the OS/2 win metrics when the font has them).
struct FontMetrics {
    double ascent = 0;           // above the baseline
    double descent = 0;          // below the baseline, positive
    double averageCharWidth = 0; // OS/2 average advance before widthScale
    double underlineOffset = 0;  // centre of the underline below the baseline
    double underlineThickness = 1;
    double strikeOutOffset = 0;  // centre of the strike-out above the baseline
    double strikeOutThickness = 1;
};

struct CairoFontFaceDeleter {
    void operator()(cairo_font_face_t* face) const noexcept { cairo_font_face_destroy(face); }
};
struct CairoScaledFontDeleter {
    void operator()(cairo_scaled_font_t* font) const noexcept { cairo_scaled_font_destroy(font); }
};

struct MeasuringFace;

class Font {
public:
    const FontSpec& spec() const { return spec_; }
    // The same resolved face with another size and style (the face name,
    // bold and italic of the new spec are not looked up again).
    Font withSpec(const FontSpec& spec) const {
        Font copy(*this);
        copy.spec_ = spec;
        return copy;
    }
    // True when an installed font serves the requested face name.
    bool found() const { return found_; }
    // The family fontconfig chose.
    const std::string& family() const { return family_; }
    FontMetrics metrics() const;
    // Cell height (ascent + descent) for an em of one pixel; lets callers turn
    // a cell height into an em size.
    double cellPerEm() const;
    // Horizontal shear of the glyphs (x moves by shear times the height above
    // the baseline): a quarter when italic was asked of a face that has no
    // italic, as GDI slants such faces; 0 otherwise.
    double obliqueShear() const { return obliqueShear_; }
    // Whether the face declares the Windows code page with the given bit of
    // its OS/2 code page ranges (0 Latin 1, 3 Greek, 63 OEM 437, ...); faces
    // that declare none are taken to have them all.
    bool hasCodePage(int bit) const;
    // Advance in pixels of each character (before any widthScale is applied
    // it is already included).
    std::vector<double> advances(std::u32string_view text) const;
    // Advances as hinted glyphs have them at the font's size: whole pixels,
    // as aliased text is laid out.
    std::vector<double> hintedAdvances(std::u32string_view text) const;
    // Whole-pixel advances as GDI sums them into a text's extent: FreeType's
    // own advance at the font's size, bitmap strikes left out (for hinted
    // TrueType faces the design width in 1/64 pixels, then rounded).
    std::vector<double> extentAdvances(std::u32string_view text) const;
    double measure(std::u32string_view text) const;
    // Glyph index for a character; symbol fonts are also tried in the private
    // use area U+F000..U+F0FF where their characters live.
    unsigned long glyphIndex(char32_t c) const;

    // For the canvas: the Cairo face and a scaled font for the given matrix.
    cairo_font_face_t* cairoFace() const { return face_.get(); }

private:
    // Whole-pixel advances of FreeType's glyphs loaded with the given flags.
    std::vector<double> loadedAdvances(std::u32string_view text, std::int32_t flags) const;

    friend std::optional<Font> resolveFont(const FontSpec& spec, bool allowFallback);
    FontSpec spec_;
    bool found_ = false;
    std::string family_;
    std::shared_ptr<cairo_font_face_t> face_;
    std::shared_ptr<cairo_scaled_font_t> unitFont_;  // 1-pixel em, for measuring
    std::shared_ptr<MeasuringFace> measuring_;       // FreeType's view, for glyph lookups and extents
    double obliqueShear_ = 0;
    bool emboldened_ = false;  // bold asked of a face without bold: thickened outlines
    std::uint64_t codePages_ = ~std::uint64_t{0};
    double unitsPerEm_ = 1000, winAscent_ = 0, winDescent_ = 0, avgWidth_ = 0;
    double underlinePos_ = 0, underlineSize_ = 0, strikePos_ = 0, strikeSize_ = 0;  // font units
};

// The font for a spec. With allowFallback false an unknown face gives nullopt;
// with true it gives the fallback face with found() == false. nullopt also when
// fontconfig has no font at all.
std::optional<Font> resolveFont(const FontSpec& spec, bool allowFallback = true);

}  // namespace plotvale::canvas
