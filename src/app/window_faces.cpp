// The faces that open windows, handed over to the window module.

#include "app/faces.h"
#include "window/window_faces.h"

namespace plotvale::app {

int runWindowFace() {
    return window::runWindowMode();
}
int runUninstallNotice() {
    return window::runUninstallNotice();
}
int runScreenshotMode(const std::string& folder) {
    return window::runScreenshotMode(folder);
}

}  // namespace plotvale::app
