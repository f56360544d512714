#pragma once
// The checks of the run's scale-out options: the number of jobs, the shard,
// the placeholders that sharding and skipping cannot serve, and the
// manifest file. Each writes its one "Error: " line when it refuses the run.

#include "batch/batch_run.h"

namespace plotvale::batch {

// Fills run.scale and opens run.manifest from the request.
bool checkScaleOut(BatchRun& run, int32_t onlineProcessors);

}  // namespace plotvale::batch
