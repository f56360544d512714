#include "engine/output_name.h"

#include <algorithm>
#include <optional>

#include "engine/wall_clock_date.h"
#include "platform/clock.h"
#include "settings/text_case.h"

namespace plotvale::engine {
namespace {

using settings::toLowerAscii;
using settings::toUpperAscii;

std::string titleCase(std::string_view text) {
    std::string result = toLowerAscii(text);
    if (!result.empty()) result[0] = toUpperAscii(result.substr(0, 1))[0];
    return result;
}

// Numbers of the run shown with exactly five characters: shorter ones get
// leading zeros, longer ones keep their first five.
std::string padToFive(int32_t number) {
    std::string digits = std::to_string(number);
    if (digits.size() < 5) digits.insert(0, 5 - digits.size(), '0');
    return digits.substr(0, 5);
}

std::string twoDigits(int value) {
    std::string digits = std::to_string(value);
    if (digits.size() < 2) digits.insert(digits.begin(), '0');
    return digits;
}

std::string inputName(const ConversionJob& job) {
    const size_t slash = job.inputPath.rfind('/');
    return stripExtension(slash == std::string::npos ? std::string_view(job.inputPath)
                                                     : std::string_view(job.inputPath).substr(slash + 1));
}

std::string dateValue(std::string_view placeholder, const WallClock& clock) {
    const WallClockDate date = toWallClockDate(clock());
    if (placeholder == "%yyyy%") return std::to_string(date.year);
    if (placeholder == "%mm%") return twoDigits(date.month);
    if (placeholder == "%dd%") return twoDigits(date.day);
    if (placeholder == "%hh%") return twoDigits(date.hour);
    if (placeholder == "%ii%") return twoDigits(date.minute);
    return twoDigits(date.second);
}

std::optional<std::string> placeholderValue(std::string_view placeholder, const ConversionJob& job,
                                            const WallClock& clock) {
    if (placeholder == "%filename%") return inputName(job);
    if (placeholder == "%filename[u]%") return toUpperAscii(inputName(job));
    if (placeholder == "%filename[l]%") return toLowerAscii(inputName(job));
    if (placeholder == "%filename[t]%") return titleCase(inputName(job));
    if (placeholder == "%ext%") return job.outputExtension;
    if (placeholder == "%ext[u]%") return toUpperAscii(job.outputExtension);
    if (placeholder == "%ext[t]%") return titleCase(job.outputExtension);
    if (placeholder == "%yyyy%" || placeholder == "%mm%" || placeholder == "%dd%" ||
        placeholder == "%hh%" || placeholder == "%ii%" || placeholder == "%ss%")
        return dateValue(placeholder, clock);
    if (placeholder == "%bpp%") return std::to_string(job.targetDepth);
    if (placeholder == "%width%") return std::to_string(job.resultWidth);
    if (placeholder == "%height%") return std::to_string(job.resultHeight);
    if (placeholder == "%rnd%") return padToFive(job.randomNumber);
    if (placeholder == "%n%") return padToFive(job.counter);
    return std::nullopt;
}

}  // namespace

std::string stripExtension(std::string_view fileName) {
    const size_t dot = fileName.rfind('.');
    return std::string(dot == std::string_view::npos ? fileName : fileName.substr(0, dot));
}

std::string expandPlaceholder(std::string_view text, std::string_view placeholder,
                              const ConversionJob& job, const WallClock& clock) {
    const std::string lowered = toLowerAscii(placeholder);
    const auto value = placeholderValue(lowered, job, clock);
    if (!value) return std::string(text);
    return settings::replaceAllIgnoringCase(text, lowered, *value);
}

std::string expandFilenameMask(const settings::ConverterSettings& settings,
                               const ConversionJob& job, const WallClock& clock) {
    std::string name = toLowerAscii(settings.advanced.filenameMask);
    if (name.empty()) name = "%filename%.%ext%";
    for (const std::string_view placeholder : FilenamePlaceholders) {
        if (name.find(placeholder) != std::string::npos)
            name = expandPlaceholder(name, placeholder, job, clock);
    }
    return name;
}

bool leavesFolder(std::string_view name) {
    if (!name.empty() && name.front() == '/') return true;
    size_t start = 0;
    while (start <= name.size()) {
        const size_t end = std::min(name.find('/', start), name.size());
        if (name.substr(start, end - start) == "..") return true;
        start = end + 1;
    }
    return false;
}

std::string outputFileName(const settings::ConverterSettings& settings, const ConversionJob& job) {
    return expandFilenameMask(settings, job, [] {
        return static_cast<int64_t>(platform::nowLocalWallClockSeconds());
    });
}

std::string buildOutputPath(const settings::ConverterSettings& settings,
                            const ConversionJob& job) {
    const std::string name = outputFileName(settings, job);
    if (leavesFolder(name)) return {};
    std::string path = job.outputFolder;
    if (settings.advanced.keepSubfolders != 0) path += job.relativeSubfolder;
    return path + name;
}

}  // namespace plotvale::engine
