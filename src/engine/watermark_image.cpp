// The image watermark: a picture file drawn on a canvas of its size with a
// constant opacity, optionally greyed first.

#include <FreeImage.h>

#include <algorithm>
#include <memory>
#include <optional>

#include "canvas/canvas_bitmap.h"
#include "engine/codec_messages.h"
#include "engine/picture_header.h"
#include "engine/watermark.h"
#include "platform/file_system.h"

namespace plotvale::engine {
namespace {

using canvas::Bitmap;

// Larger files are no watermark pictures; refusing them bounds the reading.
constexpr int64_t MaxWatermarkFileBytes = 256LL * 1024 * 1024;

struct MemoryCloser {
    void operator()(FIMEMORY* stream) const noexcept { FreeImage_CloseMemory(stream); }
};

// A picture file held in memory with the format FreeImage takes it for.
struct PictureFile {
    std::string bytes;
    std::unique_ptr<FIMEMORY, MemoryCloser> stream;
    FREE_IMAGE_FORMAT format = FIF_UNKNOWN;
};

std::optional<PictureFile> readPictureFile(const std::string& path) {
    silenceCodecMessages();  // a broken file must not print on the console
    auto bytes = platform::readFile(path, MaxWatermarkFileBytes);  // regular files only
    if (!bytes || bytes->empty()) return std::nullopt;
    PictureFile file{std::move(*bytes), nullptr, FIF_UNKNOWN};
    file.stream.reset(FreeImage_OpenMemory(reinterpret_cast<BYTE*>(file.bytes.data()),
                                           static_cast<DWORD>(file.bytes.size())));
    if (!file.stream) return std::nullopt;
    file.format = FreeImage_GetFileTypeFromMemory(file.stream.get(), 0);
    if (file.format == FIF_UNKNOWN) file.format = FreeImage_GetFIFFromFilename(path.c_str());
    if (file.format == FIF_UNKNOWN || !FreeImage_FIFSupportsReading(file.format))
        return std::nullopt;
    return file;
}

// Width times height as the header declares it, without decoding pixels;
// none when the format cannot tell it so.
std::optional<uint64_t> declaredPixels(const PictureFile& file) {
    if (file.format == FIF_GIF) return gifPixels(file.bytes);
    if (file.format == FIF_J2K) return j2kPixels(file.bytes);
    if (file.format == FIF_JP2) return jp2Pixels(file.bytes);
    if (!FreeImage_FIFSupportsNoPixels(file.format)) return std::nullopt;
    FreeImage_SeekMemory(file.stream.get(), 0, SEEK_SET);
    const Bitmap header(FreeImage_LoadFromMemory(file.format, file.stream.get(), FIF_LOAD_NOPIXELS));
    if (!header) return std::nullopt;
    return static_cast<uint64_t>(FreeImage_GetWidth(header.get())) *
           FreeImage_GetHeight(header.get());
}

Bitmap loadPicture(const std::string& path) {
    const auto file = readPictureFile(path);
    if (!file) return Bitmap();
    const auto pixels = declaredPixels(*file);
    if (!pixels || *pixels > MaxWatermarkImagePixels) return Bitmap();
    FreeImage_SeekMemory(file->stream.get(), 0, SEEK_SET);
    return Bitmap(FreeImage_LoadFromMemory(file->format, file->stream.get(), 0));
}

// Any picture FreeImage reads as 32 bits with straight alpha.
Bitmap to32Bits(FIBITMAP* picture) {
    Bitmap converted(FreeImage_ConvertTo32Bits(picture));
    if (converted || FreeImage_GetImageType(picture) == FIT_BITMAP) return converted;
    const Bitmap standard(FreeImage_ConvertToStandardType(picture, TRUE));
    return standard ? Bitmap(FreeImage_ConvertTo32Bits(standard.get())) : Bitmap();
}

// grey = (77 red + 150 green + 29 blue) / 256 in every colour channel; the
// alpha stays.
void greyPixels(FIBITMAP* picture) {
    const unsigned width = FreeImage_GetWidth(picture);
    for (unsigned y = 0; y < FreeImage_GetHeight(picture); ++y) {
        BYTE* px = FreeImage_GetScanLine(picture, static_cast<int>(y));
        for (unsigned x = 0; x < width; ++x, px += 4) {
            const auto grey = static_cast<BYTE>(
                (77 * px[FI_RGBA_RED] + 150 * px[FI_RGBA_GREEN] + 29 * px[FI_RGBA_BLUE]) >> 8);
            px[FI_RGBA_RED] = px[FI_RGBA_GREEN] = px[FI_RGBA_BLUE] = grey;
        }
    }
}

}  // namespace

bool watermarkImageRefused(const std::string& path) {
    if (platform::fileSizeOrKind(path) > MaxWatermarkFileBytes) return true;
    const auto file = readPictureFile(path);
    if (!file) return false;  // not a picture: drawn without watermark, as before
    const auto pixels = declaredPixels(*file);
    return !pixels || *pixels > MaxWatermarkImagePixels;
}

Bitmap makeImageWatermark(const settings::WatermarkSettings& watermark) {
    const Bitmap picture = loadPicture(watermark.image);
    if (!picture) return Bitmap();
    const bool hasAlpha = FreeImage_GetBPP(picture.get()) == 32;
    const Bitmap source = to32Bits(picture.get());
    if (!source) return Bitmap();
    if (watermark.imageGreyscale != 0) greyPixels(source.get());
    const auto image = canvas::fromBitmap(source.get());
    auto canvas = canvas::Canvas::create(image ? image->width() : 0, image ? image->height() : 0);
    if (!canvas) return Bitmap();
    // A picture without alpha covers an opaque black box, whatever its opacity.
    if (!hasAlpha) canvas->clear({0, 0, 0, 255});
    canvas->drawCanvas(*image, {0, 0}, std::clamp(watermark.imageOpacity, 0, 255) / 255.0);
    return canvas::toBitmap(*canvas);
}

}  // namespace plotvale::engine
