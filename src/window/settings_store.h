#pragma once
// The window face's settings file: where it lives, loading it at start and
// writing it back after the preferences and at exit.

#include <string>

#include "settings/converter_settings.h"

namespace plotvale::window {

// The settings file of this user (its folders are made when missing).
std::string windowSettingsPath();

// The window face's defaults, the window centred on the primary screen.
void resetToWindowDefaults(settings::ConverterSettings& settings);

void loadWindowSettings(settings::ConverterSettings& settings, const std::string& path);
void saveWindowSettings(const settings::ConverterSettings& settings, const std::string& path);

}  // namespace plotvale::window
