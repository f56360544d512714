#include "engine/jxr_encoder.h"

#include <cstring>
#include <memory>
#include <string>


// After the standard headers: jxrlib's define min, max and source annotation
// macros that would break them.
#include <JXRGlue.h>
#undef min
#undef max

static_assert(sizeof(GUID) == 16, "jxrlib's GUID must keep its 16-byte layout");

namespace plotvale::engine {
namespace {

// jxrlib writes through a WMPStream. Its file stream leaks when the file
// cannot be opened and its memory stream has a fixed size, so the encoder
// writes into this growing buffer and the file is written in one go.
class GrowingStream {
public:
    GrowingStream() {
        stream_.state.pvObj = this;
        stream_.Close = close;
        stream_.EOS = atEnd;
        stream_.Read = read;
        stream_.Write = write;
        stream_.SetPos = setPosition;
        stream_.GetPos = getPosition;
    }
    GrowingStream(const GrowingStream&) = delete;
    GrowingStream& operator=(const GrowingStream&) = delete;

    WMPStream* stream() { return &stream_; }
    const std::string& bytes() const { return bytes_; }

private:
    static GrowingStream& of(WMPStream* stream) {
        return *static_cast<GrowingStream*>(stream->state.pvObj);
    }
    // The buffer outlives the encoder that closes it.
    static ERR close(WMPStream** stream) {
        *stream = nullptr;
        return WMP_errSuccess;
    }
    static Bool atEnd(WMPStream* stream) {
        const GrowingStream& self = of(stream);
        return self.position_ >= self.bytes_.size();
    }
    static ERR read(WMPStream* stream, void* target, size_t count) {
        GrowingStream& self = of(stream);
        if (count > self.bytes_.size() || self.position_ > self.bytes_.size() - count)
            return WMP_errFileIO;
        if (count > 0) std::memcpy(target, self.bytes_.data() + self.position_, count);
        self.position_ += count;
        return WMP_errSuccess;
    }
    // No exception may cross jxrlib's C frames.
    static ERR write(WMPStream* stream, const void* source, size_t count) noexcept {
        GrowingStream& self = of(stream);
        if (count == 0) return WMP_errSuccess;
        try {
            if (self.bytes_.size() < self.position_ + count) self.bytes_.resize(self.position_ + count);
        } catch (...) {
            return WMP_errOutOfMemory;
        }
        std::memcpy(self.bytes_.data() + self.position_, source, count);
        self.position_ += count;
        return WMP_errSuccess;
    }
    static ERR setPosition(WMPStream* stream, size_t position) {
        of(stream).position_ = position;
        return WMP_errSuccess;
    }
    static ERR getPosition(WMPStream* stream, size_t* position) {
        *position = of(stream).position_;
        return WMP_errSuccess;
    }

    WMPStream stream_{};
    std::string bytes_;
    size_t position_ = 0;
};

// jxrlib's release closes the encoder's stream without checking for one, so
// an encoder that never got a stream is only freed.
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
// the codec's coefficient range (an assertion that aborts in Debian's build),
// and 21 or 22 bits do once magnitudes grow large. 22 bits hold for every
// value below 2 (all pictures converted from 8- or 16-bit channels), 20 bits
// up to the largest float.
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

std::optional<std::string> encodeJpegXr(JxrPicture& picture) {
    if (!validPicture(picture)) return std::nullopt;
    GrowingStream output;  // before the encoder, whose release still reaches for it
    PKImageEncode* created = nullptr;
    if (Failed(PKImageEncode_Create_WMP(&created)) || created == nullptr) return std::nullopt;
    const Encoder encoder(created);
    PKImageEncode* const e = encoder.get();
    CWMIStrCodecParam parameters = losslessParameters(picture);
    const bool encoded =
        !Failed(e->Initialize(e, output.stream(), &parameters, sizeof parameters)) &&
        !Failed(e->SetPixelFormat(e, pixelFormatOf(picture.layout))) &&
        !Failed(e->SetSize(e, static_cast<I32>(picture.width), static_cast<I32>(picture.height))) &&
        !Failed(e->SetResolution(e, picture.dotsPerInchX, picture.dotsPerInchY)) &&
        !Failed(e->WritePixels(e, picture.height, picture.rows.data(), picture.stride));
    if (!encoded) return std::nullopt;
    return output.bytes();
}

}  // namespace plotvale::engine
