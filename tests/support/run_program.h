#pragma once
// Runs the built executable as a user would, in a folder of the test's
// choosing, and collects what it printed and how it ended.

#include <string>
#include <vector>

namespace plotvale::test {

struct ProgramRun {
    int exitStatus = -1;
    std::vector<std::string> stdoutLines;
    std::string stdoutText;
    std::string stderrText;
};

// Runs `program` with `arguments` in `workingFolder`, with XDG_RUNTIME_DIR
// set to `runtimeFolder` so each test has its own single-instance lock.
ProgramRun runProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& workingFolder, const std::string& runtimeFolder);

}  // namespace plotvale::test
