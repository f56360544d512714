#pragma once
// The conversion of one file: rasterise the metafile, run the image
// operations, frame, watermark, depth conversion, and save under the name of
// the filename mask. Success or failure is all it reports; the caller prints.

#include <optional>
#include <string>

#include "canvas/font.h"
#include "canvas/freeimage_bitmap.h"
#include "engine/conversion_job.h"
#include "settings/converter_settings.h"

namespace plotvale::engine {

class OutputGuard;

// What a run makes once and lends to each of its conversions.
struct RunResources {
    // The text watermark's font (see loadWatermarkFont). When it is null and a
    // text watermark is on, the conversion loads the font itself.
    const canvas::Font* watermarkFont = nullptr;
    // The files no output may replace and the run's record of stale side
    // files (engine/output_guard.h); null protects nothing.
    OutputGuard* outputGuard = nullptr;
};

// Converts the job's input file. On success the job holds the output path.
bool convertFile(const settings::ConverterSettings& settings, ConversionJob& job,
                 const RunResources& resources = {});

// The same pipeline for a picture that is already rasterised; the job's input
// path still names the output file.
bool convertBitmap(const settings::ConverterSettings& settings, ConversionJob& job,
                   canvas::Bitmap bitmap, const RunResources& resources = {});

// Reads and renders the job's input file; sets the job's source depth. Empty
// when the file cannot be read or rendered, or renders to an empty picture.
canvas::Bitmap rasterizeMetafile(const settings::ConverterSettings& settings, ConversionJob& job);

}  // namespace plotvale::engine
