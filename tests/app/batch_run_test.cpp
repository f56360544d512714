// Batch runs of the real executable: refusals in their order, the debug
// echo, collection counts and the totals. The program is copied into a
// folder of its own, apart from the working directory, so a test can tell
// which of the two relative paths start from.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include <FreeImage.h>

#include "batch/input_file_list.h"
#include "platform/file_system.h"
#include "support/run_program.h"
#include "support/sample_metafile.h"
#include "support/temp_folder.h"

using namespace plotvale;
using Lines = std::vector<std::string>;

class BatchRun : public ::testing::Test {
protected:
    void SetUp() override {
        program = home.file("plotvale");
        std::filesystem::copy_file(PLOTVALE_BINARY, program);
        std::filesystem::create_directories(home.path() / "out");
        home.write("in/a.wmf", "not a metafile at all");
    }
    // The run's lines after the four banner lines.
    Lines run(std::vector<std::string> arguments, int expectedStatus) {
        arguments.push_back("-q");
        const auto result =
            test::runProgram(program, arguments, cwd.path().string(), runtime.path().string());
        EXPECT_EQ(result.exitStatus, expectedStatus) << result.stdoutText << result.stderrText;
        return result.stdoutLines;
    }
    Lines runLoud(const std::vector<std::string>& arguments) {
        const auto result =
            test::runProgram(program, arguments, cwd.path().string(), runtime.path().string());
        Lines lines = result.stdoutLines;
        if (lines.size() >= 4) lines.erase(lines.begin(), lines.begin() + 4);
        return lines;
    }
    std::string out() const { return home.file("out"); }

    test::TempFolder home;
    test::TempFolder cwd;
    test::TempFolder runtime;
    std::string program;
};

TEST_F(BatchRun, RefusalsInTheirOrder) {
    const std::string in = home.file("in");
    const auto refused = [&](std::vector<std::string> args, const std::string& line) {
        EXPECT_EQ(run(std::move(args), 1), Lines{line});
    };
    home.write("empty.wmf", "");
    refused({"-i", home.file("empty.wmf")}, "Error: Invalid input file");
    refused({"-i", home.file("missing.wmf")}, "Error: Invalid input file");
    refused({"-i", "../in"}, "Error: Incorrect input folder");
    refused({"-i", "..\\in"}, "Error: Incorrect input folder");
    refused({"-i", home.file("nope")}, "Error: Invalid input folder");
    refused({"-i", in, "-o", "../out"}, "Error: Incorrect output folder");
    refused({"-i", in, "-o", home.file("nope")}, "Error: Invalid output folder");
    refused({"-i", in, "-o", out(), "-c", "JPG"}, "Error: Invalid conversion type");
    refused({"-i", in, "-o", out(), "-c", "png", "--png-bpp=16"}, "Error: Invalid png-bpp value");
    refused({"-i", in, "-o", out(), "-c", "jpg", "--jpg-quality=0"},
            "Error: Invalid jpg-quality value");
    refused({"-i", in, "-o", out(), "-c", "webp", "--webp-quality=101"},
            "Error: Invalid webp-quality value");
    refused({"-i", in, "-o", out(), "--wmf-dpi=9"}, "Error: Invalid wmf-dpi value");
    refused({"-i", in, "-o", out(), "--width=0", "--height=0"}, "Error: Invalid width value");
    refused({"-i", in, "-o", out(), "--width=5", "--height=0"}, "Error: Invalid height value");
    refused({"-i", in, "-o", out(), "--brightness=101", "--contrast=-101"},
            "Error: Invalid brightness value");
    refused({"-i", in, "-o", out(), "--contrast=-101"}, "Error: Invalid contrast value");
    refused({"-i", in, "-o", out(), "--gamma=10"}, "Error: Invalid gamma value");
    refused({"-i", in, "-o", out(), "--wm-text=x", "--wm-font=No Such Face Anywhere"},
            "Error: Invalid watermark font");
    refused({"-i", in, "-o", out(), "--wm-image=" + home.file("missing.png")},
            "Error: Invalid watermark image");
}

