#include "batch/list_transfer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "batch/stage_thread.h"
#include "settings/message_table.h"
#include "support/temp_folder.h"

using namespace plotvale;
using namespace plotvale::batch;

class ListTransfer : public ::testing::Test {
protected:
    ListTransfer() : run(settings, {}, "/nowhere/", [](std::string_view) {}, 1) {}

    std::string metafile(const std::string& name) { return folder.write(name, "\xD7\xCD\xC6\x9A"); }

    // Runs a stage on its own thread, as the window face does, to its end.
    void runStage(std::function<void()> stage) {
        StageThread thread(run.progress, std::move(stage));
        thread.wait();
        EXPECT_TRUE(thread.finished());
    }

    std::vector<std::string> collected() const {
        std::vector<std::string> paths;
        for (const auto* entry : run.files.inOrder()) paths.push_back(entry->path);
        std::sort(paths.begin(), paths.end());
        return paths;
    }

    settings::ConverterSettings settings;
    test::TempFolder folder;
    BatchRun run;
};

TEST_F(ListTransfer, ExportWritesMarkAndCrLfLinesThatImportReadsBack) {
    const std::vector<std::string> paths = {metafile("a.wmf"), metafile("sub dir/b \xC3\xA9.wmz"),
                                            metafile("c.apm")};
    const std::string list = folder.file("list.txt");
    runStage([&] { writeListFile(run.progress, list, paths); });
    EXPECT_EQ(run.progress.resultCount, 3);
    EXPECT_EQ(run.progress.processed, 3);
    EXPECT_EQ(test::fileBytes(list),
              "\xEF\xBB\xBF" + paths[0] + "\r\n" + paths[1] + "\r\n" + paths[2] + "\r\n");
    EXPECT_EQ(countLines(list), 3);

    runStage([&] { importListFile(run, list); });
    EXPECT_EQ(run.progress.resultCount, 3);
    auto sorted = paths;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(collected(), sorted);
    EXPECT_EQ(run.files.findOrCreate(paths[1]).relativeSubfolder, "");

    // The same list again adds nothing: every path is in the set already.
    runStage([&] { importListFile(run, list); });
    EXPECT_EQ(run.progress.resultCount, 0);
}

TEST_F(ListTransfer, ExportToAnUncreatableFileCountsNothing) {
    runStage([&] { writeListFile(run.progress, folder.file("missing/list.txt"), {"/x.wmf"}); });
    EXPECT_EQ(run.progress.resultCount, 0);
    runStage([&] { writeListFile(run.progress, folder.file("empty.txt"), {}); });
    EXPECT_EQ(test::fileBytes(folder.file("empty.txt")), "\xEF\xBB\xBF");
}

TEST_F(ListTransfer, StoppedExportKeepsTheEntriesWrittenSoFar) {
    const std::string list = folder.file("list.txt");
    std::vector<std::string> paths(1000, "/some/file.wmf");
    // Stopped before it starts: only the mark.
    StageThread thread(run.progress, [&] {
        run.progress.running = false;
        writeListFile(run.progress, list, paths);
    });
    thread.wait();
    EXPECT_EQ(test::fileBytes(list), "\xEF\xBB\xBF");
    EXPECT_EQ(thread.snapshot().resultCount, 0);
}

TEST_F(ListTransfer, PausedStageWaitsAndStopsBeforeItsNextItem) {
    const std::string list = folder.file("list.txt");
    std::vector<std::string> paths(200000, "/some/file.wmf");
    StageThread thread(run.progress, [&] { writeListFile(run.progress, list, paths); });
    while (thread.snapshot().processed == 0) std::this_thread::yield();
    thread.pause();
    const int32_t seen = thread.snapshot().processed;
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_FALSE(thread.finished());
    thread.stop();
    thread.resume();
    thread.wait();
    const ProgressSnapshot last = thread.snapshot();
    // The stage was held at its next progress update, took that one entry
    // and then saw the stop.
    EXPECT_LE(last.processed, seen + 2);
    EXPECT_LT(last.resultCount, 200000);
    EXPECT_EQ(static_cast<int64_t>(last.resultCount), countLines(list));
}

