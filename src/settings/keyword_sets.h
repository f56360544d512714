#pragma once
// The keywords that name the codes of enumerated settings, read from
// options and profiles and written back by the debug echo. A keyword not in
// its set reads as code 0, without a message.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plotvale::settings {

enum class KeywordSet {
    DdsLoad,
    RawLoad,
    Frames,
    ToneMapping,
    Compression,
    ColourTable,
    ColourModel,
    Chroma,
    JpegKind,
    Rotation,
    Unit,
    ResizeScope,
    ResizeFilter,
    Dither,
    FontStyle,
    FontEffect,
    Alignment,
    Boundary,
    Position,
    Size,
    Timestamp,
    OnOff,
    FrameKind,      // echo only
    WatermarkKind,  // echo only
};

// The code of a keyword, compared trimmed of blanks and in any case; 0 when
// the set does not hold it.
int32_t lookupKeyword(KeywordSet set, std::string_view text);

// The first keyword of the set with this code, or "" when there is none.
std::string keywordForCode(KeywordSet set, int32_t code);

// Every keyword of the set, in table order.
std::vector<std::string_view> keywordsIn(KeywordSet set);

}  // namespace plotvale::settings
