// The player's bounds on work and memory: the rebuilt hostile files still
// convert and draw what follows their hostile records, and every input kept
// in the fuzzing corpus plays in both modes at 24 and 96 DPI within limits
// only runaway work can break.

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "metafile_writer.h"
#include "regression_cases.h"
#include "render_helpers.h"
#include "support/bounded_run.h"

using namespace plotvale::testing;

namespace {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr unsigned kSlowdown = 8;  // sanitized code runs several times slower and holds more
#else
constexpr unsigned kSlowdown = 1;
#endif
constexpr unsigned kSecondsPerRender = 10 * kSlowdown;
constexpr long kKilobytesPerRender = (1L << 20) * (kSlowdown == 1 ? 1 : 2);

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

RegressionCase named(const std::string& name) {
    for (auto& c : regressionCases())
        if (c.name == name) return c;
    ADD_FAILURE() << "no case " << name;
    return {};
}

}  // namespace

TEST(Bounds, CasesStillDrawWhatFollowsThem) {
    for (const auto& c : regressionCases()) {
        if (c.name == "wide-pen-32767-units") continue;  // no room for more in its 90 bytes
        for (const bool antialias : {false, true}) {
            const auto r = render(c.bytes, antialias);
            ASSERT_GT(r.width(), 30) << c.name;
            EXPECT_EQ(r.count(0xFF0000, 12, 12, 28, 28), 16 * 16) << c.name << " " << antialias;
        }
    }
}

TEST(Bounds, RestoredStatesGiveTheirMemoryBack) {
    // A clip of 90 x 90 squares saved and restored 20,000 times: were a
    // restore to keep what its save took, the allowance would run out after
    // two thousand, the last save would fail, and the rectangle would not
    // be clipped to the squares its restore brings back.
    auto file = MetafileWriter::placeable(0, 0, 800, 800, 96);
    file.record(0x06FF, squaresRegion()).record(0x012C, {0}).pen(5, 0, 0).select(1).brush(0, 0x0000FF).select(2);
    for (int i = 0; i < 20000; ++i) file.record(0x001E, {}).record(0x0127, {-1});
    file.record(0x001E, {}).record(0x012C, {0xFFFF}).record(0x0127, {-1}).rectangle(0, 0, 801, 801);
    EXPECT_EQ(render(file.bytes()).count(0xFF0000, 0, 0, 800, 800), 90 * 90 * 16);
}

TEST(Bounds, APenWiderThanThePictureCoversIt) {
    const auto c = named("wide-pen-32767-units");
    EXPECT_EQ(c.bytes.size(), 90u);
    for (const bool antialias : {false, true})
        for (const int dpi : {24, 96}) {
            const auto r = render(c.bytes, antialias, dpi);
            ASSERT_EQ(r.width(), 10 * dpi);
            EXPECT_EQ(r.countNot(0x00FF00), 0) << antialias << " " << dpi;
        }
}

TEST(Bounds, WidePensStillFollowTheirFigures) {
    for (const bool antialias : {false, true}) {
        const auto r = render(named("wide-pen-figures").bytes, antialias);
        EXPECT_GT(r.count(0x00FF00, 0, 40, 400, 90), 10000) << antialias;          // the triangles
        EXPECT_EQ(r.count(0x0000FF, 0, 110, 400, 400), 400 * 290) << antialias;    // the zigzag
        EXPECT_EQ(r.count(0x0000FF, 0, 0, 400, 90), 0) << antialias;
    }
}

TEST(Bounds, RasterOperationsReachEveryBandOfALargePicture) {
    for (const bool antialias : {false, true}) {
        const auto r = render(named("rop2-on-a-large-picture").bytes, antialias);
        ASSERT_EQ(r.width(), 5000);
        // Inverted rows on both sides of the first band's end (row 3355).
        for (const int y : {3000, 3354, 3355, 3699})
            EXPECT_EQ(r.count(0x000000, 100, y, 4900, y + 1), 4800) << y << " " << antialias;
        EXPECT_EQ(r.count(0x000000, 0, 2990, 5000, 2999), 0) << antialias;
        EXPECT_EQ(r.count(0x000000, 0, 3700, 5000, 3710), 0) << antialias;
    }
}

TEST(Bounds, FramesKeepToTheEdgesOfTheirRegion) {
    const auto r = render(named("framed-region").bytes);
    // The rectangle 0..900 x 40..50: three pixels of frame inside each edge.
    EXPECT_EQ(r.count(0x0000FF, 0, 40, 900, 43), 900 * 3);
    EXPECT_EQ(r.count(0x0000FF, 0, 47, 900, 50), 900 * 3);
    EXPECT_EQ(r.count(0x0000FF, 0, 43, 3, 47), 3 * 4);
    EXPECT_EQ(r.count(0x0000FF, 897, 43, 900, 47), 3 * 4);
    EXPECT_EQ(r.count(0xFFFFFF, 3, 43, 897, 47), 894 * 4);
    EXPECT_EQ(r.count(0x0000FF, 0, 50, 2000, 55), 0);
}

