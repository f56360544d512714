#include <gtest/gtest.h>

#include "settings/colour_names.h"
#include "settings/format_catalogue.h"
#include "settings/message_table.h"

using namespace plotvale::settings;

TEST(FormatCatalogue, OutputTableRowsInOrderWithCodesAndDepths) {
    struct Row {
        const char* key;
        int code;
        const char* depths;
    };
    const Row expected[] = {
        {"bmp", 0, "1,4,8,16,24,32"},
        {"dds", 0x437, "32"},
        {"exr", 29, "96"},
        {"gif", 25, "8"},
        {"hdr", 26, "96"},
        {"ico", 1, "1,4,8,16,24,32"},
        {"j2k", 30, "8,24,32,48"},
        {"jng", 3, "24,32"},
        {"jp2", 31, "8,24,32,48"},
        {"jpg", 2, "8,24"},
        {"jxr", 36, "1,8,16,24,32,48,96"},
        {"pbm", 7, "1"},
        {"pcx", 0x428, "24"},
        {"pfm", 32, "96"},
        {"pgm", 11, "8"},
        {"png", 13, "1,4,8,24,32,48"},
        {"ppm", 14, "24,48"},
        {"psd", 0x439, "32"},
        {"tga", 17, "8,16,24,32"},
        {"tiff", 18, "1,4,8,24,32,48,96"},
        {"wbmp", 19, "1"},
        {"webp", 35, "24,32"},
        {"xpm", 23, "24"},
    };
    ASSERT_EQ(OutputFormatTable().size(), std::size(expected));
    ASSERT_EQ(OutputFormatList().size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const OutputFormat& row = OutputFormatTable()[i];
        EXPECT_EQ(row.key, expected[i].key);
        EXPECT_EQ(OutputFormatList()[i], expected[i].key);
        EXPECT_EQ(row.code, expected[i].code) << row.key;
        EXPECT_EQ(row.allowedDepths, expected[i].depths) << row.key;
        const bool viaDevil = row.key == "dds" || row.key == "pcx" || row.key == "psd";
        EXPECT_EQ(row.encoder == Encoder::DevIL, viaDevil) << row.key;
    }
    EXPECT_EQ(findOutputFormat("jpg")->description, "JPEG File Format");
    EXPECT_EQ(findOutputFormat("jpg")->settingKeys,
              (std::vector<std::string>{"JPG BPP", "JPG Quality", "JPG Chroma", "JPG Save As"}));
}

TEST(FormatCatalogue, LookupsAreExactAndCaseSensitive) {
    EXPECT_EQ(findOutputFormat("JPG"), nullptr);
    EXPECT_EQ(findOutputFormat("jpeg"), nullptr);
    EXPECT_EQ(findOutputFormat("tif"), nullptr);
    EXPECT_NE(findInputFormat("jpeg"), nullptr);
    EXPECT_EQ(findInputFormat("WMF"), nullptr);
}

TEST(FormatCatalogue, DepthCheck) {
    EXPECT_TRUE(isDepthAllowed(*findOutputFormat("pcx"), 0));
    EXPECT_TRUE(isDepthAllowed(*findOutputFormat("pcx"), 24));
    EXPECT_FALSE(isDepthAllowed(*findOutputFormat("png"), 16));
    EXPECT_FALSE(isDepthAllowed(*findOutputFormat("jpg"), 32));
    EXPECT_TRUE(isDepthAllowed(*findOutputFormat("tiff"), 96));
    EXPECT_FALSE(isDepthAllowed(*findOutputFormat("bmp"), 2));
}

TEST(FormatCatalogue, InputTableFamiliesAndOwnDescriptions) {
    EXPECT_EQ(InputFormatTable().size(), 79u);
    EXPECT_EQ(InputFormatList(), std::vector<std::string>{"wmf"});
    const InputFormat* apm = findInputFormat("apm");
    ASSERT_NE(apm, nullptr);
    EXPECT_EQ(apm->canonical, "wmf");
    EXPECT_EQ(apm->description, "Aldus Placeable Metafile");
    EXPECT_EQ(findInputFormat("wmz")->description, "Windows Metafile Format");
    EXPECT_EQ(findInputFormat("tif")->canonical, "tiff");
    EXPECT_EQ(findInputFormat("raw1")->description, "Camera RAW Image");
    EXPECT_EQ(findInputFormat("sr2")->description, "Camera RAW Image");
    EXPECT_EQ(findInputFormat("srf")->description, "Sony Camera RAW Image");
    EXPECT_EQ(findInputFormat("rwl")->canonical, "raw");
    EXPECT_EQ(findInputFormat("emz")->canonical, "emf");
    EXPECT_EQ(SupportedInputExtensions(), (std::vector<std::string>{"wmf", "wmz", "apm"}));
}

TEST(ColourNames, KnownColoursByNameOthersByCode) {
    buildMessageTable();
    EXPECT_EQ(ColourNameTable().size(), 19u);
    EXPECT_EQ(colourDisplayName("ff0000"), "Red");
    EXPECT_EQ(colourDisplayName("FF8000"), "Orange");
    EXPECT_EQ(colourDisplayName("12ab34"), "Color #12AB34");
}
