// Runs on several threads, in shards, resumed and recorded, through the real
// executable: what a one-thread run prints and writes must not change.

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <thread>

#include <FreeImage.h>
#include <nlohmann/json.hpp>

#include "batch/input_file_list.h"
#include "platform/instance_guard.h"
#include "settings/program_identity.h"
#include "support/run_program.h"
#include "support/sample_metafile.h"
#include "support/temp_folder.h"

using namespace plotvale;
namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

extern char** environ;

namespace {

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every regular file below the folder by its relative path, with its bytes.
std::map<std::string, std::string> folderContents(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), folder).string()] = readBytes(entry.path());
    }
    return files;
}

// The lines with one folder's name replaced, so runs into two folders compare.
Lines withFolderRenamed(Lines lines, const std::string& from, const std::string& to) {
    for (std::string& line : lines) {
        for (size_t at = line.find(from); at != std::string::npos; at = line.find(from, at))
            line.replace(at, from.size(), to);
    }
    return lines;
}

std::vector<nlohmann::json> manifestLines(const std::string& path) {
    std::vector<nlohmann::json> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(nlohmann::json::parse(line, nullptr, false));
        EXPECT_FALSE(lines.back().is_discarded()) << line;
    }
    return lines;
}

std::vector<std::string> setOrder(const std::vector<std::string>& paths) {
    batch::InputFileList set;
    for (const std::string& path : paths) set.findOrCreate(path);
    std::vector<std::string> order;
    for (const auto* entry : set.inOrder()) order.push_back(entry->path);
    return order;
}

int pictureWidth(const std::string& path) {
    FIBITMAP* picture = FreeImage_Load(FreeImage_GetFileType(path.c_str(), 0), path.c_str(), 0);
    if (picture == nullptr) return -1;
    const int width = static_cast<int>(FreeImage_GetWidth(picture));
    FreeImage_Unload(picture);
    return width;
}

}  // namespace

class ScaleOut : public ::testing::Test {
protected:
    void SetUp() override {
        // Sizes vary so the threads finish out of order; two files fail.
        for (int i = 0; i < 24; ++i) {
            const auto size = static_cast<int16_t>(20 + (i * 37) % 300);
            home.write("in/f" + std::to_string(i) + ".wmf", test::sampleMetafile(size, size));
        }
        home.write("in/sub/g.wmf", test::sampleMetafile(64, 32));
        home.write("in/broken.wmf", "not a metafile at all");
        home.write("in/sub/short.wmf", test::sampleMetafile(64, 32).substr(0, 30));
    }
    test::ProgramRun run(const std::vector<std::string>& arguments) {
        return test::runProgram(PLOTVALE_BINARY, arguments, cwd.path().string(),
                                runtime.path().string());
    }
    std::string in() const { return home.file("in"); }
    std::string makeOut(const std::string& name) const {
        fs::create_directories(home.path() / name);
        return home.file(name);
    }
    // Runs with 1 and with 4 jobs into two folders; both must agree.
    void expectSameWithOneAndFourJobs(const std::vector<std::string>& options,
                                      size_t outputs = 25) {
        std::vector<std::string> one = {"-i", in(), "-o", makeOut("one"), "--jobs=1"};
        std::vector<std::string> four = {"-i", in(), "-o", makeOut("four"), "--jobs=4"};
        one.insert(one.end(), options.begin(), options.end());
        four.insert(four.end(), options.begin(), options.end());
        const auto serial = run(one);
        const auto parallel = run(four);
        EXPECT_EQ(serial.exitStatus, parallel.exitStatus);
        EXPECT_EQ(withFolderRenamed(serial.stdoutLines, home.file("one"), home.file("four")),
                  parallel.stdoutLines);
        const auto serialFiles = folderContents(home.path() / "one");
        EXPECT_EQ(serialFiles, folderContents(home.path() / "four"));
        EXPECT_EQ(serialFiles.size(), outputs);
        fs::remove_all(home.path() / "one");
        fs::remove_all(home.path() / "four");
    }

    test::TempFolder home;
    test::TempFolder cwd;
    test::TempFolder runtime;
};

