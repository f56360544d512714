#pragma once
// Names for the side file an output is written to before it is renamed to
// its final name: hidden, in the output's own folder, and recognisable as
// the side file of that output (".name.png.plotvale-" and 15 letters), so a
// later run can remove what an interrupted one left behind.

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "engine/conversion_job.h"

namespace plotvale::engine {

// prefix, one letter per decimal digit of `nowSeconds` ("0" -> "a" ...
// "9" -> "j"), five random letters "a".."z", suffix.
std::string makeTempName(std::string_view prefix, std::string_view suffix, int64_t nowSeconds,
                         std::mt19937& random);

// The side path of the job's output path. Uses the local clock and a
// per-thread random generator.
std::string makeTempPath(const ConversionJob& job);

// The part of an output file name that its side files carry: all of it, or
// its first 229 bytes for a name so long that the side file's name would
// pass the 255-byte limit.
std::string sideFileKey(std::string_view outputName);

// The output file name (its side-file key) whose side file `entryName` is,
// or an empty text when the entry is no side file of ours.
std::string sideFileOwner(std::string_view entryName);

}  // namespace plotvale::engine
