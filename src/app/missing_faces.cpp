// Faces this build does not have yet: each says so on stderr and fails, so
// no caller mistakes it for a run that did something.

#include "app/exit_status.h"
#include "app/faces.h"
#include "platform/console.h"
#include "platform/program_path.h"

namespace plotvale::app {

namespace {

int missingFace(const char* face) {
    platform::writeErrorLine(platform::programName() + ": this build does not have the " + face +
                             " yet");
    return ExitRefused;
}

}  // namespace

int runWindowFace() {
    return missingFace("window face");
}
int runUninstallNotice() {
    return missingFace("window face");
}
int runScreenshotMode() {
    return missingFace("window face");
}

}  // namespace plotvale::app
