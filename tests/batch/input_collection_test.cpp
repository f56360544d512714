#include "batch/input_collection.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "support/temp_folder.h"

using namespace plotvale;
using namespace plotvale::batch;

class Collection : public ::testing::Test {
protected:
    Collection()
        : run(
              settings, {}, "/nowhere/", [](std::string_view) {}, 1) {
        run.progress.reset();
    }
    std::vector<std::string> collected() const {
        std::vector<std::string> paths;
        for (const auto* entry : run.files.inOrder()) paths.push_back(entry->path);
        std::sort(paths.begin(), paths.end());
        return paths;
    }
    std::string metafile(const std::string& name) { return folder.write(name, "\xD7\xCD\xC6\x9A"); }

    settings::ConverterSettings settings;
    test::TempFolder folder;
    BatchRun run;
};

TEST_F(Collection, FolderTreeAdmitsNonEmptySupportedFiles) {
    for (const char* name : {"in/a.wmf", "in/b.WMF", "in/c.wmz", "in/d.apm", "in/e.emf",
                             "in/sub/deep/g.wmf", "in/notes.txt"}) {
        metafile(name);
    }
    folder.write("in/f.wmf", "");
    run.request.input = folder.file("in/");
    scanInputFolder(run);
    EXPECT_EQ(run.progress.resultCount, 5);
    EXPECT_EQ(run.progress.processed, 8);  // top-level entries examined
    const std::string in = folder.file("in/");
    EXPECT_EQ(collected(), (std::vector<std::string>{in + "a.wmf", in + "b.WMF", in + "c.wmz",
                                                     in + "d.apm", in + "sub/deep/g.wmf"}));
    EXPECT_EQ(run.files.findOrCreate(in + "sub/deep/g.wmf").relativeSubfolder, "sub/deep/");
    EXPECT_EQ(run.files.findOrCreate(in + "a.wmf").relativeSubfolder, "");
}

TEST_F(Collection, SymbolicLinkLoopsAndDanglingLinksEnd) {
    metafile("in/a.wmf");
    metafile("in/sub/b.wmf");
    ASSERT_EQ(symlink("..", folder.file("in/sub/up").c_str()), 0);
    ASSERT_EQ(symlink("missing.wmf", folder.file("in/dangling.wmf").c_str()), 0);
    run.request.input = folder.file("in/");
    scanInputFolder(run);
    EXPECT_EQ(run.progress.resultCount, 3);  // the dangling link fails later, at conversion
}

TEST_F(Collection, ListFileLinesWithDuplicatesFoldersAndBlanks) {
    const std::string a = metafile("a.wmf");
    metafile("listed/b.wmf");
    metafile("listed/deeper/c.wmf");
    const std::string list = folder.write(
        "files.lst", "\xEF\xBB\xBF  " + a + "  \r\n" + a + "\n\n\t" + a + "\r" +
                         folder.file("listed") + "\n" + folder.file("listed/b.wmf") + "\n" +
                         folder.file("missing.wmf") + "\n" + folder.file("a.emf"));
    run.job.inputPath = list;
    readListFile(run);
    EXPECT_EQ(run.progress.resultCount, 3);
    EXPECT_EQ(run.progress.processed, 4);  // missing paths are not examined
    for (const auto* entry : run.files.inOrder()) EXPECT_EQ(entry->relativeSubfolder, "");
}

TEST_F(Collection, ListEncodingsEmptyListsAndLongLines) {
    const std::string a = metafile("a.wmf");
    const std::string cafe = metafile("caf\xC3\xA9.wmf");  // the name as Linux stores it
    std::string le = "\xFF\xFE";
    std::string be = "\xFE\xFF";
    for (char c : a + "\r\n") {
        le += std::string{c, '\0'};
        be += std::string{'\0', c};
    }
    le += std::string("\xE9\0", 2);  // a trailing "é": no such file
    run.job.inputPath = folder.write("le.txt", le);
    readListFile(run);
    EXPECT_EQ(run.progress.resultCount, 1);
    run.files = {};
    run.job.inputPath = folder.write("be.lst", be);
    readListFile(run);
    EXPECT_EQ(run.progress.resultCount, 2);
    run.files = {};
    run.job.inputPath = folder.write("utf8.txt", cafe + "\n");  // no mark
    readListFile(run);
    run.files = {};
    run.job.inputPath = folder.write("latin1.txt", folder.file("caf\xE9.wmf") + "\n");
    readListFile(run);
    EXPECT_EQ(run.progress.resultCount, 4);
    run.files = {};

    run.job.inputPath = folder.write("empty.txt", "");
    readListFile(run);
    run.job.inputPath = folder.write("long.txt", std::string(100000, 'x') + "\n" + a + "\n");
    readListFile(run);
    EXPECT_EQ(run.progress.resultCount, 5);
    run.job.inputPath = folder.file("missing.txt");
    readListFile(run);
    EXPECT_EQ(run.progress.resultCount, 5);
}

TEST_F(Collection, StoppedStageAddsNothingMore) {
    metafile("in/a.wmf");
    run.request.input = folder.file("in/");
    run.progress.running = false;
    scanInputFolder(run);
    EXPECT_EQ(run.progress.resultCount, 0);
}

TEST_F(Collection, BackslashIsAPlainCharacterOfWalkedNames) {
    metafile("in/back\\slash.wmf");
    metafile("in/sub\\dir/x.wmf");
    run.request.input = folder.file("in/");
    scanInputFolder(run);
    EXPECT_EQ(run.progress.resultCount, 2);
    for (const auto* entry : run.files.inOrder()) {
        const bool inSub = entry->path.find("/x.wmf") != std::string::npos;
        EXPECT_EQ(entry->relativeSubfolder, inSub ? "sub\\dir/" : "") << entry->path;
    }
}

TEST(RelativeSubfolder, OnlyALeadingInputFolderIsRemoved) {
    EXPECT_EQ(relativeSubfolder("/in/a/b/x.wmf", "/in/"), "a/b/");
    EXPECT_EQ(relativeSubfolder("/in/x.wmf", "/in/"), "");
    EXPECT_EQ(relativeSubfolder("/in/a/in/x.wmf", "/in/"), "a/in/");
    EXPECT_EQ(relativeSubfolder("/other/in/x.wmf", "/in/"), "");
    EXPECT_EQ(relativeSubfolder("/in/x.wmf", ""), "");
    EXPECT_EQ(relativeSubfolder("/in/a\\b.wmf", "/in/"), "");
}

TEST(Collection20000, LargeTreesAreCollectedWhole) {
    settings::ConverterSettings settings;
    test::TempFolder folder;
    BatchRun run(
        settings, {}, "/", [](std::string_view) {}, 1);
    for (int i = 0; i < 20000; ++i) {
        folder.write("in/d" + std::to_string(i % 20) + "/f" + std::to_string(i) + ".wmf", "x");
    }
    run.request.input = folder.file("in/");
    run.progress.reset();
    scanInputFolder(run);
    EXPECT_EQ(run.progress.resultCount, 20000);
}
