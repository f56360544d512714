// Malformed and hostile metafiles: no crash, no hang, bounded memory, and
// the picture that can be drawn is drawn.

#include <gtest/gtest.h>

#include "metafile_writer.h"
#include "render_helpers.h"

using namespace plotvale::testing;

namespace {
MetafileWriter picture() { return MetafileWriter::placeable(0, 0, 100, 100, 96); }
}  // namespace

TEST(Robustness, TruncatedFilesRenderWhatTheyHold) {
    const std::string full = picture().brush(0, 0x0000FF).select(0).rectangle(0, 0, 50, 50)
                                 .record(0x0324, {3, 0, 0, 90, 90, 0, 90}).bytes();
    for (std::size_t cut = 40; cut < full.size(); ++cut) {
        const auto r = render(full.substr(0, cut));
        EXPECT_EQ(r.width(), 100) << cut;
    }
    EXPECT_EQ(render(full.substr(0, full.size() - 10)).at(10, 10), 0xFF0000u);
}

TEST(Robustness, RecordSizesZeroAndHuge) {
    std::string zero, huge;
    putU32(zero, 0);
    putU16(zero, 0x041B);
    putU32(huge, 0xFFFFFFFFu);
    putU16(huge, 0x041B);
    const auto a = render(picture().brush(0, 0x0000FF).select(0).rectangle(0, 0, 50, 50).raw(zero).bytes());
    EXPECT_EQ(a.at(10, 10), 0xFF0000u);
    const auto b = render(picture().brush(0, 0x0000FF).select(0).rectangle(0, 0, 50, 50).raw(huge).bytes());
    EXPECT_EQ(b.at(10, 10), 0xFF0000u);
}

TEST(Robustness, CountsLargerThanTheRecord) {
    auto file = picture()
                    .record(0x0324, {32767, 1, 2})               // polygon claiming 32767 points
                    .record(0x0538, {30000, 5, 5})               // poly-polygon with absurd counts
                    .record(0x0A32, {10, 10, 30000, 6})          // text longer than the record
                    .record(0x0521, {30000})                     // TEXTOUT likewise
                    .record(0x06FF, {0, 6, 0, 0, 0, 30000, 0, 0, 0, 0, 0})  // region with 30000 scans, none present
                    .record(0x0F43, {0x20, 0xCC, 0, 10, 10, 0, 0, 10, 10, 0, 0, 40, 0})  // DIB header only
                    .record(0x0940, {0x20, 0xCC, 0, 0, 10, 10, 0, 0})  // short DIBBITBLT
                    .record(0x0626, {21, 4000});                 // escape with a long claimed payload
    EXPECT_EQ(render(file.bytes()).width(), 100);
}

TEST(Robustness, HugeButValidPolygon) {
    std::vector<int> words = {32767};
    for (int i = 0; i < 32767; ++i) {
        words.push_back((i * 37) % 100);
        words.push_back((i * 91) % 100);
    }
    const auto r = render(picture().brush(0, 0).select(0).record(0x0324, words).bytes());
    EXPECT_EQ(r.width(), 100);
}

TEST(Robustness, SelfCrossingPolygonWithAWidePenInBothModes) {
    // 16383 edges criss-crossing the picture: far more row crossings than
    // exact spans are built for, so both modes hand it to Cairo's aliased
    // rasteriser, whose time and memory do not grow with the crossings.
    std::vector<int> words = {16383};
    for (int i = 0; i < 16383; ++i) {
        words.push_back(static_cast<int>(i * 7919LL % 300));
        words.push_back(static_cast<int>(i * 104729LL % 300));
    }
    const auto file = MetafileWriter::placeable(0, 0, 300, 300, 96).pen(0, 9, 0x0000FF).select(0)
                          .brush(0, 0x00FF00).select(1).record(0x0324, words).bytes();
    for (const bool antialias : {false, true}) {
        const auto r = render(file, antialias);
        EXPECT_GT(r.count(0xFF0000, 0, 0, 300, 300), 10000) << antialias;
    }
}

TEST(Robustness, ObjectIndicesOutOfRange) {
    auto file = picture().select(65535).remove(65535).record(0x0228, {500, 600}).record(0x012C, {999})
                    .record(0x0234, {12345}).brush(0, 0x0000FF).select(0).rectangle(0, 0, 10, 10);
    EXPECT_EQ(render(file.bytes()).at(5, 5), 0xFF0000u);
}

TEST(Robustness, ManySavesAndRestores) {
    auto file = picture();
    for (int i = 0; i < 65535; ++i) file.record(0x001E, {});
    file.record(0x0127, {-70000 % 32768}).record(0x0127, {30000}).record(0x0127, {-1}).record(0x0127, {0});
    file.brush(0, 0x0000FF).select(0).rectangle(0, 0, 10, 10);
    EXPECT_EQ(render(file.bytes()).at(5, 5), 0xFF0000u);
}

