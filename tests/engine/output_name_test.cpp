// Output file names from the filename mask.

#include <gtest/gtest.h>

#include "engine/output_name.h"
#include "engine/wall_clock_date.h"
#include "test_pictures.h"

namespace plotvale::engine::testing {
namespace {

// 2026-03-04 05:06:07 on the wall clock.
constexpr int64_t FixedMoment = 1772600767;
const WallClock fixedClock = [] { return FixedMoment; };

std::string nameFor(const std::string& mask, const std::string& input, const std::string& extension) {
    auto settings = commandLineDefaults();
    settings.advanced.filenameMask = mask;
    ConversionJob job;
    job.inputPath = input;
    job.outputExtension = extension;
    job.targetDepth = 24;
    job.resultWidth = 640;
    job.resultHeight = 480;
    job.randomNumber = 42;
    job.counter = 1;
    return expandFilenameMask(settings, job, fixedClock);
}

TEST(FilenameMask, PlaceholderValuesKeepTheirCaseTheMaskDoesNot) {
    EXPECT_EQ(nameFor("%filename%.%ext%", "/in/Plan.Final.wmf", "png"), "Plan.Final.png");
    EXPECT_EQ(nameFor("%FILENAME[U]%_%EXT[T]%", "/in/Plan.wmf", "jpg"), "PLAN_Jpg");
    EXPECT_EQ(nameFor("%filename[t]%", "/in/mY plan.wmf", "png"), "My plan");
    EXPECT_EQ(nameFor("%filename[l]%.%ext[u]%", "/in/mY plan.wmf", "png"), "my plan.PNG");
    EXPECT_EQ(nameFor("Photo-%filename%", "/in/Plan.wmf", "png"), "photo-Plan");
}

TEST(FilenameMask, DateSizeDepthAndRunNumbers) {
    EXPECT_EQ(nameFor("%yyyy%-%mm%-%dd% %hh%.%ii%.%ss%", "/in/a.wmf", "png"), "2026-03-04 05.06.07");
    EXPECT_EQ(nameFor("%width%x%height%@%bpp%", "/in/a.wmf", "png"), "640x480@24");
    EXPECT_EQ(nameFor("%rnd%-%n%", "/in/a.wmf", "png"), "00042-00001");
}

TEST(FilenameMask, EmptyMaskAndMaskWithoutPlaceholders) {
    EXPECT_EQ(nameFor("", "/in/Plan.wmf", "gif"), "Plan.gif");
    EXPECT_EQ(nameFor("Same.PNG", "/in/One.wmf", "png"), "same.png");
    EXPECT_EQ(nameFor("Same.PNG", "/in/Two.wmf", "png"), "same.png");
}

TEST(FilenameMask, ValuesAreExpandedByLaterPlaceholders) {
    // The file name brings "%ext%" along, which the later placeholder fills.
    EXPECT_EQ(nameFor("%filename%", "/in/a%ext%b.wmf", "png"), "apngb");
    // An earlier placeholder is not looked at again.
    EXPECT_EQ(nameFor("%ext%", "/in/a.wmf", "png"), "png");
}

TEST(FilenameMask, RunNumbersArePaddedOrCutToFive) {
    auto settings = commandLineDefaults();
    settings.advanced.filenameMask = "%rnd%_%n%";
    ConversionJob job;
    job.randomNumber = 1234567;
    job.counter = 99999;
    EXPECT_EQ(expandFilenameMask(settings, job, fixedClock), "12345_99999");
}

TEST(ExpandPlaceholder, MatchesWithoutRegardToCase) {
    ConversionJob job;
    job.inputPath = "/in/Plan.wmf";
    EXPECT_EQ(expandPlaceholder("Made from %FileName% and %FILENAME%", "%filename%", job, fixedClock),
              "Made from Plan and Plan");
    EXPECT_EQ(expandPlaceholder("keep %unknown%", "%unknown%", job, fixedClock), "keep %unknown%");
}

TEST(StripExtension, RemovesOnlyTheLastExtension) {
    EXPECT_EQ(stripExtension("a.b.wmf"), "a.b");
    EXPECT_EQ(stripExtension("plan"), "plan");
    EXPECT_EQ(stripExtension(".hidden"), "");
    EXPECT_EQ(stripExtension(""), "");
}

TEST(OutputPath, SubfolderOnlyWhenKept) {
    auto settings = commandLineDefaults();
    ConversionJob job;
    job.inputPath = "/in/deep/Plan.wmf";
    job.relativeSubfolder = "deep/";
    job.outputFolder = "/out/";
    job.outputExtension = "png";
    settings.advanced.keepSubfolders = 1;
    EXPECT_EQ(buildOutputPath(settings, job), "/out/deep/Plan.png");
    settings.advanced.keepSubfolders = 0;
    EXPECT_EQ(buildOutputPath(settings, job), "/out/Plan.png");
}

TEST(WallClockDate, CountsCalendarDays) {
    const WallClockDate epoch = toWallClockDate(0);
    EXPECT_EQ(std::make_tuple(epoch.year, epoch.month, epoch.day), std::make_tuple(1970, 1, 1));
    const WallClockDate leap = toWallClockDate(951782400 + 3661);
    EXPECT_EQ(std::make_tuple(leap.year, leap.month, leap.day, leap.hour, leap.minute, leap.second),
              std::make_tuple(2000, 2, 29, 1, 1, 1));
    const WallClockDate before = toWallClockDate(-1);
    EXPECT_EQ(std::make_tuple(before.year, before.month, before.day, before.second),
              std::make_tuple(1969, 12, 31, 59));
}

}  // namespace
}  // namespace plotvale::engine::testing
