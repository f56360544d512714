#include "engine/save_image.h"

#include "engine/jxr_writer.h"
#include "engine/icon_writer.h"
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
bool writeIcon(FIBITMAP* bitmap, const ConversionJob& job, const std::string& path) {
    const bool square = FreeImage_GetWidth(bitmap) == FreeImage_GetHeight(bitmap);
    if (square && writeWithFreeImage(bitmap, job.formatCode, job.saveFlags, path)) return true;
    const auto bytes = encodeIcon(bitmap);
    return bytes && platform::writeFile(path, *bytes);
}

bool writeTemporary(const settings::ConverterSettings& settings, const ConversionJob& job,
                    FIBITMAP* bitmap) {
    const std::string& path = job.temporaryPath;
    if (isDevilFormat(job.outputExtension)) return writeWithDevil(bitmap, job.formatCode, path);
    if (job.outputExtension == "jxr") return writeJpegXr(bitmap, path);
    if (writesTrimmedBmp(settings, job)) {
        const auto bytes = encodeTrimmedBmp(bitmap, job.saveFlags);
        return bytes && platform::writeFile(path, *bytes);
    }
    if (job.outputExtension == "ico") return writeIcon(bitmap, job, path);
    if (job.outputExtension == "png" && encodesPngDirectly(bitmap)) {
        const auto bytes = encodePng(bitmap, job.saveFlags);
        return bytes && platform::writeFile(path, *bytes);
    }
    return writeWithFreeImage(bitmap, job.formatCode, job.saveFlags, path);
}

}  // namespace

bool writeTemporaryImage(const settings::ConverterSettings& settings, const ConversionJob& job,
                         FIBITMAP* bitmap) {
    if (bitmap == nullptr || job.temporaryPath.empty()) return false;
    if (writeTemporary(settings, job, bitmap)) return true;
    // A writer may have left a partial file behind.
    discardTemporaryImage(job);
    return false;
}

bool placeTemporaryImage(const ConversionJob& job) {
    if (!job.outputPath.empty() && platform::renameFile(job.temporaryPath, job.outputPath))
        return true;
    discardTemporaryImage(job);
    return false;
}

void discardTemporaryImage(const ConversionJob& job) {
    if (!job.temporaryPath.empty() && platform::fileSizeOrKind(job.temporaryPath) >= 0)
        platform::removeFile(job.temporaryPath);
}

bool saveImage(const settings::ConverterSettings& settings, const ConversionJob& job,
               FIBITMAP* bitmap) {
    if (job.outputPath.empty()) return false;
    return writeTemporaryImage(settings, job, bitmap) && placeTemporaryImage(job);
}

}  // namespace plotvale::engine
