// Pictures written by the real executable and read back by decoders that
// share no code with its writers (Pillow, ImageMagick, the PFM format's own
// reader), compared pixel by pixel with the PNG of the same picture; and the
// size placeholders of the watermark text, compared with the same text
// written out.

#include <FreeImage.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "support/pfm_reader.h"
#include "support/run_program.h"
#include "support/sample_metafile.h"
#include "support/temp_folder.h"

using namespace plotvale;

namespace {

// 8-bit red, green, blue triples, rows from the top.
using RgbBytes = std::string;

constexpr int Width = 48;
constexpr int Height = 32;
// 0x00BBGGRR: top left, top right, bottom left, bottom right; the top and
// bottom halves differ, so a picture upside down shows.
constexpr std::array<uint32_t, 4> Colours{0x003C28C8, 0x005AB41E, 0x00C83C28, 0x0078DCFA};

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The largest difference of one channel; 256 when the pictures differ in size.
int largestDifference(const RgbBytes& expected, const RgbBytes& actual) {
    if (expected.size() != actual.size() || expected.empty()) return 256;
    int largest = 0;
    for (size_t i = 0; i < expected.size(); ++i) {
        const int a = static_cast<unsigned char>(expected[i]);
        const int b = static_cast<unsigned char>(actual[i]);
        largest = std::max(largest, std::abs(a - b));
    }
    return largest;
}

// How far the centre of each quadrant is from its colour.
int quadrantError(const RgbBytes& rgb) {
    if (rgb.size() != static_cast<size_t>(Width * Height * 3)) return 256;
    int largest = 0;
    for (size_t q = 0; q < Colours.size(); ++q) {
        const int x = Width / 4 + (q % 2 == 0 ? 0 : Width / 2);
        const int y = Height / 4 + (q < 2 ? 0 : Height / 2);
        for (int c = 0; c < 3; ++c) {
            const int decoded = static_cast<unsigned char>(rgb[(y * Width + x) * 3 + c]);
            const int meant = static_cast<int>((Colours[q] >> (8 * c)) & 0xFF);
            largest = std::max(largest, std::abs(decoded - meant));
        }
    }
    return largest;
}

RgbBytes freeImageRgb(const std::string& path) {
    FIBITMAP* bitmap = FreeImage_Load(FreeImage_GetFileType(path.c_str(), 0), path.c_str(), 0);
    if (bitmap == nullptr) return {};
    RgbBytes rgb;
    const unsigned height = FreeImage_GetHeight(bitmap);
    for (unsigned y = 0; y < height; ++y) {
        for (unsigned x = 0; x < FreeImage_GetWidth(bitmap); ++x) {
            RGBQUAD colour{};
            FreeImage_GetPixelColor(bitmap, x, height - 1 - y, &colour);
            rgb += {static_cast<char>(colour.rgbRed), static_cast<char>(colour.rgbGreen),
                    static_cast<char>(colour.rgbBlue)};
        }
    }
    FreeImage_Unload(bitmap);
    return rgb;
}

RgbBytes pfmRgb(const std::string& path) {
    const auto picture = test::readPfm(readBytes(path));
    if (!picture || picture->channels != 3) return {};
    RgbBytes rgb;
    for (const float sample : picture->samples)
        rgb += static_cast<char>(std::lround(std::clamp(sample, 0.0F, 1.0F) * 255.0F));
    return rgb;
}

class OutputPictures : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directories(home.path() / "out"); }

    test::ProgramRun run(const std::string& program, const std::vector<std::string>& arguments) {
        return test::runProgram(program, arguments, home.path().string(), runtime.path().string());
    }
    // Converts one input into `folder` (below home); the path written for a
    // file input.
    std::string convert(const std::string& input, const std::string& format,
                        std::vector<std::string> options, const std::string& folder = "out") {
        std::filesystem::create_directories(home.path() / folder);
        std::vector<std::string> arguments{"-i", input,  "-o", home.file(folder),
                                           "-c", format, "-q"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        const auto result = run(PLOTVALE_BINARY, arguments);
        EXPECT_EQ(result.exitStatus, 0) << result.stdoutText << result.stderrText;
        return home.file(folder + "/" + std::filesystem::path(input).stem().string() + "." +
                         format);
    }
    // What an installed decoder wrote to its standard output; none when the
    // decoder is missing or fails.
    std::optional<std::string> decoderOutput(const std::string& tool,
                                             const std::vector<std::string>& arguments) {
        if (access(tool.c_str(), X_OK) != 0) return std::nullopt;
        const auto result = run(tool, arguments);
        if (result.exitStatus != 0) return std::nullopt;
        return result.stdoutText;
    }
    std::optional<RgbBytes> magickRgb(const std::string& path) {
        return decoderOutput("/usr/bin/convert",
                             {path, "-colorspace", "sRGB", "-depth", "8", "rgb:-"});
    }
    std::optional<RgbBytes> pillowRgb(const std::string& path) {
        return decoderOutput(
            "/usr/bin/python3",
            {"-c",
             "import sys\nfrom PIL import Image\n"
             "sys.stdout.buffer.write(Image.open(sys.argv[1]).convert('RGB').tobytes())",
             path});
    }
    std::string quadrants() {
        return home.write("in/quadrants.wmf", test::quadrantMetafile(Width, Height, Colours));
    }

    test::TempFolder home;
    test::TempFolder runtime;
};