TEST_F(ScaleOut, FourJobsPrintAndWriteWhatOneJobDoes) {
    expectSameWithOneAndFourJobs({"-c", "png"});
    expectSameWithOneAndFourJobs({"-c", "png", "-d"});
    expectSameWithOneAndFourJobs({"-c", "bmp", "-d", "--filename-mask=%n%-%filename%.%ext%"});
    expectSameWithOneAndFourJobs({"-c", "png", "--wm-text=No. %n% of %filename%",
                                  "--wm-back-color=00FF00", "--wm-back-opacity=255"});
}

TEST_F(ScaleOut, AWatermarkCounterComesOutAsInTheSerialRun) {
    // Only the counter tells the pictures apart: equal pictures of one size.
    fs::remove_all(home.path() / "in");
    for (int i = 0; i < 8; ++i) home.write("in/p" + std::to_string(i) + ".wmf", test::sampleMetafile(120, 40));
    expectSameWithOneAndFourJobs({"-c", "png", "--wm-text=%n%", "--wm-font-size=30",
                                  "--wm-text-position=TOPLEFT", "--filename-mask=%filename%.%ext%"},
                                 8);
    const auto result = run({"-i", in(), "-o", makeOut("marked"), "-c", "bmp", "--jobs=4",
                             "--wm-text=%n%", "--wm-font-size=30", "--wm-text-position=TOPLEFT"});
    EXPECT_EQ(result.exitStatus, 0);
    std::set<std::string> distinct;
    for (const auto& [name, bytes] : folderContents(home.path() / "marked")) distinct.insert(bytes);
    EXPECT_EQ(distinct.size(), 8u);  // each file shows its own number
}

TEST_F(ScaleOut, TheFirstFileToClaimAnOutputKeepsIt) {
    const std::vector<std::string> paths = {home.write("same/a.wmf", test::sampleMetafile(30, 30)),
                                            home.write("same/a.WMF", test::sampleMetafile(40, 40)),
                                            home.write("same/a.apm", test::sampleMetafile(50, 50))};
    std::map<std::string, int> widths = {{paths[0], 30}, {paths[1], 40}, {paths[2], 50}};
    const std::string first = setOrder(paths).front();
    const std::string out = makeOut("same-out");
    home.write("same-out/a.png", "left by an earlier run");
    const std::string manifest = home.file("same.jsonl");
    for (const std::string jobs : {"--jobs=1", "--jobs=3"}) {
        const auto result = run({"-i", home.file("same"), "-o", out, "-c", "png", "-d", jobs,
                                 "--manifest=" + manifest});
        EXPECT_EQ(result.exitStatus, 2);
        EXPECT_EQ(std::count(result.stdoutLines.begin(), result.stdoutLines.end(),
                             "[ERROR] Unable to convert the file!"),
                  2);
        EXPECT_EQ(result.stdoutLines.back(), "Files converted: 1 of 3");
        EXPECT_EQ(pictureWidth(out + "/a.png"), widths[first]);  // the earlier run's file replaced
        const auto lines = manifestLines(manifest);
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[0]["input"], first);
        EXPECT_EQ(lines[0]["status"], "converted");
        for (size_t i = 1; i < 3; ++i) {
            EXPECT_EQ(lines[i]["status"], "failed");
            EXPECT_EQ(lines[i]["reason"], "output path taken by an earlier file of the run");
        }
    }
    EXPECT_EQ(folderContents(out).size(), 1u);  // no side file left
}

