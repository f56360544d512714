#pragma once
// Writing the finished bitmap: the FreeImage writer for most formats, a
// writer with a trimmed colour table for 8-bit BMP, the DevIL writer for
// PSD, DDS and PCX, and the jxrlib writer for JPEG XR (engine/jxr_writer.h).
//
// Every writer writes the job's temporary path (a side file, see
// temp_name.h) through a platform::OutputFile, which remembers every failed
// write, and the side file is then renamed to the output path. A short write
// (a full disk), a failed close or a failed rename removes the side file and
// fails the save, so no partial file is left under any name and an existing
// output is replaced only by a complete one.

#include <cstdint>
#include <optional>
#include <string>

#include "canvas/freeimage_bitmap.h"
#include "engine/conversion_job.h"
#include "platform/output_file.h"
#include "settings/converter_settings.h"

namespace plotvale::engine {

class OutputGuard;

enum class SideFileResult { Written, OutputIsInput, WriterFailed };

// Writes the bitmap as the job's format to the job's output path. Fails when
// the output path names a file the guard protects (an input of the run);
// removes the stale side files of the output first. Without a guard nothing
// is protected.
bool saveImage(const settings::ConverterSettings& settings, const ConversionJob& job,
               FIBITMAP* bitmap, OutputGuard* guard = nullptr);

// The two halves of saveImage, for a caller that places its outputs in an
// order of its own: the side file (after the guard's checks), then its
// rename to the output path. Both remove the side file when they fail.
SideFileResult writeTemporaryImage(const settings::ConverterSettings& settings,
                                   const ConversionJob& job, FIBITMAP* bitmap,
                                   OutputGuard* guard = nullptr);
bool placeTemporaryImage(const ConversionJob& job);
// Removes the job's side file, if there is one.
void discardTemporaryImage(const ConversionJob& job);

// The file's bytes as FreeImage's encoder for the format makes them (with
// the PBM and PGM faults worked around); none when it refuses the bitmap.
std::optional<std::string> encodeWithFreeImage(FIBITMAP* bitmap, int32_t formatCode,
                                               int32_t saveFlags);
// The same, streamed into `file` (whose finish() tells whether every byte
// got there), or written to `path`, true when every byte was written.
bool writeWithFreeImage(FIBITMAP* bitmap, int32_t formatCode, int32_t saveFlags,
                        platform::OutputFile& file);
bool writeWithFreeImage(FIBITMAP* bitmap, int32_t formatCode, int32_t saveFlags,
                        const std::string& path);

// PSD, DDS (with mipmaps) or PCX as DevIL writes them, streamed into `file`.
bool writeWithDevil(FIBITMAP* bitmap, int32_t ilType, platform::OutputFile& file);

// The bytes of the bitmap as a BMP file, as FreeImage writes it.
std::optional<std::string> encodeBmp(FIBITMAP* bitmap, int32_t saveFlags);

// The bytes of an 8-bit BMP whose colour table holds only the entries up to
// the highest index in use; none when the bitmap is not 8-bit or cannot be
// encoded.
std::optional<std::string> encodeTrimmedBmp(FIBITMAP* bitmap, int32_t saveFlags);

}  // namespace plotvale::engine
