#include "test_pictures.h"

#include <IL/il.h>
#include <IL/ilu.h>
#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>

#include "engine/codec_messages.h"
#include "engine/save_flags.h"
#include "jxr_decoding.h"
#include "settings/format_catalogue.h"
#include "support/pfm_reader.h"

namespace plotvale::engine::testing {
namespace {

// FreeImage's PFM reader takes the file's first row for the top one, as its
// writer does; the rows are read here in the format's own order.
Decoded decodePfm(const std::string& path) {
    Decoded result;
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto picture = test::readPfm(bytes);
    if (!picture || picture->channels != 3) return result;
    result.bitmap = Bitmap(FreeImage_AllocateT(FIT_RGBF, picture->width, picture->height));
    if (!result.bitmap) return result;
    for (int y = 0; y < picture->height; ++y) {
        auto* line = reinterpret_cast<FIRGBF*>(
            FreeImage_GetScanLine(result.bitmap.get(), picture->height - 1 - y));
        for (int x = 0; x < picture->width; ++x)
            line[x] = {picture->at(x, y, 0), picture->at(x, y, 1), picture->at(x, y, 2)};
    }
    result.fileDepth = 96;
    return result;
}

int quadrantOf(int x, int y, int width, int height) {
    return (y < height / 2 ? 0 : 2) + (x < width / 2 ? 0 : 1);
}

int distanceToBorders(int x, int y, int width, int height) {
    const int toEdgeX = std::min(x, width - 1 - x);
    const int toEdgeY = std::min(y, height - 1 - y);
    const int toMiddleX = std::min(std::abs(x - width / 2), std::abs(x - (width / 2 - 1)));
    const int toMiddleY = std::min(std::abs(y - height / 2), std::abs(y - (height / 2 - 1)));
    return std::min({toEdgeX, toEdgeY, toMiddleX, toMiddleY});
}

std::array<double, 4> paletteSample(FIBITMAP* bitmap, unsigned x, unsigned y) {
    BYTE index = 0;
    FreeImage_GetPixelIndex(bitmap, x, y, &index);
    const RGBQUAD colour = FreeImage_GetPalette(bitmap)[index];
    return {colour.rgbRed / 255.0, colour.rgbGreen / 255.0, colour.rgbBlue / 255.0, 1.0};
}

Decoded decodeWithDevil(const std::string& path) {
    static std::once_flag once;
    std::call_once(once, [] { ilInit(); iluInit(); });
    Decoded result;
    ILuint name = 0;
    ilGenImages(1, &name);
    ilBindImage(name);
    if (ilLoadImage(path.c_str())) {
        result.fileDepth = ilGetInteger(IL_IMAGE_BPP) * 8;
        result.mipmaps = ilGetInteger(IL_NUM_MIPMAPS);
        const bool upsideDown = ilGetInteger(IL_IMAGE_ORIGIN) == IL_ORIGIN_UPPER_LEFT;
        ilConvertImage(IL_BGRA, IL_UNSIGNED_BYTE);
        const int width = ilGetInteger(IL_IMAGE_WIDTH);
        const int height = ilGetInteger(IL_IMAGE_HEIGHT);
        result.bitmap = canvas::makeBitmap(width, height, 32);
        const ILubyte* data = ilGetData();
        for (int row = 0; row < height && result.bitmap; ++row) {
            // FreeImage rows count from the bottom.
            const int sourceRow = upsideDown ? height - 1 - row : row;
            std::memcpy(FreeImage_GetScanLine(result.bitmap.get(), row),
                        data + static_cast<size_t>(sourceRow) * width * 4,
                        static_cast<size_t>(width) * 4);
        }
    }
    ilDeleteImages(1, &name);
    return result;
}

struct JxrBitmapKind {
    FREE_IMAGE_TYPE type;
    int bitsPerPixel;
    unsigned redMask, greenMask, blueMask;
};

JxrBitmapKind bitmapKindOf(JxrLayout layout) {
    switch (layout) {
        case JxrLayout::BlackWhite: return {FIT_BITMAP, 1, 0, 0, 0};
        case JxrLayout::Grey8: return {FIT_BITMAP, 8, 0, 0, 0};
        case JxrLayout::Bgr555:
            return {FIT_BITMAP, 16, FI16_555_RED_MASK, FI16_555_GREEN_MASK, FI16_555_BLUE_MASK};
        case JxrLayout::Bgr565:
            return {FIT_BITMAP, 16, FI16_565_RED_MASK, FI16_565_GREEN_MASK, FI16_565_BLUE_MASK};
        case JxrLayout::Bgr24: return {FIT_BITMAP, 24, 0, 0, 0};
        case JxrLayout::Bgra32: return {FIT_BITMAP, 32, 0, 0, 0};
        case JxrLayout::Rgb48: return {FIT_RGB16, 48, 0, 0, 0};
        case JxrLayout::RgbFloat96: return {FIT_RGBF, 96, 0, 0, 0};
    }
    return {FIT_UNKNOWN, 0, 0, 0, 0};
}

// jxrlib's black-and-white pixels are set for white; its grey levels are
// their own values.
void setGreyPalette(FIBITMAP* bitmap) {
    RGBQUAD* palette = FreeImage_GetPalette(bitmap);
    const unsigned colours = FreeImage_GetColorsUsed(bitmap);
    for (unsigned i = 0; i < colours; ++i) {
        const auto level = static_cast<BYTE>(i * 255 / (colours - 1));
        palette[i] = RGBQUAD{level, level, level, 0};
    }
}

Decoded decodeWithJxrlib(const std::string& path) {
    Decoded result;
    const auto picture = decodeJpegXr(path);
    if (!picture) return result;
    const JxrBitmapKind kind = bitmapKindOf(picture->layout);
    const int width = static_cast<int>(picture->width);
    const int height = static_cast<int>(picture->height);
    result.bitmap = Bitmap(FreeImage_AllocateT(kind.type, width, height, kind.bitsPerPixel,
                                               kind.redMask, kind.greenMask, kind.blueMask));
    if (!result.bitmap) return result;
    if (kind.bitsPerPixel <= 8) setGreyPalette(result.bitmap.get());
    for (int row = 0; row < height; ++row) {
        std::memcpy(FreeImage_GetScanLine(result.bitmap.get(), height - 1 - row),
                    picture->rows.data() + static_cast<size_t>(row) * picture->stride,
                    picture->stride);
    }
    result.fileDepth = kind.bitsPerPixel;
    return result;
}

}  // namespace

Bitmap makeFilledPicture(int width, int height, Rgba colour) {
    Bitmap bitmap = canvas::makeBitmap(width, height, 32);
    for (int y = 0; y < height; ++y) {
        BYTE* line = FreeImage_GetScanLine(bitmap.get(), height - 1 - y);
        for (int x = 0; x < width; ++x) {
            line[4 * x + FI_RGBA_RED] = colour.red;
            line[4 * x + FI_RGBA_GREEN] = colour.green;
            line[4 * x + FI_RGBA_BLUE] = colour.blue;
            line[4 * x + FI_RGBA_ALPHA] = colour.alpha;
        }
    }
    return bitmap;
}

Bitmap makeQuadrantPicture(int width, int height) {
    Bitmap bitmap = canvas::makeBitmap(width, height, 32);
    for (int y = 0; y < height; ++y) {
        BYTE* line = FreeImage_GetScanLine(bitmap.get(), height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const Rgba& colour = QuadrantColours[static_cast<size_t>(quadrantOf(x, y, width, height))];
            line[4 * x + FI_RGBA_RED] = colour.red;
            line[4 * x + FI_RGBA_GREEN] = colour.green;
            line[4 * x + FI_RGBA_BLUE] = colour.blue;
            line[4 * x + FI_RGBA_ALPHA] = colour.alpha;
        }
    }
    return bitmap;
}

std::array<double, 4> samplePixel(FIBITMAP* bitmap, int x, int y) {
    const auto row = static_cast<unsigned>(static_cast<int>(FreeImage_GetHeight(bitmap)) - 1 - y);
    const auto column = static_cast<unsigned>(x);
    const BYTE* line = FreeImage_GetScanLine(bitmap, static_cast<int>(row));
    switch (FreeImage_GetImageType(bitmap)) {
        case FIT_RGB16: {
            const auto* pixel = reinterpret_cast<const FIRGB16*>(line) + column;
            return {pixel->red / 65535.0, pixel->green / 65535.0, pixel->blue / 65535.0, 1.0};
        }
        case FIT_RGBA16: {
            const auto* pixel = reinterpret_cast<const FIRGBA16*>(line) + column;
            return {pixel->red / 65535.0, pixel->green / 65535.0, pixel->blue / 65535.0,
                    pixel->alpha / 65535.0};
        }
        case FIT_UINT16: {
            const double grey = reinterpret_cast<const WORD*>(line)[column] / 65535.0;
            return {grey, grey, grey, 1.0};
        }
        case FIT_RGBF: {
            const auto* pixel = reinterpret_cast<const FIRGBF*>(line) + column;
            return {pixel->red, pixel->green, pixel->blue, 1.0};
        }
        case FIT_RGBAF: {
            const auto* pixel = reinterpret_cast<const FIRGBAF*>(line) + column;
            return {pixel->red, pixel->green, pixel->blue, pixel->alpha};
        }
        default: break;
    }
    if (FreeImage_GetBPP(bitmap) <= 8) return paletteSample(bitmap, column, row);
    RGBQUAD colour{};
    FreeImage_GetPixelColor(bitmap, column, row, &colour);
    const double alpha = FreeImage_GetBPP(bitmap) == 32 ? colour.rgbReserved / 255.0 : 1.0;
    return {colour.rgbRed / 255.0, colour.rgbGreen / 255.0, colour.rgbBlue / 255.0, alpha};
}

Difference comparePictures(FIBITMAP* expected, FIBITMAP* actual, int margin, bool withAlpha) {
    const int width = static_cast<int>(FreeImage_GetWidth(expected));
    const int height = static_cast<int>(FreeImage_GetHeight(expected));
    const size_t channels =
        withAlpha && FreeImage_GetBPP(expected) == 32 && FreeImage_GetBPP(actual) == 32 ? 4 : 3;
    Difference difference;
    double sum = 0.0;
    int count = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (distanceToBorders(x, y, width, height) < margin) continue;
            const auto a = samplePixel(expected, x, y);
            const auto b = samplePixel(actual, x, y);
            for (size_t c = 0; c < channels; ++c) {
                const double delta = std::abs(a[c] - b[c]);
                difference.largest = std::max(difference.largest, delta);
                sum += delta;
                ++count;
            }
        }
    }
    difference.average = count > 0 ? sum / count : 0.0;
    return difference;
}

