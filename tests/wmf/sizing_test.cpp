// Picture size and input forms: placeable and standard metafiles, gzip,
// and the pictures that must be refused.

#include <gtest/gtest.h>
#include <zlib.h>

#include "metafile_writer.h"
#include "render_helpers.h"

using namespace plotvale::testing;

TEST(Sizing, PlaceableBoxAtRequestedDpi) {
    EXPECT_EQ(render(MetafileWriter::placeable(0, 0, 1440, 720, 1440).bytes()).width(), 96);
    EXPECT_EQ(render(MetafileWriter::placeable(0, 0, 1440, 720, 1440).bytes()).height(), 48);
    const auto hiDpi = render(MetafileWriter::placeable(0, 0, 1440, 720, 1440).bytes(), false, 300);
    EXPECT_EQ(hiDpi.width(), 300);
    EXPECT_EQ(hiDpi.height(), 150);
}

TEST(Sizing, SignedHeaderWordsGiveTheSpan) {
    const auto r = render(MetafileWriter::placeable(-100, 50, 100, -50, 96).bytes());
    EXPECT_EQ(r.width(), 200);
    EXPECT_EQ(r.height(), 100);
}

TEST(Sizing, WhiteOpaqueBackground) {
    const auto r = render(MetafileWriter::placeable(0, 0, 10, 10, 96).bytes());
    ASSERT_TRUE(r.result.bitmap);
    EXPECT_EQ(FreeImage_GetBPP(r.result.bitmap.get()), 32u);
    EXPECT_EQ(r.countNot(0xFFFFFF), 0);
    EXPECT_EQ(FreeImage_GetScanLine(r.result.bitmap.get(), 0)[FI_RGBA_ALPHA], 255);
}

TEST(Sizing, RefusedPictures) {
    EXPECT_FALSE(render(MetafileWriter::placeable(0, 0, 100, 100, 0).bytes()).result.bitmap);    // Inch 0
    EXPECT_FALSE(render(MetafileWriter::placeable(0, 0, 0, 100, 96).bytes()).result.bitmap);     // empty
    EXPECT_FALSE(render(MetafileWriter::placeable(0, 0, 32767, 32767, 1).bytes()).result.bitmap); // > 1 GiB
    EXPECT_FALSE(render("").result.bitmap);
    EXPECT_FALSE(render("not a metafile at all, just text").result.bitmap);
    std::string emf(88, '\0');
    emf[0] = 1;
    EXPECT_FALSE(render(emf).result.bitmap);
}

// The placeable key must be followed by the 18-byte metafile header (type 1
// or 2, header size 9 words); the key alone or a damaged header is no picture.
TEST(Sizing, PlaceableKeyWithoutMetafileHeaderIsRefused) {
    EXPECT_FALSE(render(std::string("\xD7\xCD\xC6\x9A not really a picture\n")).result.bitmap);
    const std::string good = MetafileWriter::placeable(0, 0, 56, 17, 96).bytes();
    ASSERT_TRUE(render(good).result.bitmap);
    EXPECT_FALSE(render(good.substr(0, 22)).result.bitmap);       // key and bounds only
    EXPECT_FALSE(render(good.substr(0, 22 + 17)).result.bitmap);  // header cut short
    std::string wrongType = good;
    wrongType[22] = 3;
    EXPECT_FALSE(render(wrongType).result.bitmap);
    std::string wrongSize = good;
    wrongSize[24] = 8;
    EXPECT_FALSE(render(wrongSize).result.bitmap);
    std::string diskType = good;
    diskType[22] = 2;
    EXPECT_TRUE(render(diskType).result.bitmap);
    EXPECT_TRUE(render(good.substr(0, 22 + 18)).result.bitmap);   // header, no records
}

TEST(Sizing, StandardMetafileTakesWindowAndMapMode) {
    auto file = MetafileWriter::standard()
                    .record(0x0103, {2})            // MM_LOMETRIC: 254 per inch
                    .record(0x020B, {0, 0})         // window origin
                    .record(0x020C, {-127, 508})    // extent y up: half an inch by two
                    .brush(0, 0x0000FF)
                    .select(0)
                    .rectangle(0, 0, 254, -127);
    const auto r = render(file.bytes());
    EXPECT_EQ(r.width(), 192);
    EXPECT_EQ(r.height(), 48);
    EXPECT_EQ(r.at(10, 10), 0xFF0000u);  // BGR order of COLORREF: 0x0000FF is red
    EXPECT_EQ(r.at(150, 10), 0xFFFFFFu);
}

TEST(Sizing, StandardMetafileWithoutExtentUsesDrawnBounds) {
    auto file = MetafileWriter::standard().brush(0, 0).select(0).rectangle(10, 20, 50, 40);
    const auto r = render(file.bytes());
    EXPECT_EQ(r.width(), 41);
    EXPECT_EQ(r.height(), 21);
}

TEST(Sizing, GzipInputIsUnpacked) {
    const std::string plain = MetafileWriter::placeable(0, 0, 64, 32, 96).brush(0, 0).select(0).rectangle(0, 0, 32, 32).bytes();
    z_stream z{};
    ASSERT_EQ(deflateInit2(&z, 9, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY), Z_OK);
    std::string packed(plain.size() + 256, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(plain.data()));
    z.avail_in = static_cast<uInt>(plain.size());
    z.next_out = reinterpret_cast<Bytef*>(packed.data());
    z.avail_out = static_cast<uInt>(packed.size());
    ASSERT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
    packed.resize(z.total_out);
    deflateEnd(&z);
    const auto r = render(packed);
    EXPECT_EQ(r.width(), 64);
    EXPECT_EQ(r.at(10, 10), 0x000000u);
    EXPECT_FALSE(render(packed.substr(0, packed.size() / 2)).result.bitmap);
}
