#pragma once
// The folder the user started the program in: the base of the relative
// folders of a command-line run, as a shell user expects.

#include <string>

namespace plotvale::platform {

// The current working directory with a trailing "/"; "./" when the system
// cannot name it (it was removed after the start), so relative paths still
// mean what they meant and nothing is resolved against "/".
std::string workingFolder();

}  // namespace plotvale::platform
