#pragma once
// The window face's settings file, config.ini in the per-user settings
// folder: where it lives, how it is read (fallbacks, old layouts brought up
// to date) and the exact bytes it is written as. The command-line face never
// touches it.

#include <cstdint>
#include <string>

#include "settings/converter_settings.h"

namespace plotvale::settings {

// The layout version written in General/CFG.
inline constexpr int32_t SettingsFileVersion = 19;

// <config folder>/Corvane/plotvale/config.ini, where the config folder is
// $XDG_CONFIG_HOME or ~/.config. Both folders below it are made when missing,
// silently. Empty when no config folder can be found.
std::string settingsFilePath();

// What the defaults depend on: the face's clock and desktop.
struct SettingsContext {
    int32_t nowLocalSeconds = 0;  // the local wall clock, for dates
    int desktopWidth = 0;         // for the centred window position
    int desktopHeight = 0;
};

// Reads the settings file into `settings`. A missing or unreadable file (a
// folder, an oversized file) gives the window face's defaults. A present file
// gives each setting its entry's value, or a fallback when the entry is
// missing: the default, except CFG 0 and Window/X and Window/Y 100. Files of
// older layouts are brought up to date afterwards. Never fails.
void loadSettingsFile(ConverterSettings& settings, const std::string& path,
                      const SettingsContext& context);

// Reads settings from the text of a settings file, as loadSettingsFile does
// once the file is read.
void loadSettingsText(ConverterSettings& settings, std::string_view bytes,
                      const SettingsContext& context);

// The bytes of the settings file for `settings`: UTF-8 mark, an empty first
// line, every group in its fixed order with " = " entries, each group closed
// by a "; " line, CR LF line ends.
std::string settingsFileText(const ConverterSettings& settings);

// How the main window is shown when the window face ends.
enum class WindowShow { Normal, Maximized, Minimized };

struct WindowGeometry {
    WindowShow show = WindowShow::Normal;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// What the window face records before its last save: a maximized window
// sets IsMaximized and keeps the stored size and position, a minimized one
// changes nothing, a normal one stores its size and position. Recent Out
// Folders is emptied when Out Folders History is off.
void captureWindowState(ConverterSettings& settings, const WindowGeometry& window);

// Writes the settings file. The text goes to a new file beside it that is
// flushed to disk and then renamed over the old one, so a failed or broken
// save leaves the previous file whole. False when nothing was replaced; the
// window face goes on silently.
bool saveSettingsFile(const ConverterSettings& settings, const std::string& path);

}  // namespace plotvale::settings
