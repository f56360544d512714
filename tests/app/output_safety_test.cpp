// Runs that must not lose or damage files: a full disk, a killed run, masks
// that would leave the output folder or write over the inputs, inputs that
// are no regular files, a list naming /proc.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include <FreeImage.h>

#include "platform/file_system.h"
#include "settings/format_catalogue.h"
#include "settings/program_identity.h"
#include "support/run_program.h"
#include "support/sample_metafile.h"
#include "support/temp_folder.h"

extern char** environ;

using namespace plotvale;
namespace fs = std::filesystem;

namespace {

// A tmpfs of `size` mounted on a fresh folder for one test; unmounted on
// every path. Empty path where this user may not mount.
class SmallFileSystem {
public:
    explicit SmallFileSystem(const std::string& size) {
        const std::string options = "size=" + size;
        if (mount("tmpfs", folder_.path().c_str(), "tmpfs", 0, options.c_str()) == 0)
            mounted_ = true;
    }
    ~SmallFileSystem() {
        if (mounted_ && umount(folder_.path().c_str()) != 0)
            umount2(folder_.path().c_str(), MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool mounted() const { return mounted_; }
    std::string path() const { return folder_.path().string() + "/"; }

    // Takes every free byte, so that the next write of any size fails.
    void fill() const {
        std::ofstream filler(path() + "filler", std::ios::binary);
        const std::string block(4096, 'f');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size()))) {
        }
    }

private:
    test::TempFolder folder_;
    bool mounted_ = false;
};

std::string readAll(const std::string& path) {
    return platform::readFile(path, 1 << 30).value_or("<missing>");
}

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

bool holdsSideFile(const std::string& folder) {
    for (const std::string& name : namesIn(folder)) {
        if (name.find(".plotvale-") != std::string::npos) return true;
    }
    return false;
}

class OutputSafety : public ::testing::Test {
protected:
    test::ProgramRun run(const std::vector<std::string>& arguments) {
        return test::runProgram(PLOTVALE_BINARY, arguments, cwd.path().string(),
                                runtime.path().string());
    }
    std::string writeInput(const std::string& name, int16_t width, int16_t height) {
        return in.write(name, test::sampleMetafile(width, height));
    }
    std::string inFolder() const { return in.path().string() + "/"; }
    std::string outFolder() const { return out.path().string() + "/"; }

    test::TempFolder in;
    test::TempFolder out;
    test::TempFolder cwd;
    test::TempFolder runtime;
};

class FullDisk : public OutputSafety, public ::testing::WithParamInterface<std::string> {};

// Nothing fits: every file fails, the good file of the same name stays as it
// was, no side file is left under any name.
TEST_P(FullDisk, FailsEveryFileAndKeepsTheEarlierOutput) {
    const std::string format = GetParam();
    SmallFileSystem disk("256k");
    if (!disk.mounted()) GTEST_SKIP() << "mounting a tmpfs is not allowed here";
    writeInput("a.wmf", 300, 200);
    writeInput("b.wmf", 64, 64);
    const std::string earlier = disk.path() + "a." + format;
    ASSERT_TRUE(platform::writeFile(earlier, "an earlier, good output"));
    disk.fill();

    const auto result = run({"-q", "-i", inFolder(), "-o", disk.path(), "-c", format});
    EXPECT_EQ(result.exitStatus, 2) << result.stdoutText;
    EXPECT_EQ(result.stdoutLines, std::vector<std::string>{"Conversion stopped"});
    EXPECT_EQ(readAll(earlier), "an earlier, good output");
    EXPECT_EQ(namesIn(disk.path()), (std::vector<std::string>{"a." + format, "filler"}));
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, FullDisk,
                         ::testing::ValuesIn(settings::OutputFormatList()),
                         [](const auto& format) { return format.param; });

