#pragma once
// The help and version outputs of the command line.

#include <functional>
#include <string>
#include <vector>

namespace plotvale::cli {

// Picks a whole number from 0 to `last`, inclusive.
using IndexPicker = std::function<size_t(size_t last)>;

// The help lines with the program name and example extensions filled in.
std::vector<std::string> helpLines(const std::string& programName, const IndexPicker& pick);

}  // namespace plotvale::cli
