#include "window/window_session.h"

#include <random>

#include "platform/working_folder.h"

namespace plotvale::window {

namespace {

// The stages write console lines only in debug runs; the window has none.
void ignoreLine(std::string_view) {}

}  // namespace

WindowSession::WindowSession(std::string settingsFilePath)
    : settingsPath(std::move(settingsFilePath)),
      run(settings, {}, platform::workingFolder(), ignoreLine, std::random_device{}()) {}

}  // namespace plotvale::window
