#pragma once
// The scan of the command-line parameters into the settings, the run
// request and the front end's flags. It checks only the shape of values;
// ranges are the batch run's business.

#include <string>
#include <string_view>
#include <vector>

#include "settings/converter_settings.h"
#include "settings/run_request.h"

namespace plotvale::cli {

inline constexpr std::string_view IncorrectParameters = "Incorrect number of parameters";
inline constexpr std::string_view InvalidProfileFile = "Invalid profile file";

struct FrontEndFlags {
    bool quiet = false;
    bool pause = false;
};

struct ScanTargets {
    settings::ConverterSettings& settings;
    settings::RunRequest& request;
    FrontEndFlags& flags;
};

// Applies the parameters in order; the first bad value stops the scan.
// Returns the error message, or "" when every parameter was accepted.
std::string scanOptions(const std::vector<std::string>& parameters, const ScanTargets& targets);

}  // namespace plotvale::cli
