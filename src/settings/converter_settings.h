#pragma once
// The one record of every conversion and interface setting. Each field is
// named after its settings-file key; the groups follow the file's groups.
// Widths are fixed: on/off flags and small codes are 8-bit, the rest 32-bit,
// dates are seconds since 1970 on the local wall clock.

#include <cstdint>
#include <string>

namespace plotvale::settings {

struct GeneralSettings {
    int32_t cfg = 19;
    std::string language = "en";
    int32_t updateRange = 2;
    int32_t updateDate = 0;
    int8_t saveWindowPosition = 1;
};

struct WindowSettings {
    int8_t isMaximized = 0;
    int32_t x = 100;
    int32_t y = 100;
    int32_t width = 510;
    int32_t height = 330;
};

struct InterfaceSettings {
    std::string uiTheme = "handdrawn";
    int32_t uiSize = 2;
};

struct InputSettings {
    std::string format;
    int32_t ddsLoadAs = 0;
    int32_t gifFrameLoading = 0;
    int32_t icoFrameLoading = 0;
    int32_t tiffFrameLoading = 0;
    int32_t psdColorMode = 0;
    int32_t rawLoadAs = 0;
    int32_t rawHeaderSize = 0;
    int32_t rawImageWidth = 0;
    int32_t rawImageHeight = 0;
    int32_t rawToneMapping = 2;
    int32_t wmfDpi = 96;         // resolution at which metafiles are rendered
    int8_t wmfAntialiasing = 1;  // draw metafiles anti-aliased
};

struct OutputSettings {
    std::string format;
    int32_t bmpBpp = 0;
    int32_t bmpCompression = 0;
    int32_t bmpColorTable = 0;
    int32_t ddsBpp = 0;
    int32_t exrBpp = 0;
    int32_t exrCompression = 0;
    int32_t gifBpp = 0;
    int32_t hdrBpp = 0;
    int32_t icoBpp = 0;
    int32_t j2kBpp = 0;
    int32_t jngBpp = 0;
    int32_t jp2Bpp = 0;
    int32_t jpgBpp = 0;
    int32_t jpgQuality = 95;
    int32_t jpgChroma = 0;
    int32_t jpgSaveAs = 0;
    int32_t jxrBpp = 0;
    int32_t pbmBpp = 0;
    int32_t pcxBpp = 0;
    int32_t pfmBpp = 0;
    int32_t pgmBpp = 0;
    int32_t pngBpp = 0;
    int32_t pngCompression = 0;
    int8_t pngInterlaced = 0;
    int32_t ppmBpp = 0;
    int32_t psdBpp = 0;
    int32_t tgaBpp = 0;
    int32_t tgaCompression = 0;
    int32_t tiffBpp = 0;
    int32_t tiffCompression = 0;
    int32_t tiffColorMode = 0;
    int32_t wbmpBpp = 0;
    int32_t webpBpp = 0;
    int32_t webpQuality = 100;
    int32_t xpmBpp = 0;
};

struct TransformSettings {
    int8_t doImageRotation = 0;
    int8_t imageRotationType = 0;
    int32_t imageRotation = 0;
    std::string imageRotationBackColor = "000000";
    int8_t doImageResize = 0;
    int32_t imageWidth = 0;
    int8_t imageWidthUnit = 0;
    int32_t imageHeight = 0;
    int8_t imageHeightUnit = 0;
    int8_t keepAspectRatio = 1;
    int8_t imageResizeType = 0;
    int8_t imageResizeAlgorithm = 3;
    int8_t doImageFlipHorizontal = 0;
    int8_t doImageFlipVertical = 0;
};

struct AdjustmentSettings {
    int8_t doImageColorCorrection = 0;
    int32_t imageBrightness = 0;
    int32_t imageContrast = 0;
    float imageGamma = 1.0f;
    int8_t imageInvert = 0;
    int8_t doImageGreyscale = 0;
    int8_t doImageThreshold = 0;
    int32_t imageThreshold = 0;
    int8_t doImageDither = 0;
    int8_t imageDitherAlgorithm = 0;
};

struct FrameSettings {
    int8_t doFrame = 0;
    int32_t solidLeft = 0;
    int32_t solidRight = 0;
    int32_t solidTop = 0;
    int32_t solidBottom = 0;
    std::string solidLeftColor = "000000";
    std::string solidRightColor = "000000";
    std::string solidTopColor = "000000";
    std::string solidBottomColor = "000000";
    int32_t solidOpacity = 255;
};

// The default watermark text: a one-line notice of the maker.
inline constexpr const char* DefaultWatermarkText =
    "Converted with Corvane WMF to IMAGE (c) 2024-2026 Corvane";
inline constexpr const char* DefaultColourChoices =
    "000000,FFFFFF,FF0000,FF8000,FFFF00,008000,00FFFF,0000FF,8000FF";

struct WatermarkSettings {
    int8_t doWatermark = 0;  // 0 none, 1 text, 2 image
    std::string text = DefaultWatermarkText;
    std::string fonts = "Arial,Tahoma,Verdana";
    std::string font = "Arial";
    int32_t fontSize = 14;
    int32_t fontLeading = 0;
    std::string fontColors = DefaultColourChoices;
    std::string fontColor = "FFFFFF";
    int8_t fontStyle = 0;
    int8_t fontEffect = 0;
    int8_t textAntialiasing = 0;
    int8_t textAlignment = 0;
    int32_t textPadding = 0;
    int32_t textOpacity = 255;
    std::string backColors = DefaultColourChoices;
    std::string backColor = "000000";
    int32_t backOpacity = 1;
    int8_t textBoundary = 0;
    int8_t textPosition = 8;
    int32_t textXOffset = 10;
    int32_t textYOffset = 10;
    int32_t textRotation = 0;
    int8_t textSize = 0;
    int32_t textScale = 10;
    std::string image;
    int8_t imageGreyscale = 0;
    int32_t imageOpacity = 255;
    int8_t imageBoundary = 0;
    int8_t imagePosition = 8;
    int32_t imageXOffset = 10;
    int32_t imageYOffset = 10;
    int32_t imageRotation = 0;
    int8_t imageSize = 0;
    int32_t imageScale = 10;
};

struct AdvancedSettings {
    std::string filenameMask = "%filename%.%ext%";
    int8_t fileTimestamp = 0;  // 0 current, 1 original, 2 custom
    int32_t customTimestamp = 0;
    int8_t outFoldersHistory = 1;
    int8_t outFoldersNumber = 5;
    int8_t keepSubfolders = 1;
};

struct FileSettings {
    std::string recentOutFolders;
    std::string recentFiles;
};

struct PrivacySettings {
    int8_t cleanRecentFiles = 0;
};

struct ConverterSettings {
    GeneralSettings general;
    WindowSettings window;
    InterfaceSettings interface;
    InputSettings input;
    OutputSettings output;
    TransformSettings transform;
    AdjustmentSettings adjustment;
    FrameSettings frame;
    WatermarkSettings watermark;
    AdvancedSettings advanced;
    FileSettings file;
    PrivacySettings privacy;
};

// Sets every field to its default. Only `Keep Aspect Ratio` depends on the
// face: off on the command line, on in the window. Dates take the current
// local wall-clock time; the window position is centred on a desktop of the
// given size (100 when the desktop is too small).
void resetSettingsToDefaults(ConverterSettings& settings, bool commandLineFace,
                             int32_t nowLocalSeconds, int desktopWidth = 0, int desktopHeight = 0);

}  // namespace plotvale::settings
