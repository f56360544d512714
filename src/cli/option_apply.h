#pragma once
// Storing one option's value in the settings, shared by the option scan and
// the profile reader so both convert values by the same rules.

#include <string_view>

#include "cli/option_table.h"
#include "settings/converter_settings.h"
#include "settings/run_request.h"

namespace plotvale::cli {

// Converts `value` by the option's kind (keyword look-up, number or decimal
// reading, text as given, a switch's fixed value) and stores it in the
// option's setting, then sets the option's "also" settings.
void applySettingOption(const OptionSpec& option, std::string_view value,
                        settings::ConverterSettings& target);

// True for the options that set the run request's scale-out fields.
bool isRunOption(const OptionSpec& option);

// Stores a scale-out option's value (a switch stores its fixed value) in the
// run request, as written: the run checks it.
void applyRunOption(const OptionSpec& option, std::string_view value,
                    settings::RunRequest& request);

}  // namespace plotvale::cli
