// TEXTOUT and EXTTEXTOUT: fonts by GDI's height rules, character sets,
// alignment, dx advances, escapement, opaque boxes and clipping.

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <numbers>

#include "wmf/font_faces.h"
#include "wmf/player.h"
#include "wmf/record_functions.h"
#include "wmf/text_encoding.h"
#include "wmf/text_order.h"

namespace plotvale::wmf {
namespace {

constexpr std::uint16_t TA_UPDATECP = 1, TA_RIGHT = 2, TA_CENTER = 6, TA_BOTTOM = 8, TA_BASELINE = 24,
                        TA_RTLREADING = 0x100;
constexpr std::uint16_t ETO_OPAQUE = 2, ETO_CLIPPED = 4, ETO_RTLREADING = 0x80, ETO_PDY = 0x2000;

// The first candidate face an installed font has by that very name (not one
// fontconfig likens to it: "Georgia" is no DejaVu Serif to GDI, "Terminal" no
// DejaVu Sans Mono); the last candidate is drawn even when fontconfig only
// finds a substitute for it.
std::optional<canvas::Font> resolveCached(const FontObject& f, bool bold, bool italic) {
    thread_local std::map<std::tuple<std::string, int, int, bool, bool>, std::optional<canvas::Font>> cache;
    const auto key = std::make_tuple(f.face, f.pitchAndFamily, f.charset, bold, italic);
    if (auto it = cache.find(key); it != cache.end()) return it->second;
    canvas::FontSpec spec;
    spec.bold = bold;
    spec.italic = italic;
    const auto faces = candidateFaces(f);
    auto sameName = [](const std::string& a, const std::string& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
        });
    };
    // A face that does not declare the character set's code page is passed
    // over for one that does, as GDI's mapper passes it over (Tahoma has no
    // Greek); when none does, the face is kept.
    auto choose = [&](int codePage) {
        std::optional<canvas::Font> chosen;
        for (std::size_t i = 0; i < faces.size() && !chosen; ++i) {
            spec.face = faces[i];
            const bool last = i + 1 == faces.size();
            chosen = canvas::resolveFont(spec, last);
            if (chosen && !last && (!sameName(chosen->family(), faces[i]) || !chosen->hasCodePage(codePage)))
                chosen.reset();
        }
        return chosen;
    };
    const int codePage = codePageBit(f.charset);
    std::optional<canvas::Font> font = choose(codePage);
    if (font && !font->hasCodePage(codePage)) font = choose(-1);
    // Face names come from the files: a long run of hostile ones must not
    // grow the cache without end.
    if (cache.size() >= 512) cache.clear();
    cache.emplace(key, font);
    return font;
}

}  // namespace

bool Player::playText(const Record& r) {
    if (r.function() == META_TEXTOUT) {
        const std::size_t length = r.uword(0);
        const std::size_t padded = (length + 1) / 2 * 2;
        const std::string_view bytes = r.bytes().substr(std::min<std::size_t>(2, r.size()), std::min(length, r.size() > 2 ? r.size() - 2 : 0));
        const std::size_t at = (2 + padded) / 2;
        drawText(r.word(at + 1), r.word(at), bytes, nullptr, 0, nullptr);
        return true;
    }
    if (r.function() != META_EXTTEXTOUT) return false;
    const double y = r.word(0), x = r.word(1);
    const std::size_t length = r.uword(2);
    const std::uint16_t options = r.uword(3);
    std::size_t at = 8;
    std::optional<canvas::RectI> rect;
    if (options & (ETO_OPAQUE | ETO_CLIPPED)) {
        rect = toDeviceRect(r.s16(8), r.s16(10), r.s16(12), r.s16(14));
        at = 16;
    }
    const std::string_view bytes = r.bytes().substr(std::min(at, r.size()), std::min(length, r.size() > at ? r.size() - at : 0));
    std::vector<int> dx;
    const std::size_t dxAt = at + (length + 1) / 2 * 2;
    // Playback ignores an array of (dx, dy) pairs: the references place such
    // text by the font's own advances.
    if (dxAt + 2 * length <= r.size() && !(options & ETO_PDY))
        for (std::size_t i = 0; i < length; ++i) dx.push_back(r.s16(dxAt + 2 * i));
    drawText(x, y, bytes, dx.empty() ? nullptr : &dx, options, rect ? &*rect : nullptr);
    return true;
}