// Room for the small file only: it converts, the large one is reported as
// not converted and leaves nothing.
TEST_F(OutputSafety, FilesThatDoNotFitAreNotConverted) {
    SmallFileSystem disk("64k");
    if (!disk.mounted()) GTEST_SKIP() << "mounting a tmpfs is not allowed here";
    writeInput("small.wmf", 16, 16);
    writeInput("large.wmf", 400, 400);  // 480 KB as a 24-bit BMP

    const auto result =
        run({"-i", inFolder(), "-o", disk.path(), "-c", "bmp", "--bmp-bpp=24"});
    EXPECT_EQ(result.exitStatus, 2);
    ASSERT_FALSE(result.stdoutLines.empty());
    EXPECT_EQ(result.stdoutLines.back(), "Files converted: 1 of 2");
    EXPECT_EQ(namesIn(disk.path()), std::vector<std::string>{"small.bmp"});
}

// A run killed while it writes may leave a side file (one is planted, as the
// kill rarely lands inside the single write); the next run over the same
// outputs removes it.
TEST_F(OutputSafety, RunAfterAKilledOneLeavesNoSideFile) {
    // Enough work on one thread that the kill lands in the middle of it.
    for (int i = 0; i < 30; ++i) writeInput("p" + std::to_string(i) + ".wmf", 1500, 1500);
    const std::string stale = outFolder() + ".p3.png.plotvale-bcdefghijaqwert";
    ASSERT_TRUE(platform::writeFile(stale, "partial"));

    const std::vector<std::string> arguments{PLOTVALE_BINARY,  "-q",          "-i", inFolder(),
                                             "-o",             outFolder(),   "-c", "png",
                                             "--png-compression=ZLIB9", "--jobs=1"};
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
    pid_t child = 0;
    ASSERT_EQ(posix_spawn(&child, PLOTVALE_BINARY, nullptr, nullptr, argv.data(), environ), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));

    const auto again = run({"-q", "-i", inFolder(), "-o", outFolder(), "-c", "png"});
    EXPECT_EQ(again.exitStatus, 0) << again.stdoutText;
    EXPECT_FALSE(holdsSideFile(outFolder()));
    EXPECT_EQ(namesIn(outFolder()).size(), 30u);
}

TEST_F(OutputSafety, MasksThatLeaveTheOutputFolderAreRefused) {
    writeInput("a.wmf", 20, 20);
    const std::string refusal =
        "Error: Invalid filename mask: it must name a file inside the output folder";
    for (const std::string mask :
         {"../%filename%.%ext%", "sub/../../%filename%.%ext%", "/tmp/%filename%.%ext%", ".."}) {
        const auto result = run({"-q", "-i", inFolder(), "-o", outFolder(),
                                 "--filename-mask=" + mask});
        EXPECT_EQ(result.exitStatus, 1) << mask;
        EXPECT_EQ(result.stdoutLines, std::vector<std::string>{refusal}) << mask;
    }
    EXPECT_TRUE(namesIn(outFolder()).empty());
}

// A name part of ".." (the file "...wmf") would climb out through the
// placeholder: that file fails, the others convert.
TEST_F(OutputSafety, PlaceholderValueThatClimbsOutFailsTheFile) {
    writeInput("...wmf", 20, 20);
    writeInput("ok.wmf", 20, 20);
    fs::create_directories(out.path() / "ok");
    const auto result = run({"-i", inFolder(), "-o", outFolder(), "--no-subfolders",
                             "--filename-mask=%filename%/x.%ext%"});
    EXPECT_EQ(result.exitStatus, 2) << result.stdoutText;
    ASSERT_FALSE(result.stdoutLines.empty());
    EXPECT_EQ(result.stdoutLines.back(), "Files converted: 1 of 2");
    EXPECT_TRUE(fs::exists(out.path() / "ok" / "x.bmp"));
    EXPECT_FALSE(fs::exists(out.path().parent_path() / "x.bmp"));
}

TEST_F(OutputSafety, OutputThatIsAnInputFailsAndLeavesItAlone) {
    const std::string a = writeInput("a.wmf", 20, 20);
    const std::string b = writeInput("b.wmf", 30, 20);
    const std::string before = readAll(a);
    const auto result = run({"-d", "-i", inFolder(), "-o", inFolder(), "-c", "png",
                             "--filename-mask=%filename%.wmf"});
    EXPECT_EQ(result.exitStatus, 2) << result.stdoutText;
    EXPECT_EQ(result.stdoutLines.back(), "Conversion stopped");
    EXPECT_EQ(readAll(a), before);
    EXPECT_EQ(readAll(b), test::sampleMetafile(30, 20));
    EXPECT_EQ(namesIn(inFolder()), (std::vector<std::string>{"a.wmf", "b.wmf"}));
}

