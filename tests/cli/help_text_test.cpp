#include "cli/help_text.h"

#include <gtest/gtest.h>

#include "settings/message_table.h"

using namespace plotvale;

TEST(HelpText, NamesTheProgramAndColumnsAlign) {
    settings::buildMessageTable();
    size_t picks = 0;
    const auto lines = cli::helpLines("plotvalecmd", [&picks](size_t last) {
        ++picks;
        EXPECT_EQ(last, 0u);
        return last;
    });
    ASSERT_EQ(lines.size(), 38u);
    EXPECT_EQ(picks, 3u);
    EXPECT_EQ(lines[0], " ");
    EXPECT_EQ(lines[1], "Usage: plotvalecmd -i <filename> [options]");
    EXPECT_EQ(lines[3], "  plotvalecmd -i example.wmf");
    EXPECT_EQ(lines[8], "  plotvalecmd -i c:\\tmp\\ -o d:\\converted -c bmp --jpg-quality=95");
    EXPECT_EQ(lines[37], "  -v, --version             Display version information and exit");
    for (const std::string& line : lines) {
        if (line.rfind("  -", 0) == 0 || line.rfind("    ...", 0) == 0) {
            EXPECT_EQ(line.find_first_not_of(' ', line.find("  ", 3)), 28u) << line;
        }
    }
}
