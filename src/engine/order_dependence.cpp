#include "engine/order_dependence.h"

#include "engine/output_name.h"
#include "engine/watermark.h"
#include "settings/text_case.h"

namespace plotvale::engine {
namespace {

// Two expansions under one fixed clock differ only by what the jobs differ in.
const WallClock FixedClock = [] { return int64_t{0}; };

ConversionJob withCounters(ConversionJob job, int32_t value) {
    job.counter = value;
    job.randomNumber = value;
    return job;
}

ConversionJob withPicture(ConversionJob job, int32_t value) {
    job.resultWidth = value;
    job.resultHeight = value;
    job.targetDepth = value;
    return job;
}

bool showsCounters(const std::string& text) {
    const std::string lowered = settings::toLowerAscii(text);
    return lowered.find("%n%") != std::string::npos || lowered.find("%rnd%") != std::string::npos;
}

}  // namespace

bool settingsShowCounters(const settings::ConverterSettings& settings) {
    return showsCounters(settings.advanced.filenameMask) ||
           (settings.watermark.doWatermark == 1 && showsCounters(settings.watermark.text));
}

bool watermarkFollowsCounters(const settings::ConverterSettings& settings,
                              const ConversionJob& job) {
    if (settings.watermark.doWatermark != 1) return false;
    return expandWatermarkText(settings.watermark, withCounters(job, 1), FixedClock) !=
           expandWatermarkText(settings.watermark, withCounters(job, 2), FixedClock);
}

bool nameFollowsCounters(const settings::ConverterSettings& settings, const ConversionJob& job) {
    return expandFilenameMask(settings, withCounters(job, 1), FixedClock) !=
           expandFilenameMask(settings, withCounters(job, 2), FixedClock);
}

bool nameFollowsPicture(const settings::ConverterSettings& settings, const ConversionJob& job) {
    return expandFilenameMask(settings, withPicture(job, 1), FixedClock) !=
           expandFilenameMask(settings, withPicture(job, 2), FixedClock);
}

}  // namespace plotvale::engine
