#pragma once

#include <string>

namespace plotvale::platform {

// The per-user settings folder: $XDG_CONFIG_HOME, else ~/.config, with a
// trailing "/". Empty when neither can be found.
std::string userConfigFolder();

}  // namespace plotvale::platform
