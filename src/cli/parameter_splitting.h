#pragma once
// Cuts a whole command line into pieces the way the Windows command line is
// cut: blanks separate, double quotes group, no escape character. The first
// piece is the program path; the parameters are the pieces after it. On
// Linux the parameters arrive already split in argv; this serves a Windows
// build and tests.

#include <string>
#include <string_view>
#include <vector>

namespace plotvale::cli {

std::vector<std::string> ParameterSplitting(std::string_view commandLine);

}  // namespace plotvale::cli
