#pragma once
// Writing the finished bitmap: the FreeImage writer for most formats, a
// writer with a trimmed colour table for 8-bit BMP, the DevIL writer for
// PSD, DDS and PCX, and the jxrlib writer for JPEG XR (engine/jxr_writer.h).
//
// Every writer first writes the job's temporary path and then renames it to
// the output path, so a failed write never leaves a partial file under the
// output name and an existing output is replaced only by a complete one.

#include <cstdint>
#include <optional>
#include <string>

#include "canvas/freeimage_bitmap.h"
#include "engine/conversion_job.h"
#include "settings/converter_settings.h"

namespace plotvale::engine {

// Writes the bitmap as the job's format to the job's output path.
bool saveImage(const settings::ConverterSettings& settings, const ConversionJob& job,
               FIBITMAP* bitmap);

// The two halves of saveImage: the side file at the job's temporary path,
// then its rename to the output path. Either removes the side file when it
// fails.
bool writeTemporaryImage(const settings::ConverterSettings& settings, const ConversionJob& job,
                         FIBITMAP* bitmap);
bool placeTemporaryImage(const ConversionJob& job);
// Removes the job's side file, if there is one.
void discardTemporaryImage(const ConversionJob& job);

// The three writers, each writing to `path` directly.
bool writeWithFreeImage(FIBITMAP* bitmap, int32_t formatCode, int32_t saveFlags,
                        const std::string& path);
bool writeWithDevil(FIBITMAP* bitmap, int32_t ilType, const std::string& path);

// The bytes of the bitmap as a BMP file, as FreeImage writes it.
std::optional<std::string> encodeBmp(FIBITMAP* bitmap, int32_t saveFlags);

// The bytes of an 8-bit BMP whose colour table holds only the entries up to
// the highest index in use; none when the bitmap is not 8-bit or cannot be
// encoded.
std::optional<std::string> encodeTrimmedBmp(FIBITMAP* bitmap, int32_t saveFlags);

}  // namespace plotvale::engine
