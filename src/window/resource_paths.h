#pragma once
// Where the window face finds its own files: the theme archives and the
// HTML manual. An installed program finds them under <prefix>/share; a
// program run from its build tree finds them there.

#include <string>

namespace plotvale::window {

// The folder holding the theme archives ("<name>.zip"), with a trailing "/".
std::string themeFolder();

// The manual's start page, or "" when it is nowhere to be found.
std::string manualPath();

}  // namespace plotvale::window
