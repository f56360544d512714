#include "window/settings_store.h"

#include <QGuiApplication>
#include <QScreen>

#include "platform/clock.h"
#include "platform/user_folders.h"

namespace plotvale::window {

// Until the settings file module is in, the window starts from the defaults
// and keeps nothing.
std::string windowSettingsPath() {
    return platform::userConfigFolder() + "Corvane/plotvale/config.ini";
}

void resetToWindowDefaults(settings::ConverterSettings& settings) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize desktop = screen ? screen->size() : QSize();
    settings::resetSettingsToDefaults(settings, false, platform::nowLocalWallClockSeconds(),
                                      desktop.width(), desktop.height());
}

void loadWindowSettings(settings::ConverterSettings& settings, const std::string&) {
    resetToWindowDefaults(settings);
}

void saveWindowSettings(const settings::ConverterSettings&, const std::string&) {}

}  // namespace plotvale::window
