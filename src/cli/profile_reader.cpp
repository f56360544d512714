#include "cli/profile_reader.h"

#include "cli/option_apply.h"
#include "cli/option_text.h"
#include "platform/file_system.h"
#include "settings/settings_syntax.h"
#include "settings/text_case.h"

namespace plotvale::cli {

namespace {

// Larger files are not profiles; refusing them keeps memory bounded.
constexpr int64_t MaxProfileBytes = 64LL * 1024 * 1024;

}  // namespace

bool ProfileReader(const std::string& path, settings::ConverterSettings& target,
                   settings::RunRequest* request) {
    if (path.empty()) return false;
    const auto bytes = platform::readFile(path, MaxProfileBytes);
    if (!bytes) return false;
    const auto document = settings::SettingsDocument::parse(*bytes);
    for (const settings::SettingsEntry& entry : document.entries("CLI")) {
        const std::string key = settings::toUpperAscii(entry.key);
        const OptionSpec* option = findProfileOption(key);
        if (option == nullptr) continue;
        const std::string value = key == "--FILENAME-MASK" ? stripQuotes(entry.value) : entry.value;
        if (isRunOption(*option)) {
            if (request != nullptr) applyRunOption(*option, value, *request);
            continue;
        }
        applySettingOption(*option, value, target);
    }
    return true;
}

}  // namespace plotvale::cli
