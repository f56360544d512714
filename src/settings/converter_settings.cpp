#include "settings/converter_settings.h"

#include "settings/format_catalogue.h"

namespace plotvale::settings {

namespace {

int32_t centred(int desktop, int window) {
    return window < desktop ? (desktop - window) / 2 : 100;
}

}  // namespace

void resetSettingsToDefaults(ConverterSettings& settings, bool commandLineFace,
                             int32_t nowLocalSeconds, int desktopWidth, int desktopHeight) {
    settings = ConverterSettings{};
    settings.general.updateDate = nowLocalSeconds;
    settings.advanced.customTimestamp = nowLocalSeconds;
    settings.window.x = centred(desktopWidth, settings.window.width);
    settings.window.y = centred(desktopHeight, settings.window.height);
    settings.input.format = InputFormatList().front();
    settings.output.format = OutputFormatList().front();
    settings.transform.keepAspectRatio = commandLineFace ? 0 : 1;
}

}  // namespace plotvale::settings
