#include "batch/run_driver.h"

#include <thread>

#include "batch/conversion_worker.h"
#include "batch/input_collection.h"
#include "batch/path_rules.h"
#include "batch/run_checks.h"
#include "batch/run_resources.h"
#include "batch/scale_out_checks.h"
#include "engine/save_flags.h"
#include "platform/file_system.h"
#include "platform/processors.h"
#include "settings/format_catalogue.h"
#include "settings/message_table.h"
#include "settings/settings_schema.h"
#include "settings/text_case.h"

namespace plotvale::batch {

namespace {

void writeMessage(BatchRun& run, std::string_view group, std::string_view key,
                  std::string_view s1 = {}, std::string_view s2 = {}) {
    run.writeLine(settings::fillPlaceholders(settings::getText(group, key), s1, s2));
}

// Runs one stage on a thread of its own and waits for it.
template <typename Stage>
void runStage(BatchRun& run, Stage stage) {
    run.progress.reset();
    std::thread worker([&run, &stage] { stage(run); });
    worker.join();
}

// Replaces folder by its normal form, or refuses the run with "Incorrect
// <role> folder" or "Invalid <role> folder".
bool settleFolder(BatchRun& run, std::string& folder, const std::string& role) {
    const FolderResult result = normaliseFolder(folder, run.programFolder);
    if (result.problem == FolderProblem::Incorrect) return run.refuse("Incorrect " + role + " folder");
    if (result.problem == FolderProblem::Invalid) return run.refuse("Invalid " + role + " folder");
    folder = result.folder;
    return true;
}

// The input names a file when it has an extension, else a folder.
bool resolveInput(BatchRun& run, bool debug) {
    if (debug) run.writeLine("Input: " + run.request.input);
    if (!fileNameExtension(run.request.input).empty()) {
        run.job.inputPath = run.request.input;
        run.request.input.clear();
        if (platform::fileSizeOrKind(run.job.inputPath) <= 0)
            return run.refuse("Invalid input file");
        return true;
    }
    return settleFolder(run, run.request.input, "input");
}

bool resolveOutput(BatchRun& run, bool debug) {
    if (run.request.outputFolder.empty()) {
        run.request.outputFolder =
            folderPart(run.request.input.empty() ? run.job.inputPath : run.request.input);
    }
    if (debug) run.writeLine("Output: " + run.request.outputFolder);
    return settleFolder(run, run.request.outputFolder, "output");
}

bool resolveConversion(BatchRun& run, bool debug) {
    if (run.request.conversion.empty())
        run.request.conversion = settings::OutputFormatList().front();
    if (debug) run.writeLine("Conversion: " + run.request.conversion);
    return checkOutputFormat(run, debug) && checkMetafileResolution(run) &&
           checkOperations(run, debug);
}


void collect(BatchRun& run) {
    const std::string listExtension = settings::toLowerAscii(fileNameExtension(run.job.inputPath));
    if (!run.request.input.empty()) {
        runStage(run, scanInputFolder);
    } else if (listExtension == "txt" || listExtension == "lst") {
        runStage(run, readListFile);
    } else {
        run.progress.reset();
        run.progress.resultCount = addInputFile(run, run.job.inputPath);
    }
}

// Files were found, but none of them falls in this process's shard: the
// shard's work is done.
int reportEmptyShard(BatchRun& run, bool quiet) {
    if (!quiet) {
        writeMessage(run, "Msg", "Conversion complete");
        writeMessage(run, "Msg", "Files converted", "0", "0");
    }
    return RunSucceeded;
}

}  // namespace

void prepareConversionJob(BatchRun& run) {
    const settings::OutputFormat& row = *settings::findOutputFormat(run.request.conversion);
    run.job.outputFolder = run.request.outputFolder;
    run.job.outputExtension = run.request.conversion;
    run.job.formatCode = row.code;
    run.job.targetDepth = static_cast<int32_t>(
        settings::integerSetting(run.settings, "Output", row.settingKeys.front()));
    run.job.saveFlags = engine::computeSaveFlags(run.settings, run.request.conversion);
    run.job.automaticDepth = run.job.targetDepth == 0 ? 1 : 0;
}

int runBatch(BatchRun& run, bool quiet) {
    const bool debug = run.request.modeWord == "DEBUG";
    if (!quiet) writeMessage(run, "General", "Preparing");
    if (!resolveInput(run, debug) || !resolveOutput(run, debug) || !resolveConversion(run, debug) ||
        !checkScaleOut(run, platform::onlineProcessors())) {
        return RunRefused;
    }
    prepareConversionJob(run);

    if (!quiet) writeMessage(run, "General", "Importing");
    collect(run);
    const bool anyCollected = run.progress.resultCount > 0;
    const auto collected = static_cast<int32_t>(filesToConvert(run).size());
    if (!quiet) writeMessage(run, "Msg", "Import complete", std::to_string(collected));
    if (collected == 0 && anyCollected) return reportEmptyShard(run, quiet);
    if (collected == 0) {
        writeMessage(run, "Msg", "Conversion is not complete");
        writeMessage(run, "Msg", "Empty input files");
        return RunRefused;
    }

    if (!quiet) writeMessage(run, "General", "Converting");
    protectInputFiles(run);
    runStage(run, [debug](BatchRun& r) { runConversionWorker(r, debug); });
    const int32_t converted = run.progress.resultCount;
    run.watermarkFont.reset();  // the run's font lives until its last conversion
    if (converted == 0) {
        writeMessage(run, "Msg", "Conversion is not complete");
    } else if (!quiet) {
        writeMessage(run, "Msg", "Conversion complete");
        writeMessage(run, "Msg", "Files converted", std::to_string(converted),
                     std::to_string(collected));
    }
    return converted == collected ? RunSucceeded : RunFilesFailed;
}

}  // namespace plotvale::batch