// FIFOs are refused at once instead of waiting for a writer that never comes.
TEST_F(OutputSafety, FifoProfileListAndWatermarkAreRefused) {
    writeInput("a.wmf", 20, 20);
    const std::string fifo = cwd.file("pipe.txt");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string fifoPng = cwd.file("pipe.png");
    ASSERT_EQ(mkfifo(fifoPng.c_str(), 0600), 0);

    const auto profile = run({"-q", "--profile=" + fifo, "-i", inFolder()});
    EXPECT_EQ(profile.stdoutLines, std::vector<std::string>{"Error: Invalid profile file"});
    const auto list = run({"-q", "-i", fifo, "-o", outFolder()});
    EXPECT_EQ(list.stdoutLines, std::vector<std::string>{"Error: Invalid input file"});
    const auto image = run({"-q", "-i", inFolder(), "-o", outFolder(), "--wm-image=" + fifoPng});
    EXPECT_EQ(image.stdoutLines, std::vector<std::string>{"Error: Invalid watermark image"});
    EXPECT_TRUE(namesIn(outFolder()).empty());
}

// The 1-bit PNG is a few kilobytes but would decode to 16.8 million pixels
// and more.
TEST_F(OutputSafety, WatermarkImageBeyondThePixelBoundIsRefused) {
    writeInput("a.wmf", 20, 20);
    FIBITMAP* big = FreeImage_Allocate(4097, 4096, 1);
    ASSERT_NE(big, nullptr);
    const std::string path = cwd.file("big.png");
    ASSERT_TRUE(FreeImage_Save(FIF_PNG, big, path.c_str(), 0));
    FreeImage_Unload(big);
    const auto result = run({"-q", "-i", inFolder(), "-o", outFolder(), "--wm-image=" + path});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.stdoutLines, std::vector<std::string>{"Error: Invalid watermark image"});
}

// /proc/<pid>/root leads back to the whole file system, this test's input
// folder included; the walk does not enter proc at all.
TEST_F(OutputSafety, ListNamingProcCollectsNothing) {
    writeInput("a.wmf", 20, 20);
    const std::string list = cwd.write("files.txt", "/proc\r\n/sys\r\n");
    const auto result = run({"-i", list, "-o", outFolder()});
    EXPECT_EQ(result.exitStatus, 1);
    ASSERT_GE(result.stdoutLines.size(), 3u);
    EXPECT_NE(std::find(result.stdoutLines.begin(), result.stdoutLines.end(),
                        "Import complete, new files added: 0"),
              result.stdoutLines.end());
}

// Another user prepares the fallback lock folder open to all and holds a lock
// in it: the run goes ahead, unguarded, with one warning on stderr.
TEST_F(OutputSafety, LockFolderThatIsNotPrivateCannotStopARun) {
    test::TempFolder base;
    const std::string folder = base.file("plotvale-" + std::to_string(geteuid()));
    ASSERT_EQ(mkdir(folder.c_str(), 0777), 0);
    ASSERT_EQ(chmod(folder.c_str(), 0777), 0);
    const std::string lock = folder + "/" + settings::instanceName() + ".lock";
    const int held = open(lock.c_str(), O_RDWR | O_CREAT, 0666);
    ASSERT_GE(held, 0);
    ASSERT_EQ(flock(held, LOCK_EX | LOCK_NB), 0);
    ASSERT_EQ(chmod(runtime.path().c_str(), 0777), 0);  // not private either: passed over
    const char* previous = getenv("TMPDIR");
    const std::string previousTmp = previous != nullptr ? previous : "";
    setenv("TMPDIR", base.path().c_str(), 1);

    const auto result = run({"-v"});
    if (previousTmp.empty())
        unsetenv("TMPDIR");
    else
        setenv("TMPDIR", previousTmp.c_str(), 1);
    close(held);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_FALSE(result.stdoutText.empty());
    EXPECT_NE(result.stderrText.find("no private folder for the single-instance lock"),
              std::string::npos);
}

}  // namespace