// The font for the selected font object at the current mapping, and how its
// text bytes are to be read.
std::optional<canvas::Font> Player::textFont(SymbolEncoding& symbols) const {
    const FontObject& f = s_.font;
    // Symbol and dingbat text becomes the Unicode symbols those faces show,
    // drawn with a face that carries them.
    symbols = SymbolEncoding::None;
    FontObject drawn = f;
    if (dingbatFaceOf(f.face) != DingbatFace::None) {
        symbols = SymbolEncoding::Dingbats;
        drawn.face = kDingbatFont;
    } else if (isSymbolFace(f.face) && f.face.size() == 6) {
        symbols = SymbolEncoding::Symbol;
        drawn.face = kDingbatFont;
    }
    auto base = resolveCached(drawn, f.weight >= 600, f.italic);
    if (!base) return std::nullopt;
    // Aliased, GDI cuts the height down to whole pixels first (a 23.9-pixel
    // cell draws as 23), as it does the width.
    double deviceHeight = std::abs(f.height * scaleY());
    if (!device_.antialias()) deviceHeight = std::floor(deviceHeight + 1e-9);
    canvas::FontSpec spec = base->spec();
    // Negative heights are character (em) heights, positive ones cell heights;
    // 0 is GDI's default, a 16-pixel cell (its text matches that of -14 and 16).
    const double cell = f.height > 0 ? deviceHeight : 16 * dpiScale_;
    spec.pixelSize = f.height < 0 ? deviceHeight : cell / base->cellPerEm();
    spec.underline = f.underline;
    spec.strikeOut = f.strikeOut;
    // Aliased text uses whole-pixel ems: a cell height gives the nearest em
    // whose own cell, rounded, does not exceed it (GDI draws a 14-pixel Arial
    // cell, 12.53 ems, with a 12-pixel em: 13 would make a 15-pixel cell).
    if (!device_.antialias()) {
        spec.pixelSize = std::max(1.0, std::round(spec.pixelSize));
        if (f.height >= 0 && spec.pixelSize > 1 && std::round(spec.pixelSize * base->cellPerEm()) > cell)
            spec.pixelSize -= 1;
    }
    canvas::Font font = base->withSpec(spec);
    // A width stretches the glyphs so that the average character width
    // becomes it: aliased, the average in whole pixels as GDI reports it, so
    // the width a file names for its own font draws that font unstretched,
    // and the width cut down to whole pixels (GDI's 13.9-pixel width draws
    // as 13).
    double average = font.metrics().averageCharWidth;
    double width = lengthX(f.width);
    if (!device_.antialias()) {
        average = std::max(1.0, std::round(average));
        width = std::floor(width + 1e-9);
    }
    if (width > 0 && average > 0) {
        spec.widthScale = width / average;
        font = base->withSpec(spec);
    }
    return font;
}

