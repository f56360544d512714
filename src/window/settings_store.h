#pragma once
// The window face's settings file as the window uses it: the clock and
// desktop its defaults need, and the main window's state before the last
// save.

#include <string>

#include "settings/converter_settings.h"

class QWidget;

namespace plotvale::window {

// The window face's defaults, the window centred on the primary screen.
void resetToWindowDefaults(settings::ConverterSettings& settings);

void loadWindowSettings(settings::ConverterSettings& settings, const std::string& path);

// The window's size, position and state into the `Window` group.
void captureMainWindowState(settings::ConverterSettings& settings, const QWidget& window);

}  // namespace plotvale::window
