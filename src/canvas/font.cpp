#include "canvas/font.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cstdint>
#include <cctype>
#include <cmath>
#include <map>
#include <mutex>
#include <tuple>

namespace plotvale::canvas {
namespace {

struct FcPatternDeleter {
    void operator()(FcPattern* p) const noexcept { FcPatternDestroy(p); }
};
using PatternPtr = std::unique_ptr<FcPattern, FcPatternDeleter>;

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::vector<std::string> familiesOf(FcPattern* pattern) {
    std::vector<std::string> out;
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(pattern, FC_FAMILY, i, &name) == FcResultMatch; ++i)
        out.push_back(lower(reinterpret_cast<const char*>(name)));
    return out;
}

PatternPtr substitutedPattern(const std::string& face, bool bold, bool italic) {
    PatternPtr pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(face.c_str()));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    return pattern;
}

// The first family fontconfig falls back to for a name it knows nothing about.
const std::string& defaultFallbackHead() {
    static const std::string head = [] {
        const PatternPtr probe = substitutedPattern("plotvale-no-such-face", false, false);
        const auto families = familiesOf(probe.get());
        return families.size() > 1 ? families[1] : std::string();
    }();
    return head;
}

// A matched family serves the request when the configuration lists it before
// the default fall-back families every unknown name gets: that is an alias
// (Arial -> Liberation Sans), not a substitute.
bool servesRequest(FcPattern* substituted, const std::string& matched, const std::string& wanted) {
    if (lower(matched) == lower(wanted)) return true;
    const auto families = familiesOf(substituted);
    const std::string& head = defaultFallbackHead();
    for (std::size_t i = 1; i < families.size(); ++i) {
        if (families[i] == head) return false;
        if (families[i] == lower(matched)) return true;
    }
    return false;
}

struct FaceFile {
    std::string path;
    int index = 0;
    std::string family;
    bool found = false;
};

// Old Windows pictures name Tahoma, MS Sans Serif and Small Fonts, which no
// font in the usual folders serves. Debian's fonts-wine carries compatible
// faces in a folder of its own; it joins the fonts fontconfig matches from.
bool addCompatibleFaces() {
    return FcConfigAppFontAddDir(nullptr, reinterpret_cast<const FcChar8*>("/usr/share/wine/fonts")) == FcTrue;
}

std::optional<FaceFile> matchFaceUncached(const std::string& face, bool bold, bool italic) {
    static const bool compatibleFaces = addCompatibleFaces();
    (void)compatibleFaces;
    PatternPtr pattern = substitutedPattern(face, bold, italic);
    FcResult result = FcResultNoMatch;
    PatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
    if (!match) return std::nullopt;
    FcChar8* file = nullptr;
    FcChar8* family = nullptr;
    if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) return std::nullopt;
    FaceFile out;
    out.path = reinterpret_cast<const char*>(file);
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &out.index);
    if (FcPatternGetString(match.get(), FC_FAMILY, 0, &family) == FcResultMatch)
        out.family = reinterpret_cast<const char*>(family);
    out.found = servesRequest(pattern.get(), out.family, face);
    return out;
}

// Matching a name costs fontconfig about a millisecond; the workers of a run
// ask for the same few names, so each is matched once per process. Names
// come from the files: a long run of hostile ones must not grow the cache
// without end.
std::optional<FaceFile> matchFace(const std::string& face, bool bold, bool italic) {
    static std::mutex mutex;
    static std::map<std::tuple<std::string, bool, bool>, std::optional<FaceFile>> cache;
    auto key = std::make_tuple(face, bold, italic);
    {
        std::lock_guard lock(mutex);
        if (auto it = cache.find(key); it != cache.end()) return it->second;
    }
    auto file = matchFaceUncached(face, bold, italic);
    std::lock_guard lock(mutex);
    if (cache.size() >= 512) cache.clear();
    cache.emplace(std::move(key), file);
    return file;
}

