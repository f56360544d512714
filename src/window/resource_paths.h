#pragma once
// Where the window face finds its own files: the theme archives and the
// HTML manual, in the build tree or below the install prefix.

#include <string>

namespace plotvale::window {

// The folder holding the theme archives ("<name>.zip"), with a trailing "/".
std::string themeFolder();

// The manual's start page, or "" when it is nowhere to be found.
std::string manualPath();

}  // namespace plotvale::window
