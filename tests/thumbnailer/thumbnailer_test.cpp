// The thumbnailer as a file manager starts it: INPUT OUTPUT SIZE, a PNG
// fitted into SIZE x SIZE, exit status 1 and no picture for anything else.

#include <FreeImage.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "support/run_program.h"
#include "support/sample_metafile.h"
#include "support/temp_folder.h"
#include "thumbnailer/thumbnail.h"

using namespace plotvale;

namespace {

struct Png {
    unsigned width = 0;
    unsigned height = 0;
    RGBQUAD centre{};
    RGBQUAD corner{};
};

std::optional<Png> readPng(const std::string& path) {
    FIBITMAP* bitmap = FreeImage_Load(FIF_PNG, path.c_str(), 0);
    if (bitmap == nullptr) return std::nullopt;
    Png png{FreeImage_GetWidth(bitmap), FreeImage_GetHeight(bitmap)};
    FreeImage_GetPixelColor(bitmap, png.width / 2, png.height / 2, &png.centre);
    FreeImage_GetPixelColor(bitmap, 0, 0, &png.corner);
    FreeImage_Unload(bitmap);
    return png;
}

class Thumbnailer : public ::testing::Test {
protected:
    test::ProgramRun thumbnail(const std::vector<std::string>& arguments) {
        return test::runProgram(PLOTVALE_THUMBNAILER, arguments, folder.path().string(),
                                runtime.path().string());
    }
    test::TempFolder folder;
    test::TempFolder runtime;
};

}  // namespace

TEST_F(Thumbnailer, FitsThePictureIntoTheSquare) {
    const std::string wide = folder.write("wide.wmf", test::sampleMetafile(40, 30));
    const std::string tall = folder.write("tall.wmz", test::gzipped(test::sampleMetafile(30, 300)));
    ASSERT_EQ(thumbnail({wide, "wide.png", "80"}).exitStatus, 0);            // drawn larger
    ASSERT_EQ(thumbnail({tall, folder.file("tall"), "128"}).exitStatus, 0);  // drawn smaller

    const auto big = readPng(folder.file("wide.png"));
    ASSERT_TRUE(big);
    EXPECT_EQ(big->width, 80u);
    EXPECT_EQ(big->height, 60u);
    EXPECT_GE(big->centre.rgbRed, 250);  // the red rectangle
    EXPECT_LE(big->centre.rgbGreen, 5);
    EXPECT_GE(big->corner.rgbGreen, 250);  // the white margin

    const auto small = readPng(folder.file("tall"));
    ASSERT_TRUE(small);
    EXPECT_EQ(small->height, 128u);
    EXPECT_EQ(small->width, 13u);
    EXPECT_GE(small->centre.rgbRed, 200);
}

TEST_F(Thumbnailer, NoPictureForBadInputOrArguments) {
    std::string garbage;
    for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 7919 + 13) & 0xFF);
    const std::string bad = folder.write("garbage.wmf", garbage);
    const std::string good = folder.write("good.wmf", test::sampleMetafile(20, 20));
    EXPECT_EQ(thumbnail({bad, "out.png", "128"}).exitStatus, 1);
    EXPECT_EQ(thumbnail({folder.file("missing.wmf"), "out.png", "128"}).exitStatus, 1);
    EXPECT_EQ(thumbnail({folder.write("empty.wmf", ""), "out.png", "128"}).exitStatus, 1);
    EXPECT_EQ(thumbnail({good, "out.png", "0"}).exitStatus, 1);
    EXPECT_EQ(thumbnail({good, "out.png", "12x"}).exitStatus, 1);
    EXPECT_EQ(thumbnail({good, "out.png"}).exitStatus, 1);
    EXPECT_EQ(thumbnail({good, folder.file("no/such/folder.png"), "64"}).exitStatus, 1);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "out.png"));
    // Nothing but the inputs is left behind, no side file either.
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        EXPECT_EQ(entry.path().extension(), ".wmf") << entry.path();
}

TEST(ThumbnailSizing, SizesAndResolutions) {
    EXPECT_EQ(thumbnailer::readSize("256"), 256);
    EXPECT_EQ(thumbnailer::readSize("4096"), 4096);
    EXPECT_FALSE(thumbnailer::readSize("4097"));
    EXPECT_FALSE(thumbnailer::readSize("-5"));
    EXPECT_FALSE(thumbnailer::readSize(""));
    EXPECT_EQ(thumbnailer::fittingDpi(400, 96, 200), 48);
    EXPECT_EQ(thumbnailer::fittingDpi(300, 96, 200), 64);
    EXPECT_EQ(thumbnailer::fittingDpi(1e9, 96, 128), 1);  // never below 1
    EXPECT_EQ(thumbnailer::fittingDpi(0, 96, 128), 1);
}