TEST_F(BatchRun, OnlyTheChosenFormatIsChecked) {
    // The file is no real picture, so the run gets past every check and then fails it.
    EXPECT_EQ(run({"-i", home.file("in"), "-o", out(), "-c", "bmp", "--png-bpp=16",
                   "--jpg-quality=0", "--bmp-bpp=0"},
                  2),
              Lines{"Conversion stopped"});
}

TEST_F(BatchRun, RelativeFoldersResolveAgainstTheWorkingDirectory) {
    std::filesystem::create_directories(home.path() / "sub");  // beside the program: not looked at
    EXPECT_EQ(run({"-i", "sub"}, 1), Lines{"Error: Invalid input folder"});
    std::filesystem::create_directories(cwd.path() / "sub");
    const Lines none = {"Conversion stopped",
                        "No input file(s) found. Please, add valid file(s) and try again!"};
    EXPECT_EQ(run({"-i", "sub"}, 1), none);
    EXPECT_EQ(run({"-i", "./sub/"}, 1), none);
    EXPECT_EQ(run({"-i", "sub/../sub"}, 1), none);
    EXPECT_EQ(run({"-i", "sub", "-o", "out"}, 1), Lines{"Error: Invalid output folder"});
    // A leading ".." stays refused, wherever the program runs from.
    EXPECT_EQ(run({"-i", "../sub"}, 1), Lines{"Error: Incorrect input folder"});
    EXPECT_EQ(run({"-i", "sub", "-o", "../sub"}, 1), Lines{"Error: Incorrect output folder"});
}

TEST_F(BatchRun, AFolderNameWithADotIsTakenForAFile) {
    std::filesystem::create_directories(home.path() / "photos.2020");
    EXPECT_EQ(run({"-i", home.file("photos.2020")}, 1), Lines{"Error: Invalid input file"});
    EXPECT_EQ(run({"-i", home.file("photos.2020") + "/"}, 1),
              (Lines{"Conversion stopped",
                     "No input file(s) found. Please, add valid file(s) and try again!"}));
}

TEST_F(BatchRun, DebugEchoBeforeTheRefusal) {
    const Lines lines = runLoud({"-i", home.file("in"), "-o", out(), "-c", "jpg", "-d",
                                 "--jpg-quality=0", "--jpg-chroma=high"});
    EXPECT_EQ(lines, (Lines{"Preparing...", "Input: " + home.file("in"), "Output: " + out(),
                            "Conversion: jpg", "JPG BPP: 0", "JPG Quality: 0",
                            "JPG Chroma Subsampling: HIGH", "JPG Save As: STANDARD",
                            "Error: Invalid jpg-quality value"}));
}

TEST_F(BatchRun, DebugEchoOfOperations) {
    const Lines lines =
        runLoud({"-i", home.file("in"), "-o", out(), "-c", "tiff", "-d",
                 "--tiff-compression=deflate", "--rotation=90", "--width=50",
                 "--width-unit=percent", "--height=20", "--gamma=1.5", "--fr-solid-left=3",
                 "--file-timestamp=custom", "--file-timestamp-custom=86400", "--no-subfolders"});
    const Lines expected = {"TIFF BPP: 0",
                            "TIFF Compression: DEFLATE",
                            "TIFF Color Mode: RGB",
                            "Image Rotation Type: SIMPLE",
                            "Image Rotation: 90",
                            "Image Rotation Back Color: 000000",
                            "Width: 50 PERCENT",
                            "Height: 20 PIXELS",
                            "Keep Aspect Ratio: 0",
                            "Image Resize Type: ALLIMAGES",
                            "Image Resize Algorithm: BICUBIC",
                            "Flip Horizontal: 0",
                            "Flip Vertical: 0",
                            "Brightness: 0",
                            "Contrast: 0",
                            "Gamma: 1.50",
                            "Invert: 0",
                            "Greyscale: 0",
                            "Frame: SOLID",
                            "Frame left: 3",
                            "Frame right: 0",
                            "Frame top: 0",
                            "Frame bottom: 0",
                            "Frame left color: 000000",
                            "Frame right color: 000000",
                            "Frame top color: 000000",
                            "Frame bottom color: 000000",
                            "Frame opacity: 255",
                            "Watermark: NONE",
                            "Filename Mask: %filename%.%ext%",
                            "File Timestamp: CUSTOM",
                            "Custom Timestamp: 86400",
                            "Keep Subfolders: 0",
                            "Importing..."};
    ASSERT_GE(lines.size(), 4 + expected.size());
    EXPECT_EQ(Lines(lines.begin() + 4, lines.begin() + 4 + static_cast<long>(expected.size())),
              expected);
}

