// Time of each conversion stage on a 4000 x 3000 picture, next to one
// FreeImage_Composite of the whole picture as the yardstick for the overlays.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "engine/bit_depth.h"
#include "engine/image_operations.h"
#include "engine/overlays.h"
#include "engine/save_image.h"
#include "engine/watermark_font.h"

namespace {

using plotvale::canvas::Bitmap;
using plotvale::settings::ConverterSettings;
namespace engine = plotvale::engine;

constexpr int Width = 4000;
constexpr int Height = 3000;

// A picture with some structure: colour ramps in both directions.
const Bitmap& sourcePicture() {
    static const Bitmap picture = [] {
        Bitmap bitmap = plotvale::canvas::makeBitmap(Width, Height, 32);
        for (int y = 0; y < Height; ++y) {
            BYTE* line = FreeImage_GetScanLine(bitmap.get(), y);
            for (int x = 0; x < Width; ++x) {
                line[4 * x + FI_RGBA_RED] = static_cast<BYTE>(x * 255 / Width);
                line[4 * x + FI_RGBA_GREEN] = static_cast<BYTE>(y * 255 / Height);
                line[4 * x + FI_RGBA_BLUE] = static_cast<BYTE>((x + y) % 256);
                line[4 * x + FI_RGBA_ALPHA] = 255;
            }
        }
        return bitmap;
    }();
    return picture;
}

ConverterSettings defaults() {
    ConverterSettings settings;
    plotvale::settings::resetSettingsToDefaults(settings, true, 0);
    return settings;
}

// Runs one stage on a fresh copy of the picture each iteration.
void runStage(benchmark::State& state, const std::function<Bitmap(Bitmap)>& stage) {
    for (auto _ : state) {
        state.PauseTiming();
        Bitmap copy(FreeImage_Clone(sourcePicture().get()));
        state.ResumeTiming();
        Bitmap result = stage(std::move(copy));
        benchmark::DoNotOptimize(result.get());
    }
}

void BM_RotateSimple30(benchmark::State& state) {
    auto settings = defaults();
    settings.transform.doImageRotation = 1;
    settings.transform.imageRotation = 30;
    runStage(state, [&](Bitmap b) { return engine::rotateImage(std::move(b), settings); });
}

void BM_RotateAdvanced30(benchmark::State& state) {
    auto settings = defaults();
    settings.transform.doImageRotation = 1;
    settings.transform.imageRotation = 30;
    settings.transform.imageRotationType = 1;
    runStage(state, [&](Bitmap b) { return engine::rotateImage(std::move(b), settings); });
}

void BM_ResizeHalfBicubic(benchmark::State& state) {
    auto settings = defaults();
    settings.transform.doImageResize = 1;
    settings.transform.imageWidth = 50;
    settings.transform.imageWidthUnit = 1;
    settings.transform.imageHeight = 50;
    settings.transform.imageHeightUnit = 1;
    runStage(state, [&](Bitmap b) { return engine::resizeImage(std::move(b), settings, Width, Height); });
}

void BM_FlipBoth(benchmark::State& state) {
    auto settings = defaults();
    settings.transform.doImageFlipHorizontal = 1;
    settings.transform.doImageFlipVertical = 1;
    runStage(state, [&](Bitmap b) {
        engine::flipImage(b.get(), settings);
        return b;
    });
}

void BM_AdjustColors(benchmark::State& state) {
    auto settings = defaults();
    settings.adjustment.doImageColorCorrection = 1;
    settings.adjustment.imageContrast = 20;
    settings.adjustment.imageGamma = 1.4f;
    runStage(state, [&](Bitmap b) { return engine::adjustColors(std::move(b), settings); });
}

void BM_Greyscale(benchmark::State& state) {
    auto settings = defaults();
    settings.adjustment.doImageGreyscale = 1;
    runStage(state, [&](Bitmap b) { return engine::greyscaleImage(std::move(b), settings); });
}

void BM_Threshold(benchmark::State& state) {
    auto settings = defaults();
    settings.adjustment.doImageThreshold = 1;
    settings.adjustment.imageThreshold = 128;
    runStage(state, [&](Bitmap b) { return engine::thresholdImage(std::move(b), settings); });
}

void BM_DitherFloydSteinberg(benchmark::State& state) {
    auto settings = defaults();
    settings.adjustment.doImageDither = 1;
    runStage(state, [&](Bitmap b) { return engine::ditherImage(std::move(b), settings); });
}

// A frame of four different sides, half transparent.
void BM_Frame(benchmark::State& state) {
    auto settings = defaults();
    auto& f = settings.frame;
    f.doFrame = 1;
    f.solidLeft = 40;
    f.solidRight = 60;
    f.solidTop = 30;
    f.solidBottom = 50;
    f.solidLeftColor = "FF0000";
    f.solidRightColor = "00FF00";
    f.solidTopColor = "0000FF";
    f.solidBottomColor = "FFFF00";
    f.solidOpacity = 128;
    runStage(state, [&](Bitmap b) { return engine::applyFrame(std::move(b), settings, Width, Height); });
}

// The default text in two lines, anti-aliased, rotated; the font is made
// once, as the run does.
void BM_WatermarkText(benchmark::State& state) {
    auto settings = defaults();
    auto& w = settings.watermark;
    w.doWatermark = 1;
    w.text += "%eol%%filename% %yyyy%-%mm%-%dd%";
    w.fontSize = 24;
    w.textAntialiasing = 1;
    w.textPadding = 8;
    w.backOpacity = 128;
    w.textRotation = 15;
    const auto font = engine::loadWatermarkFont(settings);
    if (!font) {
        state.SkipWithError("no watermark font");
        return;
    }
    engine::ConversionJob job;
    job.inputPath = "/in/Plan.wmf";
    runStage(state, [&](Bitmap b) {
        return engine::applyWatermark(std::move(b), settings, job, &*font, Width, Height);
    });
}

// A 600 x 400 picture without alpha, greyed, half transparent, loaded from a
// PNG file each time.
void BM_WatermarkImage(benchmark::State& state) {
    const std::string path = "/tmp/plotvale-bench-mark-" + std::to_string(getpid()) + ".png";
    const Bitmap mark(FreeImage_Rescale(sourcePicture().get(), 600, 400, FILTER_BOX));
    const Bitmap mark24(FreeImage_ConvertTo24Bits(mark.get()));
    FreeImage_Save(FIF_PNG, mark24.get(), path.c_str(), PNG_Z_BEST_SPEED);
    auto settings = defaults();
    auto& w = settings.watermark;
    w.doWatermark = 2;
    w.image = path;
    w.imageGreyscale = 1;
    w.imageOpacity = 128;
    w.imagePosition = 4;
    const engine::ConversionJob job;
    runStage(state, [&](Bitmap b) {
        return engine::applyWatermark(std::move(b), settings, job, nullptr, Width, Height);
    });
    unlink(path.c_str());
}

void convertTo(benchmark::State& state, const char* extension, int depth) {
    engine::ConversionJob job;
    job.outputExtension = extension;
    job.targetDepth = depth;
    runStage(state, [&](Bitmap b) { return engine::convertDepth(std::move(b), job); });
}

void BM_DepthTo24(benchmark::State& state) { convertTo(state, "bmp", 24); }
void BM_DepthTo8Quantised(benchmark::State& state) { convertTo(state, "gif", 8); }
void BM_DepthTo96Float(benchmark::State& state) { convertTo(state, "exr", 96); }

void BM_SavePngFast(benchmark::State& state) {
    const std::string path = "/tmp/plotvale-bench-" + std::to_string(getpid()) + ".png";
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            engine::writeWithFreeImage(sourcePicture().get(), FIF_PNG, PNG_Z_BEST_SPEED, path));
    }
    unlink(path.c_str());
}

