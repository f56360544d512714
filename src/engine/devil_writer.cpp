#include <IL/il.h>
#include <IL/ilu.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <new>
#include <vector>

#include "engine/save_image.h"

namespace plotvale::engine {
namespace {

// DevIL keeps one global "bound image"; conversions on several threads take
// turns here.
std::mutex& devilMutex() {
    static std::mutex mutex;
    return mutex;
}

void initialiseDevilOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        ilInit();
        iluInit();
    });
}

// One DevIL image name, deleted on every path.
class DevilImage {
public:
    DevilImage() { ilGenImages(1, &name_); ilBindImage(name_); }
    ~DevilImage() { ilDeleteImages(1, &name_); }
    DevilImage(const DevilImage&) = delete;
    DevilImage& operator=(const DevilImage&) = delete;

private:
    ILuint name_ = 0;
};

// DevIL's file writers do not report failed writes, so the file is made in
// memory through DevIL's write callbacks and written out in one checked call.
struct DevilOutput {
    std::string bytes;
    size_t position = 0;
    bool failed = false;
};

DevilOutput& outputOf(ILHANDLE handle) { return *static_cast<DevilOutput*>(handle); }

ILint writeAt(DevilOutput& out, const void* data, size_t size) {
    try {
        if (out.position + size > out.bytes.size()) out.bytes.resize(out.position + size);
    } catch (const std::bad_alloc&) {
        out.failed = true;
        return 0;
    }
    if (size > 0) std::memcpy(out.bytes.data() + out.position, data, size);
    out.position += size;
    return 1;
}

// The output that DevIL's "file" opens to; set only under the DevIL mutex.
DevilOutput* openedOutput = nullptr;

ILHANDLE ILAPIENTRY openOutput(ILconst_string) { return openedOutput; }
void ILAPIENTRY closeOutput(ILHANDLE) {}

ILint ILAPIENTRY putByte(ILubyte byte, ILHANDLE handle) {
    return writeAt(outputOf(handle), &byte, 1) != 0 ? byte : IL_EOF;
}

ILint ILAPIENTRY writeBlocks(const void* data, ILuint size, ILuint count, ILHANDLE handle) {
    return writeAt(outputOf(handle), data, static_cast<size_t>(size) * count) != 0
               ? static_cast<ILint>(count)
               : 0;
}

ILint ILAPIENTRY seekTo(ILHANDLE handle, ILint offset, ILint origin) {
    DevilOutput& out = outputOf(handle);
    long long base = 0;
    if (origin == IL_SEEK_CUR) base = static_cast<long long>(out.position);
    if (origin == IL_SEEK_END) base = static_cast<long long>(out.bytes.size());
    if (base + offset < 0) return -1;
    out.position = static_cast<size_t>(base + offset);
    return 0;
}

ILint ILAPIENTRY tellPosition(ILHANDLE handle) {
    return static_cast<ILint>(std::min<size_t>(outputOf(handle).position, 0x7FFFFFFF));
}

// While this lives, every file DevIL writes (by any name) goes to `output`.
// ilSave is used rather than ilSaveF, which DevIL 1.7.8 lacks for PCX.
class MemoryWrites {
public:
    explicit MemoryWrites(DevilOutput& output) {
        openedOutput = &output;
        ilSetWrite(openOutput, closeOutput, putByte, seekTo, tellPosition, writeBlocks);
    }
    ~MemoryWrites() {
        ilResetWrite();
        openedOutput = nullptr;
    }
    MemoryWrites(const MemoryWrites&) = delete;
    MemoryWrites& operator=(const MemoryWrites&) = delete;
};

// The pixels as rows without padding, bottom row first, blue first.
bool copyRawPixels(FIBITMAP* bitmap, unsigned channels, std::vector<ILubyte>& pixels) {
    const unsigned width = FreeImage_GetWidth(bitmap);
    const unsigned height = FreeImage_GetHeight(bitmap);
    try {
        pixels.assign(static_cast<size_t>(width) * channels * height, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    FreeImage_ConvertToRawBits(pixels.data(), bitmap, static_cast<int>(width * channels),
                               FreeImage_GetBPP(bitmap), 0xFF0000, 0x00FF00, 0x0000FF, FALSE);
    return true;
}

}  // namespace

std::optional<std::string> encodeWithDevil(FIBITMAP* bitmap, int32_t ilType) {
    const unsigned depth = FreeImage_GetBPP(bitmap);
    if (FreeImage_GetImageType(bitmap) != FIT_BITMAP || (depth != 24 && depth != 32))
        return std::nullopt;
    const ILubyte channels = depth == 32 ? 4 : 3;
    const ILenum format = depth == 32 ? IL_BGRA : IL_BGR;
    std::vector<ILubyte> pixels;
    if (!copyRawPixels(bitmap, channels, pixels)) return std::nullopt;

    initialiseDevilOnce();
    const std::lock_guard lock(devilMutex());
    ilEnable(IL_FILE_OVERWRITE);
    const DevilImage image;
    const auto imageDepth = static_cast<ILuint>(ilGetInteger(IL_IMAGE_DEPTH));
    if (!ilTexImage(FreeImage_GetWidth(bitmap), FreeImage_GetHeight(bitmap), imageDepth, channels,
                    format, IL_UNSIGNED_BYTE, pixels.data()))
        return std::nullopt;
    if (ilType == IL_DDS && !iluBuildMipmaps()) return std::nullopt;
    DevilOutput output;
    const MemoryWrites toMemory(output);
    if (ilSave(static_cast<ILenum>(ilType), "memory") == IL_FALSE || output.failed ||
        output.bytes.empty())
        return std::nullopt;
    return std::move(output.bytes);
}

}  // namespace plotvale::engine
