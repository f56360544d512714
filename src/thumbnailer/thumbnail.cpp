#include "thumbnailer/thumbnail.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "engine/bit_depth.h"
#include "engine/image_operations.h"
#include "engine/save_flags.h"
#include "engine/save_image.h"
#include "engine/temp_name.h"
#include "platform/file_system.h"
#include "settings/converter_settings.h"
#include "settings/format_catalogue.h"
#include "wmf/gzip_input.h"
#include "wmf/picture_frame.h"
#include "wmf/render_metafile.h"

namespace plotvale::thumbnailer {

namespace {

// No metafile worth a thumbnail comes near these.
constexpr int64_t LargestInputBytes = 256LL << 20;
constexpr std::size_t LargestUnpackedBytes = 256u << 20;

// Pictures are measured at a high resolution so small ones size precisely.
constexpr int MeasuringDpi = 9600;
constexpr int ResizeFilterCatmullRom = 4;
constexpr int PngCompressionZlib6 = 2;  // thumbnails are kept in caches: compress them
constexpr int32_t Rgb24 = 24;

// The picture's longer side in pixels at MeasuringDpi, or nothing when the
// data is no metafile.
std::optional<double> longSideOf(std::string_view data) {
    std::optional<std::string> unpacked;
    if (wmf::isGzip(data)) {
        unpacked = wmf::gunzip(data, LargestUnpackedBytes);
        if (!unpacked) return std::nullopt;
        data = *unpacked;
    }
    const auto frame =
        wmf::readPictureFrame(data, MeasuringDpi, std::numeric_limits<unsigned long long>::max());
    if (!frame) return std::nullopt;
    return std::max(frame->width, frame->height);
}

// Settings that fit the picture into size x size, keeping its proportions.
settings::ConverterSettings fittingSettings(int size) {
    settings::ConverterSettings s;
    settings::resetSettingsToDefaults(s, true, 0);
    s.transform.doImageResize = 1;
    s.transform.imageWidth = size;
    s.transform.imageHeight = size;
    s.transform.imageWidthUnit = 0;
    s.transform.imageHeightUnit = 0;
    s.transform.keepAspectRatio = 1;
    s.transform.imageResizeType = 0;
    s.transform.imageResizeAlgorithm = ResizeFilterCatmullRom;
    s.output.pngCompression = PngCompressionZlib6;
    return s;
}

engine::ConversionJob pngJob(const settings::ConverterSettings& s, const std::string& output) {
    const settings::OutputFormat& png = *settings::findOutputFormat("png");
    engine::ConversionJob job;
    job.outputPath = output;
    const auto slash = output.rfind('/');
    job.outputFolder = slash == std::string::npos ? std::string() : output.substr(0, slash + 1);
    job.outputExtension = png.key;
    job.formatCode = png.code;
    job.targetDepth = Rgb24;
    job.saveFlags = engine::computeSaveFlags(s, png.key);
    job.temporaryPath = engine::makeTempPath(job);
    return job;
}

}  // namespace

std::optional<int> readSize(std::string_view text) {
    int size = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (size < SmallestSize || size > LargestSize) return std::nullopt;
    return size;
}

int fittingDpi(double longSide, int atDpi, int size) {
    if (!(longSide > 0)) return 1;
    const double dpi = std::ceil(static_cast<double>(atDpi) * size / longSide);
    return dpi < 1 ? 1 : dpi > MeasuringDpi ? MeasuringDpi : static_cast<int>(dpi);
}

bool writeThumbnail(const std::string& input, const std::string& output, int size) {
    const auto data = platform::readFile(input, LargestInputBytes);
    if (!data || data->empty()) return false;
    const auto longSide = longSideOf(*data);
    if (!longSide) return false;

    wmf::RenderOptions options;
    options.dpi = fittingDpi(*longSide, MeasuringDpi, size);
    options.antialias = true;
    // Twice the side in each direction leaves room for the rounding of the dpi.
    options.maxBitmapBytes = 4ULL * (2ULL * size) * (2ULL * size);
    canvas::Bitmap bitmap = wmf::renderMetafile(*data, options).bitmap;
    if (!bitmap) return false;

    const settings::ConverterSettings s = fittingSettings(size);
    engine::ConversionJob job = pngJob(s, output);
    bitmap = engine::resizeImage(std::move(bitmap), s, engine::bitmapWidth(bitmap),
                                 engine::bitmapHeight(bitmap));
    bitmap = engine::convertDepth(std::move(bitmap), job);
    return bitmap && engine::saveImage(s, job, bitmap.get());
}

}  // namespace plotvale::thumbnailer
