#pragma once
// The window face and the two small window modes of the command line.
// Each makes its own application object and returns the exit status.

#include <string>

namespace plotvale::window {

int runWindowMode();
// `-u`: the uninstall notice.
int runUninstallNotice();
// `-t FOLDER`: the main window captured as "plotvale1.jpg" and its small copy.
int runScreenshotMode(const std::string& folder);

}  // namespace plotvale::window
