// The direct PNG writers read back by FreeImage's decoder (libpng): every
// pixel, the colour type FreeImage itself would choose, the resolution, and
// pictures whose rows run across the 64 KiB stored blocks.

#include <gtest/gtest.h>

#include "engine/png_writer.h"
#include "platform/file_system.h"
#include "test_pictures.h"

namespace plotvale::engine::testing {
namespace {

Bitmap decodePng(const std::string& bytes) {
    FIMEMORY* memory = FreeImage_OpenMemory(
        reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())), static_cast<DWORD>(bytes.size()));
    Bitmap decoded(FreeImage_LoadFromMemory(FIF_PNG, memory, 0));
    FreeImage_CloseMemory(memory);
    return decoded;
}

struct PngCase {
    int width, height, depth;
    int32_t flags;
    unsigned expectedDepth;
};

TEST(PngWriter, PixelsAndColourTypeSurviveEveryPath) {
    const std::vector<PngCase> cases = {
        {64, 48, 32, 0x100, 32},     // stored, with alpha (the fourth quadrant)
        {30000, 3, 32, 0x100, 32},   // rows longer than a stored block
        {333, 250, 24, 0x100, 24},   // stored, three bytes per pixel
        {64, 48, 32, 6, 32},         // libpng, compressed
        {64, 48, 24, 0x200 | 9, 24}, // libpng, interlaced
    };
    for (const PngCase& c : cases) {
        Bitmap picture = makeQuadrantPicture(c.width, c.height);
        if (c.depth == 24) picture = Bitmap(FreeImage_ConvertTo24Bits(picture.get()));
        FreeImage_SetDotsPerMeterX(picture.get(), 3780);
        FreeImage_SetDotsPerMeterY(picture.get(), 2835);
        const auto bytes = encodePng(picture.get(), c.flags);
        ASSERT_TRUE(bytes) << c.width;
        const Bitmap decoded = decodePng(*bytes);
        ASSERT_TRUE(decoded) << c.width;
        EXPECT_EQ(FreeImage_GetBPP(decoded.get()), c.expectedDepth) << c.width;
        EXPECT_EQ(FreeImage_GetDotsPerMeterX(decoded.get()), 3780u);
        EXPECT_EQ(FreeImage_GetDotsPerMeterY(decoded.get()), 2835u);
        EXPECT_EQ(comparePictures(picture.get(), decoded.get(), 0, c.depth == 32).largest, 0.0)
            << c.width << "x" << c.height << " flags " << c.flags;
    }
}

TEST(PngWriter, OpaqueFourBytePicturesAreWrittenAsRgb) {
    const Bitmap opaque = makeFilledPicture(20, 10, Rgba{1, 2, 3, 255});
    for (const int32_t flags : {0x100, 1}) {
        const Bitmap decoded = decodePng(*encodePng(opaque.get(), flags));
        EXPECT_EQ(FreeImage_GetBPP(decoded.get()), 24u) << flags;
        EXPECT_EQ(comparePictures(opaque.get(), decoded.get(), 0, false).largest, 0.0);
    }
    const Bitmap grey(FreeImage_ConvertTo8Bits(opaque.get()));
    EXPECT_FALSE(encodesPngDirectly(grey.get()));
}

}  // namespace
}  // namespace plotvale::engine::testing
