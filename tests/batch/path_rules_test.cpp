#include "batch/path_rules.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_folder.h"

using namespace plotvale::batch;

TEST(PathRules, ExtensionOfTheLastElementOnly) {
    EXPECT_EQ(fileNameExtension("/in/pic.wmf"), "wmf");
    EXPECT_EQ(fileNameExtension("C:\\in\\pic.wmf"), "wmf");
    EXPECT_EQ(fileNameExtension("a.b\\c"), "");
    EXPECT_EQ(fileNameExtension("a.b/c"), "");
    EXPECT_EQ(fileNameExtension("my.pics/new set"), "");
    EXPECT_EQ(fileNameExtension("x/.wmf"), "");
    EXPECT_EQ(fileNameExtension(".wmf"), "");
    EXPECT_EQ(fileNameExtension("/photos.2020"), "2020");
    EXPECT_EQ(fileNameExtension("/photos.2020/"), "");
    EXPECT_EQ(fileNameExtension("my file.WMF"), "WMF");
    EXPECT_EQ(fileNameExtension("list."), "");
}

TEST(PathRules, FolderPart) {
    EXPECT_EQ(folderPart("/in/a/b.wmf"), "/in/a/");
    EXPECT_EQ(folderPart("c:\\lists\\files.txt"), "c:\\lists\\");
    EXPECT_EQ(folderPart("pic.wmf"), "");
}

TEST(PathRules, FoldersResolveAgainstTheProgramFolder) {
    plotvale::test::TempFolder program;
    std::filesystem::create_directories(program.path() / "sub");
    const std::string base = program.path().string() + "/";
    EXPECT_EQ(normaliseFolder("sub", base).folder, base + "sub/");
    EXPECT_EQ(normaliseFolder("./sub/", base).folder, base + "sub/");
    EXPECT_EQ(normaliseFolder("", base).folder, base);
    EXPECT_EQ(normaliseFolder(base + "sub", "/elsewhere/").folder, base + "sub/");
    EXPECT_EQ(normaliseFolder("../sub", base).problem, FolderProblem::Incorrect);
    EXPECT_EQ(normaliseFolder("..\\sub", base).problem, FolderProblem::Incorrect);
    EXPECT_EQ(normaliseFolder("missing", base).problem, FolderProblem::Invalid);
    EXPECT_EQ(normaliseFolder(base + "sub/x.wmf", base).problem, FolderProblem::Invalid);
}