TEST_F(BatchRun, CompressionKeywordsFollowTheFormat) {
    const auto echoed = [&](const std::string& format, const std::string& option) {
        const Lines lines =
            runLoud({"-i", home.file("in"), "-o", out(), "-c", format, "-d", option});
        return lines.size() > 5 ? lines[5] : std::string();
    };
    EXPECT_EQ(echoed("png", "--png-compression=zlib6"), "PNG Compression: ZLIB6");
    EXPECT_EQ(echoed("bmp", "--bmp-compression=rle"), "BMP Compression: RLE");
    EXPECT_EQ(echoed("png", "--png-compression=rle"), "PNG Compression: ZLIB1");
}

class BatchConversion : public BatchRun {
protected:
    void SetUp() override {
        BatchRun::SetUp();
        home.write("in/b.wmf", test::sampleMetafile(40, 30));
        home.write("in/sub/c.WMF", test::sampleMetafile(20, 10));
    }
    test::ProgramRun runFull(const std::vector<std::string>& arguments) {
        return test::runProgram(program, arguments, cwd.path().string(), runtime.path().string());
    }
};

TEST_F(BatchConversion, ThreeFilesOneFailing) {
    const auto result = runFull({"-i", home.file("in"), "-o", out(), "-c", "png"});
    EXPECT_EQ(result.exitStatus, 2);
    ASSERT_EQ(result.stdoutLines.size(), 10u);
    EXPECT_EQ(Lines(result.stdoutLines.begin() + 4, result.stdoutLines.end()),
              (Lines{"Preparing...", "Importing...", "Import complete, new files added: 3",
                     "Converting...", "Conversion complete", "Files converted: 2 of 3"}));
    EXPECT_TRUE(std::filesystem::exists(home.path() / "out" / "b.png"));
    EXPECT_TRUE(std::filesystem::exists(home.path() / "out" / "sub" / "c.png"));
    EXPECT_FALSE(std::filesystem::exists(home.path() / "out" / "a.png"));
}

TEST_F(BatchConversion, DebugBlocksPerFileAndQuietKeepsThem) {
    std::filesystem::remove(home.path() / "in" / "sub" / "c.WMF");
    const auto result = runFull({"-i", home.file("in"), "-o", out(), "-c", "png", "-d", "-q"});
    EXPECT_EQ(result.exitStatus, 2);
    // Quiet drops the totals, debug keeps the echo and the per-file blocks.
    const std::string in = home.file("in") + "/";
    Lines blocks(result.stdoutLines.end() - 6, result.stdoutLines.end());
    if (blocks[0] != "Processing: " + in + "a.wmf")
        std::rotate(blocks.begin(), blocks.begin() + 3, blocks.end());
    EXPECT_EQ(blocks, (Lines{"Processing: " + in + "a.wmf", "File Format: [ERROR] UNRECOGNIZED",
                             "[ERROR] Unable to convert the file!", "Processing: " + in + "b.wmf",
                             "File Format: WMF", "[OK] Saving As: " + out() + "/b.png"}));
    EXPECT_EQ(result.stdoutLines.front(), "Input: " + home.file("in"));
}

