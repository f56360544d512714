// The image operations, checked by the pixels they leave.

#include <gtest/gtest.h>

#include "engine/image_operations.h"
#include "engine/parse_color.h"
#include "test_pictures.h"

namespace plotvale::engine::testing {
namespace {

using Colour = std::array<double, 3>;

Colour colourAt(const Bitmap& bitmap, int x, int y) {
    const auto sample = samplePixel(bitmap.get(), x, y);
    return {sample[0], sample[1], sample[2]};
}

Colour quadrant(size_t index) {
    const Rgba& c = QuadrantColours[index];
    return {c.red / 255.0, c.green / 255.0, c.blue / 255.0};
}

constexpr size_t TopLeft = 0, TopRight = 1, BottomLeft = 2, BottomRight = 3;

settings::ConverterSettings rotationBy(int degrees, int8_t type) {
    auto settings = commandLineDefaults();
    settings.transform.doImageRotation = 1;
    settings.transform.imageRotation = degrees;
    settings.transform.imageRotationType = type;
    return settings;
}

TEST(Rotation, OutsideTheOpenRangeDoesNothing) {
    for (const int degrees : {0, 360, -90, 720}) {
        Bitmap picture = makeQuadrantPicture(64, 48);
        FIBITMAP* const before = picture.get();
        const Bitmap result = rotateImage(std::move(picture), rotationBy(degrees, 0));
        EXPECT_EQ(result.get(), before) << degrees;
    }
    Bitmap eightBit(FreeImage_ConvertTo8Bits(makeQuadrantPicture(8, 8).get()));
    EXPECT_EQ(bitmapDepth(rotateImage(std::move(eightBit), rotationBy(0, 0))), 8);
}

TEST(Rotation, QuarterTurnIsCounterClockwise) {
    const Bitmap turned = rotateImage(makeQuadrantPicture(64, 48), rotationBy(90, 0));
    ASSERT_TRUE(turned);
    EXPECT_EQ(bitmapWidth(turned), 48);
    EXPECT_EQ(bitmapHeight(turned), 64);
    EXPECT_EQ(bitmapDepth(turned), 32);
    EXPECT_EQ(colourAt(turned, 5, 5), quadrant(TopRight));
    EXPECT_EQ(colourAt(turned, 5, 58), quadrant(TopLeft));
    EXPECT_EQ(colourAt(turned, 42, 58), quadrant(BottomLeft));
}

TEST(Rotation, FreeAngleFillsTheCornersWithTheBackColour) {
    auto settings = rotationBy(45, 0);
    settings.transform.imageRotationBackColor = "00ff80";
    Bitmap twentyFour(FreeImage_ConvertTo24Bits(makeQuadrantPicture(40, 40).get()));
    const Bitmap turned = rotateImage(std::move(twentyFour), settings);
    ASSERT_TRUE(turned);
    EXPECT_GT(bitmapWidth(turned), 40);
    EXPECT_EQ(colourAt(turned, 0, 0), (Colour{0.0, 1.0, 128 / 255.0}));
}

TEST(Rotation, PalettePicturesAreRotatedAsTrueColour) {
    Bitmap eightBit(FreeImage_ConvertTo8Bits(makeQuadrantPicture(8, 8).get()));
    EXPECT_EQ(bitmapDepth(rotateImage(std::move(eightBit), rotationBy(90, 0))), 24);
}

TEST(Rotation, AdvancedTurnsAboutTheCentreAndKeepsTheSize) {
    const Bitmap turned = rotateImage(makeQuadrantPicture(64, 64), rotationBy(180, 1));
    ASSERT_TRUE(turned);
    EXPECT_EQ(bitmapWidth(turned), 64);
    EXPECT_EQ(bitmapHeight(turned), 64);
    EXPECT_EQ(colourAt(turned, 10, 10), quadrant(BottomRight));
    EXPECT_EQ(colourAt(turned, 53, 53), quadrant(TopLeft));
}

TEST(ResizeTarget, PixelsPercentWithHalvesToEvenAndUnknownUnits) {
    EXPECT_EQ(resizeTarget(300, 0, 101), 300);
    EXPECT_EQ(resizeTarget(50, 1, 101), 50);    // 50.5
    EXPECT_EQ(resizeTarget(150, 1, 101), 152);  // 151.5
    EXPECT_EQ(resizeTarget(150, 1, 103), 154);  // 154.5
    EXPECT_EQ(resizeTarget(100, 2, 101), 0);
}

settings::ConverterSettings resizeTo(int width, int height, bool keepAspect, int8_t type = 0) {
    auto settings = commandLineDefaults();
    settings.transform.doImageResize = 1;
    settings.transform.imageWidth = width;
    settings.transform.imageHeight = height;
    settings.transform.keepAspectRatio = keepAspect ? 1 : 0;
    settings.transform.imageResizeType = type;
    return settings;
}

std::pair<int, int> resizedSize(int width, int height, const settings::ConverterSettings& settings) {
    const Bitmap result = resizeImage(makeQuadrantPicture(width, height), settings, width, height);
    return {bitmapWidth(result), bitmapHeight(result)};
}

TEST(Resize, KeepAspectRatioUsesTheLongerSidesTarget) {
    EXPECT_EQ(resizedSize(800, 600, resizeTo(400, 400, true)), std::make_pair(400, 300));
    EXPECT_EQ(resizedSize(600, 800, resizeTo(400, 400, true)), std::make_pair(300, 400));
    // 5 / 2 = 2.5 rounds away from zero.
    EXPECT_EQ(resizedSize(200, 100, resizeTo(5, 999, true)), std::make_pair(5, 3));
    EXPECT_EQ(resizedSize(800, 600, resizeTo(400, 400, false)), std::make_pair(400, 400));
}

TEST(Resize, LargeImagesOnlySkipsPicturesSmallerInBothDirections) {
    EXPECT_EQ(resizedSize(100, 100, resizeTo(200, 50, false, 1)), std::make_pair(200, 50));
    EXPECT_EQ(resizedSize(100, 100, resizeTo(200, 150, false, 1)), std::make_pair(100, 100));
    EXPECT_EQ(resizedSize(100, 100, resizeTo(200, 150, false, 0)), std::make_pair(200, 150));
}

TEST(Resize, SameSizeOrNoTargetKeepsTheBitmap) {
    for (const auto& settings : {resizeTo(64, 48, false), resizeTo(0, 48, false)}) {
        Bitmap picture = makeQuadrantPicture(64, 48);
        FIBITMAP* const before = picture.get();
        EXPECT_EQ(resizeImage(std::move(picture), settings, 64, 48).get(), before);
    }
}

TEST(Resize, FilterFollowsTheAlgorithmSetting) {
    auto settings = commandLineDefaults();
    const std::vector<std::pair<int8_t, FREE_IMAGE_FILTER>> table{
        {0, FILTER_BOX},        {1, FILTER_BILINEAR}, {2, FILTER_BSPLINE}, {3, FILTER_BICUBIC},
        {4, FILTER_CATMULLROM}, {5, FILTER_LANCZOS3}, {6, FILTER_BICUBIC}, {-1, FILTER_BICUBIC}};
    for (const auto& [code, filter] : table) {
        settings.transform.imageResizeAlgorithm = code;
        EXPECT_EQ(resizeFilter(settings), filter) << int{code};
    }
}

TEST(IconLimit, SqueezesLargeIconsToExactly128) {
    const Bitmap icon = limitIconSize(makeQuadrantPicture(200, 150), "ico");
    EXPECT_EQ(bitmapWidth(icon), 128);
    EXPECT_EQ(bitmapHeight(icon), 128);
    EXPECT_EQ(bitmapWidth(limitIconSize(makeQuadrantPicture(128, 100), "ico")), 128);
    EXPECT_EQ(bitmapHeight(limitIconSize(makeQuadrantPicture(128, 100), "ico")), 100);
    EXPECT_EQ(bitmapWidth(limitIconSize(makeQuadrantPicture(200, 150), "ICO")), 200);
}

TEST(Flip, HorizontalThenVertical) {
    auto settings = commandLineDefaults();
    const Bitmap picture = makeQuadrantPicture(16, 16);
    settings.transform.doImageFlipHorizontal = 1;
    flipImage(picture.get(), settings);
    EXPECT_EQ(colourAt(picture, 1, 1), quadrant(TopRight));
    settings.transform.doImageFlipHorizontal = 0;
    settings.transform.doImageFlipVertical = 1;
    flipImage(picture.get(), settings);
    EXPECT_EQ(colourAt(picture, 1, 1), quadrant(BottomRight));
}

TEST(ColourAdjustment, InvertsAndKeepsTrueColour) {
    auto settings = commandLineDefaults();
    settings.adjustment.doImageColorCorrection = 1;
    settings.adjustment.imageInvert = 1;
    const Bitmap inverted = adjustColors(makeQuadrantPicture(16, 16), settings);
    EXPECT_EQ(bitmapDepth(inverted), 32);
    EXPECT_EQ(colourAt(inverted, 1, 1), (Colour{35 / 255.0, 225 / 255.0, 215 / 255.0}));
}

TEST(ColourAdjustment, InvertsOneBitPicturesAfterConvertingThem) {
    auto settings = commandLineDefaults();
    settings.adjustment.doImageColorCorrection = 1;
    settings.adjustment.imageInvert = 1;
    Bitmap oneBit(FreeImage_Threshold(makeFilledPicture(8, 8, {0, 0, 0, 255}).get(), 128));
    const Bitmap inverted = adjustColors(std::move(oneBit), settings);
    EXPECT_EQ(bitmapDepth(inverted), 24);
    EXPECT_EQ(colourAt(inverted, 3, 3), (Colour{1.0, 1.0, 1.0}));
}

TEST(Greyscale, GivesEightBitLuminance) {
    auto settings = commandLineDefaults();
    settings.adjustment.doImageGreyscale = 1;
    const Bitmap grey = greyscaleImage(makeQuadrantPicture(16, 16), settings);
    ASSERT_EQ(bitmapDepth(grey), 8);
    EXPECT_EQ(FreeImage_GetColorType(grey.get()), FIC_MINISBLACK);
    const double luminance = (0.2126 * 220 + 0.7152 * 30 + 0.0722 * 40) / 255.0;
    EXPECT_NEAR(colourAt(grey, 1, 1)[0], luminance, 1.0 / 255.0);
}

TEST(Threshold, SplitsAtTheLevel) {
    auto settings = commandLineDefaults();
    settings.adjustment.doImageThreshold = 1;
    settings.adjustment.imageThreshold = 128;
    const Bitmap split = thresholdImage(makeQuadrantPicture(16, 16), settings);
    ASSERT_EQ(bitmapDepth(split), 1);
    EXPECT_EQ(colourAt(split, 1, 1), (Colour{0, 0, 0}));        // red, luminance 71
    EXPECT_EQ(colourAt(split, 14, 1), (Colour{1, 1, 1}));       // green, luminance 152
    EXPECT_EQ(colourAt(split, 14, 14), (Colour{1, 1, 1}));      // white
}

TEST(Dither, GivesOneBitAndKeepsFlatWhite) {
    auto settings = commandLineDefaults();
    settings.adjustment.doImageDither = 1;
    for (const int algorithm : {0, 1, 2, 3, 4, 5, 6, 9}) {
        settings.adjustment.imageDitherAlgorithm = static_cast<int8_t>(algorithm);
        const Bitmap dithered = ditherImage(makeQuadrantPicture(32, 32), settings);
        ASSERT_EQ(bitmapDepth(dithered), 1) << algorithm;
        EXPECT_EQ(colourAt(dithered, 24, 24), (Colour{1, 1, 1})) << algorithm;
    }
}

TEST(Dither, AfterThresholdWorksOnTheOneBitResult) {
    auto settings = commandLineDefaults();
    settings.adjustment.doImageGreyscale = 1;
    settings.adjustment.doImageThreshold = 1;
    settings.adjustment.imageThreshold = 128;
    settings.adjustment.doImageDither = 1;
    Bitmap picture = greyscaleImage(makeQuadrantPicture(16, 16), settings);
    picture = thresholdImage(std::move(picture), settings);
    picture = ditherImage(std::move(picture), settings);
    ASSERT_EQ(bitmapDepth(picture), 1);
    EXPECT_EQ(colourAt(picture, 1, 1), (Colour{0, 0, 0}));
    EXPECT_EQ(colourAt(picture, 14, 14), (Colour{1, 1, 1}));
}

TEST(Operations, PassAMissingBitmapOn) {
    auto settings = commandLineDefaults();
    settings.transform.doImageRotation = 1;
    settings.transform.imageRotation = 90;
    settings.transform.doImageResize = 1;
    settings.adjustment.doImageColorCorrection = 1;
    settings.adjustment.doImageGreyscale = 1;
    settings.adjustment.doImageThreshold = 1;
    settings.adjustment.doImageDither = 1;
    EXPECT_FALSE(rotateImage(Bitmap(), settings));
    EXPECT_FALSE(resizeImage(Bitmap(), settings, 0, 0));
    EXPECT_FALSE(limitIconSize(Bitmap(), "ico"));
    flipImage(nullptr, settings);
    EXPECT_FALSE(adjustColors(Bitmap(), settings));
    EXPECT_FALSE(greyscaleImage(Bitmap(), settings));
    EXPECT_FALSE(thresholdImage(Bitmap(), settings));
    EXPECT_FALSE(ditherImage(Bitmap(), settings));
}

TEST(ParseColor, SixHexDigitsOrBlack) {
    EXPECT_EQ(parseColor("FF8000"), (RgbColor{255, 128, 0}));
    EXPECT_EQ(parseColor("ff80a0"), (RgbColor{255, 128, 160}));
    EXPECT_EQ(parseColor("FFG0x1"), (RgbColor{255, 0, 0}));  // a pair stops at its first non-digit
    EXPECT_EQ(parseColor("1G2233"), (RgbColor{1, 0x22, 0x33}));
    EXPECT_EQ(parseColor("FFFFF"), (RgbColor{}));
    EXPECT_EQ(parseColor("FFFFFFF"), (RgbColor{}));
    EXPECT_EQ(parseColor(""), (RgbColor{}));
}

}  // namespace
}  // namespace plotvale::engine::testing
