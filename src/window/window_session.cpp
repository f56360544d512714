#include "window/window_session.h"

#include <filesystem>
#include <random>

#include "platform/file_system.h"

namespace plotvale::window {

namespace {

// The stages write console lines only in debug runs; the window has none.
void ignoreLine(std::string_view) {}

std::string currentFolder() {
    return platform::withTrailingSlash(std::filesystem::current_path().string());
}

}  // namespace

WindowSession::WindowSession(std::string settingsFilePath)
    : settingsPath(std::move(settingsFilePath)),
      run(settings, {}, currentFolder(), ignoreLine, std::random_device{}()) {}

}  // namespace plotvale::window
