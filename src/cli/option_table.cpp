#include "cli/option_table.h"

#include "settings/text_case.h"

namespace plotvale::cli {

namespace {

OptionSpec value(std::string_view name, OptionKind kind, std::string_view group,
                 std::string_view key, std::vector<AlsoSetting> also = {}) {
    return {{}, name, kind, OptionTarget::Setting, group, key, std::nullopt, 1, std::move(also)};
}

OptionSpec keyword(std::string_view name, std::string_view group, std::string_view key,
                   KeywordSet set, std::vector<AlsoSetting> also = {}) {
    return {{},  name, OptionKind::Keyword, OptionTarget::Setting, group, key,
            set, 1,    std::move(also)};
}

OptionSpec flag(std::string_view name, std::string_view group, std::string_view key, int fixedValue,
                std::vector<AlsoSetting> also = {}) {
    return {{},  name,         OptionKind::Switch, OptionTarget::Setting, group,
            key, std::nullopt, fixedValue,         std::move(also)};
}

OptionSpec special(std::string_view shortName, std::string_view longName, OptionKind kind,
                   OptionTarget target) {
    return {shortName, longName, kind, target, {}, {}, std::nullopt, 1, {}};
}

std::vector<OptionSpec> buildTable() {
    return {
        special("-i", "--input", OptionKind::Path, OptionTarget::Input),
        special("-o", "--output", OptionKind::Path, OptionTarget::OutputFolder),
        special("-c", "--conversion", OptionKind::Path, OptionTarget::Conversion),
        keyword("--dds-load-as", "Input", "DDS Load As", KeywordSet::DdsLoad),
        keyword("--gif-frame-loading", "Input", "GIF Frame Loading", KeywordSet::Frames),
        keyword("--ico-frame-loading", "Input", "ICO Frame Loading", KeywordSet::Frames),
        keyword("--psd-color-mode", "Input", "PSD Color Mode", KeywordSet::ColourModel),
        keyword("--raw-load-as", "Input", "RAW Load As", KeywordSet::RawLoad),
        value("--raw-header-size", OptionKind::Number, "Input", "RAW Header Size"),
        value("--raw-width", OptionKind::Number, "Input", "RAW Image Width"),
        value("--raw-height", OptionKind::Number, "Input", "RAW Image Height"),
        keyword("--raw-tone-mapping", "Input", "RAW Tone Mapping", KeywordSet::ToneMapping),
        keyword("--tiff-frame-loading", "Input", "TIFF Frame Loading", KeywordSet::Frames),
        value("--wmf-dpi", OptionKind::Number, "Input", "WMF DPI"),
        keyword("--wmf-antialiasing", "Input", "WMF Antialiasing", KeywordSet::OnOff),
        value("--bmp-bpp", OptionKind::Number, "Output", "BMP BPP"),
        keyword("--bmp-compression", "Output", "BMP Compression", KeywordSet::Compression),
        keyword("--bmp-color-table", "Output", "BMP Color Table", KeywordSet::ColourTable),
        value("--dds-bpp", OptionKind::Number, "Output", "DDS BPP"),
        value("--exr-bpp", OptionKind::Number, "Output", "EXR BPP"),
        keyword("--exr-compression", "Output", "EXR Compression", KeywordSet::Compression),
        value("--gif-bpp", OptionKind::Number, "Output", "GIF BPP"),
        value("--hdr-bpp", OptionKind::Number, "Output", "HDR BPP"),
        value("--ico-bpp", OptionKind::Number, "Output", "ICO BPP"),
        value("--j2k-bpp", OptionKind::Number, "Output", "J2K BPP"),
        value("--jng-bpp", OptionKind::Number, "Output", "JNG BPP"),
        value("--jp2-bpp", OptionKind::Number, "Output", "JP2 BPP"),
        value("--jpg-bpp", OptionKind::Number, "Output", "JPG BPP"),
        value("--jpg-quality", OptionKind::Number, "Output", "JPG Quality"),
        keyword("--jpg-chroma", "Output", "JPG Chroma", KeywordSet::Chroma),
        keyword("--jpg-save-as", "Output", "JPG Save As", KeywordSet::JpegKind),
        value("--jxr-bpp", OptionKind::Number, "Output", "JXR BPP"),
        value("--pbm-bpp", OptionKind::Number, "Output", "PBM BPP"),
        value("--pcx-bpp", OptionKind::Number, "Output", "PCX BPP"),
        value("--pfm-bpp", OptionKind::Number, "Output", "PFM BPP"),
        value("--pgm-bpp", OptionKind::Number, "Output", "PGM BPP"),
        value("--png-bpp", OptionKind::Number, "Output", "PNG BPP"),
        keyword("--png-compression", "Output", "PNG Compression", KeywordSet::Compression),
        flag("--png-interlaced", "Output", "PNG Interlaced", 1),
        value("--ppm-bpp", OptionKind::Number, "Output", "PPM BPP"),
        value("--psd-bpp", OptionKind::Number, "Output", "PSD BPP"),
        value("--tga-bpp", OptionKind::Number, "Output", "TGA BPP"),
        keyword("--tga-compression", "Output", "TGA Compression", KeywordSet::Compression),
        value("--tiff-bpp", OptionKind::Number, "Output", "TIFF BPP"),
        keyword("--tiff-compression", "Output", "TIFF Compression", KeywordSet::Compression),
        keyword("--tiff-color-mode", "Output", "TIFF Color Mode", KeywordSet::ColourModel),
        value("--wbmp-bpp", OptionKind::Number, "Output", "WBMP BPP"),
        value("--webp-bpp", OptionKind::Number, "Output", "WEBP BPP"),
        value("--webp-quality", OptionKind::Number, "Output", "WEBP Quality"),
        value("--xpm-bpp", OptionKind::Number, "Output", "XPM BPP"),
        keyword("--rotation-type", "Transform", "Image Rotation Type", KeywordSet::Rotation),
        value("--rotation", OptionKind::Number, "Transform", "Image Rotation",
              {{"Transform", "Do Image Rotation", 1}}),
        value("--rotation-back-color", OptionKind::Text, "Transform", "Image Rotation Back Color"),
        value("--width", OptionKind::Number, "Transform", "Image Width",
              {{"Transform", "Do Image Resize", 1}}),
        keyword("--width-unit", "Transform", "Image Width Unit", KeywordSet::Unit),
        value("--height", OptionKind::Number, "Transform", "Image Height",
              {{"Transform", "Do Image Resize", 1}}),
        keyword("--height-unit", "Transform", "Image Height Unit", KeywordSet::Unit),
        flag("--keep-aspect-ratio", "Transform", "Keep Aspect Ratio", 1),
        keyword("--resize-type", "Transform", "Image Resize Type", KeywordSet::ResizeScope),
        keyword("--resize-algorithm", "Transform", "Image Resize Algorithm",
                KeywordSet::ResizeFilter),
        flag("--flip-horizontal", "Transform", "Do Image Flip Horizontal", 1),
        flag("--flip-vertical", "Transform", "Do Image Flip Vertical", 1),
        value("--brightness", OptionKind::Number, "Adjustment", "Image Brightness",
              {{"Adjustment", "Do Image Color Correction", 1}}),
        value("--contrast", OptionKind::Number, "Adjustment", "Image Contrast",
              {{"Adjustment", "Do Image Color Correction", 1}}),
        value("--gamma", OptionKind::Decimal, "Adjustment", "Image Gamma",
              {{"Adjustment", "Do Image Color Correction", 1}}),
        flag("--invert", "Adjustment", "Image Invert", 1,
             {{"Adjustment", "Do Image Color Correction", 1}}),
        flag("--greyscale", "Adjustment", "Do Image Greyscale", 1),
        value("--threshold", OptionKind::Number, "Adjustment", "Image Threshold",
              {{"Adjustment", "Do Image Threshold", 1}}),
        keyword("--dither", "Adjustment", "Image Dither Algorithm", KeywordSet::Dither,
                {{"Adjustment", "Do Image Dither", 1}}),
        value("--fr-solid-left", OptionKind::Number, "Frame", "Solid Left",
              {{"Frame", "Do Frame", 1}}),
        value("--fr-solid-right", OptionKind::Number, "Frame", "Solid Right",
              {{"Frame", "Do Frame", 1}}),
        value("--fr-solid-top", OptionKind::Number, "Frame", "Solid Top",
              {{"Frame", "Do Frame", 1}}),
        value("--fr-solid-bottom", OptionKind::Number, "Frame", "Solid Bottom",
              {{"Frame", "Do Frame", 1}}),
        value("--fr-solid-left-color", OptionKind::Text, "Frame", "Solid Left Color"),
        value("--fr-solid-right-color", OptionKind::Text, "Frame", "Solid Right Color"),
        value("--fr-solid-top-color", OptionKind::Text, "Frame", "Solid Top Color"),
        value("--fr-solid-bottom-color", OptionKind::Text, "Frame", "Solid Bottom Color"),
        value("--fr-solid-opacity", OptionKind::Number, "Frame", "Solid Opacity"),
        value("--wm-text", OptionKind::Text, "Watermark", "Text",
              {{"Watermark", "Do Watermark", 1}}),
        value("--wm-font", OptionKind::Text, "Watermark", "Font"),
        value("--wm-font-size", OptionKind::Number, "Watermark", "Font Size"),
        value("--wm-font-leading", OptionKind::Number, "Watermark", "Font Leading"),
        value("--wm-font-color", OptionKind::Text, "Watermark", "Font Color"),
        keyword("--wm-font-style", "Watermark", "Font Style", KeywordSet::FontStyle),
        keyword("--wm-font-effect", "Watermark", "Font Effect", KeywordSet::FontEffect),
        flag("--wm-text-antialiasing", "Watermark", "Text Antialiasing", 1),
        keyword("--wm-text-alignment", "Watermark", "Text Alignment", KeywordSet::Alignment),
        value("--wm-text-padding", OptionKind::Number, "Watermark", "Text Padding"),
        value("--wm-text-opacity", OptionKind::Number, "Watermark", "Text Opacity"),
        value("--wm-back-color", OptionKind::Text, "Watermark", "Back Color"),
        value("--wm-back-opacity", OptionKind::Number, "Watermark", "Back Opacity"),
        keyword("--wm-text-boundary", "Watermark", "Text Boundary", KeywordSet::Boundary),
        keyword("--wm-text-position", "Watermark", "Text Position", KeywordSet::Position),
        value("--wm-text-x-offset", OptionKind::Number, "Watermark", "Text X Offset"),
        value("--wm-text-y-offset", OptionKind::Number, "Watermark", "Text Y Offset"),
        value("--wm-text-rotation", OptionKind::Number, "Watermark", "Text Rotation"),
        keyword("--wm-text-size", "Watermark", "Text Size", KeywordSet::Size),
        value("--wm-image", OptionKind::Text, "Watermark", "Image",
              {{"Watermark", "Do Watermark", 2}}),
        flag("--wm-image-greyscale", "Watermark", "Image Greyscale", 1),
        value("--wm-image-opacity", OptionKind::Number, "Watermark", "Image Opacity"),
        keyword("--wm-image-boundary", "Watermark", "Image Boundary", KeywordSet::Boundary),
        keyword("--wm-image-position", "Watermark", "Image Position", KeywordSet::Position),
        value("--wm-image-x-offset", OptionKind::Number, "Watermark", "Image X Offset"),
        value("--wm-image-y-offset", OptionKind::Number, "Watermark", "Image Y Offset"),
        value("--wm-image-rotation", OptionKind::Number, "Watermark", "Image Rotation"),
        keyword("--wm-image-size", "Watermark", "Image Size", KeywordSet::Size),
        value("--filename-mask", OptionKind::Text, "Advanced", "Filename Mask"),
        keyword("--file-timestamp", "Advanced", "File Timestamp", KeywordSet::Timestamp),
        value("--file-timestamp-custom", OptionKind::Number, "Advanced", "Custom Timestamp"),
        flag("--no-subfolders", "Advanced", "Keep Subfolders", 0),
        special("", "--profile", OptionKind::Text, OptionTarget::Profile),
        special("-d", "--debug", OptionKind::Switch, OptionTarget::Debug),
        special("-q", "--quiet", OptionKind::Switch, OptionTarget::Quiet),
        special("-p", "--pause", OptionKind::Switch, OptionTarget::Pause),
        special("", "--jobs", OptionKind::Text, OptionTarget::Jobs),
        special("", "--shard", OptionKind::Text, OptionTarget::Shard),
        special("", "--skip-existing", OptionKind::Switch, OptionTarget::SkipExisting),
        special("", "--manifest", OptionKind::Text, OptionTarget::Manifest),
    };
}

bool isProfileKey(const OptionSpec& option) {
    if (option.target == OptionTarget::Jobs) return true;
    return option.target == OptionTarget::Setting && option.longName != "--fr-solid-opacity";
}

}  // namespace

const std::vector<OptionSpec>& optionTable() {
    static const std::vector<OptionSpec> table = buildTable();
    return table;
}

const OptionSpec* findOption(std::string_view upperName) {
    for (const OptionSpec& option : optionTable()) {
        if (settings::equalsIgnoringCase(option.longName, upperName) ||
            (!option.shortName.empty() &&
             settings::equalsIgnoringCase(option.shortName, upperName))) {
            return &option;
        }
    }
    return nullptr;
}

const OptionSpec* findProfileOption(std::string_view upperKey) {
    if (upperKey == "--WM-SOLID-OPACITY") return findOption("--FR-SOLID-OPACITY");
    if (upperKey.substr(0, 2) != "--") return nullptr;
    const OptionSpec* option = findOption(upperKey);
    return option != nullptr && isProfileKey(*option) ? option : nullptr;
}

}  // namespace plotvale::cli
