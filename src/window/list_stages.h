#pragma once
// The stages behind the list commands, run on a stage thread: writing the
// list file of the rows, and counting a list file's lines for the bar.

#include <string>
#include <vector>

#include "batch/run_progress.h"

namespace plotvale::window {

// Writes the byte-order mark and one CR LF line per path, while `running`;
// adds the number written to the progress's result.
void writeListFile(batch::RunProgress& progress, const std::string& listPath,
                   const std::vector<std::string>& paths);

// The number of LF bytes in the file; 0 when it cannot be read.
int64_t countLines(const std::string& path);

}  // namespace plotvale::window
