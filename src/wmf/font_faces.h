#pragma once
// Which installed faces draw a Windows font: the faces metric-compatible with
// common Windows faces, then GDI's font mapper's choice by pitch, family and
// character set for faces no installed font serves.

#include <string>
#include <vector>

#include "wmf/gdi_objects.h"

namespace plotvale::wmf {

// Face names to try in order; the last is always a face the project's
// fonts install.
std::vector<std::string> candidateFaces(const FontObject& font);

// The bit of a face's OS/2 code page ranges that declares the character
// set's code page, or -1 when the set asks for none in particular.
int codePageBit(int charset);

// True for character sets of Chinese, Japanese and Korean text.
bool isCjkCharset(int charset);

}  // namespace plotvale::wmf
