#include "settings/settings_schema.h"

namespace plotvale::settings {

const std::vector<SettingField>& settingFields() {
    static const std::vector<SettingField> fields = {
        {"General", "CFG", [](ConverterSettings& s) -> SettingSlot { return &s.general.cfg; }},
        {"General", "Language", [](ConverterSettings& s) -> SettingSlot { return &s.general.language; }},
        {"General", "Update Range", [](ConverterSettings& s) -> SettingSlot { return &s.general.updateRange; }},
        {"General", "Update Date", [](ConverterSettings& s) -> SettingSlot { return &s.general.updateDate; }},
        {"General", "Save Window Position", [](ConverterSettings& s) -> SettingSlot { return &s.general.saveWindowPosition; }},
        {"Window", "IsMaximized", [](ConverterSettings& s) -> SettingSlot { return &s.window.isMaximized; }},
        {"Window", "X", [](ConverterSettings& s) -> SettingSlot { return &s.window.x; }},
        {"Window", "Y", [](ConverterSettings& s) -> SettingSlot { return &s.window.y; }},
        {"Window", "Width", [](ConverterSettings& s) -> SettingSlot { return &s.window.width; }},
        {"Window", "Height", [](ConverterSettings& s) -> SettingSlot { return &s.window.height; }},
        {"Interface", "UI Theme", [](ConverterSettings& s) -> SettingSlot { return &s.interface.uiTheme; }},
        {"Interface", "UI Size", [](ConverterSettings& s) -> SettingSlot { return &s.interface.uiSize; }},
        {"Input", "Format", [](ConverterSettings& s) -> SettingSlot { return &s.input.format; }},
        {"Input", "DDS Load As", [](ConverterSettings& s) -> SettingSlot { return &s.input.ddsLoadAs; }},
        {"Input", "GIF Frame Loading", [](ConverterSettings& s) -> SettingSlot { return &s.input.gifFrameLoading; }},
        {"Input", "ICO Frame Loading", [](ConverterSettings& s) -> SettingSlot { return &s.input.icoFrameLoading; }},
        {"Input", "TIFF Frame Loading", [](ConverterSettings& s) -> SettingSlot { return &s.input.tiffFrameLoading; }},
        {"Input", "PSD Color Mode", [](ConverterSettings& s) -> SettingSlot { return &s.input.psdColorMode; }},
        {"Input", "RAW Load As", [](ConverterSettings& s) -> SettingSlot { return &s.input.rawLoadAs; }},
        {"Input", "RAW Header Size", [](ConverterSettings& s) -> SettingSlot { return &s.input.rawHeaderSize; }},
        {"Input", "RAW Image Width", [](ConverterSettings& s) -> SettingSlot { return &s.input.rawImageWidth; }},
        {"Input", "RAW Image Height", [](ConverterSettings& s) -> SettingSlot { return &s.input.rawImageHeight; }},
        {"Input", "RAW Tone Mapping", [](ConverterSettings& s) -> SettingSlot { return &s.input.rawToneMapping; }},
        {"Input", "WMF DPI", [](ConverterSettings& s) -> SettingSlot { return &s.input.wmfDpi; }},
        {"Input", "WMF Antialiasing", [](ConverterSettings& s) -> SettingSlot { return &s.input.wmfAntialiasing; }},
        {"Output", "Format", [](ConverterSettings& s) -> SettingSlot { return &s.output.format; }},
        {"Output", "BMP BPP", [](ConverterSettings& s) -> SettingSlot { return &s.output.bmpBpp; }},
        {"Output", "BMP Compression", [](ConverterSettings& s) -> SettingSlot { return &s.output.bmpCompression; }},
        {"Output", "BMP Color Table", [](ConverterSettings& s) -> SettingSlot { return &s.output.bmpColorTable; }},
        {"Output", "DDS BPP", [](ConverterSettings& s) -> SettingSlot { return &s.output.ddsBpp; }},
        {"Output", "EXR BPP", [](ConverterSettings& s) -> SettingSlot { return &s.output.exrBpp; }},
        {"Output", "EXR Compression", [](ConverterSettings& s) -> SettingSlot { return &s.output.exrCompression; }},
        {"Output", "GIF BPP", [](ConverterSettings& s) -> SettingSlot { return &s.output.gifBpp; }},
        {"Output", "HDR BPP", [](ConverterSettings& s) -> SettingSlot { return &s.output.hdrBpp; }},
        {"Output", "ICO BPP", [](ConverterSettings& s) -> SettingSlot { return &s.output.icoBpp; }},
        {"Output", "J2K BPP", [](ConverterSettings& s) -> SettingSlot { return &s.output.j2kBpp; }},
        {"Output", "JNG BPP", [](ConverterSettings& s) -> SettingSlot { return &s.output.jngBpp; }},
        {"Output", "JP2 BPP", [](ConverterSettings& s) -> SettingSlot { return &s.output.jp2Bpp; }},
        {"Output", "JPG BPP", [](ConverterSettings& s) -> SettingSlot { return &s.output.jpgBpp; }},
        {"Output", "JPG Quality", [](ConverterSettings& s) -> SettingSlot { return &s.output.jpgQuality; }},
        {"Output", "JPG Chroma", [](ConverterSettings& s) -> SettingSlot { return &s.output.jpgChroma; }},
        {"Output", "JPG Save As", [](ConverterSettings& s) -> SettingSlot { return &s.output.jpgSaveAs; }},
        {"Output", "JXR BPP", [](ConverterSettings& s) -> SettingSlot { return &s.output.jxrBpp; }},
        {"Output", "PBM BPP", [](ConverterSettings& s) -> SettingSlot { return &s.output.pbmBpp; }},
        {"Output", "PCX BPP", [](ConverterSettings& s) -> SettingSlot { return &s.output.pcxBpp; }},
        {"Output", "PFM BPP", [](ConverterSettings& s) -> SettingSlot { return &s.output.pfmBpp; }},
        {"Output", "PGM BPP", [](ConverterSettings& s) -> SettingSlot { return &s.output.pgmBpp; }},
        {"Output", "PNG BPP", [](ConverterSettings& s) -> SettingSlot { return &s.output.pngBpp; }},
        {"Output", "PNG Compression", [](ConverterSettings& s) -> SettingSlot { return &s.output.pngCompression; }},
        {"Output", "PNG Interlaced", [](ConverterSettings& s) -> SettingSlot { return &s.output.pngInterlaced; }},
        {"Output", "PPM BPP", [](ConverterSettings& s) -> SettingSlot { return &s.output.ppmBpp; }},
        {"Output", "PSD BPP", [](ConverterSettings& s) -> SettingSlot { return &s.output.psdBpp; }},
        {"Output", "TGA BPP", [](ConverterSettings& s) -> SettingSlot { return &s.output.tgaBpp; }},
        {"Output", "TGA Compression", [](ConverterSettings& s) -> SettingSlot { return &s.output.tgaCompression; }},
        {"Output", "TIFF BPP", [](ConverterSettings& s) -> SettingSlot { return &s.output.tiffBpp; }},
        {"Output", "TIFF Compression", [](ConverterSettings& s) -> SettingSlot { return &s.output.tiffCompression; }},
        {"Output", "TIFF Color Mode", [](ConverterSettings& s) -> SettingSlot { return &s.output.tiffColorMode; }},
        {"Output", "WBMP BPP", [](ConverterSettings& s) -> SettingSlot { return &s.output.wbmpBpp; }},
        {"Output", "WEBP BPP", [](ConverterSettings& s) -> SettingSlot { return &s.output.webpBpp; }},
        {"Output", "WEBP Quality", [](ConverterSettings& s) -> SettingSlot { return &s.output.webpQuality; }},
        {"Output", "XPM BPP", [](ConverterSettings& s) -> SettingSlot { return &s.output.xpmBpp; }},
        {"Transform", "Do Image Rotation", [](ConverterSettings& s) -> SettingSlot { return &s.transform.doImageRotation; }},
        {"Transform", "Image Rotation Type", [](ConverterSettings& s) -> SettingSlot { return &s.transform.imageRotationType; }},
        {"Transform", "Image Rotation", [](ConverterSettings& s) -> SettingSlot { return &s.transform.imageRotation; }},
        {"Transform", "Image Rotation Back Color", [](ConverterSettings& s) -> SettingSlot { return &s.transform.imageRotationBackColor; }},
        {"Transform", "Do Image Resize", [](ConverterSettings& s) -> SettingSlot { return &s.transform.doImageResize; }},
        {"Transform", "Image Width", [](ConverterSettings& s) -> SettingSlot { return &s.transform.imageWidth; }},
        {"Transform", "Image Width Unit", [](ConverterSettings& s) -> SettingSlot { return &s.transform.imageWidthUnit; }},
        {"Transform", "Image Height", [](ConverterSettings& s) -> SettingSlot { return &s.transform.imageHeight; }},
        {"Transform", "Image Height Unit", [](ConverterSettings& s) -> SettingSlot { return &s.transform.imageHeightUnit; }},
        {"Transform", "Keep Aspect Ratio", [](ConverterSettings& s) -> SettingSlot { return &s.transform.keepAspectRatio; }},
        {"Transform", "Image Resize Type", [](ConverterSettings& s) -> SettingSlot { return &s.transform.imageResizeType; }},
        {"Transform", "Image Resize Algorithm", [](ConverterSettings& s) -> SettingSlot { return &s.transform.imageResizeAlgorithm; }},
        {"Transform", "Do Image Flip Horizontal", [](ConverterSettings& s) -> SettingSlot { return &s.transform.doImageFlipHorizontal; }},
        {"Transform", "Do Image Flip Vertical", [](ConverterSettings& s) -> SettingSlot { return &s.transform.doImageFlipVertical; }},
        {"Adjustment", "Do Image Color Correction", [](ConverterSettings& s) -> SettingSlot { return &s.adjustment.doImageColorCorrection; }},
        {"Adjustment", "Image Brightness", [](ConverterSettings& s) -> SettingSlot { return &s.adjustment.imageBrightness; }},
        {"Adjustment", "Image Contrast", [](ConverterSettings& s) -> SettingSlot { return &s.adjustment.imageContrast; }},
        {"Adjustment", "Image Gamma", [](ConverterSettings& s) -> SettingSlot { return &s.adjustment.imageGamma; }},
        {"Adjustment", "Image Invert", [](ConverterSettings& s) -> SettingSlot { return &s.adjustment.imageInvert; }},
        {"Adjustment", "Do Image Greyscale", [](ConverterSettings& s) -> SettingSlot { return &s.adjustment.doImageGreyscale; }},
        {"Adjustment", "Do Image Threshold", [](ConverterSettings& s) -> SettingSlot { return &s.adjustment.doImageThreshold; }},
        {"Adjustment", "Image Threshold", [](ConverterSettings& s) -> SettingSlot { return &s.adjustment.imageThreshold; }},
        {"Adjustment", "Do Image Dither", [](ConverterSettings& s) -> SettingSlot { return &s.adjustment.doImageDither; }},
        {"Adjustment", "Image Dither Algorithm", [](ConverterSettings& s) -> SettingSlot { return &s.adjustment.imageDitherAlgorithm; }},
        {"Frame", "Do Frame", [](ConverterSettings& s) -> SettingSlot { return &s.frame.doFrame; }},
        {"Frame", "Solid Left", [](ConverterSettings& s) -> SettingSlot { return &s.frame.solidLeft; }},
        {"Frame", "Solid Right", [](ConverterSettings& s) -> SettingSlot { return &s.frame.solidRight; }},
        {"Frame", "Solid Top", [](ConverterSettings& s) -> SettingSlot { return &s.frame.solidTop; }},
        {"Frame", "Solid Bottom", [](ConverterSettings& s) -> SettingSlot { return &s.frame.solidBottom; }},
        {"Frame", "Solid Left Color", [](ConverterSettings& s) -> SettingSlot { return &s.frame.solidLeftColor; }},
        {"Frame", "Solid Right Color", [](ConverterSettings& s) -> SettingSlot { return &s.frame.solidRightColor; }},
        {"Frame", "Solid Top Color", [](ConverterSettings& s) -> SettingSlot { return &s.frame.solidTopColor; }},
        {"Frame", "Solid Bottom Color", [](ConverterSettings& s) -> SettingSlot { return &s.frame.solidBottomColor; }},
        {"Frame", "Solid Opacity", [](ConverterSettings& s) -> SettingSlot { return &s.frame.solidOpacity; }},
        {"Watermark", "Do Watermark", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.doWatermark; }},
        {"Watermark", "Text", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.text; }},
        {"Watermark", "Fonts", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.fonts; }},
        {"Watermark", "Font", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.font; }},
        {"Watermark", "Font Size", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.fontSize; }},
        {"Watermark", "Font Leading", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.fontLeading; }},
        {"Watermark", "Font Colors", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.fontColors; }},
        {"Watermark", "Font Color", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.fontColor; }},
        {"Watermark", "Font Style", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.fontStyle; }},
        {"Watermark", "Font Effect", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.fontEffect; }},
        {"Watermark", "Text Antialiasing", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.textAntialiasing; }},
        {"Watermark", "Text Alignment", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.textAlignment; }},
        {"Watermark", "Text Padding", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.textPadding; }},
        {"Watermark", "Text Opacity", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.textOpacity; }},
        {"Watermark", "Back Colors", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.backColors; }},
        {"Watermark", "Back Color", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.backColor; }},
        {"Watermark", "Back Opacity", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.backOpacity; }},
        {"Watermark", "Text Boundary", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.textBoundary; }},
        {"Watermark", "Text Position", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.textPosition; }},
        {"Watermark", "Text X Offset", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.textXOffset; }},
        {"Watermark", "Text Y Offset", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.textYOffset; }},
        {"Watermark", "Text Rotation", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.textRotation; }},
        {"Watermark", "Text Size", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.textSize; }},
        {"Watermark", "Text Scale", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.textScale; }},
        {"Watermark", "Image", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.image; }},
        {"Watermark", "Image Greyscale", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.imageGreyscale; }},
        {"Watermark", "Image Opacity", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.imageOpacity; }},
        {"Watermark", "Image Boundary", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.imageBoundary; }},
        {"Watermark", "Image Position", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.imagePosition; }},
        {"Watermark", "Image X Offset", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.imageXOffset; }},
        {"Watermark", "Image Y Offset", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.imageYOffset; }},
        {"Watermark", "Image Rotation", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.imageRotation; }},
        {"Watermark", "Image Size", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.imageSize; }},
        {"Watermark", "Image Scale", [](ConverterSettings& s) -> SettingSlot { return &s.watermark.imageScale; }},
        {"Advanced", "Filename Mask", [](ConverterSettings& s) -> SettingSlot { return &s.advanced.filenameMask; }},
        {"Advanced", "File Timestamp", [](ConverterSettings& s) -> SettingSlot { return &s.advanced.fileTimestamp; }},
        {"Advanced", "Custom Timestamp", [](ConverterSettings& s) -> SettingSlot { return &s.advanced.customTimestamp; }},
        {"Advanced", "Out Folders History", [](ConverterSettings& s) -> SettingSlot { return &s.advanced.outFoldersHistory; }},
        {"Advanced", "Out Folders Number", [](ConverterSettings& s) -> SettingSlot { return &s.advanced.outFoldersNumber; }},
        {"Advanced", "Keep Subfolders", [](ConverterSettings& s) -> SettingSlot { return &s.advanced.keepSubfolders; }},
        {"File", "Recent Out Folders", [](ConverterSettings& s) -> SettingSlot { return &s.file.recentOutFolders; }},
        {"File", "Recent Files", [](ConverterSettings& s) -> SettingSlot { return &s.file.recentFiles; }},
        {"Privacy", "Clean Recent Files", [](ConverterSettings& s) -> SettingSlot { return &s.privacy.cleanRecentFiles; }},
    };
    return fields;
}

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
