// Where outputs may go: names that stay in the output folder, side files
// named after their output and swept by a later run, inputs that no output
// replaces, and watermark images bounded before they are decoded.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <FreeImage.h>

#include "engine/convert_file.h"
#include "engine/output_guard.h"
#include "engine/output_name.h"
#include "engine/picture_header.h"
#include "engine/temp_name.h"
#include "engine/watermark.h"
#include "platform/file_system.h"
#include "test_pictures.h"

namespace plotvale::engine::testing {
namespace {

TEST(OutputName, NamesThatLeaveTheFolder) {
    EXPECT_TRUE(leavesFolder("/tmp/x.png"));
    EXPECT_TRUE(leavesFolder("../x.png"));
    EXPECT_TRUE(leavesFolder("a/../../x.png"));
    EXPECT_TRUE(leavesFolder("a/.."));
    EXPECT_TRUE(leavesFolder(".."));
    EXPECT_FALSE(leavesFolder("x.png"));
    EXPECT_FALSE(leavesFolder("..x.png"));
    EXPECT_FALSE(leavesFolder("a/..b/x.png"));
    EXPECT_FALSE(leavesFolder("./x.png"));
    EXPECT_FALSE(leavesFolder(".hidden"));
}

TEST(OutputName, PlaceholderValueThatClimbsOutGivesNoPath) {
    auto settings = commandLineDefaults();
    settings.advanced.filenameMask = "%filename%/x.%ext%";
    ConversionJob job = makeJob(settings, "/out/", "png", 0);
    job.inputPath = "/in/...wmf";  // its name part is ".."
    EXPECT_EQ(buildOutputPath(settings, job), "");
    job.inputPath = "/in/ok.wmf";
    EXPECT_EQ(buildOutputPath(settings, job), "/out/ok/x.png");
}

TEST(SideFiles, AreHiddenNamedAfterTheirOutputAndRecognised) {
    ConversionJob job;
    job.outputPath = "/out/sub/pic.final.png";
    const std::string side = makeTempPath(job);
    ASSERT_EQ(side.rfind("/out/sub/.pic.final.png.plotvale-", 0), 0u) << side;
    const std::string name = side.substr(side.rfind('/') + 1);
    EXPECT_EQ(sideFileOwner(name), "pic.final.png");
    EXPECT_EQ(sideFileOwner(".a.png.plotvale-abcdefghijklmno"), "a.png");
    EXPECT_EQ(sideFileOwner(".a.png.plotvale-abcdefghijklmn"), "");   // one letter short
    EXPECT_EQ(sideFileOwner(".a.png.plotvale-abcdefghijklmnO"), "");  // not a letter of ours
    EXPECT_EQ(sideFileOwner("a.png.plotvale-abcdefghijklmno"), "");   // not hidden
    EXPECT_EQ(sideFileOwner(".a.png.plotval-abcdefghijklmno"), "");
    EXPECT_EQ(sideFileOwner("plotvalebcdefghijaqwert.png"), "");
}

TEST(SideFiles, LongOutputNamesStillGiveSideFilesOfAtMost255Bytes) {
    ScratchFolder folder;
    auto settings = commandLineDefaults();
    const std::string longName(240, 'n');
    settings.advanced.filenameMask = longName + ".%ext%";
    const std::string stale = folder.path() + "." + longName.substr(0, 229) +
                              ".plotvale-abcdefghijklmno";
    ASSERT_TRUE(platform::writeFile(stale, "x"));
    ConversionJob job = makeJob(settings, folder.path(), "png", 0);
    ASSERT_TRUE(convertBitmap(settings, job, makeQuadrantPicture(16, 16)));
    EXPECT_EQ(job.temporaryPath.size() - folder.path().size(), 255u);
    EXPECT_EQ(platform::fileSizeOrKind(stale), platform::PathMissing);
    EXPECT_EQ(folder.fileCount(), 1);
}

TEST(SideFiles, StaleOnesOfAWrittenOutputAreRemoved) {
    ScratchFolder folder;
    const std::string stale = folder.path() + ".quadrants.png.plotvale-abcdefghijklmno";
    const std::string otherOutput = folder.path() + ".other.png.plotvale-abcdefghijklmno";
    const std::string notOurs = folder.path() + ".quadrants.png.keep";
    for (const std::string& path : {stale, otherOutput, notOurs}) ASSERT_TRUE(platform::writeFile(path, "x"));
    const auto settings = commandLineDefaults();
    ConversionJob job = makeJob(settings, folder.path(), "png", 0);
    OutputGuard guard;
    ASSERT_TRUE(convertBitmap(settings, job, makeQuadrantPicture(16, 16), {nullptr, &guard}));
    EXPECT_EQ(platform::fileSizeOrKind(stale), platform::PathMissing);
    EXPECT_EQ(platform::fileSizeOrKind(otherOutput), 1);
    EXPECT_EQ(platform::fileSizeOrKind(notOurs), 1);
    EXPECT_EQ(folder.fileCount(), 3);
}

TEST(OutputGuard, NoOutputReplacesAProtectedFileUnderAnyName) {
    ScratchFolder folder;
    const std::string input = folder.path() + "quadrants.wmf";
    ASSERT_TRUE(platform::writeFile(input, "metafile bytes"));
    ASSERT_EQ(link(input.c_str(), (folder.path() + "quadrants.png").c_str()), 0);
    OutputGuard guard({input});
    EXPECT_TRUE(guard.isProtected(folder.path() + "./quadrants.wmf"));
    EXPECT_FALSE(guard.isProtected(folder.path() + "missing.png"));

    auto settings = commandLineDefaults();
    for (const std::string mask : {"%filename%.wmf", "%filename%.%ext%"}) {
        settings.advanced.filenameMask = mask;
        ConversionJob job = makeJob(settings, folder.path(), "png", 0);
        EXPECT_FALSE(convertBitmap(settings, job, makeQuadrantPicture(16, 16), {nullptr, &guard}))
            << mask;
    }
    EXPECT_EQ(platform::readFile(input, 100), "metafile bytes");
    EXPECT_EQ(folder.fileCount(), 2);
}

std::string saveBlankPicture(const ScratchFolder& folder, const std::string& name,
                             FREE_IMAGE_FORMAT format, unsigned width, unsigned height) {
    const canvas::Bitmap picture(FreeImage_Allocate(static_cast<int>(width),
                                                    static_cast<int>(height), 8));
    const std::string path = folder.path() + name;
    EXPECT_TRUE(FreeImage_Save(format, picture.get(), path.c_str(), 0)) << name;
    return path;
}

TEST(WatermarkImage, PixelBoundIsCheckedBeforeDecoding) {
    ScratchFolder folder;
    EXPECT_TRUE(watermarkImageRefused(saveBlankPicture(folder, "wide.png", FIF_PNG, 4097, 4096)));
    EXPECT_TRUE(watermarkImageRefused(saveBlankPicture(folder, "tall.gif", FIF_GIF, 257, 65535)));
    EXPECT_FALSE(watermarkImageRefused(saveBlankPicture(folder, "fine.png", FIF_PNG, 4096, 4096)));
    EXPECT_FALSE(watermarkImageRefused(saveBlankPicture(folder, "fine.gif", FIF_GIF, 300, 200)));
    // DDS: a known format whose size FreeImage cannot read without decoding.
    std::string dds("DDS \x7C\x00\x00\x00", 8);
    dds.resize(128 + 64, '\0');
    EXPECT_TRUE(watermarkImageRefused(platform::writeFile(folder.path() + "a.dds", dds)
                                           ? folder.path() + "a.dds"
                                           : ""));
    EXPECT_FALSE(watermarkImageRefused(folder.path() + "missing.png"));

    settings::WatermarkSettings watermark;
    watermark.imageOpacity = 255;
    watermark.image = folder.path() + "wide.png";
    EXPECT_FALSE(makeImageWatermark(watermark));
    watermark.image = folder.path() + "fine.gif";
    const canvas::Bitmap mark = makeImageWatermark(watermark);
    ASSERT_TRUE(mark);
    EXPECT_EQ(FreeImage_GetWidth(mark.get()), 300u);
    ASSERT_EQ(mkfifo((folder.path() + "pipe.png").c_str(), 0600), 0);
    watermark.image = folder.path() + "pipe.png";
    EXPECT_FALSE(makeImageWatermark(watermark));  // returns at once
}

std::string codestreamHeader(uint32_t width, uint32_t height, uint16_t components) {
    std::string bytes("\xFF\x4F\xFF\x51", 4);
    const auto put = [&bytes](uint64_t value, int count) {
        for (int i = count - 1; i >= 0; --i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    put(41, 2);  // Lsiz
    put(0, 2);   // Rsiz
    put(width + 10, 4);
    put(height + 20, 4);
    put(10, 4);  // offsets
    put(20, 4);
    put(width, 4);  // one tile
    put(height, 4);
    put(0, 4);
    put(0, 4);
    put(components, 2);
    return bytes;
}

TEST(PictureHeader, JpegTwoThousandSizesWithoutDecoding) {
    EXPECT_EQ(j2kPixels(codestreamHeader(5000, 4000, 3)), 20'000'000u);
    EXPECT_EQ(j2kPixels(codestreamHeader(5, 4, 16384)), UINT64_MAX);
    EXPECT_FALSE(j2kPixels(codestreamHeader(5, 4, 3).substr(0, 30)).has_value());
    // Signature and file-type boxes, then the codestream box.
    const std::string signature("\x00\x00\x00\x0CjP  \x0D\x0A\x87\x0A", 12);
    const std::string fileType("\x00\x00\x00\x14" "ftypjp2 \x00\x00\x00\x00jp2 ", 20);
    const std::string codestream = codestreamHeader(300, 200, 4);
    std::string box("\x00\x00\x00\x00jp2c", 8);  // length 0: up to the end
    EXPECT_EQ(jp2Pixels(signature + fileType + box + codestream), 60'000u);
    EXPECT_FALSE(jp2Pixels(signature + fileType).has_value());

    ScratchFolder folder;
    for (const auto format : {FIF_J2K, FIF_JP2}) {
        const canvas::Bitmap picture(FreeImage_Allocate(64, 48, 24));
        const std::string path = folder.path() + (format == FIF_J2K ? "a.j2k" : "a.jp2");
        ASSERT_TRUE(FreeImage_Save(format, picture.get(), path.c_str(), 0));
        const auto bytes = platform::readFile(path, 1 << 20);
        ASSERT_TRUE(bytes.has_value());
        EXPECT_EQ(format == FIF_J2K ? j2kPixels(*bytes) : jp2Pixels(*bytes), 64u * 48u);
        EXPECT_FALSE(watermarkImageRefused(path));
    }
}

}  // namespace
}  // namespace plotvale::engine::testing
