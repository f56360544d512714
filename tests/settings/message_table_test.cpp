#include "settings/message_table.h"

#include <gtest/gtest.h>

using namespace plotvale::settings;

class BuiltinMessages : public ::testing::Test {
protected:
    void SetUp() override { buildMessageTable(); }
};

TEST_F(BuiltinMessages, LookupsIgnoreCaseOnBothSides) {
    EXPECT_EQ(getText("msg", "ask overwrite file"),
              "The file already exist. Do you want to overwrite it?");
    EXPECT_EQ(getText("Preferences", "Check For Updates"), "Check for Updates:");
    EXPECT_EQ(getText("Msg", "Check for Updates"), "Check for Updates");
    EXPECT_EQ(getText("Uninstall", "Uninstall Text"), "Full Uninstall - Visit Uninstall Center");
    EXPECT_EQ(getText("Menu", "Select Input File"), "Add Input File...");
    EXPECT_EQ(getText("Preferences", "Medium"), "Medium");
    EXPECT_EQ(getText("Preferences", "Catmullrom"), "Catmull-Rom Spline");
    EXPECT_EQ(getText("Msg", "Invalid output folder"),
              "The following output folder is invalid or doesn't exist:\r\n%s1%\r\n\r\n"
              "Please, correct the output path and try again!");
}

TEST_F(BuiltinMessages, MissingGroupOrKeyThenRecovery) {
    EXPECT_EQ(getText("Nowhere", "File"), "%NO_STRING_ERROR%");
    EXPECT_EQ(getText("Menu", "File"), "File");  // the cached group was reset
    // Sorts between "Exit" and "Export Input Files": the scan stops early.
    EXPECT_EQ(getText("Menu", "Exp"), "%NO_STRING_ERROR%");
    EXPECT_EQ(getText("Menu", "Zzz"), "%NO_STRING_ERROR%");
    EXPECT_EQ(getText("Menu", ""), "%NO_STRING_ERROR%");
    EXPECT_EQ(getText("Menu", "\xC3\xA9t\xC3\xA9"), "%NO_STRING_ERROR%");
}

TEST(MessageTable, GroupsSortedKeysAndDuplicates) {
    MessageTable table;
    table.build({{"orphan", "never found"},
                 {"_group_", "one"},
                 {"b", "second b"},
                 {"B", "first b"},
                 {"a", "A"},
                 {"_GROUP_", "empty"},
                 {"_GROUP_", "two"},
                 {"a", "two-a"},
                 {"_END_", ""},
                 {"after", "ignored"}});
    EXPECT_EQ(table.getText("ONE", "b"), "first b");  // equal keys ordered by text
    EXPECT_EQ(table.getText("one", "a"), "A");
    EXPECT_EQ(table.getText("two", "a"), "two-a");
    EXPECT_EQ(table.getText("empty", "a"), "%NO_STRING_ERROR%");
    EXPECT_EQ(table.getText("two", "after"), "%NO_STRING_ERROR%");
    EXPECT_EQ(table.getText("", "orphan"), "%NO_STRING_ERROR%");
}

TEST(FillPlaceholders, ReplacesInOrderAnyCaseKeepsEmptyOnes) {
    buildMessageTable();
    const std::string text = getText("Msg", "Files converted");
    EXPECT_EQ(fillPlaceholders(text, "3", "10"), "Files converted: 3 of 10");
    EXPECT_EQ(fillPlaceholders(text, "3", ""), "Files converted: 3 of %s2%");
    EXPECT_EQ(fillPlaceholders("%S1%-%s1%", "x"), "x-x");
    EXPECT_EQ(fillPlaceholders("%s1%", "%s2%", "y"), "y");  // later arguments see earlier ones
    EXPECT_EQ(fillPlaceholders("", "x"), "");
    EXPECT_EQ(fillPlaceholders("%s4%%s3%", "", "", "c", "d"), "dc");
}
