#include "engine/convert_file.h"

#include "engine/bit_depth.h"
#include "engine/image_operations.h"
#include "engine/output_name.h"
#include "engine/overlays.h"
#include "engine/save_image.h"
#include "engine/temp_name.h"
#include "engine/watermark_font.h"
#include "platform/file_system.h"
#include "wmf/render_metafile.h"

namespace plotvale::engine {
namespace {

// Far above any real metafile; keeps a stray huge file from exhausting memory.
constexpr int64_t LargestMetafileBytes = int64_t{1} << 30;

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

}  // namespace

Bitmap rasterizeMetafile(const ConverterSettings& settings, ConversionJob& job) {
    const auto data = platform::readFile(job.inputPath, LargestMetafileBytes);
    if (!data || data->empty()) return Bitmap();
    wmf::RenderOptions options;
    options.dpi = settings.input.wmfDpi;
    options.antialias = settings.input.wmfAntialiasing != 0;
    Bitmap bitmap = wmf::renderMetafile(*data, options).bitmap;
    if (bitmapWidth(bitmap) == 0 || bitmapHeight(bitmap) == 0) return Bitmap();
    job.sourceDepth = bitmapDepth(bitmap);
    return bitmap;
}

bool convertFile(const ConverterSettings& settings, ConversionJob& job,
                 const RunResources& resources) {
    Bitmap bitmap = rasterizeMetafile(settings, job);
    if (!bitmap) return false;
    return convertBitmap(settings, job, std::move(bitmap), resources);
}

bool convertBitmap(const ConverterSettings& settings, ConversionJob& job, Bitmap bitmap,
                   const RunResources& resources) {
    if (!bitmap) return false;
    std::optional<canvas::Font> ownFont;
    const canvas::Font* watermarkFont = resources.watermarkFont;
    if (watermarkFont == nullptr && settings.watermark.doWatermark == 1) {
        ownFont = loadWatermarkFont(settings);
        if (ownFont) watermarkFont = &*ownFont;
    }
    job.sourceDepth = bitmapDepth(bitmap);

    bitmap = transformImage(std::move(bitmap), settings, job);
    const int width = bitmapWidth(bitmap);
    const int height = bitmapHeight(bitmap);
    // The watermark text and the file name show this picture's size and the
    // depth it is written at, so both are known before the watermark.
    job.resultWidth = width;
    job.resultHeight = height;
    settleTargetDepth(job);
    bitmap = adjustImage(std::move(bitmap), settings);
    bitmap = applyFrame(std::move(bitmap), settings, width, height);
    bitmap = applyWatermark(std::move(bitmap), settings, job, watermarkFont, width, height);
    bitmap = convertDepth(std::move(bitmap), job);

    job.outputPath = buildOutputPath(settings, job);
    if (job.outputPath.empty()) return false;  // the name would leave the output folder
    job.temporaryPath = makeTempPath(job);
    return saveImage(settings, job, bitmap.get(), resources.outputGuard);
}

}  // namespace plotvale::engine
