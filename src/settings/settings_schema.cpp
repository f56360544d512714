#include "settings/settings_schema.h"

namespace plotvale::settings {

// Each entry names a field once: its group, its key and where it lives.
#define SETTING(group, key, member)                                               \
    {                                                                             \
        group, key, [](ConverterSettings& s) -> SettingSlot { return &s.member; } \
    }

const std::vector<SettingField>& settingFields() {
    static const std::vector<SettingField> fields = {
        SETTING("General", "CFG", general.cfg),
        SETTING("General", "Language", general.language),
        SETTING("General", "Update Range", general.updateRange),
        SETTING("General", "Update Date", general.updateDate),
        SETTING("General", "Save Window Position", general.saveWindowPosition),
        SETTING("Window", "IsMaximized", window.isMaximized),
        SETTING("Window", "X", window.x),
        SETTING("Window", "Y", window.y),
        SETTING("Window", "Width", window.width),
        SETTING("Window", "Height", window.height),
        SETTING("Interface", "UI Theme", interface.uiTheme),
        SETTING("Interface", "UI Size", interface.uiSize),
        SETTING("Input", "Format", input.format),
        SETTING("Input", "DDS Load As", input.ddsLoadAs),
        SETTING("Input", "GIF Frame Loading", input.gifFrameLoading),
        SETTING("Input", "ICO Frame Loading", input.icoFrameLoading),
        SETTING("Input", "TIFF Frame Loading", input.tiffFrameLoading),
        SETTING("Input", "PSD Color Mode", input.psdColorMode),
        SETTING("Input", "RAW Load As", input.rawLoadAs),
        SETTING("Input", "RAW Header Size", input.rawHeaderSize),
        SETTING("Input", "RAW Image Width", input.rawImageWidth),
        SETTING("Input", "RAW Image Height", input.rawImageHeight),
        SETTING("Input", "RAW Tone Mapping", input.rawToneMapping),
        SETTING("Input", "WMF DPI", input.wmfDpi),
        SETTING("Input", "WMF Antialiasing", input.wmfAntialiasing),
        SETTING("Output", "Format", output.format),
        SETTING("Output", "BMP BPP", output.bmpBpp),
        SETTING("Output", "BMP Compression", output.bmpCompression),
        SETTING("Output", "BMP Color Table", output.bmpColorTable),
        SETTING("Output", "DDS BPP", output.ddsBpp),
        SETTING("Output", "EXR BPP", output.exrBpp),
        SETTING("Output", "EXR Compression", output.exrCompression),
        SETTING("Output", "GIF BPP", output.gifBpp),
        SETTING("Output", "HDR BPP", output.hdrBpp),
        SETTING("Output", "ICO BPP", output.icoBpp),
        SETTING("Output", "J2K BPP", output.j2kBpp),
        SETTING("Output", "JNG BPP", output.jngBpp),
        SETTING("Output", "JP2 BPP", output.jp2Bpp),
        SETTING("Output", "JPG BPP", output.jpgBpp),
        SETTING("Output", "JPG Quality", output.jpgQuality),
        SETTING("Output", "JPG Chroma", output.jpgChroma),
        SETTING("Output", "JPG Save As", output.jpgSaveAs),
        SETTING("Output", "JXR BPP", output.jxrBpp),
        SETTING("Output", "PBM BPP", output.pbmBpp),
        SETTING("Output", "PCX BPP", output.pcxBpp),
        SETTING("Output", "PFM BPP", output.pfmBpp),
        SETTING("Output", "PGM BPP", output.pgmBpp),
        SETTING("Output", "PNG BPP", output.pngBpp),
        SETTING("Output", "PNG Compression", output.pngCompression),
        SETTING("Output", "PNG Interlaced", output.pngInterlaced),
        SETTING("Output", "PPM BPP", output.ppmBpp),
        SETTING("Output", "PSD BPP", output.psdBpp),
        SETTING("Output", "TGA BPP", output.tgaBpp),
        SETTING("Output", "TGA Compression", output.tgaCompression),
        SETTING("Output", "TIFF BPP", output.tiffBpp),
        SETTING("Output", "TIFF Compression", output.tiffCompression),
        SETTING("Output", "TIFF Color Mode", output.tiffColorMode),
        SETTING("Output", "WBMP BPP", output.wbmpBpp),
        SETTING("Output", "WEBP BPP", output.webpBpp),
        SETTING("Output", "WEBP Quality", output.webpQuality),
        SETTING("Output", "XPM BPP", output.xpmBpp),
        SETTING("Transform", "Do Image Rotation", transform.doImageRotation),
        SETTING("Transform", "Image Rotation Type", transform.imageRotationType),
        SETTING("Transform", "Image Rotation", transform.imageRotation),
        SETTING("Transform", "Image Rotation Back Color", transform.imageRotationBackColor),
        SETTING("Transform", "Do Image Resize", transform.doImageResize),
        SETTING("Transform", "Image Width", transform.imageWidth),
        SETTING("Transform", "Image Width Unit", transform.imageWidthUnit),
        SETTING("Transform", "Image Height", transform.imageHeight),
        SETTING("Transform", "Image Height Unit", transform.imageHeightUnit),
        SETTING("Transform", "Keep Aspect Ratio", transform.keepAspectRatio),
        SETTING("Transform", "Image Resize Type", transform.imageResizeType),
        SETTING("Transform", "Image Resize Algorithm", transform.imageResizeAlgorithm),
        SETTING("Transform", "Do Image Flip Horizontal", transform.doImageFlipHorizontal),
        SETTING("Transform", "Do Image Flip Vertical", transform.doImageFlipVertical),
        SETTING("Adjustment", "Do Image Color Correction", adjustment.doImageColorCorrection),
        SETTING("Adjustment", "Image Brightness", adjustment.imageBrightness),
        SETTING("Adjustment", "Image Contrast", adjustment.imageContrast),
        SETTING("Adjustment", "Image Gamma", adjustment.imageGamma),
        SETTING("Adjustment", "Image Invert", adjustment.imageInvert),
        SETTING("Adjustment", "Do Image Greyscale", adjustment.doImageGreyscale),
        SETTING("Adjustment", "Do Image Threshold", adjustment.doImageThreshold),
        SETTING("Adjustment", "Image Threshold", adjustment.imageThreshold),
        SETTING("Adjustment", "Do Image Dither", adjustment.doImageDither),
        SETTING("Adjustment", "Image Dither Algorithm", adjustment.imageDitherAlgorithm),
        SETTING("Frame", "Do Frame", frame.doFrame),
        SETTING("Frame", "Solid Left", frame.solidLeft),
        SETTING("Frame", "Solid Right", frame.solidRight),
        SETTING("Frame", "Solid Top", frame.solidTop),
        SETTING("Frame", "Solid Bottom", frame.solidBottom),
        SETTING("Frame", "Solid Left Color", frame.solidLeftColor),
        SETTING("Frame", "Solid Right Color", frame.solidRightColor),
        SETTING("Frame", "Solid Top Color", frame.solidTopColor),
        SETTING("Frame", "Solid Bottom Color", frame.solidBottomColor),
        SETTING("Frame", "Solid Opacity", frame.solidOpacity),
        SETTING("Watermark", "Do Watermark", watermark.doWatermark),
        SETTING("Watermark", "Text", watermark.text),
        SETTING("Watermark", "Fonts", watermark.fonts),
        SETTING("Watermark", "Font", watermark.font),
        SETTING("Watermark", "Font Size", watermark.fontSize),
        SETTING("Watermark", "Font Leading", watermark.fontLeading),
        SETTING("Watermark", "Font Colors", watermark.fontColors),
        SETTING("Watermark", "Font Color", watermark.fontColor),
        SETTING("Watermark", "Font Style", watermark.fontStyle),
        SETTING("Watermark", "Font Effect", watermark.fontEffect),
        SETTING("Watermark", "Text Antialiasing", watermark.textAntialiasing),
        SETTING("Watermark", "Text Alignment", watermark.textAlignment),
        SETTING("Watermark", "Text Padding", watermark.textPadding),
        SETTING("Watermark", "Text Opacity", watermark.textOpacity),
        SETTING("Watermark", "Back Colors", watermark.backColors),
        SETTING("Watermark", "Back Color", watermark.backColor),
        SETTING("Watermark", "Back Opacity", watermark.backOpacity),
        SETTING("Watermark", "Text Boundary", watermark.textBoundary),
        SETTING("Watermark", "Text Position", watermark.textPosition),
        SETTING("Watermark", "Text X Offset", watermark.textXOffset),
        SETTING("Watermark", "Text Y Offset", watermark.textYOffset),
        SETTING("Watermark", "Text Rotation", watermark.textRotation),
        SETTING("Watermark", "Text Size", watermark.textSize),
        SETTING("Watermark", "Text Scale", watermark.textScale),
        SETTING("Watermark", "Image", watermark.image),
        SETTING("Watermark", "Image Greyscale", watermark.imageGreyscale),
        SETTING("Watermark", "Image Opacity", watermark.imageOpacity),
        SETTING("Watermark", "Image Boundary", watermark.imageBoundary),
        SETTING("Watermark", "Image Position", watermark.imagePosition),
        SETTING("Watermark", "Image X Offset", watermark.imageXOffset),
        SETTING("Watermark", "Image Y Offset", watermark.imageYOffset),
        SETTING("Watermark", "Image Rotation", watermark.imageRotation),
        SETTING("Watermark", "Image Size", watermark.imageSize),
        SETTING("Watermark", "Image Scale", watermark.imageScale),
        SETTING("Advanced", "Filename Mask", advanced.filenameMask),
        SETTING("Advanced", "File Timestamp", advanced.fileTimestamp),
        SETTING("Advanced", "Custom Timestamp", advanced.customTimestamp),
        SETTING("Advanced", "Out Folders History", advanced.outFoldersHistory),
        SETTING("Advanced", "Out Folders Number", advanced.outFoldersNumber),
        SETTING("Advanced", "Keep Subfolders", advanced.keepSubfolders),
        SETTING("File", "Recent Out Folders", file.recentOutFolders),
        SETTING("File", "Recent Files", file.recentFiles),
        SETTING("Privacy", "Clean Recent Files", privacy.cleanRecentFiles),
    };
    return fields;
}

#undef SETTING

const SettingField* findSetting(std::string_view group, std::string_view key) {
    for (const SettingField& field : settingFields()) {
        if (field.group == group && field.key == key) return &field;
    }
    return nullptr;
}

int64_t integerSetting(const ConverterSettings& settings, std::string_view group,
                       std::string_view key) {
    const SettingField* field = findSetting(group, key);
    if (field == nullptr) return 0;
    // locate() hands out writable slots; this reader only loads from them.
    const SettingSlot slot = field->locate(const_cast<ConverterSettings&>(settings));
    if (auto* narrow = std::get_if<int8_t*>(&slot)) return **narrow;
    if (auto* wide = std::get_if<int32_t*>(&slot)) return **wide;
    return 0;
}

void storeInteger(const SettingSlot& slot, int64_t value) {
    if (auto* narrow = std::get_if<int8_t*>(&slot); narrow && *narrow) {
        **narrow = static_cast<int8_t>(static_cast<uint8_t>(value & 0xFF));
    } else if (auto* wide = std::get_if<int32_t*>(&slot); wide && *wide) {
        **wide = static_cast<int32_t>(static_cast<uint32_t>(value & 0xFFFFFFFF));
    } else if (auto* real = std::get_if<float*>(&slot); real && *real) {
        **real = static_cast<float>(value);
    }
}

}  // namespace plotvale::settings