// The yardstick: one composite of a 32-bit picture over a 24-bit background
// of the same size.
void BM_CompositeWholePicture(benchmark::State& state) {
    const Bitmap background(FreeImage_ConvertTo24Bits(sourcePicture().get()));
    for (auto _ : state) {
        Bitmap result(FreeImage_Composite(sourcePicture().get(), FALSE, nullptr, background.get()));
        benchmark::DoNotOptimize(result.get());
    }
}

constexpr int Rounds = 3;

}  // namespace

BENCHMARK(BM_CompositeWholePicture)->Unit(benchmark::kMillisecond)->Iterations(Rounds);
BENCHMARK(BM_RotateSimple30)->Unit(benchmark::kMillisecond)->Iterations(Rounds);
BENCHMARK(BM_RotateAdvanced30)->Unit(benchmark::kMillisecond)->Iterations(Rounds);
BENCHMARK(BM_ResizeHalfBicubic)->Unit(benchmark::kMillisecond)->Iterations(Rounds);
BENCHMARK(BM_FlipBoth)->Unit(benchmark::kMillisecond)->Iterations(Rounds);
BENCHMARK(BM_AdjustColors)->Unit(benchmark::kMillisecond)->Iterations(Rounds);
BENCHMARK(BM_Greyscale)->Unit(benchmark::kMillisecond)->Iterations(Rounds);
BENCHMARK(BM_Threshold)->Unit(benchmark::kMillisecond)->Iterations(Rounds);
BENCHMARK(BM_DitherFloydSteinberg)->Unit(benchmark::kMillisecond)->Iterations(Rounds);
BENCHMARK(BM_Frame)->Unit(benchmark::kMillisecond)->Iterations(Rounds);
BENCHMARK(BM_WatermarkText)->Unit(benchmark::kMillisecond)->Iterations(Rounds);
BENCHMARK(BM_WatermarkImage)->Unit(benchmark::kMillisecond)->Iterations(Rounds);
BENCHMARK(BM_DepthTo24)->Unit(benchmark::kMillisecond)->Iterations(Rounds);
BENCHMARK(BM_DepthTo8Quantised)->Unit(benchmark::kMillisecond)->Iterations(Rounds);
BENCHMARK(BM_DepthTo96Float)->Unit(benchmark::kMillisecond)->Iterations(Rounds);
BENCHMARK(BM_SavePngFast)->Unit(benchmark::kMillisecond)->Iterations(Rounds);

BENCHMARK_MAIN();
