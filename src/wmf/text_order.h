#pragma once
// Right-to-left text as GDI draws it: Hebrew and Arabic runs turned into
// visual order by the Unicode bidirectional algorithm, Arabic letters in
// their joined forms, so the characters can be placed left to right.

#include <vector>

#include "wmf/text_encoding.h"

namespace plotvale::wmf {

// Puts decoded text into visual order and returns true; the dx widths (one
// per input byte, when given) moved along with their characters go to
// orderedDx. Text without right-to-left characters is left as it is, and
// false returned. rtlBase makes the paragraph's own direction right to left
// (TA_RTLREADING, ETO_RTLREADING).
bool toVisualOrder(DecodedText& text, const std::vector<int>* dx, std::vector<int>& orderedDx, bool rtlBase);

}  // namespace plotvale::wmf
