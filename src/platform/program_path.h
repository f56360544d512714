#pragma once
// Where the running executable lives and what it is called.

#include <string>

namespace plotvale::platform {

// Full path of the running executable.
std::string programPath();
// Its folder, with a trailing "/".
std::string programFolder();
// Its file name without folder and extension.
std::string programName();

}  // namespace plotvale::platform