FT_Library freetype() {
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) != 0) lib = nullptr;
        return lib;
    }();
    return library;
}

const cairo_user_data_key_t kFaceKey{};

void releaseFtFace(void* face) { FT_Done_Face(static_cast<FT_Face>(face)); }

}  // namespace

// A second FreeType face of the same file, for looking up and measuring
// glyphs: Cairo draws with the first from any thread under a lock of its own
// that callers cannot take, and FreeType faces are not safe to share.
struct MeasuringFace {
    std::mutex mutex;
    FT_Face ft = nullptr;
    FT_F26Dot6 sizeX = 0, sizeY = 0;  // the size last set on ft
    MeasuringFace() = default;
    MeasuringFace(const MeasuringFace&) = delete;
    MeasuringFace& operator=(const MeasuringFace&) = delete;
    ~MeasuringFace() {
        if (ft != nullptr) FT_Done_Face(ft);
    }
};

namespace {

// One loaded face per (file, index, synthetic bold/italic), kept for the process:
// metafiles create the same few fonts over and over.
struct LoadedFace {
    std::shared_ptr<cairo_font_face_t> face;
    FT_Face ft = nullptr;
    std::shared_ptr<MeasuringFace> measuring;
};

// An emboldened face has FreeType thicken each glyph's outline by a 24th of
// the em, as GDI thickens faces that have no bold of their own; it is a face
// of its own, since Cairo keeps one face per FreeType face, and it measures
// with the plain face's measuring face (thickening leaves the widths).
std::optional<LoadedFace> loadFace(const FaceFile& file, bool embolden,
                                   const std::shared_ptr<MeasuringFace>& plainMeasuring = nullptr) {
    static std::mutex mutex;
    static std::map<std::tuple<std::string, int, bool>, LoadedFace> cache;
    std::lock_guard lock(mutex);
    const auto key = std::make_tuple(file.path, file.index, embolden);
    if (auto it = cache.find(key); it != cache.end()) return it->second;
    if (freetype() == nullptr) return std::nullopt;
    FT_Face ft = nullptr;
    if (FT_New_Face(freetype(), file.path.c_str(), file.index, &ft) != 0) return std::nullopt;
    cairo_font_face_t* raw = cairo_ft_font_face_create_for_ft_face(ft, 0);
    if (cairo_font_face_set_user_data(raw, &kFaceKey, ft, releaseFtFace) != CAIRO_STATUS_SUCCESS) {
        cairo_font_face_destroy(raw);
        FT_Done_Face(ft);
        return std::nullopt;
    }
    if (embolden) cairo_ft_font_face_set_synthesize(raw, CAIRO_FT_SYNTHESIZE_BOLD);
    auto measuring = plainMeasuring;
    if (!measuring) {
        measuring = std::make_shared<MeasuringFace>();
        if (FT_New_Face(freetype(), file.path.c_str(), file.index, &measuring->ft) != 0) {
            cairo_font_face_destroy(raw);
            return std::nullopt;
        }
    }
    LoadedFace loaded{std::shared_ptr<cairo_font_face_t>(raw, CairoFontFaceDeleter{}), ft, std::move(measuring)};
    cache.emplace(key, loaded);
    return loaded;
}

std::shared_ptr<cairo_scaled_font_t> unitScaledFont(cairo_font_face_t* face) {
    cairo_matrix_t matrix, identity;
    cairo_matrix_init_scale(&matrix, 1.0, 1.0);
    cairo_matrix_init_identity(&identity);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_scaled_font_t* font = cairo_scaled_font_create(face, &matrix, &identity, options);
    cairo_font_options_destroy(options);
    return std::shared_ptr<cairo_scaled_font_t>(font, CairoScaledFontDeleter{});
}

}  // namespace

