#include "batch/run_checks.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "batch/watermark_font.h"
#include "engine/output_name.h"
#include "engine/watermark.h"
#include "platform/file_system.h"
#include "settings/message_table.h"
#include "settings/format_catalogue.h"
#include "settings/keyword_sets.h"
#include "settings/settings_schema.h"
#include "settings/text_case.h"

namespace plotvale::batch {

using settings::keywordForCode;
using settings::KeywordSet;

namespace {

bool within(int64_t value, CheckedRange range) {
    return value >= range.minimum && value <= range.maximum;
}

// Writes echo lines only in a debug run.
class Echo {
public:
    Echo(BatchRun& run, bool on) : run_(run), on_(on) {}
    void line(std::string_view label, const std::string& value) const {
        if (on_) run_.writeLine(std::string(label) + value);
    }
    template <typename Number>
    void number(std::string_view label, Number value) const {
        line(label, std::to_string(value));
    }
    void keyword(std::string_view label, KeywordSet set, int32_t code) const {
        line(label, keywordForCode(set, code));
    }

private:
    BatchRun& run_;
    bool on_;
};

int32_t outputNumber(const settings::ConverterSettings& s, std::string_view key) {
    return static_cast<int32_t>(settings::integerSetting(s, "Output", key));
}

std::optional<KeywordSet> echoKeywords(std::string_view key) {
    if (key == "BMP Color Table") return KeywordSet::ColourTable;
    if (key == "JPG Chroma") return KeywordSet::Chroma;
    if (key == "JPG Save As") return KeywordSet::JpegKind;
    if (key == "TIFF Color Mode") return KeywordSet::ColourModel;
    return std::nullopt;
}

void echoFormatSetting(const Echo& echo, const BatchRun& run, std::string_view format,
                       std::string_view key) {
    const int32_t value = outputNumber(run.settings, key);
    const std::string label =
        key == "JPG Chroma" ? "JPG Chroma Subsampling: " : std::string(key) + ": ";
    if (key.ends_with(" Compression")) {
        echo.line(label, compressionKeyword(format, value));
    } else if (const auto set = echoKeywords(key)) {
        echo.keyword(label, *set, value);
    } else {
        echo.number(label, value);
    }
}

std::string gammaText(float gamma) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", static_cast<double>(gamma));
    return buffer;
}

bool checkTransform(BatchRun& run, const Echo& echo) {
    const auto& t = run.settings.transform;
    if (t.doImageRotation != 0) {
        echo.keyword("Image Rotation Type: ", KeywordSet::Rotation, t.imageRotationType);
        echo.number("Image Rotation: ", t.imageRotation);
        echo.line("Image Rotation Back Color: ", t.imageRotationBackColor);
    }
    if (t.doImageResize != 0) {
        echo.line("Width: ", std::to_string(t.imageWidth) + " " +
                                 keywordForCode(KeywordSet::Unit, t.imageWidthUnit));
        if (t.imageWidth == 0) return run.refuse("Invalid width value");
        echo.line("Height: ", std::to_string(t.imageHeight) + " " +
                                  keywordForCode(KeywordSet::Unit, t.imageHeightUnit));
        if (t.imageHeight == 0) return run.refuse("Invalid height value");
        echo.number("Keep Aspect Ratio: ", t.keepAspectRatio);
        echo.keyword("Image Resize Type: ", KeywordSet::ResizeScope, t.imageResizeType);
        echo.keyword("Image Resize Algorithm: ", KeywordSet::ResizeFilter, t.imageResizeAlgorithm);
    }
    echo.number("Flip Horizontal: ", t.doImageFlipHorizontal);
    echo.number("Flip Vertical: ", t.doImageFlipVertical);
    return true;
}

bool checkAdjustment(BatchRun& run, const Echo& echo) {
    const auto& a = run.settings.adjustment;
    if (a.doImageColorCorrection != 0) {
        echo.number("Brightness: ", a.imageBrightness);
        if (!within(a.imageBrightness, AdjustmentPercentRange)) {
            return run.refuse("Invalid brightness value");
        }
        echo.number("Contrast: ", a.imageContrast);
        if (!within(a.imageContrast, AdjustmentPercentRange)) {
            return run.refuse("Invalid contrast value");
        }
        echo.line("Gamma: ", gammaText(a.imageGamma));
        // Written so that NaN fails too.
        if (!(a.imageGamma >= MinimumGamma && a.imageGamma <= MaximumGamma)) {
            return run.refuse("Invalid gamma value");
        }
        echo.number("Invert: ", a.imageInvert);
    }
    echo.number("Greyscale: ", a.doImageGreyscale);
    if (a.doImageThreshold != 0) echo.number("Image Threshold: ", a.imageThreshold);
    if (a.doImageDither != 0) {
        echo.keyword("Image Dithering Algorithm: ", KeywordSet::Dither, a.imageDitherAlgorithm);
    }
    return true;
}

void echoFrame(const BatchRun& run, const Echo& echo) {
    const auto& f = run.settings.frame;
    echo.keyword("Frame: ", KeywordSet::FrameKind, f.doFrame);
    if (f.doFrame != 1) return;
    echo.number("Frame left: ", f.solidLeft);
    echo.number("Frame right: ", f.solidRight);
    echo.number("Frame top: ", f.solidTop);
    echo.number("Frame bottom: ", f.solidBottom);
    echo.line("Frame left color: ", f.solidLeftColor);
    echo.line("Frame right color: ", f.solidRightColor);
    echo.line("Frame top color: ", f.solidTopColor);
    echo.line("Frame bottom color: ", f.solidBottomColor);
    echo.number("Frame opacity: ", f.solidOpacity);
}

bool checkTextWatermark(BatchRun& run, const Echo& echo) {
    const auto& w = run.settings.watermark;
    echo.line("Watermark text: ", w.text);
    echo.line("Watermark font: ", w.font);
    echo.number("Watermark font size: ", w.fontSize);
    echo.number("Watermark font leading: ", w.fontLeading);
    echo.line("Watermark font color: ", w.fontColor);
    echo.keyword("Watermark font style: ", KeywordSet::FontStyle, w.fontStyle);
    echo.keyword("Watermark font effect: ", KeywordSet::FontEffect, w.fontEffect);
    echo.number("Watermark text antialiasing: ", w.textAntialiasing);
    echo.keyword("Watermark text alignment: ", KeywordSet::Alignment, w.textAlignment);
    echo.number("Watermark text padding: ", w.textPadding);
    echo.number("Watermark text opacity: ", w.textOpacity);
    echo.line("Watermark background color: ", w.backColor);
    echo.number("Watermark background opacity: ", w.backOpacity);
    echo.keyword("Watermark boundary: ", KeywordSet::Boundary, w.textBoundary);
    echo.keyword("Watermark position: ", KeywordSet::Position, w.textPosition);
    echo.line("Watermark offset (x/y): ",
              std::to_string(w.textXOffset) + "/" + std::to_string(w.textYOffset));
    echo.number("Watermark rotation: ", w.textRotation);
    echo.keyword("Watermark size/mode: ", KeywordSet::Size, w.textSize);
    if (!loadWatermarkFont(run)) return run.refuse("Invalid watermark font");
    return true;
}

bool checkImageWatermark(BatchRun& run, const Echo& echo) {
    const auto& w = run.settings.watermark;
    echo.line("Watermark image: ", w.image);
    echo.number("Watermark greyscale: ", w.imageGreyscale);
    echo.number("Watermark opacity: ", w.imageOpacity);
    echo.keyword("Watermark boundary: ", KeywordSet::Boundary, w.imageBoundary);
    echo.keyword("Watermark position: ", KeywordSet::Position, w.imagePosition);
    echo.line("Watermark offset (x/y): ",
              std::to_string(w.imageXOffset) + "/" + std::to_string(w.imageYOffset));
    echo.number("Watermark rotation: ", w.imageRotation);
    echo.keyword("Watermark size/mode: ", KeywordSet::Size, w.imageSize);
    // A FIFO, device or socket has no size either, so it is refused here
    // before anything tries to read it.
    if (platform::fileSizeOrKind(w.image) <= 0 || engine::watermarkImageRefused(w.image))
        return run.refuse("Invalid watermark image");
    return true;
}

bool checkWatermark(BatchRun& run, const Echo& echo) {
    const int8_t kind = run.settings.watermark.doWatermark;
    echo.keyword("Watermark: ", KeywordSet::WatermarkKind, kind);
    if (kind == 1) return checkTextWatermark(run, echo);
    if (kind == 2) return checkImageWatermark(run, echo);
    return true;
}

void echoAdvanced(const BatchRun& run, const Echo& echo) {
    const auto& adv = run.settings.advanced;
    echo.line("Filename Mask: ", adv.filenameMask);
    echo.keyword("File Timestamp: ", KeywordSet::Timestamp, adv.fileTimestamp);
    if (adv.fileTimestamp == 2) echo.number("Custom Timestamp: ", adv.customTimestamp);
    echo.number("Keep Subfolders: ", adv.keepSubfolders);
}

// The mask expanded for a sample file: literal "..", a leading "/" or a
// folder part that climbs out shows whatever the placeholders hold. Values
// that bring these in for a single file fail that file (buildOutputPath).
bool checkFilenameMask(BatchRun& run) {
    engine::ConversionJob sample = run.job;
    sample.inputPath = "sample.wmf";
    sample.outputExtension = run.request.conversion;
    if (engine::leavesFolder(engine::outputFileName(run.settings, sample)))
        return run.refuse(settings::getText("Msg", "Invalid filename mask"));
    return true;
}

}  // namespace

