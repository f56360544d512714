#include "engine/save_flags.h"

#include <FreeImage.h>

#include <array>

namespace plotvale::engine {
namespace {

// The flag of a setting's code; a code outside the table adds nothing.
template <size_t N>
int32_t flagOf(const std::array<int32_t, N>& flagsByCode, int32_t code) {
    if (code < 0 || static_cast<size_t>(code) >= N) return 0;
    return flagsByCode[static_cast<size_t>(code)];
}

int32_t jpegFlags(const settings::OutputSettings& output) {
    constexpr std::array<int32_t, 4> chroma{JPEG_SUBSAMPLING_444, JPEG_SUBSAMPLING_422,
                                            JPEG_SUBSAMPLING_420, JPEG_SUBSAMPLING_411};
    constexpr std::array<int32_t, 4> saveAs{0, JPEG_BASELINE, JPEG_OPTIMIZE, JPEG_PROGRESSIVE};
    return output.jpgQuality | flagOf(chroma, output.jpgChroma) |
           flagOf(saveAs, output.jpgSaveAs);
}

int32_t pngFlags(const settings::OutputSettings& output) {
    constexpr std::array<int32_t, 4> compression{PNG_Z_NO_COMPRESSION, PNG_Z_BEST_SPEED,
                                                 PNG_Z_DEFAULT_COMPRESSION,
                                                 PNG_Z_BEST_COMPRESSION};
    return flagOf(compression, output.pngCompression) |
           (output.pngInterlaced != 0 ? PNG_INTERLACED : 0);
}

int32_t tiffFlags(const settings::OutputSettings& output) {
    constexpr std::array<int32_t, 9> compression{
        TIFF_NONE,    TIFF_CCITTFAX3, TIFF_CCITTFAX4, TIFF_PACKBITS, TIFF_DEFLATE,
        TIFF_ADOBE_DEFLATE, TIFF_LZW, TIFF_JPEG,      TIFF_LOGLUV};
    constexpr int32_t ColorModeCmyk = 1;
    return flagOf(compression, output.tiffCompression) |
           (output.tiffColorMode == ColorModeCmyk ? TIFF_CMYK : 0);
}

int32_t exrFlags(const settings::OutputSettings& output) {
    constexpr std::array<int32_t, 5> compression{EXR_NONE, EXR_ZIP, EXR_PIZ, EXR_PXR24, EXR_B44};
    return flagOf(compression, output.exrCompression);
}

}  // namespace

int32_t computeSaveFlags(const settings::ConverterSettings& settings,
                         std::string_view outputExtension) {
    const auto& output = settings.output;
    if (outputExtension == "bmp") return flagOf(std::array<int32_t, 2>{0, BMP_SAVE_RLE},
                                                output.bmpCompression);
    if (outputExtension == "exr") return exrFlags(output);
    if (outputExtension == "jpg") return jpegFlags(output);
    if (outputExtension == "jxr") return JXR_LOSSLESS;
    if (outputExtension == "png") return pngFlags(output);
    if (outputExtension == "tga") return flagOf(std::array<int32_t, 2>{0, TARGA_SAVE_RLE},
                                                output.tgaCompression);
    if (outputExtension == "tiff") return tiffFlags(output);
    if (outputExtension == "webp")
        return output.webpQuality == 100 ? WEBP_LOSSLESS : output.webpQuality;
    return 0;
}

}  // namespace plotvale::engine
