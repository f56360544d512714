#include "engine/bit_depth.h"

#include <charconv>

#include "engine/image_operations.h"
#include "settings/format_catalogue.h"

namespace plotvale::engine {
namespace {

// Pictures saved at 8 bits by these formats become greyscale; every other
// format gets a 256-colour palette.
bool savesGreyAtEightBits(std::string_view extension) {
    return extension == "j2k" || extension == "jp2" || extension == "jpg" || extension == "jxr";
}

Bitmap toSixteenBits(Bitmap bitmap, std::string_view extension) {
    if (bitmapDepth(bitmap) > 32) bitmap = convertTo24Bits(std::move(bitmap));
    if (!bitmap) return bitmap;
    if (extension == "ico" || extension == "tga")
        return Bitmap(FreeImage_ConvertTo16Bits555(bitmap.get()));
    return Bitmap(FreeImage_ConvertTo16Bits565(bitmap.get()));
}

Bitmap toEightBits(Bitmap bitmap, std::string_view extension) {
    if (savesGreyAtEightBits(extension)) return Bitmap(FreeImage_ConvertTo8Bits(bitmap.get()));
    if (bitmapDepth(bitmap) != 24) bitmap = convertTo24Bits(std::move(bitmap));
    if (!bitmap) return bitmap;
    return Bitmap(FreeImage_ColorQuantizeEx(bitmap.get(), FIQ_WUQUANT, 256, 0, nullptr));
}

}  // namespace

int32_t chooseDepth(std::string_view outputExtension, int32_t sourceDepth) {
    const settings::OutputFormat* format = settings::findOutputFormat(outputExtension);
    if (format == nullptr) return 0;
    int32_t last = 0;
    std::string_view rest = format->allowedDepths;
    while (!rest.empty()) {
        const size_t comma = rest.find(',');
        const std::string_view item = rest.substr(0, comma);
        rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 1);
        int32_t depth = 0;
        if (std::from_chars(item.data(), item.data() + item.size(), depth).ec != std::errc{})
            continue;
        if (depth >= sourceDepth) return depth;
        last = depth;
    }
    return last;
}

void settleTargetDepth(ConversionJob& job) {
    if (job.automaticDepth != 0) job.targetDepth = chooseDepth(job.outputExtension, job.sourceDepth);
}

Bitmap convertDepth(Bitmap bitmap, ConversionJob& job) {
    if (!bitmap) return bitmap;
    settleTargetDepth(job);
    if (bitmapDepth(bitmap) == job.targetDepth) return bitmap;

    FIBITMAP* const source = bitmap.get();
    switch (job.targetDepth) {
        case 96: return Bitmap(FreeImage_ConvertToRGBF(source));
        case 48: return Bitmap(FreeImage_ConvertToRGB16(source));
        case 32: return Bitmap(FreeImage_ConvertTo32Bits(source));
        case 24: return Bitmap(FreeImage_ConvertTo24Bits(source));
        case 16: return toSixteenBits(std::move(bitmap), job.outputExtension);
        case 8: return toEightBits(std::move(bitmap), job.outputExtension);
        case 4: return Bitmap(FreeImage_ConvertTo4Bits(source));
        case 1: return Bitmap(FreeImage_Dither(source, FID_FS));
        default: return Bitmap();
    }
}

}  // namespace plotvale::engine
