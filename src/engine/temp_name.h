#pragma once
// Names for the side file an output is written to before it is renamed to
// its final name. The names are plain ASCII letters, so every encoder library
// accepts them.

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "engine/conversion_job.h"
#include "settings/converter_settings.h"

namespace plotvale::engine {

// prefix, one letter per decimal digit of `nowSeconds` ("0" -> "a" ...
// "9" -> "j"), five random letters "a".."z", suffix.
std::string makeTempName(std::string_view prefix, std::string_view suffix, int64_t nowSeconds,
                         std::mt19937& random);

// Output folder, the relative subfolder when subfolders are kept, a
// "plotvale" side name and the output extension. Uses the local clock and a
// per-thread random generator.
std::string makeTempPath(const settings::ConverterSettings& settings, const ConversionJob& job);

}  // namespace plotvale::engine
