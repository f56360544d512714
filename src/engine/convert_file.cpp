#include "engine/convert_file.h"

#include "engine/bit_depth.h"
#include "engine/image_operations.h"
#include "engine/output_name.h"
#include "engine/overlays.h"
#include "engine/save_image.h"
#include "engine/temp_name.h"
#include "engine/watermark_font.h"
#include "platform/file_system.h"
#include "wmf/gzip_input.h"
#include "wmf/picture_frame.h"
#include "wmf/render_metafile.h"

namespace plotvale::engine {
namespace {

// Far above any real metafile; keeps a stray huge file from exhausting memory.
constexpr int64_t LargestMetafileBytes = int64_t{1} << 30;
// Unpacked ".wmz" data is bounded as the player bounds it.
constexpr std::size_t LargestUnpackedBytes = 256u << 20;

// Rotation, resizing and the icon limit change the size; what follows keeps it.
Bitmap transformImage(Bitmap bitmap, const ConverterSettings& settings, const ConversionJob& job) {
    bitmap = rotateImage(std::move(bitmap), settings);
    bitmap = resizeImage(std::move(bitmap), settings, bitmapWidth(bitmap), bitmapHeight(bitmap));
    return limitIconSize(std::move(bitmap), job.outputExtension);
}

Bitmap adjustImage(Bitmap bitmap, const ConverterSettings& settings) {
    flipImage(bitmap.get(), settings);
    bitmap = adjustColors(std::move(bitmap), settings);
    bitmap = greyscaleImage(std::move(bitmap), settings);
    bitmap = thresholdImage(std::move(bitmap), settings);
    return ditherImage(std::move(bitmap), settings);
}

// The frame the player would use, ignoring its size bound; nothing when the
// data is no metafile.
std::optional<wmf::PictureFrame> unboundedFrame(const ConverterSettings& settings,
                                                std::string_view data, std::string& unpacked) {
    if (wmf::isGzip(data)) {
        auto bytes = wmf::gunzip(data, LargestUnpackedBytes);
        if (!bytes) return std::nullopt;
        unpacked = std::move(*bytes);
        data = unpacked;
    }
    return wmf::readPictureFrame(data, settings.input.wmfDpi, ~0ULL);
}

// Why the player gave no picture for data it was handed.
FailureReason renderFailure(const ConverterSettings& settings, std::string_view data) {
    std::string unpacked;
    const auto frame = unboundedFrame(settings, data, unpacked);
    if (!frame) return FailureReason::NotAMetafile;
    if (renderedBitmapBytes(settings, data) > wmf::kMaxBitmapBytes) return FailureReason::TooLarge;
    return FailureReason::PlayerRefused;
}

}  // namespace

std::optional<std::string> readMetafile(const ConversionJob& job) {
    return platform::readFile(job.inputPath, LargestMetafileBytes);
}

uint64_t renderedBitmapBytes(const ConverterSettings& settings, std::string_view data) {
    std::string unpacked;
    const auto frame = unboundedFrame(settings, data, unpacked);
    if (!frame) return 0;
    return static_cast<uint64_t>(frame->width) * static_cast<uint64_t>(frame->height) * 4;
}

ConversionResult rasterizeData(const ConverterSettings& settings, ConversionJob& job,
                               std::string_view data, Bitmap& picture) {
    if (data.empty()) return {FailureReason::NotAMetafile};
    wmf::RenderOptions options;
    options.dpi = settings.input.wmfDpi;
    options.antialias = settings.input.wmfAntialiasing != 0;
    picture = wmf::renderMetafile(data, options).bitmap;
    if (!picture) return {renderFailure(settings, data)};
    if (bitmapWidth(picture) == 0 || bitmapHeight(picture) == 0) {
        picture.reset();
        return {FailureReason::NotAMetafile};
    }
    job.sourceDepth = bitmapDepth(picture);
    return {};
}

Bitmap rasterizeMetafile(const ConverterSettings& settings, ConversionJob& job) {
    const auto data = readMetafile(job);
    Bitmap bitmap;
    if (!data || !rasterizeData(settings, job, *data, bitmap)) return Bitmap();
    return bitmap;
}

Bitmap layOutPicture(const ConverterSettings& settings, ConversionJob& job, Bitmap bitmap) {
    if (!bitmap) return bitmap;
    job.sourceDepth = bitmapDepth(bitmap);
    bitmap = transformImage(std::move(bitmap), settings, job);
    // The watermark text and the file name show this picture's size and the
    // depth it is written at, so both are known before the watermark.
    job.resultWidth = bitmapWidth(bitmap);
    job.resultHeight = bitmapHeight(bitmap);
    settleTargetDepth(job);
    bitmap = adjustImage(std::move(bitmap), settings);
    return applyFrame(std::move(bitmap), settings, job.resultWidth, job.resultHeight);
}

ConversionResult writeSideFile(const ConverterSettings& settings, ConversionJob& job, Bitmap bitmap,
                               const RunResources& resources) {
    if (job.outputPath.empty()) return {FailureReason::BadOutputName};  // it would leave the folder
    if (!bitmap) return {FailureReason::WriterFailed};
    std::optional<canvas::Font> ownFont;
    const canvas::Font* watermarkFont = resources.watermarkFont;
    if (watermarkFont == nullptr && settings.watermark.doWatermark == 1) {
        ownFont = loadWatermarkFont(settings);
        if (ownFont) watermarkFont = &*ownFont;
    }
    bitmap = applyWatermark(std::move(bitmap), settings, job, watermarkFont, job.resultWidth,
                            job.resultHeight);
    bitmap = convertDepth(std::move(bitmap), job);
    job.temporaryPath = makeTempPath(job);
    switch (writeTemporaryImage(settings, job, bitmap.get(), resources.outputGuard)) {
    case SideFileResult::Written: return {};
    case SideFileResult::OutputIsInput: return {FailureReason::OutputIsInput};
    case SideFileResult::WriterFailed: break;
    }
    return {FailureReason::WriterFailed};
}

void nameOutput(const ConverterSettings& settings, ConversionJob& job) {
    job.outputPath = buildOutputPath(settings, job);
}

ConversionResult placeOutput(const ConversionJob& job) {
    if (!placeTemporaryImage(job)) return {FailureReason::RenameFailed};
    return {};
}

ConversionResult convertFile(const ConverterSettings& settings, ConversionJob& job,
                             const RunResources& resources) {
    const auto data = readMetafile(job);
    if (!data) return {FailureReason::Unreadable};
    Bitmap bitmap;
    if (const ConversionResult rendered = rasterizeData(settings, job, *data, bitmap); !rendered)
        return rendered;
    return convertBitmap(settings, job, std::move(bitmap), resources);
}

ConversionResult convertBitmap(const ConverterSettings& settings, ConversionJob& job,
                               Bitmap bitmap, const RunResources& resources) {
    if (!bitmap) return {FailureReason::NotAMetafile};
    bitmap = layOutPicture(settings, job, std::move(bitmap));
    nameOutput(settings, job);
    if (const ConversionResult written = writeSideFile(settings, job, std::move(bitmap), resources);
        !written)
        return written;
    return placeOutput(job);
}

}  // namespace plotvale::engine
