#include "batch/input_file_list.h"

#include <gtest/gtest.h>

using plotvale::batch::InputFileList;

namespace {

std::vector<std::string> pathsInOrder(const InputFileList& list) {
    std::vector<std::string> paths;
    for (const auto* entry : list.inOrder()) paths.push_back(entry->path);
    return paths;
}

}  // namespace

TEST(InputFileList, BucketsHashUtf16CodeUnits) {
    EXPECT_EQ(InputFileList::bucketOf("a"), 97u);
    EXPECT_EQ(InputFileList::bucketOf("ab"), 65u);
    EXPECT_EQ(InputFileList::bucketOf("/in/a.wmf"), 360u);
    EXPECT_EQ(InputFileList::bucketOf("\xC3\xA9"), 233u);          // one unit, U+00E9
    EXPECT_EQ(InputFileList::bucketOf("\xF0\x9F\x98\x80"), 259u);  // a surrogate pair
    EXPECT_EQ(InputFileList::bucketOf(""), 0u);
    EXPECT_NO_FATAL_FAILURE(InputFileList::bucketOf("\xFF\xC3"));  // not UTF-8
}

TEST(InputFileList, OrderIsBucketsAscendingNewestFirstWithinOne) {
    InputFileList list;
    for (const char* path :
         {"/in/a.wmf", "/in/f0.wmf", "/in/b.wmf", "/in/f143.wmf", "/in/f264.wmf"}) {
        list.findOrCreate(path).added = 1;
    }
    // Buckets: b 105, a 360, f0 / f143 / f264 all 391.
    EXPECT_EQ(pathsInOrder(list),
              (std::vector<std::string>{"/in/b.wmf", "/in/a.wmf", "/in/f264.wmf", "/in/f143.wmf",
                                        "/in/f0.wmf"}));
}

TEST(InputFileList, KeysAreExactPaths) {
    InputFileList list;
    list.findOrCreate("/in/a.wmf").added = 1;
    EXPECT_EQ(list.findOrCreate("/in/a.wmf").added, 1);
    EXPECT_EQ(list.findOrCreate("/in/A.wmf").added, 0);
    EXPECT_EQ(list.size(), 2u);
    list.clear();
    EXPECT_EQ(list.size(), 0u);
    EXPECT_TRUE(list.inOrder().empty());
}
