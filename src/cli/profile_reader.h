#pragma once
// Profiles: settings files whose group "CLI" holds long option names as keys.

#include <string>

#include "settings/converter_settings.h"
#include "settings/run_request.h"

namespace plotvale::cli {

// Applies the profile's known keys in file order. False when the path is
// empty or the file cannot be read; a file without a "CLI" group changes
// nothing and succeeds. The run's own profile keys ("--jobs") go to
// `request` when one is given.
bool ProfileReader(const std::string& path, settings::ConverterSettings& target,
                   settings::RunRequest* request = nullptr);

}  // namespace plotvale::cli
