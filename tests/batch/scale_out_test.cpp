// The pieces of a run spread over threads and machines: option values, the
// shard hash, the picture budget, the manifest line, and the conversion
// stage's memory bound.

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include <nlohmann/json.hpp>

#include "batch/conversion_stage.h"
#include "batch/manifest.h"
#include "batch/picture_budget.h"
#include "batch/progress_line.h"
#include "batch/scale_out.h"
#include "support/sample_metafile.h"
#include "support/temp_folder.h"

using namespace plotvale;
using namespace plotvale::batch;

TEST(ScaleOutValues, JobsAndShards) {
    EXPECT_EQ(parseJobs("", 6), 6);
    EXPECT_EQ(parseJobs("0", 6), 6);
    EXPECT_EQ(parseJobs("1", 6), 1);
    EXPECT_EQ(parseJobs("1024", 6), 1024);
    for (const char* bad : {"1025", "-1", "+2", " 2", "two", "2.0", "99999999999"})
        EXPECT_FALSE(parseJobs(bad, 6)) << bad;
    const auto shard = parseShard("2/5");
    ASSERT_TRUE(shard);
    EXPECT_EQ(shard->index, 2u);
    EXPECT_EQ(shard->count, 5u);
    for (const char* bad : {"0/0", "3/3", "-1/2", "1", "a/b", "1/2/3", ""})
        EXPECT_FALSE(parseShard(bad)) << bad;
}

TEST(ScaleOutValues, ShardHashIsStableAndSpreads) {
    // The same on every machine: FNV-1a of the bytes.
    EXPECT_EQ(shardOf("", 1000), 14695981039346656037ULL % 1000);
    EXPECT_EQ(shardOf("a", 1u << 31), 0xAF63DC4C8601EC8CULL % (1u << 31));
    std::vector<int> counts(4);
    for (int i = 0; i < 4000; ++i) ++counts[shardOf("sub/file" + std::to_string(i) + ".wmf", 4)];
    for (int count : counts) EXPECT_NEAR(count, 1000, 150);
    EXPECT_EQ(shardKey("/in/a/b.wmf", "/in/"), "a/b.wmf");
    EXPECT_EQ(shardKey("/lists/x/b.wmf", ""), "b.wmf");
}

TEST(PictureBudgetTest, AdmitsInTicketOrderWithinTheBudget) {
    PictureBudget budget(100);
    budget.admit(0, 60);
    std::atomic<int> admitted{0};
    std::thread second([&] {
        budget.admit(2, 10);  // waits for ticket 1 although it fits
        ++admitted;
    });
    std::thread first([&] {
        budget.admit(1, 60);  // waits until ticket 0 gives its bytes back
        ++admitted;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(admitted, 0);
    budget.release(60);
    first.join();
    second.join();
    EXPECT_EQ(admitted, 2);
    EXPECT_EQ(budget.peakBytes(), 70u);
    budget.release(70);
    budget.admit(3, 500);  // larger than the budget: alone
    EXPECT_EQ(budget.peakBytes(), 500u);
}

TEST(ManifestLineTest, FieldsAndBadUtf8) {
    FileRecord record;
    record.input = "/in/caf\xC3\xA9.wmf";
    record.output = "/out/bad\xFF.png";
    record.status = FileStatus::Failed;
    record.reason = engine::FailureReason::WriterFailed;
    record.width = 3;
    const auto parsed = nlohmann::json::parse(manifestLine(record));
    EXPECT_EQ(parsed["input"], "/in/caf\xC3\xA9.wmf");
    EXPECT_EQ(parsed["output"], "/out/bad\xEF\xBF\xBD.png");
    EXPECT_EQ(parsed["status"], "failed");
    EXPECT_EQ(parsed["reason"], "writer failed");
    EXPECT_EQ(parsed["width"], 3);
    record.status = FileStatus::Skipped;
    EXPECT_FALSE(nlohmann::json::parse(manifestLine(record)).contains("reason"));
}

TEST(ProgressLineTest, DoneRateAndTimeLeft) {
    EXPECT_EQ(progressText(0, 10, 0), "0/10 files");
    EXPECT_EQ(progressText(5, 10, 2000), "5/10 files  2.5 files/s  0:02 left");
    EXPECT_EQ(progressText(1, 601, 1000), "1/601 files  1.0 files/s  10:00 left");
}

// A run into a scratch folder of BMP files, with `count` pictures collected.
class StageRun {
public:
    StageRun(LineWriter writer, int jobs, int count, int16_t width, int16_t height)
        : settings_(defaults()), run(settings_, {}, "/", std::move(writer), 1) {
        run.job.outputFolder = folder.path().string() + "/";
        run.job.outputExtension = "bmp";
        run.job.targetDepth = 24;
        run.scale.jobs = jobs;
        for (int i = 0; i < count; ++i) {
            const std::string path = folder.write("in/p" + std::to_string(i) + ".wmf",
                                                  test::sampleMetafile(width, height));
            run.files.findOrCreate(path).added = 1;
        }
        run.progress.reset();
    }
    size_t outputCount() const {
        size_t outputs = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            outputs += entry.is_regular_file() ? 1 : 0;
        return outputs;
    }

private:
    static settings::ConverterSettings defaults() {
        settings::ConverterSettings s;
        settings::resetSettingsToDefaults(s, true, 0);
        return s;
    }
    test::TempFolder folder;
    settings::ConverterSettings settings_;

public:
    BatchRun run;
};

TEST(ConversionStageTest, LargePicturesStayWithinTheBudget) {
    StageRun stageRun([](std::string_view) {}, 4, 8, 1000, 800);
    const uint64_t pictureBytes = 1000ull * 800 * 4;
    stageRun.run.scale.pictureBudgetBytes = pictureBytes * 2;
    ConversionStage stage(stageRun.run, false, stageRun.run.files.inOrder());
    EXPECT_EQ(stage.run(), 8);
    EXPECT_EQ(stage.peakPictureBytes(), pictureBytes * 2);
    EXPECT_EQ(stageRun.outputCount(), 8u);
}

TEST(ConversionStageTest, AStopEndsAfterTheFilesInFlightAndLeavesAPrefix) {
    std::vector<std::string> lines;
    BatchRun* running = nullptr;
    StageRun stageRun(
        [&](std::string_view line) {
            lines.emplace_back(line);
            if (line.rfind("[OK]", 0) == 0) running->progress.running = false;  // stop after the first
        },
        2, 40, 300, 200);
    running = &stageRun.run;
    ConversionStage stage(stageRun.run, true, stageRun.run.files.inOrder());
    const int32_t converted = stage.run();
    EXPECT_GE(converted, 1);
    EXPECT_LE(converted, 2);  // the file that stopped it, and the one then current
    ASSERT_EQ(lines.size(), 3u * static_cast<size_t>(converted));
    const auto order = stageRun.run.files.inOrder();
    for (size_t i = 0; i < static_cast<size_t>(converted); ++i)
        EXPECT_EQ(lines[3 * i], "Processing: " + order[i]->path);
    EXPECT_EQ(stageRun.outputCount(), static_cast<size_t>(converted));  // no side file left
}
