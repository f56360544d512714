// A folder of 1,000 small metafiles converted to PNG: files per second and
// peak memory of the whole batch run, and how much the run driver and the
// input collection add to the conversions themselves, measured side by side
// in the same iteration.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <time.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "batch/input_collection.h"
#include "batch/run_driver.h"
#include "engine/convert_file.h"
#include "engine/save_flags.h"
#include "settings/format_catalogue.h"
#include "settings/message_table.h"

namespace {

namespace fs = std::filesystem;
using namespace plotvale;

constexpr int FileCount = 1000;

std::string readSample() {
    std::ifstream in(std::string(PLOTVALE_SOURCE_DIR) + "/examples/shapes.wmf", std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A fresh folder tree with the sample copied FileCount times into 10 subfolders.
struct Workspace {
    Workspace() : root(fs::temp_directory_path() / "plotvale-batch-bench") {
        fs::remove_all(root);
        const std::string sample = readSample();
        for (int i = 0; i < FileCount; ++i) {
            const fs::path file =
                root / "in" / ("d" + std::to_string(i % 10)) / ("f" + std::to_string(i) + ".wmf");
            fs::create_directories(file.parent_path());
            fs::create_directories(root / "out" / file.parent_path().filename());
            std::ofstream(file, std::ios::binary) << sample;
        }
        fs::create_directories(root / "out");
    }
    ~Workspace() { fs::remove_all(root); }
    fs::path root;
};

settings::ConverterSettings pngSettings() {
    settings::ConverterSettings s;
    settings::resetSettingsToDefaults(s, true, 0);
    s.output.pngCompression = 2;  // the usual zlib level, as users pick it
    return s;
}

// Process CPU time: the stages run on threads of their own, and a shared
// machine's other load does not count against either side.
double cpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double runWholeBatch(const settings::ConverterSettings& s, const Workspace& space) {
    settings::RunRequest request;
    request.input = (space.root / "in").string() + "/";
    request.outputFolder = (space.root / "out").string() + "/";
    request.conversion = "png";
    batch::BatchRun run(
        s, request, "/", [](std::string_view) {}, 1);
    const double start = cpuSeconds();
    if (batch::runBatch(run, true) != batch::RunSucceeded) std::abort();
    return cpuSeconds() - start;
}

// The collection stage alone: the folder walk and the admission test.
double runCollectionOnly(const settings::ConverterSettings& s, const Workspace& space) {
    settings::RunRequest request;
    request.input = (space.root / "in").string() + "/";
    batch::BatchRun run(
        s, request, "/", [](std::string_view) {}, 1);
    run.progress.reset();
    const double start = cpuSeconds();
    batch::scanInputFolder(run);
    if (run.progress.resultCount != FileCount) std::abort();
    return cpuSeconds() - start;
}

// The same conversions without the driver and the collection.
double runConversionsOnly(const settings::ConverterSettings& s, const Workspace& space) {
    std::vector<std::pair<std::string, std::string>> files;
    for (const auto& entry : fs::recursive_directory_iterator(space.root / "in")) {
        if (!entry.is_regular_file()) continue;
        const std::string sub = entry.path().parent_path().filename().string() + "/";
        files.emplace_back(entry.path().string(), sub);
    }
    engine::ConversionJob job;
    job.outputFolder = (space.root / "out").string() + "/";
    job.outputExtension = "png";
    job.formatCode = settings::findOutputFormat("png")->code;
    job.saveFlags = engine::computeSaveFlags(s, "png");
    job.automaticDepth = 1;
    // On a thread of its own, as the batch's worker runs: the C library's
    // allocator behaves differently on the main thread.
    const double start = cpuSeconds();
    std::thread worker([&] {
        for (const auto& [path, sub] : files) {
            job.inputPath = path;
            job.relativeSubfolder = sub;
            if (!engine::convertFile(s, job)) std::abort();
        }
    });
    worker.join();
    return cpuSeconds() - start;
}

void BM_BatchRunOf1000Metafiles(benchmark::State& state) {
    settings::buildMessageTable();
    const Workspace space;
    const settings::ConverterSettings s = pngSettings();
    double whole = 0;
    double conversions = 0;
    double collection = 0;
    for (auto _ : state) {
        conversions += runConversionsOnly(s, space);
        whole += runWholeBatch(s, space);
        collection += runCollectionOnly(s, space);
    }
    const double iterations = static_cast<double>(state.iterations());
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["files_per_cpu_second"] = FileCount * iterations / whole;
    state.counters["driver_overhead_percent"] = 100.0 * (whole - conversions) / conversions;
    state.counters["collection_percent"] = 100.0 * collection / conversions;
    state.counters["peak_rss_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_BatchRunOf1000Metafiles)->Unit(benchmark::kMillisecond)->Iterations(4);

}  // namespace

BENCHMARK_MAIN();
