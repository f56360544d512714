#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "platform/file_system.h"
#include "platform/instance_guard.h"
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
}

TEST(FileSystem, ModifiedTimesRoundTripToTheSecond) {
    TempFolder folder;
    const std::string file = folder.write("t.png", "x");
    ASSERT_TRUE(setFileModifiedTime(file, 1'000'000'000));
    EXPECT_EQ(fileModifiedTime(file), 1'000'000'000);
    EXPECT_FALSE(setFileModifiedTime(folder.file("missing"), 5));
    EXPECT_FALSE(fileModifiedTime(folder.file("missing")).has_value());
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
    EXPECT_EQ(InstanceGuard::lockPath("a/b"), runtime.file("a_b.lock"));
    unsetenv("XDG_RUNTIME_DIR");
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
                                 "/home/dev/plotvale/docs/manual/"};
    const ResourceFolders inBuild = resourceFoldersFor("/home/dev/plotvale/build/src/app/", build);
    EXPECT_EQ(inBuild.themes, build.themes);
    EXPECT_EQ(inBuild.manual, build.manual);

    const ResourceFolders installed = resourceFoldersFor("/usr/bin/", build);
    EXPECT_EQ(installed.themes, "/usr/share/plotvale/gfx/");
    EXPECT_EQ(installed.manual, "/usr/share/doc/plotvale/manual/");
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
