// Each of the 23 writers against the raw BMP writer on a typical picture:
// a corpus drawing (1122 x 794 clip art, rendered once) through the depth
// conversion and the encoder into a side file and its rename, with the
// default settings of the command line. Prints one line per format:
// milliseconds per picture and the multiple of the BMP writer's time.

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/convert_file.h"
#include "engine/save_flags.h"
#include "settings/format_catalogue.h"
#include "settings/settings_schema.h"

namespace {

namespace fs = std::filesystem;
namespace engine = plotvale::engine;
namespace settings = plotvale::settings;
using plotvale::canvas::Bitmap;

constexpr const char* Drawing = PLOTVALE_SHARED_DIR "/corpus/wmf/libuemf__test_libuemf_ref.wmf";

double cpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

engine::ConversionJob jobFor(const settings::ConverterSettings& s, const std::string& format,
                             const std::string& folder) {
    const settings::OutputFormat& row = *settings::findOutputFormat(format);
    engine::ConversionJob job;
    job.inputPath = Drawing;
    job.outputFolder = folder;
    job.outputExtension = format;
    job.formatCode = row.code;
    job.targetDepth =
        static_cast<int32_t>(settings::integerSetting(s, "Output", row.settingKeys.front()));
    job.automaticDepth = job.targetDepth == 0 ? 1 : 0;
    job.saveFlags = engine::computeSaveFlags(s, format);
    return job;
}

// The least CPU time of a few rounds, so other load on the machine counts less.
double writerMilliseconds(const settings::ConverterSettings& s, const std::string& format,
                          const Bitmap& picture, const std::string& folder) {
    double best = 1e300;
    for (int round = 0; round < 5; ++round) {
        engine::ConversionJob job = jobFor(s, format, folder);
        Bitmap copy(FreeImage_Clone(picture.get()));
        const double start = cpuMilliseconds();
        if (!engine::convertBitmap(s, job, std::move(copy))) return -1;
        best = std::min(best, cpuMilliseconds() - start);
    }
    return best;
}

}  // namespace

int main() {
    settings::ConverterSettings s;
    settings::resetSettingsToDefaults(s, true, 0);
    engine::ConversionJob probe;
    probe.inputPath = Drawing;
    const Bitmap picture = engine::rasterizeMetafile(s, probe);
    if (!picture) {
        std::fprintf(stderr, "needs %s\n", Drawing);
        return 1;
    }
    const fs::path folder = fs::temp_directory_path() / "plotvale-writer-bench";
    fs::create_directories(folder);
    std::printf("picture %u x %u\n", FreeImage_GetWidth(picture.get()),
                FreeImage_GetHeight(picture.get()));
    writerMilliseconds(s, "bmp", picture, folder.string() + "/");  // warms the caches
    const double bmp = writerMilliseconds(s, "bmp", picture, folder.string() + "/");
    for (const std::string& format : settings::OutputFormatList()) {
        const double ms = writerMilliseconds(s, format, picture, folder.string() + "/");
        std::printf("%-5s %8.2f ms  %6.2f x bmp\n", format.c_str(), ms, ms / bmp);
    }
    fs::remove_all(folder);
    return 0;
}