std::optional<Font> resolveFont(const FontSpec& spec, bool allowFallback) {
    const auto file = matchFace(spec.face.empty() ? std::string("sans-serif") : spec.face,
                                spec.bold, spec.italic);
    if (!file || (!file->found && !allowFallback)) return std::nullopt;
    auto loaded = loadFace(*file, false);
    if (!loaded) return std::nullopt;
    const FT_Face ft = loaded->ft;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
    const bool hasOs2 = os2 != nullptr && os2->version != 0xFFFF;
    const bool boldFace = (ft->style_flags & FT_STYLE_FLAG_BOLD) != 0 || (hasOs2 && os2->usWeightClass >= 600);
    const bool embolden = spec.bold && !boldFace;
    if (embolden) loaded = loadFace(*file, true, loaded->measuring);
    if (!loaded) return std::nullopt;
    Font font;
    font.spec_ = spec;
    font.found_ = file->found;
    if (spec.italic && (ft->style_flags & FT_STYLE_FLAG_ITALIC) == 0) font.obliqueShear_ = 0.25;
    font.emboldened_ = embolden;
    font.family_ = file->family;
    font.face_ = loaded->face;
    font.unitFont_ = unitScaledFont(loaded->face.get());
    font.measuring_ = loaded->measuring;
    font.unitsPerEm_ = ft->units_per_EM > 0 ? ft->units_per_EM : 1000;
    if (hasOs2 && os2->usWinAscent + os2->usWinDescent > 0) {
        font.winAscent_ = os2->usWinAscent;
        font.winDescent_ = os2->usWinDescent;
        font.avgWidth_ = os2->xAvgCharWidth;
        const std::uint64_t pages = os2->ulCodePageRange1 | std::uint64_t{os2->ulCodePageRange2} << 32;
        if (os2->version >= 1 && pages != 0) font.codePages_ = pages;
    } else {
        font.winAscent_ = ft->ascender;
        font.winDescent_ = -ft->descender;
    }
    if (font.winAscent_ + font.winDescent_ <= 0) {
        font.winAscent_ = font.unitsPerEm_ * 0.8;
        font.winDescent_ = font.unitsPerEm_ * 0.2;
    }
    if (font.avgWidth_ <= 0) font.avgWidth_ = font.unitsPerEm_ * 0.5;
    // The post table's underline position, which GDI takes as the bar's centre.
    const auto* post = static_cast<const TT_Postscript*>(FT_Get_Sfnt_Table(ft, FT_SFNT_POST));
    font.underlinePos_ = post != nullptr ? -post->underlinePosition : -ft->underline_position;
    font.underlineSize_ = post != nullptr ? post->underlineThickness : ft->underline_thickness;
    if (hasOs2 && os2->yStrikeoutSize > 0) {
        font.strikePos_ = os2->yStrikeoutPosition;
        font.strikeSize_ = os2->yStrikeoutSize;
    }
    if (font.underlineSize_ <= 0) { font.underlinePos_ = font.unitsPerEm_ * 0.1; font.underlineSize_ = font.unitsPerEm_ * 0.07; }
    if (font.strikeSize_ <= 0) { font.strikePos_ = font.unitsPerEm_ * 0.26; font.strikeSize_ = font.underlineSize_; }
    return font;
}

FontMetrics Font::metrics() const {
    const double k = spec_.pixelSize / unitsPerEm_;
    return FontMetrics{winAscent_ * k,    winDescent_ * k,    avgWidth_ * k, underlinePos_ * k,
                       underlineSize_ * k, strikePos_ * k,   strikeSize_ * k};
}

bool Font::hasCodePage(int bit) const { return bit < 0 || bit > 63 || (codePages_ >> bit & 1) != 0; }

double Font::cellPerEm() const { return (winAscent_ + winDescent_) / unitsPerEm_; }

namespace {

FT_UInt indexIn(FT_Face ft, char32_t c) {
    FT_UInt index = FT_Get_Char_Index(ft, c);
    if (index == 0 && c < 0x100) index = FT_Get_Char_Index(ft, 0xF000 + c);
    return index;
}

}  // namespace

