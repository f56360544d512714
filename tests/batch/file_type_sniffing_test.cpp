#include "batch/file_type_sniffing.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

using plotvale::batch::sniffFileType;

class Sniffing : public ::testing::Test {
protected:
    std::string sniff(const std::string& bytes) { return sniffFileType(folder.write("f", bytes)); }
    plotvale::test::TempFolder folder;
};

TEST_F(Sniffing, SignatureFamilies) {
    using namespace std::string_literals;
    EXPECT_EQ(sniff("\xD7\xCD\xC6\x9A\x00\x00rest of a placeable metafile"s), "WMF");
    EXPECT_EQ(sniff("\x01\x00\x00\x00 enhanced"s), "[ERROR] UNRECOGNIZED");
    EXPECT_EQ(sniff("\x1F\x8B\x08\x00"s), "GZ");
    EXPECT_EQ(sniff("\xFF\xFB\x90"s), "MP3");
    EXPECT_EQ(sniff("\x60\xEA"s), "ARJ");
    EXPECT_EQ(sniff("FLV\x01"s), "FLV");
    EXPECT_EQ(sniff("ID3\x03"s), "MP3/ID3V2");
    EXPECT_EQ(sniff("\x00\x00\x01\x00\x01\x00"s), "ICO");
    EXPECT_EQ(sniff("II*\x00\x10\x00\x00\x00"
                    "CR\x02"s),
              "CR2");  // later row wins
    EXPECT_EQ(sniff("II*\x00\x08\x00\x00\x00"s), "TIFF (LE)");
    EXPECT_EQ(sniff("RIFF\x10\x00\x00\x00WEBPVP8 "s), "WEBP");
    EXPECT_EQ(sniff("AT&TFORM\x00\x00\x00\x00"
                    "DJVU"s),
              "DJVU");
    EXPECT_EQ(sniff("Rar!\x1A\x07\x01\x00"s), "RAR (5.0+)");
    EXPECT_EQ(sniff("Rar!\x1A\x07\x00"s), "RAR (1.5+)");
    EXPECT_EQ(sniff("\x89PNG\r\n\x1A\n"s), "PNG");
    EXPECT_EQ(sniff("\xFF\xD8\xFF\xE1\x00\x10"
                    "Exif\x00\x00"s),
              "JPEG/EXIF");
    EXPECT_EQ(sniff("\xFF\xD8\xFF\xE1\x00\x10"
                    "Exif\x00\x01"s),
              "[ERROR] UNRECOGNIZED");
}

TEST_F(Sniffing, ShortEmptyAndMissingFiles) {
    using namespace std::string_literals;
    EXPECT_EQ(sniff("BM\x00"s), "BMP");
    EXPECT_EQ(sniff("\x89PN"s), "[ERROR] UNRECOGNIZED");
    EXPECT_EQ(sniff(""), "[ERROR] UNRECOGNIZED");
    EXPECT_EQ(sniffFileType(folder.file("missing")), "[ERROR] UNRECOGNIZED");
    EXPECT_EQ(sniffFileType(folder.path().string()), "[ERROR] UNRECOGNIZED");
}
