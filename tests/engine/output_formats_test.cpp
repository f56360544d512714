// Every output format written at its automatic depth and at each allowed
// depth, read back by an independent decoder and compared with the picture
// the engine meant to write.

#include <gtest/gtest.h>

#include <charconv>
#include <map>
#include <ostream>

#include "engine/bit_depth.h"
#include "engine/convert_file.h"
#include "settings/format_catalogue.h"
#include "test_pictures.h"

namespace plotvale::engine::testing {
namespace {

struct FormatCase {
    std::string extension;
    int depth = 0;  // 0: automatic
};

void PrintTo(const FormatCase& c, std::ostream* out) { *out << c.extension << "@" << c.depth; }

std::vector<FormatCase> everyFormatAndDepth() {
    std::vector<FormatCase> cases;
    for (const auto& format : settings::OutputFormatTable()) {
        cases.push_back({format.key, 0});
        std::string_view rest = format.allowedDepths;
        while (!rest.empty()) {
            const size_t comma = rest.find(',');
            const std::string_view item = rest.substr(0, comma);
            int depth = 0;
            std::from_chars(item.data(), item.data() + item.size(), depth);
            cases.push_back({format.key, depth});
            rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 1);
        }
    }
    return cases;
}

// How far a format may move a pixel (0..1), how far from the quadrant borders
// the comparison starts for codecs that blur edges, and whether the average
// rather than every pixel is held to the tolerance (wavelet codecs at their
// default rate spread small errors everywhere). DDS is written as DXT1,
// whose alpha is a single bit.
struct Loss {
    double tolerance = 0.5 / 255.0;
    int margin = 0;
    bool average = false;
    bool keepsAlpha = true;
};

Loss lossOf(const std::string& extension) {
    static const std::map<std::string, Loss> lossy{
        {"jpg", {6 / 255.0, 4, false, true}}, {"jng", {6 / 255.0, 4, false, true}},
        {"j2k", {8 / 255.0, 4, true, true}},  {"jp2", {8 / 255.0, 4, true, true}},
        {"dds", {8 / 255.0, 0, false, false}}, {"hdr", {3 / 255.0, 0, false, true}},
        {"exr", {0.5 / 255.0, 0, false, true}}};
    const auto found = lossy.find(extension);
    return found != lossy.end() ? found->second : Loss{};
}

// Icons too are wider than tall: the engine writes any shape.
int pictureWidth(const std::string&) { return 64; }
constexpr int PictureHeight = 48;

// The depth the decoder reports: XPM stores no depth, and FreeImage reads a
// picture of few colours back as a palette picture.
int decodedDepth(const std::string& extension, int writtenDepth) {
    return extension == "xpm" ? 8 : writtenDepth;
}

// What the engine meant to write: the same picture at the same depth; a PGM
// holds the grey levels of its palette colours.
Bitmap intendedPicture(const ConversionJob& job) {
    ConversionJob expectedJob = job;
    const int width = pictureWidth(job.outputExtension);
    Bitmap expected = convertDepth(makeQuadrantPicture(width, PictureHeight), expectedJob);
    if (job.outputExtension == "pgm") return Bitmap(FreeImage_ConvertToGreyscale(expected.get()));
    return expected;
}

class OutputFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(OutputFormat, WritesAFileTheDecoderReadsBack) {
    const FormatCase& param = GetParam();
    ScratchFolder folder;
    const auto settings = commandLineDefaults();
    ConversionJob job = makeJob(settings, folder.path(), param.extension, param.depth);
    const int width = pictureWidth(param.extension);

    ASSERT_TRUE(convertBitmap(settings, job, makeQuadrantPicture(width, PictureHeight)));
    EXPECT_EQ(job.outputPath, folder.path() + "quadrants." + param.extension);
    EXPECT_EQ(folder.fileCount(), 1) << "the side file must be gone";
    if (param.depth != 0) {
        EXPECT_EQ(job.targetDepth, param.depth);
    }

    const Decoded decoded = decodeFile(job.outputPath, param.extension);
    ASSERT_TRUE(decoded.bitmap) << "cannot decode " << job.outputPath;
    EXPECT_EQ(FreeImage_GetWidth(decoded.bitmap.get()), static_cast<unsigned>(width));
    EXPECT_EQ(FreeImage_GetHeight(decoded.bitmap.get()), unsigned{PictureHeight});
    EXPECT_EQ(decoded.fileDepth, decodedDepth(param.extension, job.targetDepth));
    if (param.extension == "dds") {
        EXPECT_GT(decoded.mipmaps, 0);
    }
    if (param.extension == "dds" || param.extension == "pcx") {
        // A second, independent reader must agree with DevIL's (DXT readers
        // widen 5- and 6-bit colours with slightly different rounding).
        const Bitmap second(FreeImage_Load(FreeImage_GetFileType(job.outputPath.c_str(), 0),
                                           job.outputPath.c_str(), 0));
        ASSERT_TRUE(second);
        EXPECT_LE(comparePictures(second.get(), decoded.bitmap.get(), 0, false).largest, 6 / 255.0);
    }

    const Bitmap expected = intendedPicture(job);
    ASSERT_TRUE(expected);
    const Loss loss = lossOf(param.extension);
    const Difference difference = comparePictures(expected.get(), decoded.bitmap.get(), loss.margin, loss.keepsAlpha);
    EXPECT_LE(loss.average ? difference.average : difference.largest, loss.tolerance)
        << "largest " << difference.largest * 255 << ", average " << difference.average * 255;
}

std::string caseName(const ::testing::TestParamInfo<FormatCase>& info) {
    return info.param.extension + "_" +
           (info.param.depth == 0 ? std::string("auto") : std::to_string(info.param.depth));
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, OutputFormat, ::testing::ValuesIn(everyFormatAndDepth()),
                         caseName);

}  // namespace
}  // namespace plotvale::engine::testing