unsigned long Font::glyphIndex(char32_t c) const {
    std::lock_guard lock(measuring_->mutex);
    return indexIn(measuring_->ft, c);
}

// Each character's advance at the font's size and stretch, from the unit
// font's unhinted widths.
std::vector<double> Font::advances(std::u32string_view text) const {
    const double factor = spec_.pixelSize * spec_.widthScale;
    std::vector<double> out;
    out.reserve(text.size());
    for (char32_t c : text) {
        cairo_glyph_t glyph{glyphIndex(c), 0, 0};
        cairo_text_extents_t extents;
        cairo_scaled_font_glyph_extents(unitFont_.get(), &glyph, 1, &extents);
        out.push_back(extents.x_advance * factor + (emboldened_ ? 1 : 0));
    }
    return out;
}

namespace {

// Whole-pixel advances as FreeType loads the glyphs at a size with the given
// flags, memoised per thread (loading runs the hinter).
class LoadedAdvanceCache {
public:
    using Key = std::tuple<const void*, FT_Int32, FT_F26Dot6, FT_F26Dot6, FT_UInt>;
    std::optional<double> find(const Key& key) const {
        const auto it = advances_.find(key);
        if (it == advances_.end()) return std::nullopt;
        return it->second;
    }
    void add(const Key& key, double pixels) {
        if (advances_.size() >= kMaxEntries) advances_.clear();
        advances_.emplace(key, pixels);
    }

private:
    static constexpr std::size_t kMaxEntries = 1 << 16;
    std::map<Key, double> advances_;
};

}  // namespace

std::vector<double> Font::loadedAdvances(std::u32string_view text, std::int32_t flags) const {
    thread_local LoadedAdvanceCache cache;
    const auto sizeX = static_cast<FT_F26Dot6>(std::llround(spec_.pixelSize * spec_.widthScale * 64));
    const auto sizeY = static_cast<FT_F26Dot6>(std::llround(spec_.pixelSize * 64));
    std::vector<double> out;
    out.reserve(text.size());
    std::lock_guard lock(measuring_->mutex);
    MeasuringFace& m = *measuring_;
    for (char32_t c : text) {
        const LoadedAdvanceCache::Key key{m.ft, flags, sizeX, sizeY, indexIn(m.ft, c)};
        if (const auto known = cache.find(key)) {
            out.push_back(*known);
            continue;
        }
        if ((m.sizeX != sizeX || m.sizeY != sizeY) && FT_Set_Char_Size(m.ft, sizeX, sizeY, 0, 0) == 0) {
            m.sizeX = sizeX;
            m.sizeY = sizeY;
        }
        double pixels = 0;
        if (m.sizeX == sizeX && m.sizeY == sizeY && FT_Load_Glyph(m.ft, std::get<4>(key), flags) == 0)
            pixels = static_cast<double>((m.ft->glyph->advance.x + 32) >> 6);
        cache.add(key, pixels);
        out.push_back(pixels);
    }
    // Thickened glyphs each advance a pixel further, as GDI lays them out.
    if (emboldened_)
        for (double& a : out) a += 1;
    return out;
}

std::vector<double> Font::hintedAdvances(std::u32string_view text) const {
    // Slanted glyphs are drawn from their outlines, never from a face's
    // bitmap strikes, and advance as the outlines do.
    return loadedAdvances(text, FT_LOAD_TARGET_MONO | (obliqueShear_ != 0 ? FT_LOAD_NO_BITMAP : 0));
}

std::vector<double> Font::extentAdvances(std::u32string_view text) const {
    // Faces with hinting programs give their design widths rounded in
    // 1/64-pixel steps, faces without (Tahoma as Wine ships it) the
    // auto-hinter's widths.
    return loadedAdvances(text, FT_LOAD_NO_BITMAP);
}

double Font::measure(std::u32string_view text) const {
    double sum = 0;
    for (double a : advances(text)) sum += a;
    return sum;
}

}  // namespace plotvale::canvas
