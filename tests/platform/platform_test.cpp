#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "platform/file_system.h"
#include "platform/instance_guard.h"
#include "platform/output_file.h"
#include "platform/process_limits.h"
#include "platform/program_path.h"
#include "platform/resource_folders.h"
#include "platform/user_folders.h"
#include "platform/working_folder.h"
#include "support/temp_folder.h"

using namespace plotvale::platform;
using plotvale::test::TempFolder;

TEST(FileSystem, SizeOrKindOfFilesFoldersAndLinks) {
    TempFolder folder;
    const std::string file = folder.write("a.wmf", "12345");
    EXPECT_EQ(fileSizeOrKind(file), 5);
    EXPECT_EQ(fileSizeOrKind(folder.write("empty.wmf", "")), 0);
    EXPECT_EQ(fileSizeOrKind(folder.path().string()), PathIsFolder);
    EXPECT_EQ(fileSizeOrKind(folder.file("missing")), PathMissing);
    EXPECT_EQ(fileSizeOrKind(""), PathMissing);
    ASSERT_EQ(symlink("nowhere", folder.file("dangling").c_str()), 0);
    EXPECT_EQ(fileSizeOrKind(folder.file("dangling")), PathMissing);
}

TEST(FileSystem, ListingAndCreatingFolders) {
    TempFolder folder;
    folder.write("one.wmf", "x");
    ASSERT_TRUE(createFolder(folder.file("sub")));
    EXPECT_TRUE(createFolder(folder.file("sub")));       // already there
    EXPECT_FALSE(createFolder(folder.file("one.wmf")));  // a file is in the way
    EXPECT_FALSE(createFolder(folder.file("missing/deeper")));
    ASSERT_EQ(symlink(".", folder.file("loop").c_str()), 0);

    auto entries = listFolder(folder.path().string());
    ASSERT_TRUE(entries.has_value());
    std::sort(entries->begin(), entries->end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    ASSERT_EQ(entries->size(), 3u);
    EXPECT_EQ((*entries)[0].name, "loop");
    EXPECT_TRUE((*entries)[0].isSymlink);
    EXPECT_EQ((*entries)[1].name, "one.wmf");
    EXPECT_FALSE((*entries)[1].isFolder);
    EXPECT_TRUE((*entries)[2].isFolder);
    EXPECT_FALSE(listFolder(folder.file("missing")).has_value());
}

TEST(FileSystem, ReadFileRefusesFoldersAndOversizedFiles) {
    TempFolder folder;
    const std::string file = folder.write("p.ini", "0123456789");
    EXPECT_EQ(readFile(file, 10), "0123456789");
    EXPECT_FALSE(readFile(file, 9).has_value());
    EXPECT_FALSE(readFile(folder.path().string(), 1 << 20).has_value());
    EXPECT_FALSE(readFile(folder.file("missing"), 1 << 20).has_value());
    // A FIFO without a writer would block an ordinary open for ever.
    ASSERT_EQ(mkfifo(folder.file("pipe").c_str(), 0600), 0);
    EXPECT_FALSE(readFile(folder.file("pipe"), 1 << 20).has_value());
    EXPECT_FALSE(readFile("/dev/zero", 1 << 20).has_value());
}

// /dev/full fails every write with ENOSPC, as a full disk does.
TEST(OutputFile, RemembersEveryFailedWrite) {
    TempFolder folder;
    auto good = OutputFile::create(folder.file("a.bin"));
    ASSERT_TRUE(good.has_value());
    EXPECT_EQ(good->write("abcdef", 1, 6), 6u);
    ASSERT_TRUE(good->seek(2, SEEK_SET));
    EXPECT_EQ(good->write("X", 1, 1), 1u);
    EXPECT_EQ(good->tell(), 3);
    EXPECT_TRUE(good->finish());
    EXPECT_EQ(readFile(folder.file("a.bin"), 100), "abXdef");

    auto small = OutputFile::create("/dev/full");
    ASSERT_TRUE(small.has_value());
    EXPECT_EQ(small->write("abc", 1, 3), 3u);  // still in the buffer
    EXPECT_FALSE(small->finish());             // the flush fails
    auto large = OutputFile::create("/dev/full");
    ASSERT_TRUE(large.has_value());
    const std::string block(1 << 20, 'x');
    EXPECT_LT(large->write(block.data(), 1, block.size()), block.size());
    large->seek(0, SEEK_SET);  // an encoder going on as if nothing happened
    EXPECT_FALSE(large->finish());
    EXPECT_FALSE(OutputFile::create(folder.file("missing/a.bin")).has_value());
    EXPECT_FALSE(OutputFile::create(folder.file("a.bin"), true).has_value());  // already there
    ASSERT_EQ(symlink(folder.file("elsewhere").c_str(), folder.file("link").c_str()), 0);
    EXPECT_FALSE(OutputFile::create(folder.file("link"), true).has_value());
    EXPECT_FALSE(std::filesystem::exists(folder.file("elsewhere")));
}

TEST(FileSystem, PseudoFileSystemsAreToldByTheirType) {
    EXPECT_FALSE(onRealFileSystem("/proc/"));
    EXPECT_FALSE(onRealFileSystem("/proc/self/"));
    EXPECT_FALSE(onRealFileSystem("/sys/"));
    TempFolder folder;
    EXPECT_TRUE(onRealFileSystem(folder.path().string()));
    EXPECT_TRUE(onRealFileSystem("/"));
}

// The machine's own devtmpfs mounted once more on an empty folder (root only).
// Only rmdir cleans up: were the unmount to fail, nothing below may be removed.
TEST(FileSystem, DeviceFileSystemIsToldFromTmpfs) {
    std::string folder = (std::filesystem::temp_directory_path() / "plotvale-dev-XXXXXX").string();
    ASSERT_NE(mkdtemp(folder.data()), nullptr);
    if (mount("devtmpfs", folder.c_str(), "devtmpfs", MS_NOSUID | MS_NOEXEC, nullptr) != 0) {
        rmdir(folder.c_str());
        GTEST_SKIP() << "mounting is not allowed here";
    }
    const bool real = onRealFileSystem(folder + "/");
    if (umount(folder.c_str()) != 0) umount2(folder.c_str(), MNT_DETACH);
    rmdir(folder.c_str());
    EXPECT_FALSE(real);

    TempFolder plain;
    if (mount("tmpfs", plain.path().c_str(), "tmpfs", 0, "size=64k") == 0) {
        EXPECT_TRUE(onRealFileSystem(plain.path().string() + "/"));
        umount(plain.path().c_str());
    }
}

TEST(FileSystem, FileIdentityIsTheSameForEveryNameOfAFile) {
    TempFolder folder;
    const std::string file = folder.write("a.wmf", "x");
    ASSERT_EQ(link(file.c_str(), folder.file("b.wmf").c_str()), 0);
    ASSERT_TRUE(fileIdentity(file).has_value());
    EXPECT_FALSE(*fileIdentity(file) < *fileIdentity(folder.file("b.wmf")));
    EXPECT_FALSE(*fileIdentity(folder.file("b.wmf")) < *fileIdentity(file));
    const std::string other = folder.write("c.wmf", "y");
    EXPECT_TRUE(*fileIdentity(other) < *fileIdentity(file) || *fileIdentity(file) < *fileIdentity(other));
    EXPECT_FALSE(fileIdentity(folder.file("missing")).has_value());
}

TEST(FileSystem, ModifiedTimesRoundTripToTheSecond) {
    TempFolder folder;
    const std::string file = folder.write("t.png", "x");
    ASSERT_TRUE(setFileModifiedTime(file, 1'000'000'000));
    EXPECT_EQ(fileModifiedTime(file), 1'000'000'000);
    EXPECT_FALSE(setFileModifiedTime(folder.file("missing"), 5));
    EXPECT_FALSE(fileModifiedTime(folder.file("missing")).has_value());
}

TEST(InstanceGuard, RuntimeFolderOpenToOthersIsPassedOver) {
    TempFolder runtime;
    TempFolder base;
    ASSERT_EQ(chmod(runtime.path().c_str(), 0777), 0);
    setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
    setenv("TMPDIR", base.path().c_str(), 1);
    EXPECT_EQ(InstanceGuard::lockFolder().value_or(""),
              base.file("plotvale-" + std::to_string(geteuid())) + "/");
    unsetenv("TMPDIR");
    unsetenv("XDG_RUNTIME_DIR");
}

TEST(InstanceGuard, OneHolderAtATime) {
    TempFolder runtime;
    setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
    {
        auto first = InstanceGuard::acquire("Plotvale Test 1.0");
        ASSERT_TRUE(first.has_value());
        EXPECT_FALSE(InstanceGuard::acquire("Plotvale Test 1.0").has_value());
        EXPECT_TRUE(InstanceGuard::acquire("Another Name").has_value());
    }
    EXPECT_TRUE(InstanceGuard::acquire("Plotvale Test 1.0").has_value());  // released
    EXPECT_EQ(InstanceGuard::lockPath("a/b").value_or(""), runtime.file("a_b.lock"));
    unsetenv("XDG_RUNTIME_DIR");
}

// Without XDG_RUNTIME_DIR the lock lives in $TMPDIR/plotvale-<uid>, made
// with mode 0700; a folder that is open to others, owned by someone else or
// a link is not trusted and the guard is not placed.
class LockFolder : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* tmp = getenv("TMPDIR")) previousTmp = tmp;
        unsetenv("XDG_RUNTIME_DIR");
        setenv("TMPDIR", base.path().c_str(), 1);
    }
    void TearDown() override {
        if (previousTmp.empty())
            unsetenv("TMPDIR");
        else
            setenv("TMPDIR", previousTmp.c_str(), 1);
    }
    std::string folder() const { return base.file("plotvale-" + std::to_string(geteuid())); }

    TempFolder base;
    std::string previousTmp;
};

TEST_F(LockFolder, IsMadePrivateWhenMissing) {
    EXPECT_EQ(InstanceGuard::lockFolder().value_or(""), folder() + "/");
    struct stat info {};
    ASSERT_EQ(lstat(folder().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    auto guard = InstanceGuard::acquire("Plotvale Test 1.0");
    ASSERT_TRUE(guard.has_value());
    EXPECT_FALSE(guard->unguarded());
    EXPECT_FALSE(InstanceGuard::acquire("Plotvale Test 1.0").has_value());
}

TEST_F(LockFolder, OpenToOthersIsNotTrusted) {
    ASSERT_EQ(mkdir(folder().c_str(), 0700), 0);
    ASSERT_EQ(chmod(folder().c_str(), 0777), 0);
    EXPECT_FALSE(InstanceGuard::lockFolder().has_value());
    auto guard = InstanceGuard::acquire("Plotvale Test 1.0");
    ASSERT_TRUE(guard.has_value());
    EXPECT_TRUE(guard->unguarded());
    EXPECT_TRUE(InstanceGuard::acquire("Plotvale Test 1.0").has_value());  // nobody is locked out
}

TEST_F(LockFolder, OwnedBySomeoneElseOrALinkIsNotTrusted) {
    const std::string elsewhere = base.file("elsewhere");
    ASSERT_EQ(mkdir(elsewhere.c_str(), 0700), 0);
    ASSERT_EQ(symlink(elsewhere.c_str(), folder().c_str()), 0);
    EXPECT_FALSE(InstanceGuard::lockFolder().has_value());
    ASSERT_EQ(unlink(folder().c_str()), 0);

    ASSERT_EQ(mkdir(folder().c_str(), 0700), 0);
    if (chown(folder().c_str(), geteuid() + 1, static_cast<gid_t>(-1)) != 0)
        GTEST_SKIP() << "only root can give a folder away";
    EXPECT_FALSE(InstanceGuard::lockFolder().has_value());
}

TEST(ProgramPath, NamesTheRunningExecutable) {
    EXPECT_EQ(programName(), "platform_tests");
    EXPECT_EQ(programFolder().back(), '/');
    EXPECT_EQ(programFolder() + "platform_tests", programPath());
}

TEST(UserFolders, ConfigFolderFollowsXdgThenHome) {
    setenv("XDG_CONFIG_HOME", "/xdg/config", 1);
    EXPECT_EQ(userConfigFolder(), "/xdg/config/");
    setenv("XDG_CONFIG_HOME", "relative", 1);  // ignored: must be absolute
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(userConfigFolder(), "/home/someone/.config/");
    unsetenv("XDG_CONFIG_HOME");
}

TEST(WorkingFolder, IsTheCurrentDirectoryWithASlash) {
    const std::string before = workingFolder();
    TempFolder here;
    ASSERT_EQ(chdir(here.path().c_str()), 0);
    EXPECT_EQ(workingFolder(), here.path().string() + "/");
    ASSERT_EQ(chdir(before.c_str()), 0);
}

TEST(ResourceFolders, BuildTreeOrTheInstallPrefixAboveTheProgram) {
    const BuildTreeFolders build{"/home/dev/plotvale/build/", "/home/dev/plotvale/build/gfx/",
                                 "/home/dev/plotvale/docs/manual/", "/home/dev/plotvale/build/modules/"};
    const ResourceFolders inBuild = resourceFoldersFor("/home/dev/plotvale/build/src/app/", build);
    EXPECT_EQ(inBuild.themes, build.themes);
    EXPECT_EQ(inBuild.manual, build.manual);
    EXPECT_EQ(inBuild.modules, build.modules);

    const ResourceFolders installed = resourceFoldersFor("/usr/bin/", build);
    EXPECT_EQ(installed.themes, "/usr/share/plotvale/gfx/");
    EXPECT_EQ(installed.manual, "/usr/share/doc/plotvale/manual/");
    EXPECT_EQ(installed.modules, "/usr/lib/plotvale/");
    // A moved install, and a build folder whose name only begins the same.
    EXPECT_EQ(resourceFoldersFor("/opt/pv/bin/", build).themes, "/opt/pv/share/plotvale/gfx/");
    EXPECT_EQ(resourceFoldersFor("/home/dev/plotvale/build2/bin/", build).manual,
              "/home/dev/plotvale/build2/share/doc/plotvale/manual/");
}

TEST(ResourceFolders, ThisBuildFindsItsOwnTree) {
    // The test program runs from the build tree.
    const ResourceFolders folders = resourceFolders();
    EXPECT_EQ(folders.themes, thisBuildTree().themes);
    EXPECT_EQ(folders.manual.substr(folders.manual.size() - 13), "/docs/manual/");
}

TEST(ProcessLimits, TheTimeBoundEndsABusyProcess) {
    EXPECT_EXIT(
        {
            endProcessAfter(1, 7);
            for (;;) pause();
        },
        ::testing::ExitedWithCode(7), "");
}