TEST_F(BatchConversion, PathsStartWhereTheUserStands) {
    cwd.write("drawing.wmf", test::sampleMetafile(12, 12));
    cwd.write("sub/inner.wmf", test::sampleMetafile(12, 12));
    std::filesystem::create_directories(cwd.path() / "out");
    const auto made = [&](const std::string& name) {
        return std::filesystem::exists(cwd.path() / name);
    };
    EXPECT_EQ(run({"-i", "drawing.wmf", "-c", "png"}, 0), Lines{});
    EXPECT_TRUE(made("drawing.png"));
    EXPECT_FALSE(std::filesystem::exists(home.path() / "drawing.png"));  // not beside the program
    run({"-i", "drawing.wmf", "-o", "out/", "-c", "png"}, 0);
    EXPECT_TRUE(made("out/drawing.png"));
    run({"-i", "sub/inner.wmf", "-c", "jpg"}, 0);
    EXPECT_TRUE(made("sub/inner.jpg"));
    run({"-i", "sub/", "-c", "bmp"}, 0);
    EXPECT_TRUE(made("sub/inner.bmp"));
    run({"-i", "./sub/", "-o", "./out", "-c", "gif"}, 0);
    EXPECT_TRUE(made("out/inner.gif"));
    // A file named with "../" takes its folder as the output folder, which
    // the folder rule refuses.
    EXPECT_EQ(run({"-i", "../" + cwd.path().filename().string() + "/drawing.wmf"}, 1),
              Lines{"Error: Incorrect output folder"});

    const auto result = runFull({"-i", "drawing.wmf", "-o", "out/", "-c", "tiff", "-d", "-q"});
    EXPECT_EQ(result.exitStatus, 0);
    const Lines& lines = result.stdoutLines;
    const auto has = [&lines](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(has("Input: drawing.wmf"));
    EXPECT_TRUE(has("Output: out/"));
    EXPECT_TRUE(has("Processing: drawing.wmf"));
    EXPECT_TRUE(has("[OK] Saving As: " + cwd.path().string() + "/out/drawing.tiff"))
        << result.stdoutText;
}

TEST_F(BatchConversion, CounterFollowsTheInputSetOrder) {
    // Names listed in an order that differs from the set's; the failing file
    // in the middle of the set takes no counter value.
    std::vector<std::string> listed;
    for (const char* name : {"zeta", "alpha", "mid", "beta", "omega"}) {
        listed.push_back(
            home.write(std::string("set/") + name + ".wmf", test::sampleMetafile(8, 8)));
    }
    home.write("set/mid.wmf", "broken");
    const auto setOrder = [](const std::vector<std::string>& paths) {
        batch::InputFileList set;
        for (const std::string& path : paths) set.findOrCreate(path);
        std::vector<std::string> order;
        for (const auto* entry : set.inOrder()) order.push_back(entry->path);
        return order;
    };
    if (setOrder(listed) == listed) std::reverse(listed.begin(), listed.end());
    const std::vector<std::string> order = setOrder(listed);
    ASSERT_NE(order, listed);
    std::string list;
    for (const std::string& path : listed) list += path + "\r\n";

    const auto result = runFull({"-i", home.write("set.lst", list), "-o", out(), "-c", "bmp", "-q",
                                 "--filename-mask=%n%_%filename%.%ext%"});
    EXPECT_EQ(result.exitStatus, 2);
    int counter = 1;
    for (const std::string& path : order) {
        const std::string name = std::filesystem::path(path).stem().string();
        if (name == "mid") continue;
        char number[16];
        std::snprintf(number, sizeof number, "%05d", counter++);
        EXPECT_TRUE(std::filesystem::exists(home.path() / "out" /
                                            (std::string(number) + "_" + name + ".bmp")))
            << number << " " << name;
    }
}

TEST_F(BatchConversion, ListFilesAndOriginalTimestamps) {
    const std::string b = home.file("in/b.wmf");
    ASSERT_TRUE(platform::setFileModifiedTime(b, 1'234'567'890));
    const std::string list = home.write("lists/files.TXT", b + "\n" + b + "\n");
    const auto result = runFull({"-i", list, "-c", "bmp", "--file-timestamp=original", "-q"});
    EXPECT_EQ(result.exitStatus, 0) << result.stdoutText;
    const std::string written = home.file("lists/b.bmp");  // beside the list file
    EXPECT_EQ(platform::fileModifiedTime(written), 1'234'567'890);
}

TEST_F(BatchConversion, FolderAdmitsSupportedNonEmptyFilesOnly) {
    const std::string picture = test::sampleMetafile(16, 16);
    for (const char* name : {"kinds/a.wmf", "kinds/b.WMF", "kinds/d.apm", "kinds/e.emf"}) {
        home.write(name, picture);
    }
    home.write("kinds/c.wmz", test::gzipped(picture));
    home.write("kinds/f.wmf", "");
    const auto result = runFull({"-i", home.file("kinds"), "-o", out(), "-c", "gif"});
    EXPECT_EQ(result.exitStatus, 0) << result.stdoutText;
    EXPECT_EQ(Lines(result.stdoutLines.end() - 3, result.stdoutLines.end()),
              (Lines{"Converting...", "Conversion complete", "Files converted: 4 of 4"}));
    for (const char* name : {"a.gif", "b.gif", "c.gif", "d.gif"}) {
        EXPECT_TRUE(std::filesystem::exists(home.path() / "out" / name)) << name;
    }
}

TEST_F(BatchConversion, ListsWithDuplicatesFoldersAndUtf16) {
    const std::string b = home.file("in/b.wmf");
    const std::string list =
        home.write("dups.txt", b + "\n" + b + "\n" + home.file("in/sub") + "\n");
    const auto result = runFull({"-i", list, "-o", out(), "-c", "png"});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_NE(std::find(result.stdoutLines.begin(), result.stdoutLines.end(),
                        "Import complete, new files added: 2"),
              result.stdoutLines.end());
    EXPECT_TRUE(
        std::filesystem::exists(home.path() / "out" / "c.png"));  // no subfolder from a list

    // UTF-16 lists, little- and big-endian, are decoded as UTF-16.
    std::string le = "\xFF\xFE";
    std::string be = "\xFE\xFF";
    for (char c : b) {
        le += std::string{c, '\0'};
        be += std::string{'\0', c};
    }
    for (const std::string& utf16 : {le, be}) {
        std::filesystem::remove(home.path() / "out" / "b.png");
        const std::string utf16List = home.write("utf16.lst", utf16);
        EXPECT_EQ(run({"-i", utf16List, "-o", out(), "-c", "png"}, 0), Lines{});
        EXPECT_TRUE(std::filesystem::exists(home.path() / "out" / "b.png"));
    }
    EXPECT_EQ(run({"-i", home.write("empty.lst", ""), "-o", out()}, 1),
              Lines{"Error: Invalid input file"});
}

TEST_F(BatchConversion, BackslashesInWalkedNamesStayInTheName) {
    home.write("walk/back\\slash.wmf", test::sampleMetafile(8, 8));
    home.write("walk/sub\\dir/x.wmf", test::sampleMetafile(8, 8));
    EXPECT_EQ(run({"-i", home.file("walk"), "-o", out(), "-c", "png"}, 0), Lines{});
    EXPECT_TRUE(std::filesystem::exists(home.path() / "out" / "back\\slash.png"));
    EXPECT_TRUE(std::filesystem::exists(home.path() / "out" / "sub\\dir" / "x.png"));
    EXPECT_FALSE(std::filesystem::exists(home.path() / "out" / "back\\"));
}

TEST_F(BatchConversion, TextWatermarkDrawnWithTheRunFont) {
    const std::vector<std::string> mark{"-i", home.file("in/b.wmf"), "-o", out(), "-c", "png",
                                        "--wm-text=Mark", "--wm-back-color=00FF00",
                                        "--wm-back-opacity=255", "--wm-text-position=TOPLEFT",
                                        "--wm-text-x-offset=0", "--wm-text-y-offset=0"};
    std::vector<std::string> arial = mark;
    arial.push_back("--wm-font=Arial");
    run(arial, 0);
    const std::string written = home.file("out/b.png");
    FIBITMAP* picture = FreeImage_Load(FIF_PNG, written.c_str(), 0);
    ASSERT_NE(picture, nullptr);
    RGBQUAD corner{};
    FreeImage_GetPixelColor(picture, 0, FreeImage_GetHeight(picture) - 1, &corner);
    FreeImage_Unload(picture);
    EXPECT_LE(corner.rgbRed, 2);  // the watermark's green box, top left
    EXPECT_GE(corner.rgbGreen, 253);
}
