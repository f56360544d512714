#include "cli/parameter_splitting.h"

#include <gtest/gtest.h>

using plotvale::cli::ParameterSplitting;
using Pieces = std::vector<std::string>;

TEST(ParameterSplitting, BlanksSeparateTabsDoNot) {
    EXPECT_EQ(ParameterSplitting("prog  -i   a.wmf\t-q"), (Pieces{"prog", "-i", "a.wmf\t-q"}));
    EXPECT_EQ(ParameterSplitting("   "), Pieces{});
    EXPECT_EQ(ParameterSplitting(""), Pieces{});
}

TEST(ParameterSplitting, QuotedPiecesLoseTheirQuotesAndEndAtTheClosingOne) {
    EXPECT_EQ(ParameterSplitting("\"c:\\my prog.exe\" -i \"c:\\my files\\a.wmf\""),
              (Pieces{"c:\\my prog.exe", "-i", "c:\\my files\\a.wmf"}));
    EXPECT_EQ(ParameterSplitting("p \"ab\"cd"), (Pieces{"p", "ab", "cd"}));
    EXPECT_EQ(ParameterSplitting("p \"open to the end"), (Pieces{"p", "open to the end"}));
    EXPECT_EQ(ParameterSplitting("p \""), (Pieces{"p", ""}));
}

TEST(ParameterSplitting, QuotesInsideAPieceKeepBlanksAndStay) {
    EXPECT_EQ(ParameterSplitting("p --input=\"c:\\my files\\a.wmf\" -q"),
              (Pieces{"p", "--input=\"c:\\my files\\a.wmf\"", "-q"}));
    EXPECT_EQ(ParameterSplitting("p --wm-text=\"a b\"c -q"),
              (Pieces{"p", "--wm-text=\"a b\"c", "-q"}));
    EXPECT_EQ(ParameterSplitting("p a\\\"b c"), (Pieces{"p", "a\\\"b c"}));  // no escapes
}
