#pragma once
// Metafile text bytes to Unicode: the font's character set picks the code
// page (through iconv), double-byte code pages are split into characters,
// and the Symbol and Wingdings faces' own encodings map to the Unicode characters its
// glyphs show.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plotvale::wmf {

struct DecodedText {
    std::u32string text;
    std::vector<std::size_t> bytesPerChar;  // how many input bytes made each character
};

// Faces whose own encoding is mapped to Unicode symbols.
enum class SymbolEncoding { None, Symbol, Wingdings };

DecodedText decodeText(std::string_view bytes, std::uint8_t charset, SymbolEncoding symbols);

bool isWingdingsFace(std::string_view face);

// True for faces whose characters are symbols rather than letters.
bool isSymbolFace(std::string_view face);

}  // namespace plotvale::wmf
