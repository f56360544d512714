#include "settings/settings_syntax.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace plotvale::settings;

TEST(SettingsSyntax, GroupsEntriesCommentsAndLineEnds) {
    const auto doc = SettingsDocument::parse(
        "\xEF\xBB\xBF\r\n[General]\r\nCFG = 19\r\n; comment = 1\n  [Output] trailing\r"
        "jpg quality\t=  80 \t\nBroken line without equals\nPNG BPP=\n[output]\nJPG Quality=1\n"
        "[Open");
    EXPECT_EQ(doc.value("general", "cfg"), "19");
    EXPECT_EQ(doc.value("OUTPUT", "JPG Quality"), "80");  // first group of the name only
    EXPECT_EQ(doc.value("Output", "PNG BPP"), "");
    EXPECT_EQ(doc.value("General", "; comment"), std::nullopt);
    EXPECT_EQ(doc.value("Missing", "CFG"), std::nullopt);
    EXPECT_EQ(doc.entries("Output").size(), 2u);
    EXPECT_TRUE(doc.entries("Open").empty());
}

TEST(SettingsSyntax, Utf8WithMarkOrValidLatin1Otherwise) {
    EXPECT_EQ(SettingsDocument::parse("[a]\nk=caf\xE9").value("a", "k"), "caf\xC3\xA9");
    EXPECT_EQ(SettingsDocument::parse("[a]\nk=caf\xC3\xA9").value("a", "k"), "caf\xC3\xA9");
    EXPECT_EQ(SettingsDocument::parse("\xEF\xBB\xBF[a]\nk=caf\xC3\xA9").value("a", "k"),
              "caf\xC3\xA9");
}

TEST(SettingsSyntax, GarbageNeitherFailsNorLosesNeighbours) {
    std::string bytes = "[CLI]\nfirst=1\n";
    for (int i = 0; i < 4096; ++i) bytes += static_cast<char>((i * 7919) & 0xFF);
    bytes += "\n[CLI2]\nlast=2\n";
    const auto doc = SettingsDocument::parse(bytes);
    EXPECT_EQ(doc.value("CLI", "first"), "1");
    EXPECT_EQ(doc.value("CLI2", "last"), "2");
}

TEST(ValueForms, IntegersAndDecimals) {
    EXPECT_EQ(readSettingsInteger("  -42abc"), -42);
    EXPECT_EQ(readSettingsInteger("abc"), 0);
    EXPECT_EQ(readSettingsInteger(""), 0);
    EXPECT_EQ(readDecimal("1.5"), 1.5f);
    EXPECT_EQ(readDecimal("1,5"), 1.0f);
    EXPECT_EQ(readDecimal(" +2.5e1x"), 25.0f);
    EXPECT_EQ(readDecimal("x"), 0.0f);
    EXPECT_EQ(readDecimal("1e999"), std::numeric_limits<float>::infinity());
    EXPECT_EQ(readDecimal("+infinity"), std::numeric_limits<float>::infinity());
    EXPECT_EQ(readDecimal("-INFINITY"), -std::numeric_limits<float>::infinity());
    EXPECT_TRUE(std::isnan(readDecimal("nan")));
    EXPECT_EQ(formatDecimal(1.0f), "1.000000");
    EXPECT_EQ(formatDecimal(1.5f), "1.500000");
    EXPECT_EQ(formatDecimal(-std::numeric_limits<float>::infinity()), "-Infinity");
    EXPECT_EQ(formatDecimal(std::numeric_limits<float>::quiet_NaN()), "NaN");
}
