#pragma once
// The run's checks of the output format and of the enabled operations, in
// their fixed order, with the settings echo of a debug run. Each check
// writes its one "Error: " line and returns false when it refuses the run.

#include "batch/batch_run.h"

namespace plotvale::batch {

// The ranges the checks accept, for the window's controls as well.
struct CheckedRange {
    int32_t minimum;
    int32_t maximum;
};
inline constexpr CheckedRange MetafileDpiRange{10, 2400};
inline constexpr CheckedRange AdjustmentPercentRange{-100, 100};  // brightness, contrast
inline constexpr CheckedRange QualityRange{1, 100};
inline constexpr float MinimumGamma = 0.01f;
inline constexpr float MaximumGamma = 9.99f;

// Echo of the format's settings, then its depth and quality checks.
bool checkOutputFormat(BatchRun& run, bool debug);

// The metafile resolution must lie in `MetafileDpiRange` (dots per inch).
bool checkMetafileResolution(BatchRun& run);

// Echo and checks of the operations, in table order.
bool checkOperations(BatchRun& run, bool debug);

// The keyword the echo prints for a compression code of an output format.
std::string compressionKeyword(std::string_view format, int32_t code);

}  // namespace plotvale::batch
