#pragma once
// The command-line front end: special first parameters, the option scan,
// the error line, the banner, the batch run and the pause at the end.

#include <optional>
#include <string>
#include <vector>

namespace plotvale::app {

// The exit status when the command line was handled, or nothing when the
// window face is to start instead.
std::optional<int> runCommandLine(const std::vector<std::string>& parameters);

// False for a sharded batch run: shards are meant to run side by side, so
// they do not take the single-instance guard.
bool takesInstanceGuard(const std::vector<std::string>& parameters);

}  // namespace plotvale::app
