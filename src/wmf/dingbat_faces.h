#pragma once
// The dingbat faces (Wingdings, Wingdings 2, Wingdings 3, Webdings): their
// codes to the Unicode symbols their glyphs show, drawn with a font that
// carries those symbols (kDingbatFont).

#include <string_view>

namespace plotvale::wmf {

enum class DingbatFace { None, Wingdings, Wingdings2, Wingdings3, Webdings };

// Symbola (fonts-symbola) carries every symbol of the four faces' mappings;
// the fonts-wine Wingdings and Webdings carry only a few dozen codes.
inline constexpr const char* kDingbatFont = "Symbola";

DingbatFace dingbatFaceOf(std::string_view face);

// The Unicode character for a code of the face; a space for the few codes
// Unicode has no character for (the Windows logo of Wingdings 0xFF).
char32_t dingbatChar(DingbatFace face, unsigned char code);

}  // namespace plotvale::wmf
