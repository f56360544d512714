#include "cli/option_text.h"

#include <gtest/gtest.h>

#include "settings/keyword_sets.h"

using namespace plotvale::cli;
using namespace plotvale::settings;

TEST(OptionText, NamesAndValues) {
    EXPECT_EQ(optionName("  --JPG-Quality=90 "), "--JPG-QUALITY");
    EXPECT_EQ(optionName("-i"), "-I");
    EXPECT_EQ(optionName("-i=x"), "-I=X");
    EXPECT_EQ(optionName("file.wmf"), "");
    EXPECT_EQ(optionValue("--wm-text=a=b"), "a=b");
    EXPECT_EQ(optionValue("--width"), "--width");
    EXPECT_EQ(optionValue(" -i "), "-i");
    EXPECT_EQ(optionValue("--wm-text= Abc"), " Abc");
}

TEST(OptionText, NumberReading) {
    EXPECT_EQ(readNumber("95"), 95);
    EXPECT_EQ(readNumber("95%"), 95);
    EXPECT_EQ(readNumber(" \t95"), 95);
    EXPECT_EQ(readNumber("95abc"), 95);
    EXPECT_EQ(readNumber("abc"), 0);
    EXPECT_EQ(readNumber("$FF"), 255);
    EXPECT_EQ(readNumber("$5f"), 95);
    EXPECT_EQ(readNumber("-$10"), -16);
    EXPECT_EQ(readNumber("%101"), 5);
    EXPECT_EQ(readNumber("%102"), 2);
    EXPECT_EQ(readNumber("+7"), 7);
    EXPECT_EQ(readNumber("-5"), -5);
    EXPECT_EQ(readNumber("$"), 0);
    EXPECT_EQ(static_cast<int32_t>(readNumber("4294967297")), 1);  // low 32 bits
    EXPECT_NO_FATAL_FAILURE(readNumber(std::string(5000, '9')));
}

TEST(OptionText, QuoteJoiningConsumesParameters) {
    const std::vector<std::string> params = {"--wm-text=\"a b\"c", "-q", "x\"", "--later"};
    size_t position = 0;
    EXPECT_EQ(joinQuotedValue("\"a b\"c", params, position), "\"a b\"c -q x\"");
    EXPECT_EQ(position, 2u);
    position = 0;
    EXPECT_EQ(joinQuotedValue("plain", params, position), "plain");
    EXPECT_EQ(position, 0u);
    const std::vector<std::string> open = {"-i", "\"never closed", "--wm-text=tail"};
    position = 1;
    EXPECT_EQ(joinQuotedValue("\"never closed", open, position), "\"never closed tail");
    EXPECT_EQ(position, 2u);
    EXPECT_EQ(stripQuotes("\"\"a \"b\"\""), "a \"b");
}

TEST(KeywordSets, LookupIgnoresCaseAndBlanksUnknownIsZero) {
    EXPECT_EQ(lookupKeyword(KeywordSet::Dither, " bayer8 "), 2);
    EXPECT_EQ(lookupKeyword(KeywordSet::Dither, "xyz"), 0);
    EXPECT_EQ(lookupKeyword(KeywordSet::Compression, "LZW"), 6);
    EXPECT_EQ(lookupKeyword(KeywordSet::Compression, "zip"), 1);
    EXPECT_EQ(lookupKeyword(KeywordSet::RawLoad, "48hs"), 4);
    EXPECT_EQ(lookupKeyword(KeywordSet::FontEffect, "strikethrought"), 2);
    EXPECT_EQ(lookupKeyword(KeywordSet::Size, "anything"), 0);
    EXPECT_EQ(lookupKeyword(KeywordSet::OnOff, "on"), 1);
    EXPECT_EQ(keywordForCode(KeywordSet::Position, 8), "BOTTOMRIGHT");
    EXPECT_EQ(keywordForCode(KeywordSet::Compression, 1), "RLE");
    EXPECT_EQ(keywordForCode(KeywordSet::Unit, 7), "");
}
