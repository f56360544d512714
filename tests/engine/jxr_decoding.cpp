#include "jxr_decoding.h"

#include <array>
#include <memory>
#include <utility>

// After the standard headers: jxrlib's define macros that would break them.
#include <JXRGlue.h>
#undef min
#undef max

namespace plotvale::engine::testing {
namespace {

struct DecoderReleaser {
    void operator()(PKImageDecode* decoder) const noexcept { decoder->Release(&decoder); }
};
using Decoder = std::unique_ptr<PKImageDecode, DecoderReleaser>;

struct LayoutOf {
    const PKPixelFormatGUID* format;
    JxrLayout layout;
    uint32_t bitsPerPixel;
};

const std::array<LayoutOf, 8> Layouts{{
    {&GUID_PKPixelFormatBlackWhite, JxrLayout::BlackWhite, 1},
    {&GUID_PKPixelFormat8bppGray, JxrLayout::Grey8, 8},
    {&GUID_PKPixelFormat16bppRGB555, JxrLayout::Bgr555, 16},
    {&GUID_PKPixelFormat16bppRGB565, JxrLayout::Bgr565, 16},
    {&GUID_PKPixelFormat24bppBGR, JxrLayout::Bgr24, 24},
    {&GUID_PKPixelFormat32bppBGRA, JxrLayout::Bgra32, 32},
    {&GUID_PKPixelFormat48bppRGB, JxrLayout::Rgb48, 48},
    {&GUID_PKPixelFormat96bppRGBFloat, JxrLayout::RgbFloat96, 96},
}};

const LayoutOf* layoutOf(const PKPixelFormatGUID& format) {
    for (const LayoutOf& entry : Layouts) {
        if (IsEqualGUID(*entry.format, format)) return &entry;
    }
    return nullptr;
}

}  // namespace

std::optional<JxrPicture> decodeJpegXr(const std::string& path) {
    PKImageDecode* opened = nullptr;
    if (Failed(PKCodecFactory_CreateDecoderFromFile(path.c_str(), &opened)) || opened == nullptr)
        return std::nullopt;
    Decoder decoder(opened);
    // jxrlib decodes a separately coded alpha plane only when asked to.
    if (decoder->WMP.bHasAlpha) decoder->WMP.wmiSCP.uAlphaMode = 2;
    PKPixelFormatGUID format{};
    I32 width = 0;
    I32 height = 0;
    if (Failed(decoder->GetPixelFormat(decoder.get(), &format)) ||
        Failed(decoder->GetSize(decoder.get(), &width, &height)) || width <= 0 || height <= 0)
        return std::nullopt;
    const LayoutOf* layout = layoutOf(format);
    if (layout == nullptr) return std::nullopt;

    JxrPicture picture;
    picture.layout = layout->layout;
    picture.width = static_cast<uint32_t>(width);
    picture.height = static_cast<uint32_t>(height);
    picture.stride = (picture.width * layout->bitsPerPixel + 7) / 8;
    picture.rows.resize(static_cast<size_t>(picture.stride) * picture.height);
    const PKRect all{0, 0, width, height};
    if (Failed(decoder->Copy(decoder.get(), &all, picture.rows.data(), picture.stride)))
        return std::nullopt;
    return picture;
}

}  // namespace plotvale::engine::testing
