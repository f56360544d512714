// Conversions that cannot succeed end with false and leave no file behind;
// odd pictures never crash the pipeline.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "engine/convert_file.h"
#include "engine/temp_name.h"
#include "platform/file_system.h"
#include "test_pictures.h"

namespace plotvale::engine::testing {
namespace {

// One format per writer: FreeImage, the trimmed BMP, DevIL.
struct WriterCase {
    std::string extension;
    int depth;
};
const std::vector<WriterCase> EveryWriter{{"png", 0}, {"bmp", 8}, {"dds", 0}, {"pcx", 0}};

settings::ConverterSettings exactBmpSettings() {
    auto settings = commandLineDefaults();
    settings.output.bmpColorTable = 1;
    return settings;
}

TEST(BadOutput, MaskIntoAMissingFolderLeavesNothing) {
    for (const WriterCase& writer : EveryWriter) {
        ScratchFolder folder;
        auto settings = exactBmpSettings();
        settings.advanced.filenameMask = "missing/%filename%.%ext%";
        ConversionJob job = makeJob(settings, folder.path(), writer.extension, writer.depth);
        EXPECT_EQ(convertBitmap(settings, job, makeQuadrantPicture(16, 16)).reason,
                  FailureReason::WriterFailed)  // the side file goes beside the output
            << writer.extension;
        EXPECT_EQ(folder.fileCount(), 0) << writer.extension;
    }
}

TEST(BadOutput, ReadOnlyFolderLeavesNothing) {
    for (const WriterCase& writer : EveryWriter) {
        ScratchFolder folder;
        chmod(folder.path().c_str(), 0555);
        if (platform::writeFile(folder.path() + "probe", "x")) {
            platform::removeFile(folder.path() + "probe");
            GTEST_SKIP() << "this user writes into read-only folders";
        }
        const auto settings = exactBmpSettings();
        ConversionJob job = makeJob(settings, folder.path(), writer.extension, writer.depth);
        EXPECT_FALSE(convertBitmap(settings, job, makeQuadrantPicture(16, 16))) << writer.extension;
        EXPECT_EQ(folder.fileCount(), 0) << writer.extension;
    }
}

TEST(BadOutput, OutputFolderThatIsAFile) {
    for (const WriterCase& writer : EveryWriter) {
        ScratchFolder folder;
        ASSERT_TRUE(platform::writeFile(folder.path() + "file", "x"));
        const auto settings = exactBmpSettings();
        ConversionJob job = makeJob(settings, folder.path() + "file/", writer.extension, writer.depth);
        EXPECT_FALSE(convertBitmap(settings, job, makeQuadrantPicture(16, 16))) << writer.extension;
        EXPECT_EQ(folder.fileCount(), 1) << writer.extension;
    }
}

TEST(BadOutput, WideAndTallIconsAreWritten) {
    // FreeImage writes square icons only; other shapes take the engine's own icon writer.
    for (const auto& [width, height] : {std::pair{64, 32}, std::pair{3, 128}, std::pair{1, 1}}) {
        ScratchFolder folder;
        const auto settings = commandLineDefaults();
        ConversionJob job = makeJob(settings, folder.path(), "ico", 0);
        EXPECT_TRUE(convertBitmap(settings, job, makeQuadrantPicture(width, height)))
            << width << "x" << height;
        EXPECT_EQ(folder.fileCount(), 1);
    }
}

TEST(ExistingOutput, IsReplacedEvenWhenReadOnly) {
    for (const WriterCase& writer : EveryWriter) {
        ScratchFolder folder;
        const std::string existing = folder.path() + "quadrants." + writer.extension;
        ASSERT_TRUE(platform::writeFile(existing, "old"));
        chmod(existing.c_str(), 0444);
        const auto settings = exactBmpSettings();
        ConversionJob job = makeJob(settings, folder.path(), writer.extension, writer.depth);
        EXPECT_TRUE(convertBitmap(settings, job, makeQuadrantPicture(16, 16))) << writer.extension;
        EXPECT_GT(platform::fileSizeOrKind(existing), 3) << writer.extension;
        EXPECT_EQ(folder.fileCount(), 1) << writer.extension;
    }
}

TEST(OddPictures, OnePixelRotatedBy359Degrees) {
    for (const int8_t type : {int8_t{0}, int8_t{1}}) {
        ScratchFolder folder;
        auto settings = commandLineDefaults();
        settings.transform.doImageRotation = 1;
        settings.transform.imageRotation = 359;
        settings.transform.imageRotationType = type;
        ConversionJob job = makeJob(settings, folder.path(), "png", 0);
        const bool converted = static_cast<bool>(convertBitmap(settings, job, makeQuadrantPicture(1, 1)));
        EXPECT_EQ(folder.fileCount(), converted ? 1 : 0);
        if (converted) {
            EXPECT_TRUE(decodeFile(job.outputPath, "png").bitmap);
        }
    }
}

TEST(OddPictures, NoPictureAtAll) {
    ScratchFolder folder;
    const auto settings = commandLineDefaults();
    ConversionJob job = makeJob(settings, folder.path(), "png", 0);
    EXPECT_FALSE(convertBitmap(settings, job, Bitmap()));
    EXPECT_EQ(folder.fileCount(), 0);
}

TEST(OddPictures, ResizeToAZeroSideFailsCleanly) {
    ScratchFolder folder;
    auto settings = commandLineDefaults();
    settings.transform.doImageResize = 1;
    settings.transform.keepAspectRatio = 1;
    settings.transform.imageWidth = 1;
    settings.transform.imageHeight = 1;
    ConversionJob job = makeJob(settings, folder.path(), "png", 0);
    // 1000 x 10 at width 1 rounds to a height of 0.
    EXPECT_FALSE(convertBitmap(settings, job, makeQuadrantPicture(1000, 10)));
    EXPECT_EQ(folder.fileCount(), 0);
}

TEST(BadInput, MissingEmptyOrUnreadableMetafile) {
    ScratchFolder folder;
    const auto settings = commandLineDefaults();
    ASSERT_TRUE(platform::writeFile(folder.path() + "empty.wmf", ""));
    ASSERT_TRUE(platform::writeFile(folder.path() + "garbage.wmf", std::string(100, '\x7f')));
    const std::vector<std::pair<std::string, FailureReason>> cases = {
        {"missing.wmf", FailureReason::Unreadable},
        {"empty.wmf", FailureReason::NotAMetafile},
        {"garbage.wmf", FailureReason::NotAMetafile},
        {"", FailureReason::Unreadable}};
    for (const auto& [name, reason] : cases) {
        ConversionJob job = makeJob(settings, folder.path(), "png", 0);
        job.inputPath = folder.path() + name;
        EXPECT_EQ(convertFile(settings, job).reason, reason) << name;
    }
    EXPECT_EQ(folder.fileCount(), 2);
}

TEST(TempName, LettersForTheClockThenFiveRandomLetters) {
    std::mt19937 random(7);
    const std::string name = makeTempName("plotvale", ".x", 1234567890, random);
    ASSERT_EQ(name.size(), 8 + 10 + 5 + 2);
    EXPECT_EQ(name.substr(0, 18), "plotvalebcdefghija");
    for (const char letter : name.substr(18, 5)) EXPECT_TRUE(letter >= 'a' && letter <= 'z');
    EXPECT_EQ(name.substr(23), ".x");
}

}  // namespace
}  // namespace plotvale::engine::testing
