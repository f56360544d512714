#pragma once
// What the command line asks of a batch run, as the user wrote it.

#include <cstdint>
#include <string>

namespace plotvale::settings {

struct RunRequest {
    std::string input;           // input file, list file or folder
    std::string outputFolder;    // output folder
    std::string conversion;      // output extension; empty means the first output format
    int8_t commandLineMode = 0;  // 1 once an input option was seen
    std::string modeWord;        // "" normally, "DEBUG" for debug output, "T" for screenshots
};

}  // namespace plotvale::settings
