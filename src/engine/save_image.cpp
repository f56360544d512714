#include "engine/save_image.h"

#include "engine/jxr_writer.h"
#include "engine/icon_writer.h"
#include "engine/output_guard.h"
#include "engine/png_writer.h"
#include "platform/file_system.h"

namespace plotvale::engine {
namespace {

constexpr int32_t BmpColorTableExact = 1;

bool isDevilFormat(std::string_view extension) {
    return extension == "psd" || extension == "dds" || extension == "pcx";
}

bool writesTrimmedBmp(const settings::ConverterSettings& settings, const ConversionJob& job) {
    return job.outputExtension == "bmp" && job.targetDepth == 8 &&
           settings.output.bmpColorTable == BmpColorTableExact;
}

// FreeImage writes square icons of the usual sizes only; every other shape
// goes through the engine's own icon writer.
std::optional<std::string> encodeIconFile(FIBITMAP* bitmap, const ConversionJob& job) {
    const bool square = FreeImage_GetWidth(bitmap) == FreeImage_GetHeight(bitmap);
    if (square) {
        if (auto bytes = encodeWithFreeImage(bitmap, job.formatCode, job.saveFlags)) return bytes;
    }
    return encodeIcon(bitmap);
}

bool writeBytes(const std::optional<std::string>& bytes, platform::OutputFile& file) {
    return bytes && file.write(bytes->data(), 1, bytes->size()) == bytes->size();
}

// The writer of the job's format, into the side file.
bool writeSideFile(const settings::ConverterSettings& settings, const ConversionJob& job,
                   FIBITMAP* bitmap, platform::OutputFile& file) {
    if (isDevilFormat(job.outputExtension)) return writeWithDevil(bitmap, job.formatCode, file);
    if (job.outputExtension == "jxr") return writeBytes(jpegXrBytes(bitmap), file);
    if (writesTrimmedBmp(settings, job))
        return writeBytes(encodeTrimmedBmp(bitmap, job.saveFlags), file);
    if (job.outputExtension == "ico") return writeBytes(encodeIconFile(bitmap, job), file);
    if (job.outputExtension == "png" && encodesPngDirectly(bitmap))
        return writeBytes(encodePng(bitmap, job.saveFlags), file);
    return writeWithFreeImage(bitmap, job.formatCode, job.saveFlags, file);
}

}  // namespace

SideFileResult writeTemporaryImage(const settings::ConverterSettings& settings,
                                   const ConversionJob& job, FIBITMAP* bitmap, OutputGuard* guard) {
    if (bitmap == nullptr || job.temporaryPath.empty() || job.outputPath.empty())
        return SideFileResult::WriterFailed;
    OutputGuard ownGuard;
    OutputGuard& outputs = guard != nullptr ? *guard : ownGuard;
    if (outputs.isProtected(job.outputPath)) return SideFileResult::OutputIsInput;
    outputs.removeStaleSideFiles(job.outputPath);
    // A new file only: nothing planted under the side name is written through.
    auto file = platform::OutputFile::create(job.temporaryPath, true);
    if (!file) return SideFileResult::WriterFailed;
    const bool written = writeSideFile(settings, job, bitmap, *file);
    if (file->finish() && written) return SideFileResult::Written;
    // A short write (a full disk) leaves a partial side file behind.
    platform::removeFile(job.temporaryPath);
    return SideFileResult::WriterFailed;
}

bool placeTemporaryImage(const ConversionJob& job) {
    if (platform::renameFile(job.temporaryPath, job.outputPath)) return true;
    discardTemporaryImage(job);
    return false;
}

void discardTemporaryImage(const ConversionJob& job) {
    if (!job.temporaryPath.empty() && platform::fileSizeOrKind(job.temporaryPath) >= 0)
        platform::removeFile(job.temporaryPath);
}

bool saveImage(const settings::ConverterSettings& settings, const ConversionJob& job,
               FIBITMAP* bitmap, OutputGuard* guard) {
    return writeTemporaryImage(settings, job, bitmap, guard) == SideFileResult::Written &&
           placeTemporaryImage(job);
}

}  // namespace plotvale::engine