std::string compressionKeyword(std::string_view format, int32_t code) {
    static const std::vector<std::string_view> rle = {"NONE", "RLE"};
    static const std::vector<std::string_view> exr = {"NONE", "ZIP", "PIZ", "PXR24", "B44"};
    static const std::vector<std::string_view> png = {"NONE", "ZLIB1", "ZLIB6", "ZLIB9"};
    static const std::vector<std::string_view> tiff = {"NONE",     "CCITTFAX3", "CCITTFAX4",
                                                       "PACKBITS", "DEFLATE",   "ADOBEDEFLATE",
                                                       "LZW",      "JPEG",      "LOGLUV"};
    const std::vector<std::string_view>* names = nullptr;
    if (format == "bmp" || format == "tga") names = &rle;
    if (format == "exr") names = &exr;
    if (format == "png") names = &png;
    if (format == "tiff") names = &tiff;
    if (names == nullptr || code < 0 || static_cast<size_t>(code) >= names->size()) return {};
    return std::string((*names)[static_cast<size_t>(code)]);
}

bool checkOutputFormat(BatchRun& run, bool debug) {
    const Echo echo(run, debug);
    const std::string& format = run.request.conversion;
    const settings::OutputFormat* row = settings::findOutputFormat(format);
    if (row == nullptr) return run.refuse("Invalid conversion type");
    for (const std::string& key : row->settingKeys) echoFormatSetting(echo, run, format, key);
    if (!settings::isDepthAllowed(*row, outputNumber(run.settings, row->settingKeys.front()))) {
        return run.refuse("Invalid " + format + "-bpp value");
    }
    for (const char* qualityKey : {"JPG Quality", "WEBP Quality"}) {
        const std::string_view key(qualityKey);
        if (std::find(row->settingKeys.begin(), row->settingKeys.end(), key) ==
            row->settingKeys.end()) {
            continue;
        }
        const int32_t quality = outputNumber(run.settings, key);
        if (!within(quality, QualityRange)) return run.refuse("Invalid " + format + "-quality value");
    }
    return true;
}

bool checkMetafileResolution(BatchRun& run) {
    const int32_t dpi = run.settings.input.wmfDpi;
    if (!within(dpi, MetafileDpiRange)) return run.refuse("Invalid wmf-dpi value");
    return true;
}

bool checkOperations(BatchRun& run, bool debug) {
    const Echo echo(run, debug);
    if (!checkTransform(run, echo) || !checkAdjustment(run, echo)) return false;
    echoFrame(run, echo);
    if (!checkWatermark(run, echo)) return false;
    echoAdvanced(run, echo);
    return checkFilenameMask(run);
}

}  // namespace plotvale::batch
