// Renders every corpus metafile at 96 DPI, aliased and anti-aliased, and
// prints the median and 95th-percentile time per file and per megapixel.
// Each file is rendered once to warm caches (fonts, code pages), then timed
// over several runs; the file's time is the median of its runs.

#include <algorithm>
#include <cmath>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "wmf/render_metafile.h"

namespace fs = std::filesystem;
using plotvale::wmf::RenderOptions;
using plotvale::wmf::renderMetafile;

namespace {

constexpr int kRunsPerFile = 7;

struct Sample {
    std::string name;
    double ms = 0;
    double megapixels = 0;
};

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Nearest-rank percentile.
double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(std::ceil(p * static_cast<double>(values.size())));
    return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

Sample timeFile(const std::string& name, const std::string& data, const RenderOptions& options) {
    Sample sample{name, 0, 0};
    const auto warm = renderMetafile(data, options);
    if (warm.bitmap)
        sample.megapixels = static_cast<double>(FreeImage_GetWidth(warm.bitmap.get())) *
                            FreeImage_GetHeight(warm.bitmap.get()) / 1e6;
    std::vector<double> runs;
    for (int i = 0; i < kRunsPerFile; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const auto result = renderMetafile(data, options);
        const auto stop = std::chrono::steady_clock::now();
        runs.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
    }
    sample.ms = median(runs);
    return sample;
}

void report(const char* mode, const std::vector<Sample>& samples, bool verbose) {
    std::vector<double> perFile;
    std::vector<double> perMegapixel;
    for (const auto& s : samples) {
        perFile.push_back(s.ms);
        if (s.megapixels > 0) perMegapixel.push_back(s.ms / s.megapixels);
    }
    double total = 0;
    for (const double ms : perFile) total += ms;
    std::printf("%-13s files %3zu  ms/file median %7.3f p95 %7.3f mean %7.3f  "
                "ms/MP median %7.3f p95 %7.3f\n",
                mode, samples.size(), median(perFile), percentile(perFile, 0.95),
                total / static_cast<double>(perFile.size()), median(perMegapixel),
                percentile(perMegapixel, 0.95));
    if (!verbose) return;
    auto slowest = samples;
    std::sort(slowest.begin(), slowest.end(), [](auto& a, auto& b) { return a.ms > b.ms; });
    for (std::size_t i = 0; i < std::min<std::size_t>(10, slowest.size()); ++i)
        std::printf("    %8.3f ms %6.3f MP  %s\n", slowest[i].ms, slowest[i].megapixels,
                    slowest[i].name.c_str());
}

}  // namespace

// Usage: wmf_bench [-v] [shared folder]; -v lists the ten slowest files per mode.
int main(int argc, char** argv) {
    bool verbose = false;
    fs::path shared = PLOTVALE_SHARED_DIR;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-v") verbose = true;
        else shared = arg;
    }
    const fs::path corpus = shared / "corpus" / "wmf";
    if (!fs::is_directory(corpus)) {
        std::printf("corpus not available at %s: nothing to measure\n", corpus.c_str());
        return 0;
    }
    std::vector<std::pair<std::string, std::string>> files;
    for (const auto& entry : fs::directory_iterator(corpus))
        files.emplace_back(entry.path().stem().string(), readFile(entry.path()));
    std::sort(files.begin(), files.end());
    for (const bool antialias : {false, true}) {
        RenderOptions options;
        options.dpi = 96;
        options.antialias = antialias;
        std::vector<Sample> samples;
        for (const auto& [name, data] : files) samples.push_back(timeFile(name, data, options));
        report(antialias ? "anti-aliased" : "aliased", samples, verbose);
    }
    return 0;
}
