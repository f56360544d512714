#include "batch/conversion_worker.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/clock.h"
#include "platform/file_system.h"
#include "support/temp_folder.h"

using namespace plotvale;

TEST(ConversionWorker, SubfoldersAreMadeLevelByLevel) {
    test::TempFolder out;
    const std::string base = out.path().string() + "/";
    batch::ensureOutputSubfolders(base, "a/b/");
    EXPECT_TRUE(std::filesystem::is_directory(out.path() / "a" / "b"));
    batch::ensureOutputSubfolders(base, "");
    out.write("file", "x");
    EXPECT_NO_FATAL_FAILURE(batch::ensureOutputSubfolders(base, "file/c/"));  // fails quietly
    EXPECT_FALSE(std::filesystem::exists(out.path() / "file" / "c"));
}

TEST(ConversionWorker, FileTimestamps) {
    test::TempFolder folder;
    const std::string input = folder.write("in.wmf", "x");
    const std::string output = folder.write("out.png", "y");
    settings::ConverterSettings s;
    ASSERT_TRUE(platform::setFileModifiedTime(input, 1'600'000'000));
    ASSERT_TRUE(platform::setFileModifiedTime(output, 1'000));

    s.advanced.fileTimestamp = 0;
    batch::applyFileTimestamp(s, input, output);
    EXPECT_EQ(platform::fileModifiedTime(output), 1'000);

    s.advanced.fileTimestamp = 1;
    batch::applyFileTimestamp(s, input, output);
    EXPECT_EQ(platform::fileModifiedTime(output), 1'600'000'000);

    s.advanced.fileTimestamp = 2;
    s.advanced.customTimestamp = static_cast<int32_t>(platform::toLocalWallClock(1'500'000'000));
    batch::applyFileTimestamp(s, input, output);
    EXPECT_EQ(platform::fileModifiedTime(output), 1'500'000'000);

    EXPECT_NO_FATAL_FAILURE(batch::applyFileTimestamp(s, input, folder.file("missing.png")));
}
