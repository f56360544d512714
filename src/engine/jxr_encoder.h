#pragma once
// Lossless JPEG XR encoding of prepared pixel rows with jxrlib. Kept apart
// from FreeImage: FreeImage.h defines _WINDOWS_, which gives jxrlib's GUID a
// 64-bit first field on Linux so the library misreads every pixel format
// (most likely why FreeImage's own JPEG XR codec fails), and jxrlib's
// headers define macros that clash with the standard library's.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plotvale::engine {

// The pixel layouts written, each as jxrlib stores it in memory.
enum class JxrLayout {
    BlackWhite,  // 1 bit per pixel, most significant bit first, set for white
    Grey8,
    Bgr555,      // 16-bit words, blue in the low bits
    Bgr565,
    Bgr24,
    Bgra32,
    Rgb48,       // three 16-bit words: red, green, blue
    RgbFloat96,  // three floats: red, green, blue
};

struct JxrPicture {
    JxrLayout layout = JxrLayout::Bgr24;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t stride = 0;           // bytes from one row to the next
    std::vector<uint8_t> rows;     // top row first
    float dotsPerInchX = 96.0F;
    float dotsPerInchY = 96.0F;
};

// The picture as a JPEG XR file, losslessly for every integer layout. Floats
// come back within a relative 2^-21 below magnitude 2 and 2^-20 above, as
// close as JPEG XR's integer coding can hold them. None when jxrlib refuses
// the picture.
std::optional<std::string> encodeJpegXr(JxrPicture& picture);

}  // namespace plotvale::engine
