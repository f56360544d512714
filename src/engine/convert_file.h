#pragma once
// The conversion of one file: rasterise the metafile, run the image
// operations, frame, watermark, depth conversion, and save under the name of
// the filename mask. The result says whether it worked and, if not, which
// step stopped it; the caller prints.
//
// The same pipeline is also offered in stages, for a caller that converts
// several files at once: the stages up to the side file depend only on the
// file itself (unless the name or the watermark text shows "%n%" or "%rnd%",
// the job's counter and random number), and the placing of the output comes
// last, so that caller can do it in its own order.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "canvas/font.h"
#include "canvas/freeimage_bitmap.h"
#include "engine/conversion_job.h"
#include "engine/conversion_result.h"
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
ConversionResult convertFile(const settings::ConverterSettings& settings, ConversionJob& job,
                             const RunResources& resources = {});

// The same pipeline for a picture that is already rasterised; the job's input
// path still names the output file.
ConversionResult convertBitmap(const settings::ConverterSettings& settings, ConversionJob& job,
                               canvas::Bitmap bitmap, const RunResources& resources = {});

// Reads and renders the job's input file; sets the job's source depth. Empty
// when the file cannot be read or rendered, or renders to an empty picture.
canvas::Bitmap rasterizeMetafile(const settings::ConverterSettings& settings, ConversionJob& job);

// --- Stages, in pipeline order ---

// The input file's bytes, or nothing when it cannot be read.
std::optional<std::string> readMetafile(const ConversionJob& job);

// Bytes of the 32-bit bitmap the metafile renders to at the settings' DPI; 0
// when the data is no metafile.
uint64_t renderedBitmapBytes(const settings::ConverterSettings& settings, std::string_view data);

// Renders the bytes; sets the job's source depth. Fails with NotAMetafile,
// TooLarge or PlayerRefused.
ConversionResult rasterizeData(const settings::ConverterSettings& settings, ConversionJob& job,
                               std::string_view data, canvas::Bitmap& picture);

// Rotation, resizing, the icon limit, the image operations and the frame;
// sets the job's source depth and result size. Empty when a step fails.
canvas::Bitmap layOutPicture(const settings::ConverterSettings& settings, ConversionJob& job,
                             canvas::Bitmap bitmap);

// Sets the job's output path by the filename mask, with the job's counter
// and random number; empty when the name would leave the output folder.
void nameOutput(const settings::ConverterSettings& settings, ConversionJob& job);

// The watermark, the depth conversion and the encoder, into the side file of
// the job's output path (its path left in the job). Fails with
// BadOutputName for an empty output path, OutputIsInput when the output
// path names a file the resources' guard protects (an input of the run).
ConversionResult writeSideFile(const settings::ConverterSettings& settings, ConversionJob& job,
                               canvas::Bitmap bitmap, const RunResources& resources);

// Gives the side file the output path, replacing a file of an earlier run.
ConversionResult placeOutput(const ConversionJob& job);

}  // namespace plotvale::engine
