#pragma once
// Right-to-left text as GDI draws it: Hebrew and Arabic runs turned into
// visual order by the Unicode bidirectional algorithm, Arabic letters in
// their joined forms, so the characters can be placed left to right.

#include <vector>

#include "wmf/text_encoding.h"

namespace plotvale::wmf {

// Puts decoded text into visual order, with the dx widths (one per input
// byte, when given) moved along with their characters. Text without
// right-to-left characters is left as it is. rtlBase makes the paragraph's
// own direction right to left (TA_RTLREADING, ETO_RTLREADING).
void toVisualOrder(DecodedText& text, std::vector<int>* dx, bool rtlBase);

}  // namespace plotvale::wmf
