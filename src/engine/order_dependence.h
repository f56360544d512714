#pragma once
// Which parts of a conversion depend on the run's order: the counter and
// the random number change after every converted file, so a name or a
// watermark text that shows them can only be made once every earlier file
// of the run has ended. A caller converting several files at once asks here
// what it must keep for the run's order.

#include "engine/conversion_job.h"
#include "settings/converter_settings.h"

namespace plotvale::engine {

// The filename mask or the watermark text, as written, holds "%n%" or
// "%rnd%" (in any letter case).
bool settingsShowCounters(const settings::ConverterSettings& settings);

// The text watermark drawn for this job changes with its counter or random
// number (also through a placeholder that a file name brings in).
bool watermarkFollowsCounters(const settings::ConverterSettings& settings,
                              const ConversionJob& job);

// The output name of this job changes with its counter or random number
// (also through a placeholder that the file name brings in).
bool nameFollowsCounters(const settings::ConverterSettings& settings, const ConversionJob& job);

// The output name of this job changes with the picture's size or depth,
// which are known only once it is rendered.
bool nameFollowsPicture(const settings::ConverterSettings& settings, const ConversionJob& job);

}  // namespace plotvale::engine
