#pragma once
// The output file name built from the filename mask: placeholders between
// percent signs replaced by properties of the input file, the output format,
// the date and time, the finished picture and the run.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "engine/conversion_job.h"
#include "settings/converter_settings.h"

namespace plotvale::engine {

// Seconds since 1970 on the local wall clock; read once per date placeholder.
using WallClock = std::function<int64_t()>;

// Every placeholder, in the order the mask is expanded.
inline constexpr std::array<std::string_view, 18> FilenamePlaceholders{
    "%filename%", "%filename[u]%", "%filename[l]%", "%filename[t]%", "%ext%", "%ext[u]%",
    "%ext[t]%",   "%yyyy%",        "%mm%",          "%dd%",          "%hh%",  "%ii%",
    "%ss%",       "%bpp%",         "%width%",       "%height%",      "%rnd%", "%n%"};

// The file part of a path without its last extension ("a.b.wmf" -> "a.b").
std::string stripExtension(std::string_view fileName);

// Replaces every occurrence of one placeholder, matched without regard to
// case, by its value for the job. Unknown placeholders leave the text as it is.
std::string expandPlaceholder(std::string_view text, std::string_view placeholder,
                              const ConversionJob& job, const WallClock& clock);

// The mask in lower case (empty: "%filename%.%ext%") with every placeholder
// it contains expanded in table order.
std::string expandFilenameMask(const settings::ConverterSettings& settings,
                               const ConversionJob& job, const WallClock& clock);

// The expanded mask, dated by the local clock.
std::string outputFileName(const settings::ConverterSettings& settings, const ConversionJob& job);

// True when a name made by the mask would reach outside the folder it is
// put in: an absolute path, or one with a ".." component.
bool leavesFolder(std::string_view name);

// Output folder, the relative subfolder when subfolders are kept, and the
// expanded mask, dated by the local clock; empty when the expanded mask
// leaves the output folder (a placeholder's value may bring in "..").
std::string buildOutputPath(const settings::ConverterSettings& settings, const ConversionJob& job);

}  // namespace plotvale::engine
