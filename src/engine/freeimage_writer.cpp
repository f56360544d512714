#include <memory>
#include <mutex>
#include <optional>
#include <utility>

#include "engine/codec_messages.h"
#include "engine/ink_separation.h"
#include "engine/save_image.h"
#include "platform/output_file.h"

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

platform::OutputFile& outputOf(fi_handle handle) {
    return *static_cast<platform::OutputFile*>(handle);
}

// FreeImage's HDR encoder prints its version into the one static buffer of
// FreeImage_GetVersion for the file's header, so HDR saves on several
// threads take turns.
std::unique_lock<std::mutex> turnForSharedState(FREE_IMAGE_FORMAT format) {
    static std::mutex versionBuffer;
    if (format != FIF_HDR) return {};
    return std::unique_lock(versionBuffer);
}

// Calls save with the bitmap the format's encoder writes faithfully (a
// prepared copy, or the bitmap itself); false when the copy cannot be made.
template <typename Save>
bool withEncoderInput(FIBITMAP* bitmap, int32_t formatCode, int32_t saveFlags, Save save) {
    silenceCodecMessages();
    const auto format = static_cast<FREE_IMAGE_FORMAT>(formatCode);
    const auto prepared = preparedForEncoder(bitmap, format, saveFlags);
    if (prepared && !*prepared) return false;
    const auto turn = turnForSharedState(format);
    return save(format, prepared ? prepared->get() : bitmap);
}

}  // namespace

std::optional<std::string> encodeWithFreeImage(FIBITMAP* bitmap, int32_t formatCode,
                                               int32_t saveFlags) {
    std::optional<std::string> bytes;
    withEncoderInput(bitmap, formatCode, saveFlags, [&](FREE_IMAGE_FORMAT format, FIBITMAP* written) {
        const MemoryStream stream(FreeImage_OpenMemory(nullptr, 0));
        if (!stream || !FreeImage_SaveToMemory(format, written, stream.get(), saveFlags))
            return false;
        BYTE* data = nullptr;
        DWORD size = 0;
        if (!FreeImage_AcquireMemory(stream.get(), &data, &size) || size == 0) return false;
        bytes.emplace(reinterpret_cast<const char*>(data), size);
        return true;
    });
    return bytes;
}

// FreeImage's own file writers ignore the results of their writes, so a full
// disk still reported success; through these callbacks every failed write
// is remembered by the OutputFile, whose close then fails the file. The
// encoder is told every write succeeded: some encoders (JPEG's) leak their
// buffers when they abandon a picture half-way.
bool writeWithFreeImage(FIBITMAP* bitmap, int32_t formatCode, int32_t saveFlags,
                        platform::OutputFile& file) {
    FreeImageIO io{};
    io.read_proc = [](void* data, unsigned size, unsigned count, fi_handle handle) {
        return static_cast<unsigned>(outputOf(handle).read(data, size, count));
    };
    io.write_proc = [](void* data, unsigned size, unsigned count, fi_handle handle) {
        outputOf(handle).write(data, size, count);
        return count;
    };
    io.seek_proc = [](fi_handle handle, long offset, int origin) {
        return outputOf(handle).seek(offset, origin) ? 0 : -1;
    };
    io.tell_proc = [](fi_handle handle) { return outputOf(handle).tell(); };
    return withEncoderInput(bitmap, formatCode, saveFlags,
                            [&](FREE_IMAGE_FORMAT format, FIBITMAP* written) {
                                return FreeImage_SaveToHandle(format, written, &io, &file,
                                                              saveFlags) != FALSE;
                            });
}

bool writeWithFreeImage(FIBITMAP* bitmap, int32_t formatCode, int32_t saveFlags,
                        const std::string& path) {
    auto file = platform::OutputFile::create(path);
    if (!file) return false;
    const bool written = writeWithFreeImage(bitmap, formatCode, saveFlags, *file);
    return file->finish() && written;
}

}  // namespace plotvale::engine
