#pragma once
// Storing one option's value in the settings, shared by the option scan and
// the profile reader so both convert values by the same rules.

#include <string_view>

#include "cli/option_table.h"
#include "settings/converter_settings.h"

namespace plotvale::cli {

// Converts `value` by the option's kind (keyword look-up, number or decimal
// reading, text as given, a switch's fixed value) and stores it in the
// option's setting, then sets the option's "also" settings.
void applySettingOption(const OptionSpec& option, std::string_view value,
                        settings::ConverterSettings& target);

}  // namespace plotvale::cli
