// The command-line run: a fresh run state (program folder, counter 1, a
// random number for the naming mask) handed to the batch driver. On Linux
// the program folder that relative run folders start from is the working
// directory, taken once here: the executable's own folder (/usr/bin) is no
// place for a user's pictures.

#include <random>

#include "app/exit_status.h"
#include "app/faces.h"
#include "batch/run_driver.h"
#include "platform/console.h"
#include "platform/working_folder.h"

namespace plotvale::app {

int runBatchFace(const settings::ConverterSettings& settings, const settings::RunRequest& request,
                 bool quiet) {
    batch::BatchRun run(settings, request, platform::workingFolder(), platform::writeLine,
                        std::random_device{}());
    run.job.randomNumber = run.nextRandomNumber();
    run.job.counter = 1;
    if (!quiet && platform::errorIsTerminal()) run.writeStatus = platform::writeStatusLine;
    switch (batch::runBatch(run, quiet)) {
    case batch::RunSucceeded: return ExitDone;
    case batch::RunFilesFailed: return ExitFilesFailed;
    default: return ExitRefused;
    }
}

}  // namespace plotvale::app
