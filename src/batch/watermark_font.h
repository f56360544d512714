#pragma once
// The run's watermark font, loaded once by the checks and lent to every
// conversion of the run.

#include "batch/batch_run.h"

namespace plotvale::batch {

// Loads the font of the watermark settings into the run; false when it
// cannot be made.
bool loadWatermarkFont(BatchRun& run);

}  // namespace plotvale::batch