TEST_F(ScaleOut, ManifestHasOneLinePerInputInOrder) {
    // A box this large passes the bitmap bound.
    std::string huge = test::sampleMetafile(100, 100);
    huge[10] = '\xFF';
    huge[11] = '\x7F';
    huge[12] = '\xFF';
    huge[13] = '\x7F';
    huge[14] = '\x01';  // one unit per inch
    huge[15] = '\x00';
    char checksum = 0;
    for (int i = 0; i < 20; i += 2) checksum = static_cast<char>(checksum ^ huge[i]);
    huge[20] = checksum;
    char checksumHigh = 0;
    for (int i = 1; i < 20; i += 2) checksumHigh = static_cast<char>(checksumHigh ^ huge[i]);
    huge[21] = checksumHigh;
    home.write("in/huge.wmf", huge);
    const std::string manifest = home.file("run.jsonl");
    const auto result = run({"-i", in(), "-o", makeOut("out"), "-c", "png", "-d", "--jobs=3",
                             "--manifest=" + manifest});
    EXPECT_EQ(result.exitStatus, 2);
    const auto lines = manifestLines(manifest);
    Lines processed;
    for (const std::string& line : result.stdoutLines) {
        if (line.rfind("Processing: ", 0) == 0) processed.push_back(line.substr(12));
    }
    ASSERT_EQ(lines.size(), processed.size());
    std::map<std::string, std::string> reasons;
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i]["input"], processed[i]);
        if (lines[i]["status"] == "failed") {
            reasons[fs::path(lines[i]["input"].get<std::string>()).filename()] = lines[i]["reason"];
            continue;
        }
        EXPECT_EQ(lines[i]["status"], "converted");
        EXPECT_GT(lines[i]["bytes"].get<int64_t>(), 0);
        EXPECT_GT(lines[i]["width"].get<int>(), 0);
        EXPECT_TRUE(fs::exists(lines[i]["output"].get<std::string>()));
    }
    EXPECT_EQ(reasons, (std::map<std::string, std::string>{{"broken.wmf", "not a metafile"},
                                                           {"short.wmf", "not a metafile"},
                                                           {"huge.wmf", "picture too large"}}));
}

TEST_F(ScaleOut, ThreeShardsSideBySideConvertEveryFileOnce) {
    if (std::system("command -v parallel >/dev/null 2>&1") != 0) GTEST_SKIP() << "no GNU parallel";
    const auto whole = run({"-i", in(), "-o", makeOut("whole"), "-c", "bmp", "-q"});
    EXPECT_EQ(whole.exitStatus, 2);
    const std::string out = makeOut("sharded");
    const std::string command = "parallel --will-cite -j3 '" + std::string(PLOTVALE_BINARY) +
                                " -i " + in() + " -o " + out + " -c bmp -q --shard={}/3 " +
                                "--manifest=" + home.file("shard{}.jsonl") + "' ::: 0 1 2";
    const auto sharded = test::runProgram("/bin/sh", {"-c", command}, cwd.path().string(),
                                          runtime.path().string());
    EXPECT_NE(sharded.exitStatus, 0) << sharded.stderrText;  // the shards with failures say so
    EXPECT_EQ(folderContents(home.path() / "whole"), folderContents(out));
    std::multiset<std::string> inputs;
    for (int shard = 0; shard < 3; ++shard) {
        const auto lines = manifestLines(home.file("shard" + std::to_string(shard) + ".jsonl"));
        EXPECT_FALSE(lines.empty());
        for (const auto& line : lines) inputs.insert(line["input"].get<std::string>());
    }
    EXPECT_EQ(inputs.size(), 27u);
    EXPECT_EQ(std::set<std::string>(inputs.begin(), inputs.end()).size(), 27u);
}

TEST_F(ScaleOut, AShardRunsBesideAnotherInstance) {
    const std::string previous = getenv("XDG_RUNTIME_DIR") ? getenv("XDG_RUNTIME_DIR") : "";
    setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
    const auto guard = platform::InstanceGuard::acquire(settings::instanceName());
    if (previous.empty()) unsetenv("XDG_RUNTIME_DIR");
    else setenv("XDG_RUNTIME_DIR", previous.c_str(), 1);
    ASSERT_TRUE(guard.has_value());
    EXPECT_NE(run({"-i", in(), "-o", makeOut("o1"), "-q", "--shard=0/2"}).exitStatus, 3);
    EXPECT_EQ(run({"-i", in(), "-o", makeOut("o2"), "-q"}).exitStatus, 3);
}

