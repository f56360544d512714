#pragma once
// Profiles: settings files whose group "CLI" holds long option names as keys.

#include <string>

#include "settings/converter_settings.h"

namespace plotvale::cli {

// Applies the profile's known keys in file order. False when the path is
// empty or the file cannot be read; a file without a "CLI" group changes
// nothing and succeeds.
bool ProfileReader(const std::string& path, settings::ConverterSettings& target);

}  // namespace plotvale::cli