TEST_F(OutputPictures, TiffInCmykDecodesToThePictureColours) {
    const std::string input = quadrants();
    const std::string png = convert(input, "png", {});
    for (const std::string compression : {"none", "lzw"}) {
        SCOPED_TRACE(compression);
        const std::string tiff =
            convert(input, "tiff", {"--tiff-color-mode=cmyk", "--tiff-compression=" + compression});
        if (const auto tags = decoderOutput("/usr/bin/tiffinfo", {tiff})) {
            EXPECT_NE(tags->find("Photometric Interpretation: separated"), std::string::npos);
            EXPECT_NE(tags->find("Samples/Pixel: 4"), std::string::npos);
            EXPECT_EQ(tags->find("Compression Scheme: LZW") != std::string::npos,
                      compression == "lzw");
        }
        int decoders = 0;
        for (const bool pillow : {true, false}) {
            const auto decode = [&](const std::string& path) {
                return pillow ? pillowRgb(path) : magickRgb(path);
            };
            const auto reference = decode(png);
            const auto decoded = decode(tiff);
            if (!reference || !decoded) continue;
            ++decoders;
            EXPECT_LE(quadrantError(*reference), 1);
            EXPECT_LE(largestDifference(*reference, *decoded), 2);
        }
        if (decoders == 0) GTEST_SKIP() << "neither Pillow nor ImageMagick is installed";
    }
}

TEST_F(OutputPictures, PfmRowsRunFromTheBottomUp) {
    const std::string input = quadrants();
    const std::string png = convert(input, "png", {});
    const std::string pfm = convert(input, "pfm", {});
    EXPECT_EQ(readBytes(pfm).substr(0, 3), "PF\n");
    const RgbBytes reference = freeImageRgb(png);
    EXPECT_LE(quadrantError(reference), 1);
    EXPECT_LE(largestDifference(reference, pfmRgb(pfm)), 1);
    const auto magickReference = magickRgb(png);
    const auto magickDecoded = magickRgb(pfm);
    if (!magickReference || !magickDecoded) GTEST_SKIP() << "ImageMagick is not installed";
    EXPECT_LE(largestDifference(*magickReference, *magickDecoded), 1);
}

TEST_F(OutputPictures, WatermarkShowsTheSizeOfEachPicture) {
    const std::vector<std::string> mark{"--wm-back-color=00FF00",     "--wm-back-opacity=255",
                                        "--wm-text-position=TOPLEFT", "--wm-text-x-offset=0",
                                        "--wm-text-y-offset=0",       "--wm-font-size=10"};
    const auto withText = [&](const std::string& text) {
        std::vector<std::string> options = mark;
        options.push_back("--wm-text=" + text);
        return options;
    };
    const std::string wide = home.write("marks/wide.wmf", test::sampleMetafile(200, 60));
    const std::string tall = home.write("marks/tall.wmf", test::sampleMetafile(150, 100));
    // Both in one run, so each file follows another or comes first.
    convert(home.file("marks"), "png", withText("%width%x%height%x%bpp%"));

    for (const auto& [input, text] :
         {std::pair{wide, "200x60x32"}, std::pair{tall, "150x100x32"}}) {
        SCOPED_TRACE(text);
        const RgbBytes placeholders =
            freeImageRgb(home.file("out/" + std::filesystem::path(input).stem().string() + ".png"));
        const RgbBytes spelled = freeImageRgb(convert(input, "png", withText(text), "spelled"));
        ASSERT_FALSE(spelled.empty());
        EXPECT_LE(largestDifference(spelled.substr(0, 3), std::string("\x00\xFF\x00", 3)), 3)
            << "no watermark box at the top left";
        EXPECT_EQ(largestDifference(spelled, placeholders), 0);
    }
}

}  // namespace
