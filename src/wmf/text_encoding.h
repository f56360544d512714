#pragma once
// Metafile text bytes to Unicode: the font's character set picks the code
// page (through iconv), double-byte code pages are split into characters,
// and the Symbol and dingbat faces' own encodings map to the Unicode
// characters their glyphs show.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "wmf/dingbat_faces.h"

namespace plotvale::wmf {

struct DecodedText {
    std::u32string text;
    std::vector<std::size_t> bytesPerChar;  // how many input bytes made each character
};

// Faces whose own encoding is mapped to Unicode symbols: Symbol, or one of
// the dingbat faces.
enum class SymbolEncoding { None, Symbol, Dingbats };

DecodedText decodeText(std::string_view bytes, std::uint8_t charset, SymbolEncoding symbols,
                       DingbatFace dingbats = DingbatFace::None);

// True for faces whose characters are symbols rather than letters.
bool isSymbolFace(std::string_view face);

}  // namespace plotvale::wmf
