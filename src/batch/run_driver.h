#pragma once
// The command-line batch run: checks in their fixed order, the debug echo,
// the collection and conversion stages on threads of their own, and the
// totals.

#include <string>

#include "batch/batch_run.h"

namespace plotvale::batch {

inline constexpr int RunSucceeded = 0;    // every collected file converted
inline constexpr int RunRefused = 1;      // a check refused it, or nothing was collected
inline constexpr int RunFilesFailed = 2;  // at least one file failed

// Fills the run's fields of the conversion job from the checked output
// folder and format of the request: extension, format code, target depth,
// save flags and the automatic-depth flag.
void prepareConversionJob(BatchRun& run);

// Runs the batch; returns one of the statuses above. `run.job` carries the
// initial random number and counter.
int runBatch(BatchRun& run, bool quiet);

}  // namespace plotvale::batch
