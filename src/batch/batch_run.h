#pragma once
// Everything one command-line run works on: the settings it only reads, the
// request it normalises, the conversion job, the input set, the progress of
// the running stage, and where its console lines go.

#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <string_view>

#include "batch/input_file_list.h"
#include "batch/manifest.h"
#include "batch/progress_line.h"
#include "batch/run_progress.h"
#include "batch/scale_out.h"
#include "canvas/font.h"
#include "engine/conversion_job.h"
#include "engine/output_guard.h"
#include "settings/converter_settings.h"
#include "settings/run_request.h"

namespace plotvale::batch {

using LineWriter = std::function<void(std::string_view)>;

struct BatchRun {
    BatchRun(const settings::ConverterSettings& runSettings, settings::RunRequest runRequest,
             std::string runProgramFolder, LineWriter writer, uint32_t seed)
        : settings(runSettings),
          request(std::move(runRequest)),
          programFolder(std::move(runProgramFolder)),
          writeLine(std::move(writer)),
          random(seed) {}

    const settings::ConverterSettings& settings;
    settings::RunRequest request;
    std::string programFolder;  // base of relative run folders (the working directory), with "/"
    LineWriter writeLine;
    std::mt19937 random;

    engine::ConversionJob job;
    InputFileList files;
    RunProgress progress;
    std::optional<canvas::Font> watermarkFont;  // loaded by the checks for a text watermark
    ScaleOut scale;                    // threads, shard, skipping; set by the checks
    std::optional<Manifest> manifest;  // opened by the checks when one is asked for
    StatusWriter writeStatus;          // the terminal's progress line; empty for none
    std::unique_ptr<engine::OutputGuard> outputGuard;  // made before the conversion stage

    // Writes the one "Error: " line of a refused run; always false, so a
    // check can return it.
    bool refuse(std::string_view message) {
        writeLine("Error: " + std::string(message));
        return false;
    }

    // A whole number from 1 to 99999, for the "%rnd%" placeholder.
    int32_t nextRandomNumber() { return std::uniform_int_distribution<int32_t>(1, 99999)(random); }
};

}  // namespace plotvale::batch
