#include "wmf/font_faces.h"

#include <cctype>
#include <map>
#include <set>

namespace plotvale::wmf {
namespace {

constexpr int FIXED_PITCH = 1;
constexpr int FF_ROMAN = 0x10, FF_MODERN = 0x30;

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// Windows faces and the Debian faces drawn for them: metric-compatible ones
// (Liberation, Carlito, Caladea) and the compatible faces of fonts-wine.
// (Symbol and the dingbat faces are drawn through their Unicode mappings.)
const std::map<std::string, std::string>& substitutes() {
    static const std::map<std::string, std::string> faces = {
        {"arial", "Liberation Sans"},          {"helvetica", "Liberation Sans"},
        {"arial narrow", "Liberation Sans Narrow"},
        {"times new roman", "Liberation Serif"}, {"times", "Liberation Serif"},
        {"tms rmn", "Liberation Serif"},       {"ms serif", "Liberation Serif"},
        {"courier new", "Liberation Mono"},    {"courier", "Liberation Mono"},
        {"calibri", "Carlito"},                {"cambria", "Caladea"},
        {"tahoma", "Tahoma"},                  {"ms shell dlg", "Tahoma"},
        {"ms shell dlg 2", "Tahoma"},          {"microsoft sans serif", "Tahoma"}};
    return faces;
}

// Names fontconfig answers with a default of its own; no Windows font has them.
bool isGenericName(const std::string& face) {
    static const std::set<std::string> names = {"", "sans-serif", "sans", "serif", "monospace", "mono",
                                                "cursive", "fantasy", "system-ui"};
    return names.count(face) > 0;
}

// GDI's mapper for a face it does not have: a serif face for FF_ROMAN, a
// fixed-pitch one for FF_MODERN or FIXED_PITCH, a sans-serif one otherwise.
std::string fallbackFace(const FontObject& font) {
    if (isCjkCharset(font.charset))
        return (font.pitchAndFamily & 3) == FIXED_PITCH ? "WenQuanYi Micro Hei Mono" : "WenQuanYi Micro Hei";
    // The Liberation faces have no Arabic letters.
    if (font.charset == 178) return "DejaVu Sans";
    const int family = font.pitchAndFamily & 0xF0;
    if (family == FF_MODERN || (font.pitchAndFamily & 3) == FIXED_PITCH) return "Liberation Mono";
    if (family == FF_ROMAN) return "Liberation Serif";
    return "Liberation Sans";
}

}  // namespace

int codePageBit(int charset) {
    switch (charset) {
    case 0: return 0;      // ANSI, Latin 1
    case 238: return 1;    // Eastern Europe
    case 204: return 2;    // Cyrillic
    case 161: return 3;    // Greek
    case 162: return 4;    // Turkish
    case 177: return 5;    // Hebrew
    case 178: return 6;    // Arabic
    case 186: return 7;    // Baltic
    case 163: return 8;    // Vietnamese
    case 222: return 16;   // Thai
    default: return -1;
    }
}

bool isCjkCharset(int charset) {
    return charset == 128 || charset == 129 || charset == 130 || charset == 134 || charset == 136;
}

std::vector<std::string> candidateFaces(const FontObject& font) {
    std::vector<std::string> out;
    const std::string key = lower(font.face);
    // A Latin face has no CJK glyphs: the mapper takes a face with the charset.
    if (!isCjkCharset(font.charset)) {
        if (const auto it = substitutes().find(key); it != substitutes().end()) out.push_back(it->second);
        else if (!isGenericName(key)) out.push_back(font.face);
    }
    out.push_back(fallbackFace(font));
    return out;
}

}  // namespace plotvale::wmf
