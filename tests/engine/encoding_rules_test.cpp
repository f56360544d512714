// The depth rules and save flags of the output formats, and the trimmed
// colour table of 8-bit BMP files.

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "engine/bit_depth.h"
#include "engine/convert_file.h"
#include "engine/save_flags.h"
#include "engine/save_image.h"
#include "platform/file_system.h"
#include "settings/format_catalogue.h"
#include "test_pictures.h"

namespace plotvale::engine::testing {
namespace {

TEST(AutomaticDepth, FromATrueColourPicture) {
    const std::map<std::string, int> expected{
        {"bmp", 32}, {"ico", 32}, {"png", 32}, {"tiff", 32}, {"tga", 32}, {"jng", 32},
        {"j2k", 32}, {"jp2", 32}, {"jxr", 32}, {"webp", 32}, {"psd", 32}, {"dds", 32},
        {"jpg", 24}, {"gif", 8},  {"pgm", 8},  {"ppm", 48}, {"exr", 96}, {"hdr", 96},
        {"pfm", 96}, {"xpm", 24}, {"pcx", 24}, {"pbm", 1},  {"wbmp", 1}};
    ASSERT_EQ(expected.size(), settings::OutputFormatTable().size());
    for (const auto& [extension, depth] : expected) EXPECT_EQ(chooseDepth(extension, 32), depth) << extension;
}

TEST(AutomaticDepth, WalksTheAllowedListFromTheSmallest) {
    EXPECT_EQ(chooseDepth("bmp", 8), 8);
    EXPECT_EQ(chooseDepth("bmp", 2), 4);
    EXPECT_EQ(chooseDepth("bmp", 64), 32);   // every entry below: the last one
    EXPECT_EQ(chooseDepth("tiff", 33), 48);
    EXPECT_EQ(chooseDepth("BMP", 32), 0);    // keys are case-sensitive
}

TEST(AutomaticDepth, StartsFromTheRasterisedDepthNotTheCurrentOne) {
    ScratchFolder folder;
    auto settings = commandLineDefaults();
    settings.adjustment.doImageGreyscale = 1;  // 8 bits after the operations
    ConversionJob job = makeJob(settings, folder.path(), "bmp", 0);
    ASSERT_TRUE(convertBitmap(settings, job, makeQuadrantPicture(16, 16)));
    EXPECT_EQ(job.sourceDepth, 32);
    EXPECT_EQ(job.targetDepth, 32);
    EXPECT_EQ(decodeFile(job.outputPath, "bmp").fileDepth, 32);
}

TEST(DepthConversion, SixteenBitsAre555ForIconsAndTargaElse565) {
    for (const std::string extension : {"tga", "ico", "bmp", "jxr"}) {
        ConversionJob job;
        job.outputExtension = extension;
        job.targetDepth = 16;
        const Bitmap converted = convertDepth(makeQuadrantPicture(8, 8), job);
        ASSERT_TRUE(converted);
        const bool is555 = FreeImage_GetGreenMask(converted.get()) == FI16_555_GREEN_MASK;
        EXPECT_EQ(is555, extension == "tga" || extension == "ico") << extension;
    }
}

TEST(DepthConversion, EightBitsAreGreyForJpegFamiliesAndPaletteElsewhere) {
    for (const std::string extension : {"jpg", "j2k", "jp2", "jxr", "gif", "bmp", "png"}) {
        ConversionJob job;
        job.outputExtension = extension;
        job.targetDepth = 8;
        const Bitmap converted = convertDepth(makeQuadrantPicture(16, 16), job);
        ASSERT_TRUE(converted);
        const bool grey = FreeImage_GetColorType(converted.get()) == FIC_MINISBLACK;
        EXPECT_EQ(grey, extension == "jpg" || extension == "j2k" || extension == "jp2" ||
                            extension == "jxr")
            << extension;
        // The quantiser keeps the four colours exactly.
        if (!grey) {
            EXPECT_EQ(samplePixel(converted.get(), 2, 2)[0], 220 / 255.0);
        }
    }
}

TEST(DepthConversion, UnknownDepthFailsWithoutAFile) {
    ScratchFolder folder;
    const auto settings = commandLineDefaults();
    ConversionJob job = makeJob(settings, folder.path(), "png", 7);
    EXPECT_FALSE(convertBitmap(settings, job, makeQuadrantPicture(8, 8)));
    EXPECT_EQ(folder.fileCount(), 0);
}

using SettingsChange = std::function<void(settings::OutputSettings&)>;

struct FlagCase {
    std::string extension;
    SettingsChange change;
    int32_t flags;
};

TEST(SaveFlags, FollowTheOutputSettings) {
    using O = settings::OutputSettings;
    const std::vector<FlagCase> table{
        {"bmp", [](O&) {}, 0},
        {"bmp", [](O& o) { o.bmpCompression = 1; }, BMP_SAVE_RLE},
        {"bmp", [](O& o) { o.bmpCompression = 2; }, 0},
        {"exr", [](O&) {}, EXR_NONE},
        {"exr", [](O& o) { o.exrCompression = 1; }, EXR_ZIP},
        {"exr", [](O& o) { o.exrCompression = 2; }, EXR_PIZ},
        {"exr", [](O& o) { o.exrCompression = 3; }, EXR_PXR24},
        {"exr", [](O& o) { o.exrCompression = 4; }, EXR_B44},
        {"exr", [](O& o) { o.exrCompression = 5; }, 0},
        {"jpg", [](O&) {}, 95 | 0x10000},
        {"jpg", [](O& o) { o.jpgQuality = 80; o.jpgChroma = 1; o.jpgSaveAs = 1; }, 80 | 0x8000 | 0x40000},
        {"jpg", [](O& o) { o.jpgQuality = 70; o.jpgChroma = 2; o.jpgSaveAs = 2; }, 70 | 0x4000 | 0x20000},
        {"jpg", [](O& o) { o.jpgQuality = 60; o.jpgChroma = 3; o.jpgSaveAs = 3; }, 60 | 0x1000 | 0x2000},
        {"jpg", [](O& o) { o.jpgQuality = 50; o.jpgChroma = 9; o.jpgSaveAs = 9; }, 50},
        {"jxr", [](O&) {}, 100},
        {"png", [](O&) {}, 0x100},
        {"png", [](O& o) { o.pngCompression = 1; }, 1},
        {"png", [](O& o) { o.pngCompression = 2; o.pngInterlaced = 1; }, 6 | 0x200},
        {"png", [](O& o) { o.pngCompression = 3; }, 9},
        {"png", [](O& o) { o.pngCompression = 4; o.pngInterlaced = 1; }, 0x200},
        {"tga", [](O&) {}, 0},
        {"tga", [](O& o) { o.tgaCompression = 1; }, 2},
        {"tiff", [](O&) {}, 0x800},
        {"tiff", [](O& o) { o.tiffCompression = 1; }, 0x1000},
        {"tiff", [](O& o) { o.tiffCompression = 2; }, 0x2000},
        {"tiff", [](O& o) { o.tiffCompression = 3; }, 0x100},
        {"tiff", [](O& o) { o.tiffCompression = 4; }, 0x200},
        {"tiff", [](O& o) { o.tiffCompression = 5; }, 0x400},
        {"tiff", [](O& o) { o.tiffCompression = 6; o.tiffColorMode = 1; }, 0x4001},
        {"tiff", [](O& o) { o.tiffCompression = 6; o.tiffColorMode = 2; }, 0x4000},
        {"tiff", [](O& o) { o.tiffCompression = 7; }, 0x8000},
        {"tiff", [](O& o) { o.tiffCompression = 8; }, 0x10000},
        {"webp", [](O&) {}, 0x100},
        {"webp", [](O& o) { o.webpQuality = 99; }, 99},
    };
    for (const FlagCase& row : table) {
        auto settings = commandLineDefaults();
        row.change(settings.output);
        EXPECT_EQ(computeSaveFlags(settings, row.extension), row.flags) << row.extension;
    }
    const auto defaults = commandLineDefaults();
    for (const std::string extension : {"dds", "gif", "hdr", "ico", "j2k", "jng", "jp2", "pbm",
                                        "pcx", "pfm", "pgm", "ppm", "psd", "wbmp", "xpm", "JPG"})
        EXPECT_EQ(computeSaveFlags(defaults, extension), 0) << extension;
}

// An 8-bit picture whose pixels use palette indices 0..9 only.
Bitmap makeTenColourPicture() {
    Bitmap bitmap = canvas::makeBitmap(20, 6, 8);
    RGBQUAD* palette = FreeImage_GetPalette(bitmap.get());
    for (int i = 0; i < 256; ++i) {
        palette[i] = RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(255 - i),
                             static_cast<BYTE>(i * 7), 0};
    }
    for (unsigned y = 0; y < 6; ++y) {
        for (unsigned x = 0; x < 20; ++x) {
            BYTE index = static_cast<BYTE>((x + y) % 10);
            FreeImage_SetPixelIndex(bitmap.get(), x, y, &index);
        }
    }
    return bitmap;
}

uint32_t readU32(const std::string& bytes, size_t at) {
    return static_cast<uint32_t>(static_cast<unsigned char>(bytes[at])) |
           static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

// Pixel indices of a BMP's RLE8 data, bottom row first. FreeImage reads back
// no RLE8 file at all, so the test decodes the runs itself.
std::vector<BYTE> decodeRle8(const std::string& bytes, size_t offset, unsigned width, unsigned height) {
    std::vector<BYTE> indices(static_cast<size_t>(width) * height, 0);
    unsigned x = 0;
    unsigned y = 0;
    size_t at = offset;
    while (at + 1 < bytes.size() && y < height) {
        const auto count = static_cast<unsigned char>(bytes[at]);
        const auto value = static_cast<unsigned char>(bytes[at + 1]);
        at += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count && x < width; ++i) indices[y * width + x++] = value;
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            x += static_cast<unsigned char>(bytes[at]);
            y += static_cast<unsigned char>(bytes[at + 1]);
            at += 2;
        } else {
            for (unsigned i = 0; i < value && x < width; ++i)
                indices[y * width + x++] = static_cast<BYTE>(bytes[at + i]);
            at += value + (value % 2);
        }
    }
    return indices;
}

