// The whole pipeline on pictures the tests make: order of the steps and the
// sizes handed to the file name.

#include <gtest/gtest.h>

#include <thread>

#include "engine/convert_file.h"
#include "platform/file_system.h"
#include "test_pictures.h"

namespace plotvale::engine::testing {
namespace {

TEST(Pipeline, RotatesBeforeResizingAndNamesWithTheResultSize) {
    ScratchFolder folder;
    auto settings = commandLineDefaults();
    settings.transform.doImageRotation = 1;
    settings.transform.imageRotation = 90;
    settings.transform.doImageResize = 1;
    settings.transform.imageWidth = 50;
    settings.transform.imageWidthUnit = 1;
    settings.transform.imageHeight = 50;
    settings.transform.imageHeightUnit = 1;
    settings.advanced.filenameMask = "%filename%-%width%x%height%-%bpp%.%ext%";
    ConversionJob job = makeJob(settings, folder.path(), "png", 0);
    ASSERT_TRUE(convertBitmap(settings, job, makeQuadrantPicture(64, 48)));
    // 64 x 48 turned is 48 x 64; half of that is 24 x 32.
    EXPECT_EQ(job.outputPath, folder.path() + "quadrants-24x32-32.png");
    EXPECT_EQ(std::make_pair(job.resultWidth, job.resultHeight), std::make_pair(24, 32));
}

TEST(Pipeline, FlipsTheRotatedPicture) {
    ScratchFolder folder;
    auto settings = commandLineDefaults();
    settings.transform.doImageRotation = 1;
    settings.transform.imageRotation = 90;
    settings.transform.doImageFlipVertical = 1;
    ConversionJob job = makeJob(settings, folder.path(), "bmp", 24);
    ASSERT_TRUE(convertBitmap(settings, job, makeQuadrantPicture(64, 48)));
    const Decoded decoded = decodeFile(job.outputPath, "bmp");
    ASSERT_TRUE(decoded.bitmap);
    // Turned counter-clockwise the top right quadrant is at the top left;
    // flipped vertically the top left quadrant takes its place.
    const auto& expected = QuadrantColours[0];
    const auto pixel = samplePixel(decoded.bitmap.get(), 5, 5);
    EXPECT_EQ(pixel[0], expected.red / 255.0);
    EXPECT_EQ(pixel[1], expected.green / 255.0);
}

TEST(Pipeline, LargeIconsAreSquaredBeforeTheOperations) {
    ScratchFolder folder;
    auto settings = commandLineDefaults();
    settings.adjustment.doImageGreyscale = 1;
    ConversionJob job = makeJob(settings, folder.path(), "ico", 0);
    ASSERT_TRUE(convertBitmap(settings, job, makeQuadrantPicture(300, 200)));
    EXPECT_EQ(std::make_pair(job.resultWidth, job.resultHeight), std::make_pair(128, 128));
    const Decoded decoded = decodeFile(job.outputPath, "ico");
    ASSERT_TRUE(decoded.bitmap);
    EXPECT_EQ(FreeImage_GetWidth(decoded.bitmap.get()), 128u);
    EXPECT_EQ(decoded.fileDepth, 32);  // automatic depth starts from the 32-bit source
}

TEST(Pipeline, SubfolderIsKeptInTheOutputPath) {
    ScratchFolder folder;
    auto settings = commandLineDefaults();
    settings.advanced.keepSubfolders = 1;
    ConversionJob job = makeJob(settings, folder.path(), "gif", 0);
    job.relativeSubfolder = "nested/";
    ASSERT_TRUE(platform::createFolder(folder.path() + "nested"));
    ASSERT_TRUE(convertBitmap(settings, job, makeQuadrantPicture(16, 16)));
    EXPECT_EQ(job.outputPath, folder.path() + "nested/quadrants.gif");
    const std::string sidePrefix = folder.path() + "nested/.quadrants.gif.plotvale-";
    EXPECT_EQ(job.temporaryPath.substr(0, sidePrefix.size()), sidePrefix);
    EXPECT_EQ(job.temporaryPath.size(), sidePrefix.size() + 15);
    EXPECT_EQ(folder.fileCount(), 1);
}

TEST(Pipeline, ConvertsOnSeveralThreadsAtOnce) {
    ScratchFolder folder;
    const auto settings = commandLineDefaults();
    const std::vector<std::string> formats{"png", "dds", "psd", "gif", "tiff", "pcx"};
    std::vector<int> converted(2, 0);
    auto work = [&](size_t worker) {
        for (int round = 0; round < 5; ++round) {
            for (const std::string& format : formats) {
                ConversionJob job = makeJob(settings, folder.path(), format, 0);
                job.inputPath = "/in/t" + std::to_string(worker) + "-" + std::to_string(round) + ".wmf";
                if (convertBitmap(settings, job, makeQuadrantPicture(32, 32))) ++converted[worker];
            }
        }
    };
    std::thread first(work, 0);
    std::thread second(work, 1);
    first.join();
    second.join();
    EXPECT_EQ(converted[0] + converted[1], 2 * 5 * 6);
    EXPECT_EQ(folder.fileCount(), 2 * 5 * 6);
}

}  // namespace
}  // namespace plotvale::engine::testing
