#pragma once
// The two faces the front end hands over to: the batch run of the command
// line and the window. Each returns the process exit status.

#include "cli/option_scan.h"
#include "settings/converter_settings.h"
#include "settings/run_request.h"

namespace plotvale::app {

int runBatchFace(const settings::ConverterSettings& settings, const settings::RunRequest& request,
                 bool quiet);
int runWindowFace();
int runUninstallNotice();
int runScreenshotMode();

}  // namespace plotvale::app
