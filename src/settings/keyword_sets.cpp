#include "settings/keyword_sets.h"

#include <utility>
#include <vector>

#include "settings/text_case.h"

namespace plotvale::settings {

namespace {

using Keywords = std::vector<std::pair<std::string_view, int32_t>>;

// Each set lives in a function-local static, so references stay valid.
const Keywords& keywordsOf(KeywordSet set) {
    static const Keywords none;
    switch (set) {
    case KeywordSet::DdsLoad: {
        static const Keywords k = {{"AUTO", 0}, {"BGRA", 1}, {"RGBA", 2}};
        return k;
    }
    case KeywordSet::RawLoad: {
        static const Keywords k = {{"AUTO", 0}, {"8", 1},    {"16", 2},
                                   {"24", 3},   {"48HS", 4}, {"48", 5}};
        return k;
    }
    case KeywordSet::Frames: {
        static const Keywords k = {
            {"ALL", 0}, {"FIRST", 1}, {"MIDDLE", 2}, {"LAST", 3}, {"RANDOM", 4}};
        return k;
    }
    case KeywordSet::ToneMapping: {
        static const Keywords k = {{"NONE", 0}, {"LINEAR", 1}, {"AL", 2}, {"DRR", 3}, {"GD", 4}};
        return k;
    }
    case KeywordSet::Compression: {
        static const Keywords k = {{"NONE", 0},      {"RLE", 1},          {"ZIP", 1},
                                   {"PIZ", 2},       {"PXR24", 3},        {"B44", 4},
                                   {"ZLIB1", 1},     {"ZLIB6", 2},        {"ZLIB9", 3},
                                   {"CCITTFAX3", 1}, {"CCITTFAX4", 2},    {"PACKBITS", 3},
                                   {"DEFLATE", 4},   {"ADOBEDEFLATE", 5}, {"LZW", 6},
                                   {"JPEG", 7},      {"LOGLUV", 8}};
        return k;
    }
    case KeywordSet::ColourTable: {
        static const Keywords k = {{"AUTO", 0}, {"EXACT", 1}};
        return k;
    }
    case KeywordSet::ColourModel: {
        static const Keywords k = {{"RGB", 0}, {"CMYK", 1}, {"LAB", 2}};
        return k;
    }
    case KeywordSet::Chroma: {
        static const Keywords k = {{"NONE", 0}, {"LOW", 1}, {"MEDIUM", 2}, {"HIGH", 3}};
        return k;
    }
    case KeywordSet::JpegKind: {
        static const Keywords k = {
            {"STANDARD", 0}, {"SIMPLE", 1}, {"OPTIMIZED", 2}, {"PROGRESSIVE", 3}};
        return k;
    }
    case KeywordSet::Rotation: {
        static const Keywords k = {{"SIMPLE", 0}, {"ADVANCED", 1}};
        return k;
    }
    case KeywordSet::Unit: {
        static const Keywords k = {{"PIXELS", 0}, {"PERCENT", 1}};
        return k;
    }
    case KeywordSet::ResizeScope: {
        static const Keywords k = {{"ALLIMAGES", 0}, {"LARGEIMAGES", 1}};
        return k;
    }
    case KeywordSet::ResizeFilter: {
        static const Keywords k = {{"BOX", 0},     {"BILINEAR", 1},   {"BSPLINE", 2},
                                   {"BICUBIC", 3}, {"CATMULLROM", 4}, {"LANCZOS", 5}};
        return k;
    }
    case KeywordSet::Dither: {
        static const Keywords k = {{"FS", 0},       {"BAYER4", 1},   {"BAYER8", 2},
                                   {"BAYER16", 3},  {"CLUSTER6", 4}, {"CLUSTER8", 5},
                                   {"CLUSTER16", 6}};
        return k;
    }
    case KeywordSet::FontStyle: {
        static const Keywords k = {{"REGULAR", 0}, {"BOLD", 1}, {"ITALIC", 2}, {"BOLDITALIC", 3}};
        return k;
    }
    case KeywordSet::FontEffect: {
        static const Keywords k = {{"NONE", 0}, {"UNDERLINE", 1}, {"STRIKETHROUGHT", 2}};
        return k;
    }
    case KeywordSet::Alignment: {
        static const Keywords k = {{"LEFT", 0}, {"CENTER", 1}, {"RIGHT", 2}};
        return k;
    }
    case KeywordSet::Boundary: {
        static const Keywords k = {{"IMAGE", 0}, {"FRAME", 1}};
        return k;
    }
    case KeywordSet::Position: {
        static const Keywords k = {{"TOPLEFT", 0},    {"TOPCENTER", 1},    {"TOPRIGHT", 2},
                                   {"MIDDLELEFT", 3}, {"MIDDLECENTER", 4}, {"MIDDLERIGHT", 5},
                                   {"BOTTOMLEFT", 6}, {"BOTTOMCENTER", 7}, {"BOTTOMRIGHT", 8}};
        return k;
    }
    case KeywordSet::Size: {
        static const Keywords k = {{"FIXED", 0}};
        return k;
    }
    case KeywordSet::Timestamp: {
        static const Keywords k = {{"CURRENT", 0}, {"ORIGINAL", 1}, {"CUSTOM", 2}};
        return k;
    }
    case KeywordSet::FrameKind: {
        static const Keywords k = {{"NONE", 0}, {"SOLID", 1}};
        return k;
    }
    case KeywordSet::WatermarkKind: {
        static const Keywords k = {{"NONE", 0}, {"TEXT", 1}, {"IMAGE", 2}};
        return k;
    }
    case KeywordSet::OnOff: {
        static const Keywords k = {{"OFF", 0}, {"ON", 1}};
        return k;
    }
    }
    return none;
}

}  // namespace

int32_t lookupKeyword(KeywordSet set, std::string_view text) {
    const std::string wanted = toUpperAscii(trim(text));
    for (const auto& [keyword, code] : keywordsOf(set)) {
        if (keyword == wanted) return code;
    }
    return 0;
}

std::string keywordForCode(KeywordSet set, int32_t code) {
    for (const auto& [keyword, value] : keywordsOf(set)) {
        if (value == code) return std::string(keyword);
    }
    return {};
}

std::vector<std::string_view> keywordsIn(KeywordSet set) {
    std::vector<std::string_view> keywords;
    for (const auto& entry : keywordsOf(set)) keywords.push_back(entry.first);
    return keywords;
}

}  // namespace plotvale::settings
