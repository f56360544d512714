#include "engine/temp_name.h"

#include "platform/clock.h"

namespace plotvale::engine {

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

std::string makeTempPath(const settings::ConverterSettings& settings, const ConversionJob& job) {
    // One generator per thread keeps conversions on several threads apart.
    thread_local std::mt19937 random{std::random_device{}()};
    std::string path = job.outputFolder;
    if (settings.advanced.keepSubfolders != 0) path += job.relativeSubfolder;
    path += makeTempName("plotvale", "", platform::nowLocalWallClockSeconds(), random);
    path += '.';
    path += job.outputExtension;
    return path;
}

}  // namespace plotvale::engine
