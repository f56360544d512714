#include <IL/il.h>
#include <IL/ilu.h>

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

// DevIL's file writers do not look at the results of their writes, so they
// go through callbacks into an OutputFile, which remembers every failure.
// The "file" DevIL opens is the OutputFile set here, only under the DevIL
// mutex.
platform::OutputFile* openedFile = nullptr;

platform::OutputFile& fileOf(ILHANDLE handle) { return *static_cast<platform::OutputFile*>(handle); }

ILHANDLE ILAPIENTRY openOutput(ILconst_string) { return openedFile; }
void ILAPIENTRY closeOutput(ILHANDLE) {}

ILint ILAPIENTRY putByte(ILubyte byte, ILHANDLE handle) {
    return fileOf(handle).write(&byte, 1, 1) == 1 ? byte : IL_EOF;
}

ILint ILAPIENTRY writeBlocks(const void* data, ILuint size, ILuint count, ILHANDLE handle) {
    return static_cast<ILint>(fileOf(handle).write(data, size, count));
}

// DevIL's IL_SEEK_SET, IL_SEEK_CUR and IL_SEEK_END are stdio's values.
ILint ILAPIENTRY seekTo(ILHANDLE handle, ILint offset, ILint origin) {
    return fileOf(handle).seek(offset, origin) ? 0 : -1;
}

ILint ILAPIENTRY tellPosition(ILHANDLE handle) {
    return static_cast<ILint>(fileOf(handle).tell());
}

// While this lives, every file DevIL writes (by any name) goes to `file`.
// ilSave is used rather than ilSaveF, which DevIL 1.7.8 lacks for PCX.
class WritesInto {
public:
    explicit WritesInto(platform::OutputFile& file) {
        openedFile = &file;
        ilSetWrite(openOutput, closeOutput, putByte, seekTo, tellPosition, writeBlocks);
    }
    ~WritesInto() {
        ilResetWrite();
        openedFile = nullptr;
    }
    WritesInto(const WritesInto&) = delete;
    WritesInto& operator=(const WritesInto&) = delete;
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

bool writeWithDevil(FIBITMAP* bitmap, int32_t ilType, platform::OutputFile& file) {
    const unsigned depth = FreeImage_GetBPP(bitmap);
    if (FreeImage_GetImageType(bitmap) != FIT_BITMAP || (depth != 24 && depth != 32)) return false;
    const ILubyte channels = depth == 32 ? 4 : 3;
    const ILenum format = depth == 32 ? IL_BGRA : IL_BGR;
    std::vector<ILubyte> pixels;
    if (!copyRawPixels(bitmap, channels, pixels)) return false;

    initialiseDevilOnce();
    const std::lock_guard lock(devilMutex());
    ilEnable(IL_FILE_OVERWRITE);
    const DevilImage image;
    const auto imageDepth = static_cast<ILuint>(ilGetInteger(IL_IMAGE_DEPTH));
    if (!ilTexImage(FreeImage_GetWidth(bitmap), FreeImage_GetHeight(bitmap), imageDepth, channels,
                    format, IL_UNSIGNED_BYTE, pixels.data()))
        return false;
    if (ilType == IL_DDS && !iluBuildMipmaps()) return false;
    const WritesInto redirected(file);
    return ilSave(static_cast<ILenum>(ilType), "side file") != IL_FALSE;
}

}  // namespace plotvale::engine