TEST_F(ScaleOut, SkipExistingCompletesARunKilledMidway) {
    fs::remove_all(home.path() / "in");
    for (int i = 0; i < 120; ++i)
        home.write("in/k" + std::to_string(i) + ".wmf", test::sampleMetafile(800, 600));
    const std::string out = makeOut("out");
    // Start a one-job run and kill it once some outputs are there.
    std::string program = PLOTVALE_BINARY;
    std::vector<std::string> argStore = {program, "-i", in(), "-o", out, "-c", "png", "-q",
                                         "--jobs=1", "--png-compression=zlib9"};
    std::vector<char*> argv;
    for (std::string& arg : argStore) argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::vector<std::string> envStore = {"XDG_RUNTIME_DIR=" + runtime.path().string()};
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::string(*entry).rfind("XDG_RUNTIME_DIR=", 0) != 0) envStore.emplace_back(*entry);
    }
    std::vector<char*> env;
    for (std::string& entry : envStore) env.push_back(entry.data());
    env.push_back(nullptr);
    pid_t child = 0;
    ASSERT_EQ(posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), env.data()), 0);
    const auto outputs = [&] {
        return std::count_if(fs::directory_iterator(out), fs::directory_iterator(),
                             [](const auto& e) { return e.path().stem().string()[0] == 'k'; });
    };
    for (int wait = 0; wait < 3000 && outputs() < 10; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    const auto doneBefore = outputs();
    ASSERT_GE(doneBefore, 10);
    ASSERT_LT(doneBefore, 120) << "the run ended before it was killed";

    const std::string manifest = home.file("resume.jsonl");
    const auto resumed = run({"-i", in(), "-o", out, "-c", "png", "--skip-existing",
                              "--png-compression=zlib9", "--manifest=" + manifest});
    EXPECT_EQ(resumed.exitStatus, 0) << resumed.stdoutText;
    EXPECT_EQ(resumed.stdoutLines.back(), "Files converted: 120 of 120");
    std::map<std::string, int> statuses;
    for (const auto& line : manifestLines(manifest)) ++statuses[line["status"].get<std::string>()];
    EXPECT_EQ(statuses["skipped"], doneBefore);
    EXPECT_EQ(statuses["converted"], 120 - doneBefore);
    for (int i = 0; i < 120; ++i)
        EXPECT_EQ(pictureWidth(out + "/k" + std::to_string(i) + ".png"), 800) << i;
}

TEST_F(ScaleOut, BadValuesAndCounterPlaceholdersAreRefused) {
    const auto refusal = [&](const std::vector<std::string>& options) {
        std::vector<std::string> arguments = {"-i", in(), "-o", makeOut("out"), "-q"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        const auto result = run(arguments);
        EXPECT_EQ(result.exitStatus, 1);
        return result.stdoutLines.size() == 1 ? result.stdoutLines[0] : result.stdoutText;
    };
    for (const std::string bad : {"abc", "-1", "1.5", "2x", "1025"}) {
        EXPECT_EQ(refusal({"--jobs=" + bad}),
                  "Error: Invalid number of jobs \"" + bad +
                      "\": give a whole number from 1 to 1024, or 0 for one per processor");
    }
    for (const std::string bad : {"0/0", "3/3", "-1/2", "abc", "1", "1/", "/2"}) {
        EXPECT_EQ(refusal({"--shard=" + bad}),
                  "Error: Invalid shard \"" + bad +
                      "\": give INDEX/COUNT with whole numbers and 0 <= INDEX < COUNT");
    }
    const std::string shardCounter =
        "Error: The filename mask or watermark text uses %n% or %rnd%, which would give the same "
        "values in every shard; a sharded run cannot use them";
    EXPECT_EQ(refusal({"--shard=0/2", "--filename-mask=%N%.%ext%"}), shardCounter);
    EXPECT_EQ(refusal({"--shard=1/2", "--wm-text=copy %rnd%"}), shardCounter);
    EXPECT_EQ(refusal({"--skip-existing", "--filename-mask=%rnd%-%filename%.%ext%"}),
              "Error: The filename mask or watermark text uses %n% or %rnd%, so the outputs of an "
              "earlier run cannot be matched; --skip-existing cannot use them");
    EXPECT_EQ(refusal({"--manifest=" + home.file("no/such/folder/m.jsonl")}),
              "Error: Cannot write the manifest file " + home.file("no/such/folder/m.jsonl"));
    // The profile key reaches the same check.
    const std::string profile = home.write("p.ini", "[CLI]\n--jobs = many\n");
    EXPECT_EQ(refusal({"--profile=" + profile}),
              "Error: Invalid number of jobs \"many\": give a whole number from 1 to 1024, or 0 "
              "for one per processor");
}

TEST_F(ScaleOut, NoProgressLineWhenStderrIsNoTerminal) {
    const auto result = run({"-i", in(), "-o", makeOut("out"), "-c", "bmp"});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_TRUE(result.stderrText.empty()) << result.stderrText;
}
