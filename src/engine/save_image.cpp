#include "engine/save_image.h"

#include "engine/jxr_writer.h"
#include "engine/icon_writer.h"
#include "engine/output_guard.h"
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

// The whole output file in memory, so that it reaches the disk through one
// write whose every byte is checked.
std::optional<std::string> encodeFile(const settings::ConverterSettings& settings,
                                      const ConversionJob& job, FIBITMAP* bitmap) {
    if (isDevilFormat(job.outputExtension)) return encodeWithDevil(bitmap, job.formatCode);
    if (job.outputExtension == "jxr") return jpegXrBytes(bitmap);
    if (writesTrimmedBmp(settings, job)) return encodeTrimmedBmp(bitmap, job.saveFlags);
    if (job.outputExtension == "ico") return encodeIconFile(bitmap, job);
    return encodeWithFreeImage(bitmap, job.formatCode, job.saveFlags);
}

}  // namespace

bool saveImage(const settings::ConverterSettings& settings, const ConversionJob& job,
               FIBITMAP* bitmap, OutputGuard* guard) {
    if (bitmap == nullptr || job.temporaryPath.empty() || job.outputPath.empty()) return false;
    OutputGuard ownGuard;
    OutputGuard& outputs = guard != nullptr ? *guard : ownGuard;
    if (outputs.isProtected(job.outputPath)) return false;
    outputs.removeStaleSideFiles(job.outputPath);
    const auto bytes = encodeFile(settings, job, bitmap);
    if (!bytes) return false;
    if (platform::writeFile(job.temporaryPath, *bytes) &&
        platform::renameFile(job.temporaryPath, job.outputPath))
        return true;
    // A short write (a full disk) leaves a partial side file behind.
    if (platform::fileSizeOrKind(job.temporaryPath) >= 0) platform::removeFile(job.temporaryPath);
    return false;
}

}  // namespace plotvale::engine
