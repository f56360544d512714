// Replacing a file in one step, piecewise files and the broken-pipe guard.

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>

#include "platform/broken_pipe_guard.h"
#include "platform/replace_file.h"
#include "platform/sequential_file.h"
#include "support/temp_folder.h"

using namespace plotvale;

TEST(ReplaceFile, NewContentKeepsTheOldModeAndLeavesNoSideFile) {
    test::TempFolder folder;
    const std::string path = folder.write("config.ini", "old");
    chmod(path.c_str(), 0600);
    ASSERT_TRUE(platform::replaceFileAtomically(path, "new content"));
    EXPECT_EQ(test::fileBytes(path), "new content");
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              1);
    EXPECT_TRUE(platform::replaceFileAtomically(folder.file("fresh.ini"), ""));
    EXPECT_FALSE(platform::replaceFileAtomically(folder.path().string(), "x"));
    EXPECT_FALSE(platform::replaceFileAtomically("", "x"));
}

TEST(SequentialFile, WritesInPiecesAndReadsInBlocks) {
    test::TempFolder folder;
    const std::string path = folder.file("pieces.txt");
    {
        auto file = platform::SequentialFile::create(path);
        ASSERT_TRUE(file);
        EXPECT_TRUE(file->append("abc"));
        EXPECT_TRUE(file->append("defg"));
    }
    EXPECT_FALSE(platform::SequentialFile::createNew(path));
    std::string joined;
    int blocks = 0;
    EXPECT_TRUE(platform::readInBlocks(path, 3, [&](std::string_view block) {
        joined += block;
        ++blocks;
    }));
    EXPECT_EQ(joined, "abcdefg");
    EXPECT_EQ(blocks, 3);
    EXPECT_FALSE(platform::readInBlocks(folder.file("absent"), 3, [](std::string_view) {}));
}

TEST(BrokenPipeGuard, WriteToAClosedPeerFailsInsteadOfEndingTheProcess) {
    int pair[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    close(pair[1]);
    ssize_t wrote = 0;
    {
        const platform::BrokenPipeGuard quiet;
        wrote = write(pair[0], "x", 1);
    }
    EXPECT_EQ(wrote, -1);
    EXPECT_EQ(errno, EPIPE);
    close(pair[0]);
    sigset_t pending;
    sigemptyset(&pending);
    sigpending(&pending);
    EXPECT_EQ(sigismember(&pending, SIGPIPE), 0);
}
