// The faces that open windows, handed over to the window module, which is
// loaded only when one of them starts.

#include <optional>
#include <string>

#include "app/exit_status.h"
#include "app/faces.h"
#include "platform/console.h"
#include "platform/loadable_module.h"
#include "platform/program_path.h"
#include "platform/resource_folders.h"
#include "window/window_module.h"

namespace plotvale::app {

namespace {

// The loaded window module, or nothing after saying on stderr why not.
std::optional<platform::LoadableModule> windowModule() {
    const std::string path = platform::resourceFolders().modules + window::WindowModuleFile;
    std::string error;
    auto module = platform::LoadableModule::load(path, error);
    if (!module) platform::writeErrorLine(platform::programName() + ": the window face cannot start: " + error);
    return module;
}

template <typename Entry, typename... Arguments>
int runEntry(const char* symbol, Arguments... arguments) {
    const auto module = windowModule();
    if (!module) return ExitRefused;
    Entry* entry = module->function<Entry>(symbol);
    if (!entry) {
        platform::writeErrorLine(platform::programName() + ": the window face cannot start: no " + symbol);
        return ExitRefused;
    }
    return entry(arguments...);
}

}  // namespace

int runWindowFace() {
    return runEntry<window::WindowModeEntry>(window::WindowModeSymbol);
}
int runUninstallNotice() {
    return runEntry<window::WindowModeEntry>(window::UninstallNoticeSymbol);
}
int runScreenshotMode(const std::string& folder) {
    return runEntry<window::ScreenshotModeEntry>(window::ScreenshotModeSymbol, folder.c_str());
}

}  // namespace plotvale::app
