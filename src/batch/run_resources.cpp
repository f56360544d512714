#include "batch/run_resources.h"

namespace plotvale::batch {

void protectInputFiles(BatchRun& run) {
    std::vector<std::string> inputs;
    for (const InputEntry* entry : run.files.inOrder()) inputs.push_back(entry->path);
    run.outputGuard = std::make_unique<engine::OutputGuard>(inputs);
}

engine::RunResources runResources(BatchRun& run) {
    return engine::RunResources{run.watermarkFont ? &*run.watermarkFont : nullptr,
                                run.outputGuard.get()};
}

}  // namespace plotvale::batch