// Device advance of each character: the record's dx values (one per byte),
// or the font's advances with character extra and justification.
std::vector<double> Player::textAdvances(const canvas::Font& font, const DecodedText& decoded,
                                         const std::vector<int>* dx, TextLayout layout) const {
    std::vector<double> advances;
    if (dx) {
        // Aliased, each character starts at its position along the text
        // rounded to whole pixels. Character extra is added to the given
        // widths too; justification is not.
        std::size_t byte = 0;
        double along = 0, placed = 0;
        for (std::size_t n : decoded.bytesPerChar) {
            double sum = s_.charExtra;
            for (std::size_t k = 0; k < n && byte < dx->size(); ++k, ++byte) sum += (*dx)[byte];
            along += lengthX(sum);
            const double next = layout == TextLayout::Design ? along : std::floor(along + 0.5);
            advances.push_back(next - placed);
            placed = next;
        }
        return advances;
    }
    const bool hinted = layout == TextLayout::Hinted;
    if (layout != TextLayout::Design && font.spec().widthScale != 1) {
        // Stretched glyphs advance by the unstretched widths times the
        // stretch, rounded up, as GDI lays them out: the hinted widths where
        // they are drawn, the extent's (FreeType's widths in whole pixels) where
        // the text is aligned and measured.
        canvas::FontSpec unstretched = font.spec();
        unstretched.widthScale = 1;
        const canvas::Font plain = font.withSpec(unstretched);
        advances = layout == TextLayout::Extent ? plain.extentAdvances(decoded.text) : plain.hintedAdvances(decoded.text);
        for (double& a : advances) a = std::ceil(a * font.spec().widthScale - 1e-6);
    } else if (layout == TextLayout::Extent) {
        advances = font.extentAdvances(decoded.text);
    } else if (hinted && (s_.charExtra != 0 || (s_.breakCount > 0 && s_.breakExtra != 0))) {
        // Spaced text advances by the extent's widths (FreeType's widths in
        // whole pixels), not the hinted ones: GDI's 11-pixel h at 22 pixels moves
        // 13 pixels with an extra of 1.
        advances = font.extentAdvances(decoded.text);
    } else {
        advances = hinted ? font.hintedAdvances(decoded.text) : font.advances(decoded.text);
    }
    // Character extra and justification keep their sign: a negative extra
    // draws the characters closer.
    const double perUnit = std::abs(scaleX());
    const double perBreak = s_.breakCount > 0 ? s_.breakExtra * perUnit / s_.breakCount : 0;
    for (std::size_t i = 0; i < advances.size(); ++i) {
        advances[i] += s_.charExtra * perUnit;
        if (decoded.text[i] == U' ') advances[i] += perBreak;
    }
    return advances;
}

// A length of aliased text layout in device pixels as GDI keeps it: whole
// pixels, then whole logical units (it aligns text and moves the current
// position in logical units), then whole pixels again; so at 192 DPI a
// 96-DPI picture's ascents and extents come out even.
double Player::wholeTextUnits(double length, double scale) const {
    if (device_.antialias()) return length;
    const double unit = std::abs(scale);
    return std::floor(std::floor(std::round(length) / unit + 0.5) * unit + 0.5);
}

// Start of the baseline, in device pixels, for text of the given device
// width whose reference point is the logical point (x, y), by the three
// parts of the text alignment.
Point Player::textOrigin(double x, double y, const canvas::FontMetrics& m, double width, double angle) const {
    const double cosA = std::cos(angle), sinA = std::sin(angle);
    double along = 0;
    // Aliased, centred text starts half its width, rounded down, before.
    if ((s_.textAlign & TA_CENTER) == TA_CENTER) along = device_.antialias() ? -width / 2 : -std::floor(width / 2);
    else if (s_.textAlign & TA_RIGHT) along = -width;
    double down = wholeTextUnits(m.ascent, scaleY());  // TA_TOP
    if ((s_.textAlign & TA_BASELINE) == TA_BASELINE) down = 0;
    else if (s_.textAlign & TA_BOTTOM) down = -wholeTextUnits(m.descent, scaleY());
    Point origin{(x - s_.windowOrgX) * scaleX(), (y - s_.windowOrgY) * scaleY()};
    // Aliased, the reference point is rounded to whole pixels, halves going
    // right and down; the start of a rotated baseline then rounds down.
    if (!device_.antialias()) {
        origin = {std::floor(std::floor(origin.x + 0.5) + along * cosA + down * sinA),
                  std::floor(std::floor(origin.y + 0.5) - along * sinA + down * cosA)};
    } else {
        origin = {origin.x + along * cosA + down * sinA, origin.y - along * sinA + down * cosA};
    }
    return origin;
}

// Escapement in radians, counter-clockwise on the device: the direction
// turns when exactly one axis is flipped.
double Player::textAngle() const {
    const double angle = s_.font.escapement / 10.0 * std::numbers::pi / 180.0;
    return (scaleX() < 0) != (scaleY() < 0) ? -angle : angle;
}

// The text's width as GDI aligns it and moves the current position by it:
// aliased, the sum of the extent's whole-pixel widths (or of the dx
// advances) in whole logical units, whatever widths the glyphs advance by.
double Player::textExtent(const canvas::Font& font, const DecodedText& decoded, const std::vector<int>* dx,
                          const std::vector<double>& advances) const {
    double width = 0;
    if (device_.antialias()) {
        for (double a : advances) width += a;
        return width;
    }
    for (double a : dx ? advances : textAdvances(font, decoded, dx, TextLayout::Extent)) width += std::round(a);
    return wholeTextUnits(width, scaleX());
}

