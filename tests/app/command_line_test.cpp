// The built executable run end to end: its stdout lines, stderr and exit
// status for the informational modes, option errors and the guard.

#include <cstdlib>

#include <gtest/gtest.h>

#include "platform/instance_guard.h"
#include "settings/program_identity.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

using namespace plotvale;
using Lines = std::vector<std::string>;

class CommandLine : public ::testing::Test {
protected:
    test::ProgramRun run(const std::vector<std::string>& arguments) {
        return test::runProgram(PLOTVALE_BINARY, arguments, work.path().string(),
                                runtime.path().string());
    }
    test::TempFolder work;
    test::TempFolder runtime;
};

TEST_F(CommandLine, VersionIsOneLineWhateverFollows) {
    for (const Lines& args : {Lines{"-v"}, Lines{"--version", "extra", "words"}, Lines{"-V"}}) {
        const auto result = run(args);
        EXPECT_EQ(result.exitStatus, 0);
        EXPECT_EQ(result.stdoutLines, Lines{"2.7.1"});
        EXPECT_EQ(result.stderrText, "");
    }
}

TEST_F(CommandLine, HelpForEveryHelpSpelling) {
    for (const char* spelling : {"-h", "-H", "-?", "--help", "--HELP", "--help=x"}) {
        const auto result = run({spelling, "-i", "x.wmf"});
        EXPECT_EQ(result.exitStatus, 0) << spelling;
        ASSERT_EQ(result.stdoutLines.size(), 38u) << spelling;
        EXPECT_EQ(result.stdoutLines[0], " ");
        EXPECT_EQ(result.stdoutLines[1], "Usage: plotvale -i <filename> [options]");
        EXPECT_EQ(result.stdoutLines[5], "  plotvale -i c:\\tmp\\example.wmf -o d:\\converted");
        EXPECT_EQ(result.stdoutLines[15],
                  "  -c STR, --conversion=STR  Set output extension, STR = (jpg | bmp | ...)");
    }
}

TEST_F(CommandLine, HelpNamesTheRenamedExecutable) {
    const std::string renamed = work.file("wmfconv");
    std::filesystem::copy_file(PLOTVALE_BINARY, renamed);
    const auto result =
        test::runProgram(renamed, {"-?"}, work.path().string(), runtime.path().string());
    ASSERT_EQ(result.stdoutLines.size(), 38u);
    EXPECT_EQ(result.stdoutLines[1], "Usage: wmfconv -i <filename> [options]");
    EXPECT_EQ(result.stdoutLines[8],
              "  wmfconv -i c:\\tmp\\ -o d:\\converted -c bmp --jpg-quality=95");
}

TEST_F(CommandLine, NotHelpWhenMisspeltOrLater) {
    // "-help" starts the window face; without a display it ends at once, so
    // the child must not inherit one from the machine running the tests.
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) unsetenv(name);
    const auto misspelt = run({"-help"});
    EXPECT_TRUE(misspelt.stdoutLines.empty());  // no input option: the window face's turn
    const auto later = run({"-i", "x.wmf", "-h"});
    ASSERT_GE(later.stdoutLines.size(), 4u);  // the run goes ahead, banner first
    EXPECT_EQ(later.stdoutLines[0], "Corvane WMF to IMAGE 2.7.1");
    EXPECT_EQ(later.stdoutLines[3], " ");
}

TEST_F(CommandLine, OptionErrorsAreOneLineAndExitOne) {
    const Lines incorrect = {"Error: Incorrect number of parameters"};
    for (const Lines& args : {Lines{"--jpg-quality", "95"}, Lines{"-q", "-i"}, Lines{"--width=--5"},
                              Lines{"-i", "a.wmf", "-o"}}) {
        const auto result = run(args);
        EXPECT_EQ(result.exitStatus, 1);
        EXPECT_EQ(result.stdoutLines, incorrect);
    }
    const auto profile = run({"--profile=" + work.file("missing.ini"), "-i", "a.wmf"});
    EXPECT_EQ(profile.exitStatus, 1);
    EXPECT_EQ(profile.stdoutLines, Lines{"Error: Invalid profile file"});
}

TEST_F(CommandLine, QuietDropsTheBanner) {
    const auto result = run({"-i", "x.wmf", "-q"});
    for (const std::string& line : result.stdoutLines) {
        EXPECT_NE(line, "Corvane WMF to IMAGE 2.7.1");
    }
}

TEST_F(CommandLine, SecondInstanceIsRefusedWithStatusThree) {
    const std::string previous = getenv("XDG_RUNTIME_DIR") ? getenv("XDG_RUNTIME_DIR") : "";
    setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
    const auto guard = platform::InstanceGuard::acquire(settings::instanceName());
    if (previous.empty())
        unsetenv("XDG_RUNTIME_DIR");
    else
        setenv("XDG_RUNTIME_DIR", previous.c_str(), 1);
    ASSERT_TRUE(guard.has_value());

    const auto result = run({"-v"});
    EXPECT_EQ(result.exitStatus, 3);
    EXPECT_TRUE(result.stdoutText.empty());
    EXPECT_NE(result.stderrText.find("another instance"), std::string::npos);
    EXPECT_EQ(std::count(result.stderrText.begin(), result.stderrText.end(), '\n'), 1);
}