TEST_F(ListTransfer, AddFolderTakesTheTreeWithSubfolders) {
    metafile("in/a.wmf");
    metafile("in/deep/b.wmf");
    folder.write("in/notes.txt", "x");
    EXPECT_EQ(countFolderEntries(folder.file("in")), 3);
    EXPECT_EQ(countFolderEntries(folder.file("absent")), 0);
    runStage([&] { addInputFolder(run, folder.file("in")); });
    EXPECT_EQ(run.progress.resultCount, 2);
    EXPECT_EQ(run.files.findOrCreate(folder.file("in/deep/b.wmf")).relativeSubfolder, "deep/");
}

TEST_F(ListTransfer, CountLinesCountsLineFeeds) {
    EXPECT_EQ(countLines(folder.write("three.txt", "a\r\nb\r\nc")), 2);
    EXPECT_EQ(countLines(folder.write("ended.txt", "a\r\nb\r\nc\r\n")), 3);
    EXPECT_EQ(countLines(folder.write("big.txt", std::string(200000, '\n'))), 200000);
    EXPECT_EQ(countLines(folder.file("absent.txt")), 0);
    EXPECT_EQ(countLines(folder.path().string()), 0);
}

TEST_F(ListTransfer, FifosNeverHoldATransfer) {
    const std::string fifo = folder.file("pipe.txt");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(countLines(fifo), 0);
    runStage([&] { writeListFile(run.progress, fifo, {"/x.wmf"}); });
    EXPECT_EQ(run.progress.resultCount, 0);
}

TEST_F(ListTransfer, DialogDecisions) {
    EXPECT_EQ(proposedListFileName(""), "list.txt");
    EXPECT_EQ(proposedListFileName("/home/u/old.lst"), "/home/u/list.txt");
    const std::string empty = folder.write("empty.txt", "");
    const std::string full = folder.write("full.txt", "x");
    EXPECT_FALSE(exportNeedsOverwriteQuestion(empty));
    EXPECT_TRUE(exportNeedsOverwriteQuestion(full));
    EXPECT_FALSE(exportNeedsOverwriteQuestion(folder.file("absent.txt")));
    EXPECT_FALSE(isImportableListFile(empty));
    EXPECT_TRUE(isImportableListFile(full));
    EXPECT_FALSE(isImportableListFile(folder.path().string()));
}

TEST(TransferTexts, OutcomesAndFilter) {
    settings::buildMessageTable();
    EXPECT_EQ(transferOutcomeText(ImportTransferTexts, false, 3),
              "Import complete, new files added: 3");
    EXPECT_EQ(transferOutcomeText(ExportTransferTexts, false, 0),
              "Export complete, entries saved: 0");
    EXPECT_EQ(transferOutcomeText(ImportTransferTexts, true, 3), "Import stopped");
    EXPECT_EQ(transferOutcomeText(ExportTransferTexts, true, 1), "Export stopped");
    EXPECT_EQ(listFileFilter(), "Text Files|*.txt;*.lst|All Files (*.*)|*.*");
    for (const TransferTexts& texts : {ImportTransferTexts, ExportTransferTexts}) {
        EXPECT_NE(settings::getText("Dialog", texts.titleKey), settings::NoStringError);
        EXPECT_NE(settings::getText("Msg", texts.askBreakKey), settings::NoStringError);
    }
}

TEST(ListFileName, ExtensionAddedOnlyWhenMissing) {
    EXPECT_EQ(withListExtension("/home/u/list"), "/home/u/list.txt");
    EXPECT_EQ(withListExtension("/home/u/my list"), "/home/u/my list.txt");
    EXPECT_EQ(withListExtension("/home/u/files.lst"), "/home/u/files.lst");
    EXPECT_EQ(withListExtension("/home/u.d/list"), "/home/u.d/list.txt");
}
