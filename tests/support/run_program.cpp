#include "support/run_program.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/temp_folder.h"

extern char** environ;

namespace plotvale::test {

namespace {

std::string readAll(const std::string& path) { return fileBytes(path); }

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> environmentWith(const std::string& runtimeFolder) {
    std::vector<std::string> env;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::string(*entry).rfind("XDG_RUNTIME_DIR=", 0) != 0) env.emplace_back(*entry);
    }
    env.push_back("XDG_RUNTIME_DIR=" + runtimeFolder);
    return env;
}

}  // namespace

ProgramRun runProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& workingFolder, const std::string& runtimeFolder) {
    // Output goes to files rather than pipes, so a chatty child never blocks.
    const std::string outPath = runtimeFolder + "/stdout.txt";
    const std::string errPath = runtimeFolder + "/stderr.txt";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());

    std::vector<std::string> argvStore = {program};
    argvStore.insert(argvStore.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& arg : argvStore) argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::vector<std::string> envStore = environmentWith(runtimeFolder);
    std::vector<char*> env;
    for (std::string& entry : envStore) env.push_back(entry.data());
    env.push_back(nullptr);

    ProgramRun run;
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), env.data()) == 0) {
        int status = 0;
        waitpid(child, &status, 0);
        run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    run.stdoutText = readAll(outPath);
    run.stderrText = readAll(errPath);
    run.stdoutLines = splitLines(run.stdoutText);
    return run;
}

}  // namespace plotvale::test
