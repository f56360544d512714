#pragma once
// The writer flags of an output format, computed once per run from the
// output settings.

#include <cstdint>
#include <string_view>

#include "settings/converter_settings.h"

namespace plotvale::engine {

int32_t computeSaveFlags(const settings::ConverterSettings& settings,
                         std::string_view outputExtension);

}  // namespace plotvale::engine
