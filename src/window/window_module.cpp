// The entry points the executable looks up in the loaded window module.

#include "window/window_faces.h"
#include "window/window_module.h"

#define PLOTVALE_MODULE_ENTRY extern "C" __attribute__((visibility("default")))

PLOTVALE_MODULE_ENTRY int plotvale_window_mode() {
    return plotvale::window::runWindowMode();
}

PLOTVALE_MODULE_ENTRY int plotvale_uninstall_notice() {
    return plotvale::window::runUninstallNotice();
}

PLOTVALE_MODULE_ENTRY int plotvale_screenshot_mode(const char* folder) {
    return plotvale::window::runScreenshotMode(folder ? folder : "");
}
