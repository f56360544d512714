#pragma once
// What the run lends each conversion: the watermark font, and the guard that
// keeps outputs off the run's input files and sweeps stale side files.

#include "batch/batch_run.h"
#include "engine/convert_file.h"

namespace plotvale::batch {

// Makes the run's output guard over every collected input file; called once
// before the conversion stage.
void protectInputFiles(BatchRun& run);

// The resources for one conversion; the worker asks once per file.
engine::RunResources runResources(BatchRun& run);

}  // namespace plotvale::batch
