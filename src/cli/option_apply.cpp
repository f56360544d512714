#include "cli/option_apply.h"

#include <string>
#include <variant>

#include "cli/option_text.h"
#include "settings/settings_schema.h"
#include "settings/settings_syntax.h"
#include "settings/text_case.h"

namespace plotvale::cli {

using settings::SettingSlot;

namespace {

void storeText(const SettingSlot& slot, std::string_view value) {
    if (auto* text = std::get_if<std::string*>(&slot); text && *text) **text = std::string(value);
}

void storeDecimal(const SettingSlot& slot, float value) {
    if (auto* real = std::get_if<float*>(&slot); real && *real) **real = value;
}

SettingSlot slotOf(std::string_view group, std::string_view key,
                   settings::ConverterSettings& target) {
    const settings::SettingField* field = settings::findSetting(group, key);
    return field != nullptr ? field->locate(target) : SettingSlot{};
}

}  // namespace

void applySettingOption(const OptionSpec& option, std::string_view value,
                        settings::ConverterSettings& target) {
    const SettingSlot slot = slotOf(option.group, option.key, target);
    switch (option.kind) {
    case OptionKind::Keyword:
        settings::storeInteger(slot, settings::lookupKeyword(*option.keywords, value));
        break;
    case OptionKind::Number: settings::storeInteger(slot, readNumber(value)); break;
    case OptionKind::Decimal: storeDecimal(slot, settings::readDecimal(value)); break;
    case OptionKind::Path:
    case OptionKind::Text: storeText(slot, value); break;
    case OptionKind::Switch: settings::storeInteger(slot, option.switchValue); break;
    }
    for (const AlsoSetting& also : option.also) {
        settings::storeInteger(slotOf(also.group, also.key, target), also.value);
    }
}

bool isRunOption(const OptionSpec& option) {
    return option.target == OptionTarget::Jobs || option.target == OptionTarget::Shard ||
           option.target == OptionTarget::SkipExisting || option.target == OptionTarget::Manifest;
}

void applyRunOption(const OptionSpec& option, std::string_view value,
                    settings::RunRequest& request) {
    switch (option.target) {
    case OptionTarget::Jobs: request.jobs = std::string(settings::trim(value)); break;
    case OptionTarget::Shard: request.shard = std::string(settings::trim(value)); break;
    case OptionTarget::SkipExisting: request.skipExisting = true; break;
    case OptionTarget::Manifest: request.manifest = std::string(value); break;
    default: break;
    }
}

}  // namespace plotvale::cli
