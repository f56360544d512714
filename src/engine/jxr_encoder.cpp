#include "engine/jxr_encoder.h"

#include <cstring>
#include <memory>

// After the standard headers: jxrlib's define min, max and source annotation
// macros that would break them.
#include <JXRGlue.h>
#undef min
#undef max

static_assert(sizeof(GUID) == 16, "jxrlib's GUID must keep its 16-byte layout");

namespace plotvale::engine {
namespace {

struct StreamCloser {
    void operator()(WMPStream* stream) const noexcept { stream->Close(&stream); }
};
using Stream = std::unique_ptr<WMPStream, StreamCloser>;

// Releasing an initialised encoder also closes its stream, and jxrlib's
// release reaches for that stream unchecked, so an encoder that never got one
// is only freed.
struct EncoderReleaser {
    void operator()(PKImageEncode* encoder) const noexcept {
        if (encoder->pStream != nullptr) {
            encoder->Release(&encoder);
            return;
        }
        void* memory = encoder;
        PKFree(&memory);
    }
};
using Encoder = std::unique_ptr<PKImageEncode, EncoderReleaser>;

const PKPixelFormatGUID& pixelFormatOf(JxrLayout layout) {
    switch (layout) {
        case JxrLayout::BlackWhite: return GUID_PKPixelFormatBlackWhite;
        case JxrLayout::Grey8: return GUID_PKPixelFormat8bppGray;
        case JxrLayout::Bgr555: return GUID_PKPixelFormat16bppRGB555;
        case JxrLayout::Bgr565: return GUID_PKPixelFormat16bppRGB565;
        case JxrLayout::Bgr24: return GUID_PKPixelFormat24bppBGR;
        case JxrLayout::Bgra32: return GUID_PKPixelFormat32bppBGRA;
        case JxrLayout::Rgb48: return GUID_PKPixelFormat48bppRGB;
        case JxrLayout::RgbFloat96: return GUID_PKPixelFormat96bppRGBFloat;
    }
    return GUID_PKPixelFormatDontCare;
}

// jxrlib codes a float as an integer of its 8-bit exponent above the first
// `mantissaBits` bits of its mantissa (with the exponent bias of 127 it
// decodes correctly; other biases come back wrong). The full 23 bits overflow
// the codec's coefficient range (an assertion in Debian's build), and so do
// 22 bits once magnitudes reach 2: 22 bits for pictures below 2 (every picture
// converted from 8- or 16-bit channels), 20 bits above.
constexpr I8 FloatExponentBias = 127;

U8 floatMantissaBits(const JxrPicture& picture) {
    const size_t count = picture.rows.size() / sizeof(uint32_t);
    for (size_t i = 0; i < count; ++i) {
        uint32_t bits = 0;
        std::memcpy(&bits, picture.rows.data() + i * sizeof bits, sizeof bits);
        if (((bits >> 23) & 0xFFU) > 127) return 20;
    }
    return 22;
}

// Quantiser index 1 is step size 1: every transform jxrlib applies is then
// reversible and integer pictures come back exactly. Alpha is coded as a
// plane of its own, losslessly too.
CWMIStrCodecParam losslessParameters(const JxrPicture& picture) {
    const bool grey = picture.layout == JxrLayout::BlackWhite || picture.layout == JxrLayout::Grey8;
    CWMIStrCodecParam parameters{};
    parameters.uiDefaultQPIndex = 1;
    parameters.uiDefaultQPIndexAlpha = 1;
    parameters.cfColorFormat = grey ? Y_ONLY : YUV_444;
    parameters.bdBitDepth = BD_LONG;
    parameters.olOverlap = OL_ONE;
    parameters.bfBitstreamFormat = SPATIAL;
    parameters.sbSubband = SB_ALL;
    parameters.uAlphaMode = picture.layout == JxrLayout::Bgra32 ? 2 : 0;
    if (picture.layout == JxrLayout::RgbFloat96) {
        parameters.nLenMantissaOrShift = floatMantissaBits(picture);
        parameters.nExpBias = FloatExponentBias;
    }
    return parameters;
}

bool validPicture(const JxrPicture& picture) {
    return picture.width > 0 && picture.height > 0 &&
           picture.rows.size() >= static_cast<size_t>(picture.stride) * picture.height &&
           picture.width <= INT32_MAX && picture.height <= INT32_MAX;
}

}  // namespace

bool encodeJpegXr(JxrPicture& picture, const std::string& path) {
    if (!validPicture(picture)) return false;
    WMPStream* openedStream = nullptr;
    if (Failed(CreateWS_File(&openedStream, path.c_str(), "wb")) || openedStream == nullptr)
        return false;
    Stream stream(openedStream);
    PKImageEncode* createdEncoder = nullptr;
    if (Failed(PKImageEncode_Create_WMP(&createdEncoder)) || createdEncoder == nullptr)
        return false;
    Encoder encoder(createdEncoder);

    CWMIStrCodecParam parameters = losslessParameters(picture);
    if (Failed(encoder->Initialize(encoder.get(), stream.get(), &parameters, sizeof parameters)))
        return false;
    encoder->pStream = stream.release();  // the encoder closes it from here on
    PKImageEncode* const e = encoder.get();
    return !Failed(e->SetPixelFormat(e, pixelFormatOf(picture.layout))) &&
           !Failed(e->SetSize(e, static_cast<I32>(picture.width), static_cast<I32>(picture.height))) &&
           !Failed(e->SetResolution(e, picture.dotsPerInchX, picture.dotsPerInchY)) &&
           !Failed(e->WritePixels(e, picture.height, picture.rows.data(), picture.stride));
}

}  // namespace plotvale::engine
