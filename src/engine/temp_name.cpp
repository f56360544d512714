#include "engine/temp_name.h"

#include <algorithm>

#include "platform/clock.h"

namespace plotvale::engine {
namespace {

constexpr std::string_view SideMark = ".plotvale-";
constexpr size_t SideLetters = 15;  // ten clock letters and five random ones
// A file name holds at most 255 bytes; a long output name is cut in its side
// file's name so that the side file can still be made.
constexpr size_t LongestOwner = 255 - 1 - SideMark.size() - SideLetters;

}  // namespace

std::string makeTempName(std::string_view prefix, std::string_view suffix, int64_t nowSeconds,
                         std::mt19937& random) {
    std::string name(prefix);
    for (const char digit : std::to_string(nowSeconds)) {
        if (digit >= '0' && digit <= '9') name += static_cast<char>('a' + (digit - '0'));
    }
    std::uniform_int_distribution<int> letter(0, 25);
    for (int i = 0; i < 5; ++i) name += static_cast<char>('a' + letter(random));
    name += suffix;
    return name;
}

std::string makeTempPath(const ConversionJob& job) {
    // One generator per thread keeps conversions on several threads apart.
    thread_local std::mt19937 random{std::random_device{}()};
    const std::string& output = job.outputPath;
    const size_t nameStart = output.rfind('/') + 1;  // npos + 1 == 0
    const std::string prefix = output.substr(0, nameStart) + "." +
                               sideFileKey(output.substr(nameStart)) + std::string(SideMark);
    return makeTempName(prefix, "", platform::nowLocalWallClockSeconds(), random);
}

std::string sideFileKey(std::string_view outputName) {
    return std::string(outputName.substr(0, LongestOwner));
}

std::string sideFileOwner(std::string_view entryName) {
    if (entryName.size() < 1 + 1 + SideMark.size() + SideLetters || entryName.front() != '.')
        return {};
    const std::string_view letters = entryName.substr(entryName.size() - SideLetters);
    if (!std::all_of(letters.begin(), letters.end(), [](char c) { return c >= 'a' && c <= 'z'; }))
        return {};
    const std::string_view rest = entryName.substr(0, entryName.size() - SideLetters);
    if (rest.substr(rest.size() - SideMark.size()) != SideMark) return {};
    return std::string(rest.substr(1, rest.size() - 1 - SideMark.size()));
}

}  // namespace plotvale::engine
