#include "settings/settings_file.h"

#include <variant>

#include "platform/file_system.h"
#include "platform/replace_file.h"
#include "platform/user_folders.h"
#include "settings/program_identity.h"
#include "settings/settings_schema.h"
#include "settings/settings_syntax.h"

namespace plotvale::settings {

namespace {

// Far beyond any file this program writes (a few kilobytes); a larger file
// is not a settings file and reads as missing.
constexpr int64_t MaxSettingsFileBytes = 64LL * 1024 * 1024;

// The maker's folder: the first word of the program title.
std::string makerFolderName() {
    return std::string(ProgramTitle.substr(0, ProgramTitle.find(' ')));
}

void storeValue(const SettingSlot& slot, const std::string& text) {
    if (auto* real = std::get_if<float*>(&slot)) {
        **real = readDecimal(text);
    } else if (auto* words = std::get_if<std::string*>(&slot)) {
        **words = text;
    } else {
        storeInteger(slot, readSettingsInteger(text));
    }
}

// The value when the file has no entry for a setting is its default
// (already in place), except that a file without CFG is of the oldest layout
// and a missing position is 100, 100 rather than centred.
void storeFallback(const SettingField& field, ConverterSettings& settings) {
    const bool isCfg = field.group == "General" && field.key == "CFG";
    const bool isPosition = field.group == "Window" && (field.key == "X" || field.key == "Y");
    if (isCfg) storeInteger(field.locate(settings), 0);
    if (isPosition) storeInteger(field.locate(settings), 100);
}

// Brings the settings of a file written by an older layout up to date.
void migrate(ConverterSettings& settings, const SettingsDocument& document) {
    const int32_t version = settings.general.cfg;
    std::string& mask = settings.advanced.filenameMask;
    if (version < 11 && mask.find("%ext%") == std::string::npos) mask += ".%ext%";
    if (version < 14 && settings.input.rawLoadAs != 0) settings.input.rawLoadAs += 2;
    if (version < 19) {
        const auto psd = document.value("Input", "PSD Color Model");
        const auto tiff = document.value("Output", "TIFF Color Model");
        const int32_t psdModel = psd ? static_cast<int32_t>(readSettingsInteger(*psd)) : 0;
        const int32_t tiffModel = tiff ? static_cast<int32_t>(readSettingsInteger(*tiff)) : 0;
        if (psdModel != 0) settings.input.psdColorMode = psdModel;
        if (tiffModel != 0) settings.output.tiffColorMode = tiffModel;
    }
}

ConverterSettings windowDefaults(const SettingsContext& context) {
    ConverterSettings defaults;
    resetSettingsToDefaults(defaults, false, context.nowLocalSeconds, context.desktopWidth,
                            context.desktopHeight);
    return defaults;
}

}  // namespace

std::string settingsFilePath() {
    const std::string config = platform::userConfigFolder();
    if (config.empty()) return {};
    const std::string maker = config + makerFolderName() + "/";
    const std::string folder = maker + "plotvale/";
    platform::createFolder(maker);
    platform::createFolder(folder);
    return folder + "config.ini";
}

void loadSettingsText(ConverterSettings& settings, std::string_view bytes,
                      const SettingsContext& context) {
    const SettingsDocument document = SettingsDocument::parse(bytes);
    settings = windowDefaults(context);
    for (const SettingField& field : settingFields()) {
        if (const auto value = document.value(field.group, field.key))
            storeValue(field.locate(settings), *value);
        else
            storeFallback(field, settings);
    }
    migrate(settings, document);
}

void loadSettingsFile(ConverterSettings& settings, const std::string& path,
                      const SettingsContext& context) {
    const auto bytes = platform::readFile(path, MaxSettingsFileBytes);
    if (!bytes) {
        settings = windowDefaults(context);
        return;
    }
    loadSettingsText(settings, *bytes, context);
}

void captureWindowState(ConverterSettings& settings, const WindowGeometry& window) {
    if (window.show == WindowShow::Maximized) {
        settings.window.isMaximized = 1;
    } else if (window.show == WindowShow::Normal) {
        settings.window = {0, window.x, window.y, window.width, window.height};
    }
    if (settings.advanced.outFoldersHistory == 0) settings.file.recentOutFolders.clear();
}

bool saveSettingsFile(const ConverterSettings& settings, const std::string& path) {
    return platform::replaceFileAtomically(path, settingsFileText(settings));
}

}  // namespace plotvale::settings
