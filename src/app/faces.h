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
// `folder` is the option value of the second parameter, "" when none.
int runScreenshotMode(const std::string& folder);

}  // namespace plotvale::app