void Player::drawText(double x, double y, std::string_view bytes, const std::vector<int>* dx,
                      std::uint16_t options, const canvas::RectI* rect) {
    auto rectPath = [](const canvas::RectI& r) {
        Path p;
        p.addRect({static_cast<double>(r.left), static_cast<double>(r.top), static_cast<double>(r.width()),
                   static_cast<double>(r.height())});
        return p;
    };
    const bool opaqueRect = rect && (options & ETO_OPAQUE);
    if (opaqueRect) device_.fill(rectPath(*rect), FillRule::NonZero, Paint{rgbColor(s_.bkColor), nullptr, nullptr});
    if (bytes.empty()) return;
    SymbolEncoding symbols = SymbolEncoding::None;
    const auto font = textFont(symbols);
    if (!font) return;
    DecodedText decoded = decodeText(bytes, s_.font.charset, symbols, dingbatFaceOf(s_.font.face));
    // Hebrew and Arabic runs are placed in visual order, each character with
    // its own width.
    std::vector<int> orderedDx;
    if (toVisualOrder(decoded, dx, orderedDx, (s_.textAlign & TA_RTLREADING) || (options & ETO_RTLREADING)) && dx)
        dx = &orderedDx;
    const bool aliased = !device_.antialias();
    const double angle = textAngle();
    // Aliased glyphs advance by their hinted widths, rotated ones by the
    // extent's (GDI does not hint rotated glyphs' advances).
    const TextLayout layout = !aliased ? TextLayout::Design : angle != 0 ? TextLayout::Extent : TextLayout::Hinted;
    const std::vector<double> advances = textAdvances(*font, decoded, dx, layout);
    const bool updateCp = (s_.textAlign & TA_UPDATECP) != 0;
    // Left-aligned text without a background box and without the current
    // position needs no extent.
    const bool needsExtent = updateCp || (s_.textAlign & TA_CENTER) || (s_.bkMode == 2 && !opaqueRect);
    const double width = needsExtent ? textExtent(*font, decoded, dx, advances) : 0;
    const double cosA = std::cos(angle), sinA = std::sin(angle);
    const canvas::FontMetrics m = font->metrics();
    const Point origin = updateCp ? textOrigin(s_.curX, s_.curY, m, width, angle) : textOrigin(x, y, m, width, angle);

    // ETO_CLIPPED clips the cells' background too.
    const bool clipped = rect && (options & ETO_CLIPPED);
    if (clipped) device_.clipToPath(rectPath(*rect));
    if (s_.bkMode == 2 && !opaqueRect) {  // OPAQUE background: the text's cells
        // Aliased, the cell's ascent and descent are whole logical units, as
        // in the alignment.
        const double up = aliased ? wholeTextUnits(m.ascent, scaleY()) : m.ascent;
        const double h = up + (aliased ? wholeTextUnits(m.descent, scaleY()) : m.descent);
        const Point top{origin.x - up * sinA, origin.y - up * cosA};
        Path box;
        box.addPolygon({top, {top.x + width * cosA, top.y - width * sinA},
                        {top.x + width * cosA + h * sinA, top.y - width * sinA + h * cosA},
                        {top.x + h * sinA, top.y + h * cosA}}, true);
        device_.fill(box, FillRule::NonZero, Paint{rgbColor(s_.bkColor), nullptr, nullptr});
    }
    device_.text(*font, decoded.text, origin, angle, advances, rgbColor(s_.textColor));
    if (clipped) applyClip();
    if (updateCp) {
        // The current position moves to the far end of left-aligned text and
        // to the start of right-aligned text; centred text leaves it.
        const double along = (s_.textAlign & TA_CENTER) == TA_CENTER ? 0 : (s_.textAlign & TA_RIGHT) ? -width : width;
        // GDI keeps the position in whole logical units.
        auto whole = [this](double v) { return device_.antialias() ? v : std::round(v); };
        s_.curX += whole(along * cosA / scaleX());
        s_.curY -= whole(along * sinA / scaleY());
    }
}

}  // namespace plotvale::wmf
