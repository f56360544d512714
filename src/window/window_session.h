#pragma once
// What the window face works on for its whole life: the settings record,
// the batch run whose stages fill and convert the input set, and the path of
// the last list file used.

#include <memory>
#include <string>

#include "batch/batch_run.h"
#include "settings/converter_settings.h"

namespace plotvale::window {

struct WindowSession {
    explicit WindowSession(std::string settingsFilePath);

    settings::ConverterSettings settings;
    std::string settingsPath;
    std::string listFilePath;  // last list file imported or exported
    batch::BatchRun run;
};

}  // namespace plotvale::window