Decoded decodeFile(const std::string& path, const std::string& extension) {
    // DevIL's own PSD reader scrambles the alpha plane, so PSD files are read
    // back by FreeImage, which also checks them against a second library.
    if (extension == "dds" || extension == "pcx") return decodeWithDevil(path);
    if (extension == "jxr") return decodeWithJxrlib(path);
    if (extension == "pfm") return decodePfm(path);
    silenceCodecMessages();
    Decoded result;
    FREE_IMAGE_FORMAT format = FreeImage_GetFileType(path.c_str(), 0);
    // Formats without a signature (WBMP) are known by their extension.
    if (format == FIF_UNKNOWN) format = FreeImage_GetFIFFromFilename(path.c_str());
    if (format == FIF_UNKNOWN) return result;
    result.bitmap = Bitmap(FreeImage_Load(format, path.c_str(), 0));
    if (result.bitmap) result.fileDepth = static_cast<int>(FreeImage_GetBPP(result.bitmap.get()));
    return result;
}

ConversionJob makeJob(const settings::ConverterSettings& settings, const std::string& folder,
                      const std::string& extension, int depth) {
    ConversionJob job;
    job.inputPath = "/drawings/quadrants.wmf";
    job.outputFolder = folder;
    job.outputExtension = extension;
    const settings::OutputFormat* format = settings::findOutputFormat(extension);
    job.formatCode = format != nullptr ? format->code : -1;
    job.targetDepth = depth;
    job.automaticDepth = depth == 0 ? 1 : 0;
    job.saveFlags = computeSaveFlags(settings, extension);
    return job;
}

settings::ConverterSettings commandLineDefaults() {
    settings::ConverterSettings settings;
    settings::resetSettingsToDefaults(settings, true, 0);
    return settings;
}

ScratchFolder::ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "plotvale-engine-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern + "/";
}

ScratchFolder::~ScratchFolder() {
    if (path_.empty()) return;
    std::error_code error;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(path_, error);
}

int ScratchFolder::fileCount() const {
    int count = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_)) {
        if (entry.is_regular_file()) ++count;
    }
    return count;
}

}  // namespace plotvale::engine::testing
