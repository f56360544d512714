// The JPEG XR writer with pictures of noise (every pixel different, so the
// codec's transforms have work to do) in every layout the engine hands it,
// read back by jxrlib's decoder and compared pixel by pixel.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "engine/jxr_writer.h"
#include "test_pictures.h"

namespace plotvale::engine::testing {
namespace {

// Not multiples of 16, so the codec's macroblock padding is crossed.
constexpr int Width = 37;
constexpr int Height = 23;

Bitmap noisePicture(FREE_IMAGE_TYPE type, int bitsPerPixel, unsigned redMask = 0,
                    unsigned greenMask = 0, unsigned blueMask = 0) {
    Bitmap bitmap(FreeImage_AllocateT(type, Width, Height, bitsPerPixel, redMask, greenMask,
                                      blueMask));
    std::mt19937 random(static_cast<unsigned>(bitsPerPixel));
    const unsigned rowBytes = FreeImage_GetLine(bitmap.get());
    for (int row = 0; row < Height; ++row) {
        BYTE* line = FreeImage_GetScanLine(bitmap.get(), row);
        for (unsigned i = 0; i < rowBytes; ++i) line[i] = static_cast<BYTE>(random());
    }
    return bitmap;
}

Bitmap palettePicture(int bitsPerPixel, const std::vector<RGBQUAD>& colours) {
    Bitmap bitmap = noisePicture(FIT_BITMAP, bitsPerPixel);
    RGBQUAD* palette = FreeImage_GetPalette(bitmap.get());
    for (size_t i = 0; i < colours.size(); ++i) palette[i] = colours[i];
    return bitmap;
}

std::vector<RGBQUAD> greyRamp(unsigned count, bool whiteFirst) {
    std::vector<RGBQUAD> ramp(count);
    for (unsigned i = 0; i < count; ++i) {
        const auto level = static_cast<BYTE>((whiteFirst ? count - 1 - i : i) * 255 / (count - 1));
        ramp[i] = RGBQUAD{level, level, level, 0};
    }
    return ramp;
}

std::vector<RGBQUAD> colourRamp(unsigned count) {
    std::vector<RGBQUAD> ramp(count);
    for (unsigned i = 0; i < count; ++i) {
        ramp[i] = RGBQUAD{static_cast<BYTE>(i * 7), static_cast<BYTE>(255 - i),
                          static_cast<BYTE>(i * 13), 0};
    }
    return ramp;
}

Bitmap floatPicture(float lowest, float highest) {
    Bitmap bitmap(FreeImage_AllocateT(FIT_RGBF, Width, Height));
    std::mt19937 random(7);
    std::uniform_real_distribution<float> value(lowest, highest);
    for (int row = 0; row < Height; ++row) {
        auto* pixels = reinterpret_cast<FIRGBF*>(FreeImage_GetScanLine(bitmap.get(), row));
        for (int x = 0; x < Width; ++x) pixels[x] = FIRGBF{value(random), value(random), value(random)};
    }
    return bitmap;
}

// The largest difference relative to the written value's magnitude (at least 1).
double largestRelativeError(FIBITMAP* written, FIBITMAP* decoded) {
    double largest = 0.0;
    for (int row = 0; row < Height; ++row) {
        const auto* a = reinterpret_cast<const float*>(FreeImage_GetScanLine(written, row));
        const auto* b = reinterpret_cast<const float*>(FreeImage_GetScanLine(decoded, row));
        for (int i = 0; i < 3 * Width; ++i) {
            const double scale = std::max(1.0, std::fabs(static_cast<double>(a[i])));
            largest = std::max(largest, std::fabs(static_cast<double>(a[i]) - b[i]) / scale);
        }
    }
    return largest;
}

struct LosslessCase {
    const char* name;
    Bitmap (*make)();
    int fileDepth;  // bits per pixel of the layout written
};

void PrintTo(const LosslessCase& c, std::ostream* out) { *out << c.name; }

const LosslessCase LosslessCases[] = {
    {"bgra32", [] { return noisePicture(FIT_BITMAP, 32); }, 32},
    {"bgr24", [] { return noisePicture(FIT_BITMAP, 24); }, 24},
    {"rgb565",
     [] {
         return noisePicture(FIT_BITMAP, 16, FI16_565_RED_MASK, FI16_565_GREEN_MASK,
                             FI16_565_BLUE_MASK);
     },
     16},
    {"rgb555",
     [] {
         return noisePicture(FIT_BITMAP, 16, FI16_555_RED_MASK, FI16_555_GREEN_MASK,
                             FI16_555_BLUE_MASK);
     },
     16},
    {"rgb48", [] { return noisePicture(FIT_RGB16, 48); }, 48},
    {"grey_palette", [] { return palettePicture(8, greyRamp(256, false)); }, 8},
    {"inverted_grey_palette", [] { return palettePicture(8, greyRamp(256, true)); }, 8},
    {"colour_palette", [] { return palettePicture(8, colourRamp(256)); }, 24},
    {"four_bit_colour_palette", [] { return palettePicture(4, colourRamp(16)); }, 24},
    {"black_and_white", [] { return palettePicture(1, greyRamp(2, false)); }, 1},
    {"white_and_black", [] { return palettePicture(1, greyRamp(2, true)); }, 1},
    {"two_colours", [] { return palettePicture(1, colourRamp(2)); }, 24},
};

class JxrLossless : public ::testing::TestWithParam<LosslessCase> {};

TEST_P(JxrLossless, ComesBackPixelForPixel) {
    ScratchFolder folder;
    const std::string path = folder.path() + "noise.jxr";
    const Bitmap written = GetParam().make();
    ASSERT_TRUE(writeJpegXr(written.get(), path));

    const Decoded decoded = decodeFile(path, "jxr");
    ASSERT_TRUE(decoded.bitmap);
    EXPECT_EQ(decoded.fileDepth, GetParam().fileDepth);
    EXPECT_EQ(FreeImage_GetWidth(decoded.bitmap.get()), unsigned{Width});
    EXPECT_EQ(FreeImage_GetHeight(decoded.bitmap.get()), unsigned{Height});
    EXPECT_EQ(comparePictures(written.get(), decoded.bitmap.get(), 0, true).largest, 0.0);
}

std::string layoutName(const ::testing::TestParamInfo<LosslessCase>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(EveryLayout, JxrLossless, ::testing::ValuesIn(LosslessCases),
                         layoutName);

TEST(JxrFloats, KeepTwentyOneMantissaBitsBelowTwo) {
    ScratchFolder folder;
    const Bitmap written = floatPicture(0.0F, 1.9999F);
    ASSERT_TRUE(writeJpegXr(written.get(), folder.path() + "float.jxr"));
    const Decoded decoded = decodeFile(folder.path() + "float.jxr", "jxr");
    ASSERT_TRUE(decoded.bitmap);
    EXPECT_EQ(decoded.fileDepth, 96);
    EXPECT_LE(largestRelativeError(written.get(), decoded.bitmap.get()), std::ldexp(1.0, -21));
}

TEST(JxrFloats, LargeAndNegativeMagnitudesAreWrittenWithoutOverflow) {
    ScratchFolder folder;
    for (const float magnitude : {1000.0F, 3.0e38F}) {
        const Bitmap written = floatPicture(-magnitude, magnitude);
        ASSERT_TRUE(writeJpegXr(written.get(), folder.path() + "float.jxr")) << magnitude;
        const Decoded decoded = decodeFile(folder.path() + "float.jxr", "jxr");
        ASSERT_TRUE(decoded.bitmap) << magnitude;
        EXPECT_LE(largestRelativeError(written.get(), decoded.bitmap.get()), std::ldexp(1.0, -20))
            << magnitude;
    }
}

TEST(JxrRefusals, LayoutsWithoutAJpegXrFormOrNoPlaceToWrite) {
    ScratchFolder folder;
    const std::string path = folder.path() + "refused.jxr";
    EXPECT_FALSE(writeJpegXr(nullptr, path));
    for (const FREE_IMAGE_TYPE type : {FIT_UINT16, FIT_RGBA16, FIT_RGBAF, FIT_DOUBLE}) {
        const Bitmap bitmap(FreeImage_AllocateT(type, Width, Height));
        EXPECT_FALSE(writeJpegXr(bitmap.get(), path)) << type;
    }
    EXPECT_EQ(folder.fileCount(), 0);
    const Bitmap picture = noisePicture(FIT_BITMAP, 24);
    EXPECT_FALSE(writeJpegXr(picture.get(), folder.path() + "missing/folder/out.jxr"));
}

}  // namespace
}  // namespace plotvale::engine::testing
