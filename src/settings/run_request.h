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

    // Scale-out, as written; the run checks their values.
    std::string jobs;            // conversion threads; empty or "0": one per online core
    std::string shard;           // "INDEX/COUNT", or empty for the whole input set
    bool skipExisting = false;   // leave outputs that are already up to date
    std::string manifest;        // JSON Lines record of the run, or empty for none
};

}  // namespace plotvale::settings
