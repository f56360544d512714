#include "window/settings_store.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "platform/clock.h"
#include "settings/settings_file.h"

namespace plotvale::window {

namespace {

settings::SettingsContext windowContext() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize desktop = screen ? screen->size() : QSize();
    return {platform::nowLocalWallClockSeconds(), desktop.width(), desktop.height()};
}

}  // namespace

void resetToWindowDefaults(settings::ConverterSettings& settings) {
    const settings::SettingsContext context = windowContext();
    settings::resetSettingsToDefaults(settings, false, context.nowLocalSeconds, context.desktopWidth,
                                      context.desktopHeight);
}

void loadWindowSettings(settings::ConverterSettings& settings, const std::string& path) {
    settings::loadSettingsFile(settings, path, windowContext());
}

void captureMainWindowState(settings::ConverterSettings& settings, const QWidget& window) {
    settings::WindowGeometry geometry;
    geometry.show = window.isMaximized()   ? settings::WindowShow::Maximized
                    : window.isMinimized() ? settings::WindowShow::Minimized
                                           : settings::WindowShow::Normal;
    geometry.x = window.x();
    geometry.y = window.y();
    geometry.width = window.width();
    geometry.height = window.height();
    settings::captureWindowState(settings, geometry);
}

}  // namespace plotvale::window