std::vector<BYTE> pixelIndices(FIBITMAP* bitmap) {
    std::vector<BYTE> indices;
    for (unsigned y = 0; y < FreeImage_GetHeight(bitmap); ++y) {
        for (unsigned x = 0; x < FreeImage_GetWidth(bitmap); ++x) {
            BYTE index = 0;
            FreeImage_GetPixelIndex(bitmap, x, y, &index);
            indices.push_back(index);
        }
    }
    return indices;
}

class TrimmedBmp : public ::testing::TestWithParam<int32_t> {};

TEST_P(TrimmedBmp, HoldsOnlyTheUsedColoursAndDecodes) {
    ScratchFolder folder;
    auto settings = commandLineDefaults();
    settings.output.bmpColorTable = 1;
    settings.output.bmpCompression = GetParam();
    ConversionJob job = makeJob(settings, folder.path(), "bmp", 8);
    ASSERT_TRUE(convertBitmap(settings, job, makeTenColourPicture()));

    const auto bytes = platform::readFile(job.outputPath, 1 << 20);
    ASSERT_TRUE(bytes);
    ASSERT_GE(bytes->size(), 94u);
    EXPECT_EQ(bytes->substr(0, 2), "BM");
    EXPECT_EQ(readU32(*bytes, 2), bytes->size());
    EXPECT_EQ(readU32(*bytes, 10), 94u);       // 14 + 40 + 10 x 4
    EXPECT_EQ(readU32(*bytes, 14 + 16), static_cast<uint32_t>(GetParam()));
    EXPECT_EQ(readU32(*bytes, 14 + 20), bytes->size() - 94);
    EXPECT_EQ(readU32(*bytes, 14 + 32), 10u);  // colours used
    EXPECT_EQ(readU32(*bytes, 14 + 36), 10u);  // colours important

    const Bitmap original = makeTenColourPicture();
    EXPECT_EQ(bytes->substr(54, 40),
              std::string(reinterpret_cast<const char*>(FreeImage_GetPalette(original.get())), 40));
    if (GetParam() == 1) {
        EXPECT_EQ(decodeRle8(*bytes, 94, 20, 6), pixelIndices(original.get()));
        return;
    }
    const Decoded decoded = decodeFile(job.outputPath, "bmp");
    ASSERT_TRUE(decoded.bitmap);
    EXPECT_EQ(decoded.fileDepth, 8);
    EXPECT_EQ(comparePictures(original.get(), decoded.bitmap.get(), 0, false).largest, 0.0);
}

INSTANTIATE_TEST_SUITE_P(PlainAndRle, TrimmedBmp, ::testing::Values(0, 1));

TEST(TrimmedBmp, OnlyWithTheExactColourTable) {
    ScratchFolder folder;
    const auto settings = commandLineDefaults();  // BMP Color Table 0
    ConversionJob job = makeJob(settings, folder.path(), "bmp", 8);
    ASSERT_TRUE(convertBitmap(settings, job, makeTenColourPicture()));
    const auto bytes = platform::readFile(job.outputPath, 1 << 20);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(readU32(*bytes, 10), 1078u);
}

TEST(TrimmedBmp, RefusesPicturesThatAreNotEightBit) {
    const Bitmap picture = makeQuadrantPicture(4, 4);
    EXPECT_FALSE(encodeTrimmedBmp(picture.get(), 0));
}

}  // namespace
}  // namespace plotvale::engine::testing
