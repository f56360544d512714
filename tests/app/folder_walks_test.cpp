// Folders walked by the real executable, read from its debug lines: one
// folder listed under two spellings, a symbolic-link loop and a symlinked
// sibling folder.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>

#include "support/run_program.h"
#include "support/temp_folder.h"

using namespace plotvale;
using Lines = std::vector<std::string>;

namespace {

class FolderWalks : public ::testing::Test {
protected:
    // clip/a.wmf, clip/sub/b.wmf, clip/sub/up -> .. (a loop), clip/twin -> sub
    // (no loop: the same folder under another name).
    void SetUp() override {
        folder.write("clip/a.wmf", "not a metafile");
        folder.write("clip/sub/b.wmf", "not a metafile");
        ASSERT_EQ(symlink("..", folder.file("clip/sub/up").c_str()), 0);
        ASSERT_EQ(symlink("sub", folder.file("clip/twin").c_str()), 0);
    }
    // The files the run took, from its "Processing: " lines, sorted.
    Lines processed(const std::string& input) {
        const auto result = test::runProgram(PLOTVALE_BINARY, {"-i", input, "-d"},
                                             folder.path().string(), runtime.path().string());
        Lines files;
        for (const std::string& line : result.stdoutLines) {
            if (line.rfind("Processing: ", 0) == 0) files.push_back(line.substr(12));
        }
        std::sort(files.begin(), files.end());
        return files;
    }
    // The files of one walk of the clip folder under the given spelling.
    static Lines walkOf(const std::string& clip) {
        return {clip + "a.wmf", clip + "sub/b.wmf", clip + "twin/b.wmf"};
    }

    test::TempFolder folder;
    test::TempFolder runtime;
};

TEST_F(FolderWalks, LoopsEndAndSymlinkedSiblingsAreWalked) {
    EXPECT_EQ(processed(folder.file("clip") + "/"), walkOf(folder.file("clip") + "/"));
}

TEST_F(FolderWalks, AFolderListedUnderTwoSpellingsGivesEachFileTwice) {
    const std::string plain = folder.file("clip");
    const std::string dotted = folder.file("./clip");
    const std::string list = folder.write("twice.lst", plain + "\n" + dotted + "/\n");
    Lines expected = walkOf(plain + "/");
    const Lines second = walkOf(dotted + "/");
    expected.insert(expected.end(), second.begin(), second.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(processed(list), expected);
}

}  // namespace