TEST(Bounds, FramesLookThroughGapsNarrowerThanTheFrame) {
    // Two rectangles three pixels apart framed four pixels wide, two high:
    // a pixel is framed unless the pixels four across and two up and down
    // are all in the region, so the gap's near edges show and 49 and 53 do not.
    const std::vector<int> region = {0, 6, 0, 0, 0, 1, 0, 0, 0, 100, 20, 4, 0, 20, 0, 50, 53, 100, 4};
    auto file = MetafileWriter::placeable(0, 0, 100, 40, 96).record(0x06FF, region).brush(0, 0xFF0000)
                    .record(0x0429, {0, 1, 2, 4});
    const auto r = render(file.bytes());
    std::string row;
    for (int x = 0; x < 100; ++x) row += r.at(x, 10) == 0x0000FF ? '#' : '.';
    EXPECT_EQ(row, std::string(4, '#') + std::string(42, '.') + "###" + "....." + "###" + std::string(39, '.') +
                       std::string(4, '#'));
    EXPECT_EQ(r.count(0x0000FF, 0, 0, 100, 2), 2 * 97);
}

TEST(Bounds, PatternsCutForSmallFillsKeepTheirPlace) {
    // A 64 x 64 pattern whose pixel (x, y) is red 4x, green 4y: fills smaller
    // than the pattern, one across its period, show it tiled from the origin.
    std::string dib;
    putU16(dib, 5);
    putU16(dib, 0);
    putU32(dib, 40);
    putU32(dib, 64);
    putU32(dib, static_cast<std::uint32_t>(-64));  // top-down
    putU16(dib, 1);
    putU16(dib, 24);
    dib += std::string(24, '\0');
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) dib += {'\0', static_cast<char>(4 * y), static_cast<char>(4 * x)};
    auto file = MetafileWriter::placeable(0, 0, 200, 200, 96).pen(5, 0, 0).select(0).recordBytes(0x0142, dib)
                    .select(1).rectangle(10, 10, 31, 31).rectangle(50, 120, 91, 141);
    for (const bool antialias : {false, true}) {
        const auto r = render(file.bytes(), antialias);
        int wrong = 0;
        for (const auto& [l, t, rr, b] : {std::array{12, 12, 28, 28}, std::array{52, 122, 88, 138}})
            for (int y = t; y < b; ++y)
                for (int x = l; x < rr; ++x)
                    wrong += r.at(x, y) != (static_cast<std::uint32_t>(4 * (x % 64)) << 16 | (4 * (y % 64)) << 8);
        EXPECT_EQ(wrong, 0) << antialias;
    }
}

TEST(Bounds, ClipRegionsKeepWhatAnOffsetCanBringIn) {
    // Regions are cut a picture's size beyond the picture: a clip reaching 60
    // pixels out to the left, moved 50 right, covers columns 0 to 89.
    const std::vector<int> region = {0, 6, 0, 0, 0, 1, 0, -60, 0, 40, 100, 2, 0, 100, -60, 40, 2};
    auto file = MetafileWriter::placeable(0, 0, 100, 100, 96).record(0x06FF, region).record(0x012C, {0})
                    .record(0x0220, {0, 50}).pen(5, 0, 0).select(1).brush(0, 0x0000FF).select(2)
                    .rectangle(0, 0, 101, 101);
    const auto r = render(file.bytes());
    EXPECT_EQ(r.count(0xFF0000, 0, 0, 90, 100), 90 * 100);
    EXPECT_EQ(r.count(0xFF0000, 90, 0, 100, 100), 0);
}

TEST(Bounds, EveryCorpusInputPlaysWithinLimits) {
    const std::filesystem::path corpus = PLOTVALE_FUZZ_CORPUS;
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        const std::string bytes = readFile(entry.path());
        ++inputs;
        for (const bool antialias : {false, true})
            for (const int dpi : {24, 96}) {
                const auto run = plotvale::test::runBounded(
                    [&] {
                        plotvale::wmf::RenderOptions options;
                        options.antialias = antialias;
                        options.dpi = dpi;
                        (void)plotvale::wmf::renderMetafile(bytes, options);
                    },
                    kSecondsPerRender);
                const std::string what = entry.path().filename().string() + (antialias ? " anti-aliased " : " aliased ") +
                                         std::to_string(dpi) + " DPI";
                EXPECT_TRUE(run.finished) << what << (run.timedOut ? ": out of time" : ": crashed");
                EXPECT_LE(run.peakKilobytes, kKilobytesPerRender) << what;
            }
    }
    EXPECT_GE(inputs, 5);
}
