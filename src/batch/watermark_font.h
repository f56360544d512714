#pragma once
// Whether the run's watermark font can be made from the watermark settings.

#include "settings/converter_settings.h"

namespace plotvale::batch {

bool canLoadWatermarkFont(const settings::ConverterSettings& settings);

}  // namespace plotvale::batch
