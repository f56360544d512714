#include "cli/option_scan.h"

#include "cli/option_apply.h"
#include "cli/option_table.h"
#include "cli/option_text.h"
#include "cli/profile_reader.h"
#include "settings/text_case.h"

namespace plotvale::cli {

namespace {

bool isPathValueValid(const std::string& value) {
    return !value.empty() && value[0] != '-';
}

bool isValueValid(const std::string& value) {
    return !value.empty() && value.substr(0, 2) != "--";
}

// The short form takes its value from the next parameter, the long form
// from after its own "=".
std::string pathValue(const OptionSpec& option, const std::string& name,
                      const std::vector<std::string>& parameters, size_t& position) {
    if (!settings::equalsIgnoringCase(option.shortName, name)) {
        return optionValue(parameters[position]);
    }
    if (position + 1 >= parameters.size()) return {};
    return optionValue(parameters[++position]);
}

void storeRequestPath(OptionTarget target, std::string value, settings::RunRequest& request) {
    if (target == OptionTarget::Input) request.input = std::move(value);
    if (target == OptionTarget::OutputFolder) request.outputFolder = std::move(value);
    if (target == OptionTarget::Conversion) request.conversion = std::move(value);
}

void applySwitch(const OptionSpec& option, const ScanTargets& targets) {
    switch (option.target) {
    case OptionTarget::Debug: targets.request.modeWord = "DEBUG"; break;
    case OptionTarget::Quiet: targets.flags.quiet = true; break;
    case OptionTarget::Pause: targets.flags.pause = true; break;
    case OptionTarget::SkipExisting: applyRunOption(option, {}, targets.request); break;
    default: applySettingOption(option, {}, targets.settings); break;
    }
}

// One option with its value; returns the error message or "".
std::string applyOption(const OptionSpec& option, const std::string& name,
                        const std::vector<std::string>& parameters, size_t& position,
                        const ScanTargets& targets) {
    if (option.kind == OptionKind::Switch) {
        applySwitch(option, targets);
        return {};
    }
    if (option.kind == OptionKind::Path) {
        const std::string value = pathValue(option, name, parameters, position);
        if (!isPathValueValid(value)) return std::string(IncorrectParameters);
        storeRequestPath(option.target, stripQuotes(joinQuotedValue(value, parameters, position)),
                         targets.request);
        return {};
    }
    std::string value = optionValue(parameters[position]);
    if (!isValueValid(value)) return std::string(IncorrectParameters);
    if (option.kind == OptionKind::Text) {
        value = stripQuotes(joinQuotedValue(value, parameters, position));
    }
    if (option.target == OptionTarget::Profile) {
        if (value.empty() || !ProfileReader(value, targets.settings, &targets.request)) {
            return std::string(InvalidProfileFile);
        }
        return {};
    }
    if (isRunOption(option)) {
        applyRunOption(option, value, targets.request);
        return {};
    }
    applySettingOption(option, value, targets.settings);
    return {};
}

}  // namespace

std::string scanOptions(const std::vector<std::string>& parameters, const ScanTargets& targets) {
    for (size_t position = 0; position < parameters.size(); ++position) {
        const std::string name = optionName(parameters[position]);
        const OptionSpec* option = name.empty() ? nullptr : findOption(name);
        if (option == nullptr) continue;
        if (option->target == OptionTarget::Input) targets.request.commandLineMode = 1;
        std::string error = applyOption(*option, name, parameters, position, targets);
        if (!error.empty()) return error;
    }
    return {};
}

}  // namespace plotvale::cli
