#pragma once
// The run's checks of the output format and of the enabled operations, in
// their fixed order, with the settings echo of a debug run. Each check
// writes its one "Error: " line and returns false when it refuses the run.

#include "batch/batch_run.h"

namespace plotvale::batch {

// Echo of the format's settings, then its depth and quality checks.
bool checkOutputFormat(BatchRun& run, bool debug);

// The metafile resolution must lie in 10..2400 dots per inch.
bool checkMetafileResolution(BatchRun& run);

// Echo and checks of the operations, in table order.
bool checkOperations(BatchRun& run, bool debug);

// The keyword the echo prints for a compression code of an output format.
std::string compressionKeyword(std::string_view format, int32_t code);

}  // namespace plotvale::batch
