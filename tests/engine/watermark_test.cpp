// The watermark: where it lands, how it is cut to the picture, its text and
// image canvases, and pictures or files it cannot use.

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <fstream>
#include <optional>
#include <set>

#include "canvas/font.h"
#include "engine/convert_file.h"
#include "engine/image_operations.h"
#include "engine/overlays.h"
#include "engine/watermark.h"
#include "engine/watermark_font.h"
#include "test_pictures.h"

namespace plotvale::engine::testing {
namespace {

constexpr Rgba White{255, 255, 255, 255};

std::array<int, 3> rgbAt(const Bitmap& bitmap, int x, int y) {
    const auto s = samplePixel(bitmap.get(), x, y);
    return {static_cast<int>(std::lround(s[0] * 255)), static_cast<int>(std::lround(s[1] * 255)),
            static_cast<int>(std::lround(s[2] * 255))};
}

void expectNear(const std::array<int, 3>& actual, const std::array<int, 3>& expected, int tolerance,
                const std::string& where) {
    for (size_t i = 0; i < 3; ++i)
        EXPECT_NEAR(actual[i], expected[i], tolerance) << where << " channel " << i;
}

WatermarkLayout layoutAt(int position, int xOffset, int yOffset) {
    WatermarkLayout layout;
    layout.position = position;
    layout.xOffset = xOffset;
    layout.yOffset = yOffset;
    return layout;
}

TEST(WatermarkPlacement, NineAnchorsWithOffsets) {
    // 400 x 300 picture, 100 x 20 watermark, offsets 10 and 10.
    const std::array<std::pair<int, int>, 9> expected{{{10, 10},
                                                       {150, 10},
                                                       {290, 10},
                                                       {10, 140},
                                                       {150, 140},
                                                       {290, 140},
                                                       {10, 270},
                                                       {150, 270},
                                                       {290, 270}}};
    for (int position = 0; position < 9; ++position) {
        const auto at = placeWatermark(layoutAt(position, 10, 10), 400, 300, 100, 20);
        EXPECT_EQ(at.x, expected[static_cast<size_t>(position)].first) << position;
        EXPECT_EQ(at.y, expected[static_cast<size_t>(position)].second) << position;
    }
    const auto other = placeWatermark(layoutAt(9, 10, 10), 400, 300, 100, 20);
    EXPECT_EQ(other.x, 0);
    EXPECT_EQ(other.y, 0);
    // Halves of odd differences are cut towards zero, also when negative.
    EXPECT_EQ(placeWatermark(layoutAt(4, 0, 0), 101, 51, 0, 0).x, 50);
    EXPECT_EQ(placeWatermark(layoutAt(4, 0, 0), 10, 10, 13, 13).y, -1);
}

TEST(WatermarkPlacement, FrameBoundaryShrinksAndShiftsTheArea) {
    auto settings = commandLineDefaults();
    settings.frame.doFrame = 1;
    settings.frame.solidLeft = settings.frame.solidRight = 20;
    settings.frame.solidTop = settings.frame.solidBottom = 20;
    settings.watermark.doWatermark = 1;
    settings.watermark.textBoundary = 1;
    settings.watermark.textPosition = 0;
    settings.watermark.textXOffset = settings.watermark.textYOffset = 0;
    const WatermarkLayout layout = watermarkLayout(settings);
    auto at = placeWatermark(layout, 400, 300, 100, 20);
    EXPECT_EQ(at.x, 20);
    EXPECT_EQ(at.y, 20);
    settings.watermark.textPosition = 8;
    at = placeWatermark(watermarkLayout(settings), 400, 300, 100, 20);
    EXPECT_EQ(at.x, 280);
    EXPECT_EQ(at.y, 260);
    settings.watermark.textPosition = 9;  // unknown: the corner of the area
    at = placeWatermark(watermarkLayout(settings), 400, 300, 100, 20);
    EXPECT_EQ(at.x, 20);

    // Without a frame, or with the image's own boundary, the area is the picture.
    settings.watermark.textPosition = 0;
    settings.frame.doFrame = 0;
    EXPECT_EQ(placeWatermark(watermarkLayout(settings), 400, 300, 100, 20).x, 0);
    settings.frame.doFrame = 1;
    settings.watermark.doWatermark = 2;
    settings.watermark.imagePosition = 0;
    settings.watermark.imageXOffset = 3;
    EXPECT_EQ(placeWatermark(watermarkLayout(settings), 400, 300, 100, 20).x, 3);
}

TEST(WatermarkFitting, CutToTheAreaLeftByTheOffsets) {
    const Bitmap wide = makeFilledPicture(400, 50, White);
    auto layout = layoutAt(4, 10, 10);
    const Bitmap cut = fitWatermark(Bitmap(FreeImage_Clone(wide.get())), layout, 400, 300);
    ASSERT_TRUE(cut);
    EXPECT_EQ(bitmapWidth(cut), 390);
    EXPECT_EQ(bitmapHeight(cut), 50);
    // Middle-centre ignores the offsets when placing.
    EXPECT_EQ(placeWatermark(layout, 400, 300, 390, 50).x, 5);

    // The top-left part is kept.
    Bitmap quadrants = makeQuadrantPicture(40, 40);
    const Bitmap part = fitWatermark(std::move(quadrants), layoutAt(0, 0, 25), 30, 40);
    ASSERT_TRUE(part);
    EXPECT_EQ(bitmapWidth(part), 30);
    EXPECT_EQ(bitmapHeight(part), 15);
    for (const auto& [x, quadrant] : {std::pair{5, 0}, std::pair{25, 1}}) {
        const Rgba& c = QuadrantColours[static_cast<size_t>(quadrant)];
        EXPECT_EQ(rgbAt(part, x, 10), (std::array<int, 3>{c.red, c.green, c.blue})) << x;
    }

    // Frame boundary: the area is inside the frame.
    layout.frameLeft = layout.frameRight = 50;
    EXPECT_EQ(bitmapWidth(fitWatermark(Bitmap(FreeImage_Clone(wide.get())), layout, 400, 300)),
              290);
    // Nothing left to show.
    EXPECT_FALSE(fitWatermark(Bitmap(FreeImage_Clone(wide.get())), layoutAt(0, 400, 0), 400, 300));
}

settings::WatermarkSettings textSettings(int8_t alignment, int padding) {
    settings::WatermarkSettings w = commandLineDefaults().watermark;
    w.textAlignment = alignment;
    w.textPadding = padding;
    return w;
}

TEST(WatermarkText, LineStartsByAlignment) {
    EXPECT_EQ(lineX(textSettings(1, 0), 41, 100), 30);  // 29.5 away from zero
    EXPECT_EQ(lineX(textSettings(1, 0), 40, 100), 30);
    EXPECT_EQ(lineX(textSettings(1, 0), 103, 100), -2);  // -1.5 away from zero
    EXPECT_EQ(lineX(textSettings(0, 7), 41, 100), 7);
    EXPECT_EQ(lineX(textSettings(2, 7), 41, 100), 52);
    EXPECT_EQ(lineX(textSettings(3, 7), 41, 100), 0);
}

TEST(WatermarkText, PlaceholdersOnlyWhenWrittenAndWithTwoPercents) {
    ConversionJob job;
    job.inputPath = "/in/a%ext%b.wmf";
    job.outputExtension = "png";
    job.counter = 7;
    const WallClock clock = [] { return int64_t{0}; };
    settings::WatermarkSettings w;
    w.text = "100% sure";
    EXPECT_EQ(expandWatermarkText(w, job, clock), "100% sure");
    w.text = "%FILENAME% #%n% in %yyyy%%eol%%Ext[U]%";
    // "%ext%" brought in by the name stays, as it was not in the text.
    EXPECT_EQ(expandWatermarkText(w, job, clock), "a%ext%b #00007 in 1970%eol%PNG");
}

std::optional<canvas::Font> arial(int8_t style = 0) {
    auto settings = commandLineDefaults();
    settings.watermark.font = "Arial";
    settings.watermark.fontStyle = style;
    return loadWatermarkFont(settings);
}

TEST(WatermarkText, LinesSplitAtLineBreaksInAnyCase) {
    const auto font = arial();
    ASSERT_TRUE(font);
    auto w = textSettings(0, 0);
    const Bitmap a = makeTextWatermark(w, *font, "A");
    const Bitmap bc = makeTextWatermark(w, *font, "Bc");
    ASSERT_TRUE(a && bc);
    const int lineHeight = bitmapHeight(a);
    ASSERT_GE(lineHeight, 10);
    ASSERT_GT(bitmapWidth(bc), bitmapWidth(a));
    ASSERT_GE(bitmapWidth(bc), 10);

    w.textPadding = 6;
    w.fontLeading = 3;
    const Bitmap two = makeTextWatermark(w, *font, "A%EOL%Bc");
    ASSERT_TRUE(two);
    EXPECT_EQ(bitmapWidth(two), bitmapWidth(bc) + 12);
    EXPECT_EQ(bitmapHeight(two), 2 * lineHeight + 3 + 12);
    const Bitmap three = makeTextWatermark(w, *font, "A%eol%Bc%EoL%");
    ASSERT_TRUE(three);
    EXPECT_EQ(bitmapHeight(three), 3 * lineHeight + 2 * 3 + 12);
    // Lines of a broken text are at least 10 pixels wide.
    EXPECT_EQ(bitmapWidth(makeTextWatermark(w, *font, "%eol%")), 10 + 12);
    // Nothing to draw and no padding: no canvas, no watermark.
    EXPECT_FALSE(makeTextWatermark(textSettings(0, 0), *font, ""));
}

// Distinct colours of a 32-bit watermark, by their alpha and channels.
std::set<std::array<int, 4>> coloursOf(const Bitmap& bitmap) {
    std::set<std::array<int, 4>> colours;
    for (int y = 0; y < bitmapHeight(bitmap); ++y)
        for (int x = 0; x < bitmapWidth(bitmap); ++x) {
            const auto s = samplePixel(bitmap.get(), x, y);
            colours.insert({static_cast<int>(std::lround(s[0] * 255)),
                            static_cast<int>(std::lround(s[1] * 255)),
                            static_cast<int>(std::lround(s[2] * 255)),
                            static_cast<int>(std::lround(s[3] * 255))});
        }
    return colours;
}

TEST(WatermarkText, PlainTextHasTwoColoursSmoothTextBlends) {
    const auto font = arial(1);
    ASSERT_TRUE(font);
    auto w = textSettings(0, 4);
    w.fontColor = "FF0000";
    w.backColor = "0000FF";
    w.backOpacity = 255;
    const Bitmap plain = makeTextWatermark(w, *font, "Wq");
    ASSERT_TRUE(plain);
    EXPECT_EQ(coloursOf(plain), (std::set<std::array<int, 4>>{{255, 0, 0, 255}, {0, 0, 255, 255}}));
    EXPECT_EQ(rgbAt(plain, 1, 1), (std::array<int, 3>{0, 0, 255}));

    w.textAntialiasing = 1;
    const Bitmap smooth = makeTextWatermark(w, *font, "Wq");
    ASSERT_TRUE(smooth);
    EXPECT_EQ(bitmapWidth(smooth), bitmapWidth(plain));
    EXPECT_GT(coloursOf(smooth).size(), 4u);

    // Faded: the background box keeps its opacity, the text its own.
    w.backOpacity = 64;
    w.textOpacity = 0;
    const auto faded = coloursOf(makeTextWatermark(w, *font, "Wq"));
    ASSERT_EQ(faded.size(), 1u);
    EXPECT_NEAR((*faded.begin())[3], 64, 1);
}

// A picture file for the image watermark.
std::string writePicture(const ScratchFolder& folder, const std::string& name,
                         const Bitmap& picture, FREE_IMAGE_FORMAT format) {
    const std::string path = folder.path() + name;
    EXPECT_TRUE(FreeImage_Save(format, picture.get(), path.c_str(), 0));
    return path;
}

settings::ConverterSettings imageMark(const std::string& path, int position, int x, int y) {
    auto settings = commandLineDefaults();
    auto& w = settings.watermark;
    w.doWatermark = 2;
    w.image = path;
    w.imagePosition = static_cast<int8_t>(position);
    w.imageXOffset = x;
    w.imageYOffset = y;
    return settings;
}

Bitmap marked(const settings::ConverterSettings& settings, Bitmap picture,
              const canvas::Font* font = nullptr) {
    const int width = bitmapWidth(picture), height = bitmapHeight(picture);
    return applyWatermark(std::move(picture), settings, ConversionJob{}, font, width, height);
}

TEST(WatermarkImage, PictureWithoutAlphaHidesWhatIsUnder) {
    ScratchFolder folder;
    const Bitmap green(
        FreeImage_ConvertTo24Bits(makeFilledPicture(40, 30, {0, 200, 0, 255}).get()));
    auto settings = imageMark(writePicture(folder, "green.bmp", green, FIF_BMP), 8, 10, 10);
    const Bitmap opaque = marked(settings, makeFilledPicture(200, 100, White));
    ASSERT_TRUE(opaque);
    EXPECT_EQ(bitmapDepth(opaque), 24);
    expectNear(rgbAt(opaque, 150, 60), {0, 200, 0}, 2, "inside");
    expectNear(rgbAt(opaque, 149, 60), {255, 255, 255}, 0, "left of it");
    expectNear(rgbAt(opaque, 189, 89), {0, 200, 0}, 2, "last pixel");
    expectNear(rgbAt(opaque, 190, 89), {255, 255, 255}, 0, "right of it");

    // Half opacity over the black box darkens; no opacity leaves the box.
    settings.watermark.imageOpacity = 128;
    expectNear(rgbAt(marked(settings, makeFilledPicture(200, 100, White)), 160, 70), {0, 100, 0}, 2,
               "half");
    settings.watermark.imageOpacity = 0;
    expectNear(rgbAt(marked(settings, makeFilledPicture(200, 100, White)), 160, 70), {0, 0, 0}, 2,
               "none");

    // Greyed: (77 r + 150 g + 29 b) / 256.
    settings.watermark.imageOpacity = 255;
    settings.watermark.imageGreyscale = 1;
    expectNear(rgbAt(marked(settings, makeFilledPicture(200, 100, White)), 160, 70),
               {117, 117, 117}, 2, "grey");
}

TEST(WatermarkImage, LandsAtEveryAnchorInsideTheFrame) {
    ScratchFolder folder;
    const Bitmap green(
        FreeImage_ConvertTo24Bits(makeFilledPicture(20, 10, {0, 200, 0, 255}).get()));
    const std::string path = writePicture(folder, "green.png", green, FIF_PNG);
    // 120 x 90 picture, frame sides 4, 6, 3, 5: the area is 110 x 82 from (4, 3).
    const std::array<std::pair<int, int>, 9> corners{{{4 + 7, 3 + 5},
                                                      {4 + 45, 3 + 5},
                                                      {4 + 83, 3 + 5},
                                                      {4 + 7, 3 + 36},
                                                      {4 + 45, 3 + 36},
                                                      {4 + 83, 3 + 36},
                                                      {4 + 7, 3 + 67},
                                                      {4 + 45, 3 + 67},
                                                      {4 + 83, 3 + 67}}};
    for (int position = 0; position < 9; ++position) {
        auto settings = imageMark(path, position, 7, 5);
        settings.frame.doFrame = 1;
        settings.frame.solidLeft = 4;
        settings.frame.solidRight = 6;
        settings.frame.solidTop = 3;
        settings.frame.solidBottom = 5;
        settings.watermark.imageBoundary = 1;
        const Bitmap result = marked(settings, makeFilledPicture(120, 90, White));
        ASSERT_TRUE(result);
        const auto [x, y] = corners[static_cast<size_t>(position)];
        const std::string where = "position " + std::to_string(position);
        expectNear(rgbAt(result, x, y), {0, 200, 0}, 2, where + " first pixel");
        expectNear(rgbAt(result, x + 19, y + 9), {0, 200, 0}, 2, where + " last pixel");
        expectNear(rgbAt(result, x - 1, y), {255, 255, 255}, 0, where + " left");
        expectNear(rgbAt(result, x, y - 1), {255, 255, 255}, 0, where + " above");
        expectNear(rgbAt(result, x + 20, y + 9), {255, 255, 255}, 0, where + " right");
        expectNear(rgbAt(result, x + 19, y + 10), {255, 255, 255}, 0, where + " below");
    }
}

TEST(WatermarkImage, AlphaOfThePictureIsKept) {
    ScratchFolder folder;
    Bitmap mark = makeFilledPicture(20, 20, {255, 0, 0, 255});
    // Scan lines run bottom-up: the lower half on screen is clear.
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            FreeImage_GetScanLine(mark.get(), y)[4 * x + FI_RGBA_ALPHA] = 0;
    const auto settings = imageMark(writePicture(folder, "half.png", mark, FIF_PNG), 0, 0, 0);
    const Bitmap result = marked(settings, makeFilledPicture(50, 50, White));
    ASSERT_TRUE(result);
    expectNear(rgbAt(result, 5, 5), {255, 0, 0}, 2, "opaque half");
    expectNear(rgbAt(result, 5, 15), {255, 255, 255}, 0, "clear half");
}

TEST(WatermarkImage, RotationTurnsCounterClockwise) {
    ScratchFolder folder;
    const Bitmap green(
        FreeImage_ConvertTo24Bits(makeFilledPicture(40, 10, {0, 200, 0, 255}).get()));
    auto settings = imageMark(writePicture(folder, "bar.png", green, FIF_PNG), 0, 0, 0);
    settings.watermark.imageRotation = 90;
    const Bitmap result = marked(settings, makeFilledPicture(100, 100, White));
    expectNear(rgbAt(result, 5, 35), {0, 200, 0}, 2, "standing bar");
    expectNear(rgbAt(result, 35, 5), {255, 255, 255}, 0, "no lying bar");
    settings.watermark.imageRotation = 360;  // outside the open range: as it is
    expectNear(rgbAt(marked(settings, makeFilledPicture(100, 100, White)), 35, 5), {0, 200, 0}, 2,
               "360");
}

TEST(WatermarkBadInput, PictureStaysAndBecomes24Bits) {
    ScratchFolder folder;
    const std::string corrupt = folder.path() + "corrupt.png";
    std::ofstream(corrupt, std::ios::binary) << "\x89PNG\r\n\x1a\n garbage, not a picture";
    const std::string empty = folder.path() + "empty.png";
    std::ofstream(empty, std::ios::binary).flush();
    for (const std::string& path : {folder.path() + "missing.png", corrupt, empty, folder.path()}) {
        Bitmap picture = makeQuadrantPicture(32, 32);
        const Bitmap original(FreeImage_Clone(picture.get()));
        const Bitmap result = marked(imageMark(path, 0, 0, 0), std::move(picture));
        ASSERT_TRUE(result) << path;
        EXPECT_EQ(bitmapDepth(result), 24) << path;
        EXPECT_EQ(comparePictures(original.get(), result.get(), 0, false).largest, 0.0) << path;
    }
    // A text watermark without its font draws nothing.
    auto text = commandLineDefaults();
    text.watermark.doWatermark = 1;
    EXPECT_EQ(bitmapDepth(marked(text, makeQuadrantPicture(32, 32))), 24);
}

TEST(WatermarkBadInput, LargerThanThePictureIsCutOrLeftOut) {
    ScratchFolder folder;
    const Bitmap big(FreeImage_ConvertTo24Bits(makeFilledPicture(300, 200, {0, 0, 0, 255}).get()));
    const std::string path = writePicture(folder, "big.png", big, FIF_PNG);
    // Cut to 90 x 70 and placed at the bottom-right corner less the offsets.
    const Bitmap cut = marked(imageMark(path, 8, 10, 10), makeFilledPicture(100, 80, White));
    ASSERT_TRUE(cut);
    EXPECT_EQ(bitmapWidth(cut), 100);
    expectNear(rgbAt(cut, 0, 0), {0, 0, 0}, 2, "covered corner");
    expectNear(rgbAt(cut, 95, 75), {255, 255, 255}, 0, "offset margin");
    // Negative offsets push it out of the picture: left out.
    for (const auto& [x, y] : {std::pair{-5, 0}, std::pair{0, -5}, std::pair{INT_MIN, INT_MIN},
                               std::pair{INT_MAX, INT_MAX}}) {
        for (int position = 0; position < 10; ++position) {
            const Bitmap out =
                marked(imageMark(path, position, x, y), makeFilledPicture(100, 80, White));
            ASSERT_TRUE(out);
            EXPECT_EQ(bitmapWidth(out), 100);
        }
    }
    const Bitmap out = marked(imageMark(path, 0, -5, 0), makeFilledPicture(100, 80, White));
    expectNear(rgbAt(out, 50, 40), {255, 255, 255}, 0, "left out");
}

TEST(WatermarkFont, FacesAndStyles) {
    const auto regular = arial();
    ASSERT_TRUE(regular);
    EXPECT_EQ(regular->family(), "Liberation Sans");
    EXPECT_EQ(regular->spec().pixelSize, 19.0);  // 14 points at 96 dpi, rounded
    settings::ConverterSettings nine = commandLineDefaults();
    nine.watermark.fontSize = 9;  // exactly 12 pixels
    EXPECT_EQ(loadWatermarkFont(nine)->spec().pixelSize, 12.0);
    auto settings = commandLineDefaults();
    settings.watermark.fontStyle = 3;
    settings.watermark.fontEffect = 2;
    const auto styled = loadWatermarkFont(settings);
    ASSERT_TRUE(styled);
    EXPECT_TRUE(styled->spec().bold && styled->spec().italic && styled->spec().strikeOut);
    EXPECT_FALSE(styled->spec().underline);
    settings.watermark.font.clear();
    EXPECT_FALSE(loadWatermarkFont(settings));
}

TEST(WatermarkFont, UnknownFaceCannotBeMade) {
    auto settings = commandLineDefaults();
    settings.watermark.font = "No Such Face Anywhere";
    // fontconfig would only fall back to its default face for it.
    EXPECT_FALSE(loadWatermarkFont(settings));
}

TEST(WatermarkText, DrawnOverThePictureWithTheRunFont) {
    const auto font = arial();
    ASSERT_TRUE(font);
    auto settings = commandLineDefaults();
    auto& w = settings.watermark;
    w.doWatermark = 1;
    w.text = "Mark";
    w.backColor = "0000FF";
    w.backOpacity = 255;
    w.textPosition = 0;
    w.textXOffset = 3;
    w.textYOffset = 4;
    const Bitmap mark = makeTextWatermark(w, *font, "Mark");
    const Bitmap result = marked(settings, makeFilledPicture(200, 100, White), &*font);
    ASSERT_TRUE(result);
    // Pasting at full alpha lets 1/255 of the picture through.
    expectNear(rgbAt(result, 3, 4), {1, 1, 254}, 1, "box corner");
    expectNear(rgbAt(result, 2, 4), {255, 255, 255}, 0, "left of the box");
    expectNear(rgbAt(result, 3 + bitmapWidth(mark), 4), {255, 255, 255}, 0, "right of the box");
    expectNear(rgbAt(result, 3 + bitmapWidth(mark) - 1, 4 + bitmapHeight(mark) - 1), {1, 1, 254}, 1,
               "far corner");
}

TEST(WatermarkText, ConversionWithoutARunFontLoadsItsOwn) {
    ScratchFolder folder;
    auto settings = commandLineDefaults();
    settings.watermark.doWatermark = 1;
    settings.watermark.text = "%filename%";
    settings.watermark.backColor = "00FF00";
    settings.watermark.backOpacity = 255;
    ConversionJob job = makeJob(settings, folder.path(), "png", 0);
    job.inputPath = folder.path() + "plan.wmf";
    ASSERT_TRUE(convertBitmap(settings, job, makeFilledPicture(200, 100, White)));
    const Decoded written = decodeFile(job.outputPath, "png");
    ASSERT_TRUE(written.bitmap);
    // Bottom-right, 10 pixels in: the green box ends there.
    expectNear(rgbAt(written.bitmap, 189, 89), {1, 254, 1}, 1, "box");
    expectNear(rgbAt(written.bitmap, 190, 89), {255, 255, 255}, 0, "margin");
}

}  // namespace
}  // namespace plotvale::engine::testing