TEST(Robustness, ObjectTableFillsUpWithoutHarm) {
    auto file = picture();
    for (int i = 0; i < 70000; ++i) file.brush(0, 0);
    EXPECT_EQ(render(file.bytes()).width(), 100);
}

TEST(Robustness, FloodFillOfTheWholePicture) {
    auto file = MetafileWriter::placeable(0, 0, 1000, 1000, 96).brush(0, 0x0000FF).select(0)
                    .record(0x0548, {1, 0xFFFF, 0x00FF, 500, 500});  // surface fill of white
    const auto r = render(file.bytes());
    EXPECT_EQ(r.count(0xFF0000, 0, 0, 1000, 1000), 1000 * 1000);
}

TEST(Robustness, ZeroWindowExtentIsIgnored) {
    auto file = picture().record(0x020C, {0, 0}).record(0x0410, {0, 0, 0, 0})
                    .brush(0, 0x0000FF).select(0).rectangle(0, 0, 10, 10);
    EXPECT_EQ(render(file.bytes()).at(5, 5), 0xFF0000u);
}

TEST(Robustness, RandomBytesAfterAValidHeader) {
    std::uint32_t seed = 12345;
    for (int round = 0; round < 200; ++round) {
        std::string noise;
        for (int i = 0; i < 400; ++i) {
            seed = seed * 1103515245u + 12345u;
            noise.push_back(static_cast<char>(seed >> 16));
        }
        // Keep record sizes plausible so the records are played rather than rejected.
        for (std::size_t i = 0; i + 6 < noise.size(); i += 24) {
            noise[i] = static_cast<char>(12);
            noise[i + 1] = noise[i + 2] = noise[i + 3] = 0;
        }
        EXPECT_EQ(render(picture().raw(noise).bytes()).width(), 100);
    }
}

TEST(Robustness, OverlappingRegionScansActOnce) {
    // 8000 scans that all cover the whole picture: inverting must happen once,
    // and clipping, filling and framing with such a region must stay fast.
    std::vector<int> region = {0, 6, 0, 0, 0, 8000, 0, 0, 0, 100, 100};
    for (int i = 0; i < 8000; ++i) {
        for (int v : {2, 0, 100, 0, 100, 2}) region.push_back(v);
    }
    auto file = picture().record(0x06FF, region).brush(0, 0x0000FF)
                    .record(0x012A, {0})                                  // INVERTREGION: white to black
                    .record(0x012C, {0})                                  // clip to it
                    .record(0x0429, {0, 1, 3, 3})                         // FRAMEREGION
                    .record(0x0228, {0, 1})                               // FILLREGION
                    .record(0x061D, {0x0009, 0x0055, 100, 100, 0, 0});    // DSTINVERT through the clip
    const auto r = render(file.bytes());
    EXPECT_EQ(r.at(50, 50), 0x00FFFFu);  // red fill inverted once
}

TEST(Robustness, RegionClaimingAMillionScans) {
    std::vector<int> region = {0, 6, 0, 0, 0, 0x7FFF, 0, 0, 0, 100, 100};
    for (int i = 0; i < 3000; ++i) {
        for (int v : {2, i % 100, i % 100 + 1, 0, 100, 2}) region.push_back(v);
    }
    auto file = picture().record(0x06FF, region).brush(0, 0x0000FF).record(0x0228, {0, 1});
    EXPECT_EQ(render(file.bytes()).at(50, 50), 0xFF0000u);
}

TEST(Robustness, HugeCurvesWithExactPixelPens) {
    // Ten pixels a unit: ellipses and pies far larger than the picture, with
    // the one- and two-pixel pens whose pixels are worked out one by one.
    for (const int pen : {1, 0}) {
        auto file = picture().record(0x020C, {10, 10}).pen(0, pen, 0).select(0).brush(0, 0x0000FF)
                        .select(1)
                        .record(0x0418, {1500, 1500, -1500, -1500})
                        .record(0x0418, {32000, 32000, -32000, -32000})
                        .record(0x081A, {-1500, 0, 1500, 0, 1500, 1500, -1500, -1500});
        if (pen == 0) file.pen(0, 0, 0);
        const auto r = render(file.bytes());
        EXPECT_EQ(r.width(), 100);
    }
    // A tenth of a pixel a unit: a two-pixel pen on curves 6400 pixels across.
    auto wide = picture().record(0x020C, {1000, 1000}).pen(0, 20, 0).select(0)
                    .brush(0, 0x0000FF).select(1)
                    .record(0x0418, {32000, 32000, -32000, -32000})
                    .record(0x081A, {-32000, 0, 32000, 0, 32000, 32000, -32000, -32000})
                    .record(0x0830, {-32000, 0, 32000, 0, 32000, 32000, -32000, -32000});
    EXPECT_EQ(render(wide.bytes()).at(5, 5), 0xFF0000u);
}
