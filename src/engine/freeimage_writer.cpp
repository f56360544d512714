#include <memory>
#include <optional>
#include <utility>

#include "engine/codec_messages.h"
#include "engine/ink_separation.h"
#include "engine/save_image.h"
#include "platform/file_system.h"

namespace plotvale::engine {
namespace {

using canvas::MemoryStream;

bool isDarker(const RGBQUAD& a, const RGBQUAD& b) {
    return a.rgbRed + a.rgbGreen + a.rgbBlue < b.rgbRed + b.rgbGreen + b.rgbBlue;
}

// FreeImage's PBM encoder writes the palette indices as they stand, but in
// PBM a set bit is black. A picture whose index 0 is black would come out as
// its negative, so it is handed over with indices and palette swapped.
bool hasBlackAtIndexZero(FIBITMAP* bitmap) {
    if (FreeImage_GetBPP(bitmap) != 1) return false;
    const RGBQUAD* palette = FreeImage_GetPalette(bitmap);
    return palette != nullptr && isDarker(palette[0], palette[1]);
}

canvas::Bitmap blackAsSetBits(FIBITMAP* bitmap) {
    canvas::Bitmap swapped(FreeImage_Clone(bitmap));
    if (!swapped) return swapped;
    const unsigned bytesPerLine = FreeImage_GetLine(swapped.get());
    for (unsigned y = 0; y < FreeImage_GetHeight(swapped.get()); ++y) {
        BYTE* line = FreeImage_GetScanLine(swapped.get(), static_cast<int>(y));
        for (unsigned i = 0; i < bytesPerLine; ++i) line[i] = static_cast<BYTE>(~line[i]);
    }
    RGBQUAD* newPalette = FreeImage_GetPalette(swapped.get());
    std::swap(newPalette[0], newPalette[1]);
    return swapped;
}

// FreeImage's PGM encoder writes palette indices as grey levels. A colour
// palette (as the 256-colour quantiser makes) is handed over as the grey
// level of each pixel's colour instead.
bool hasColourPalette(FIBITMAP* bitmap) {
    return FreeImage_GetBPP(bitmap) == 8 && FreeImage_GetColorType(bitmap) != FIC_MINISBLACK;
}

canvas::Bitmap greyLevels(FIBITMAP* bitmap) {
    return canvas::Bitmap(FreeImage_ConvertToGreyscale(bitmap));
}

// FreeImage's PFM encoder writes the top row first, but a PFM file holds its
// rows from the bottom up; a flipped copy comes out the right way round.
canvas::Bitmap bottomRowFirst(FIBITMAP* bitmap) {
    canvas::Bitmap flipped(FreeImage_Clone(bitmap));
    if (flipped && FreeImage_FlipVertical(flipped.get()) == FALSE) return canvas::Bitmap();
    return flipped;
}

// With TIFF_CMYK FreeImage's TIFF encoder stores the four bytes of a 32-bit
// pixel as the inks, as they stand; other depths it writes as they are.
bool writesInks(FIBITMAP* bitmap, FREE_IMAGE_FORMAT format, int32_t saveFlags) {
    return format == FIF_TIFF && (saveFlags & TIFF_CMYK) != 0 && FreeImage_GetBPP(bitmap) == 32;
}

// A copy that the format's FreeImage encoder writes faithfully; nothing when
// the bitmap can be written as it is, an empty bitmap when the copy failed.
std::optional<canvas::Bitmap> preparedForEncoder(FIBITMAP* bitmap, FREE_IMAGE_FORMAT format,
                                                 int32_t saveFlags) {
    if (format == FIF_PBM && hasBlackAtIndexZero(bitmap)) return blackAsSetBits(bitmap);
    if (format == FIF_PGM && hasColourPalette(bitmap)) return greyLevels(bitmap);
    if (format == FIF_PFM) return bottomRowFirst(bitmap);
    if (writesInks(bitmap, format, saveFlags)) return separateInks(bitmap);
    return std::nullopt;
}

}  // namespace

bool writeWithFreeImage(FIBITMAP* bitmap, int32_t formatCode, int32_t saveFlags,
                        const std::string& path) {
    silenceCodecMessages();
    const auto format = static_cast<FREE_IMAGE_FORMAT>(formatCode);
    const auto prepared = preparedForEncoder(bitmap, format, saveFlags);
    if (prepared && !*prepared) return false;
    FIBITMAP* const written = prepared ? prepared->get() : bitmap;
    // BMP rows go out in large pieces; stdio serves them as well as memory.
    if (format == FIF_BMP) return FreeImage_Save(format, written, path.c_str(), saveFlags) != FALSE;
    // Other encoders write a sample or a pixel per call; into memory those
    // calls are plain copies, where a file would take stdio's lock each time.
    const MemoryStream stream(FreeImage_OpenMemory());
    if (!stream || !FreeImage_SaveToMemory(format, written, stream.get(), saveFlags)) return false;
    BYTE* data = nullptr;
    DWORD size = 0;
    if (!FreeImage_AcquireMemory(stream.get(), &data, &size)) return false;
    return platform::writeFile(path, {reinterpret_cast<const char*>(data), size});
}

}  // namespace plotvale::engine
