#include "batch/scale_out_checks.h"

#include "engine/order_dependence.h"

namespace plotvale::batch {
namespace {

bool checkJobs(BatchRun& run, int32_t onlineProcessors) {
    const auto jobs = parseJobs(run.request.jobs, onlineProcessors);
    if (!jobs) {
        return run.refuse("Invalid number of jobs \"" + run.request.jobs +
                          "\": give a whole number from 1 to " + std::to_string(MostJobs) +
                          ", or 0 for one per processor");
    }
    run.scale.jobs = *jobs;
    return true;
}

bool checkShard(BatchRun& run) {
    if (run.request.shard.empty()) return true;
    run.scale.shard = parseShard(run.request.shard);
    if (!run.scale.shard) {
        return run.refuse("Invalid shard \"" + run.request.shard +
                          "\": give INDEX/COUNT with whole numbers and 0 <= INDEX < COUNT");
    }
    return true;
}

// Counter and random number follow the files converted before, which a
// shard does not see and a resumed run does not repeat.
bool checkCounterPlaceholders(BatchRun& run) {
    if (!engine::settingsShowCounters(run.settings)) return true;
    if (run.scale.shard) {
        return run.refuse("The filename mask or watermark text uses %n% or %rnd%, which would "
                          "give the same values in every shard; a sharded run cannot use them");
    }
    if (run.scale.skipExisting) {
        return run.refuse("The filename mask or watermark text uses %n% or %rnd%, so the outputs "
                          "of an earlier run cannot be matched; --skip-existing cannot use them");
    }
    return true;
}

bool openManifest(BatchRun& run) {
    if (run.request.manifest.empty()) return true;
    run.manifest.emplace(run.request.manifest);
    if (run.manifest->isOpen()) return true;
    run.manifest.reset();
    return run.refuse("Cannot write the manifest file " + run.request.manifest);
}

}  // namespace

bool checkScaleOut(BatchRun& run, int32_t onlineProcessors) {
    run.scale.skipExisting = run.request.skipExisting;
    return checkJobs(run, onlineProcessors) && checkShard(run) && checkCounterPlaceholders(run) &&
           openManifest(run);
}

}  // namespace plotvale::batch
