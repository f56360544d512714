// The man page and the shell completions are written by hand; these tests
// catch an option or keyword that the option table has and they lack.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/option_table.h"
#include "settings/keyword_sets.h"

using namespace plotvale;

namespace {

std::string readData(const std::string& name) {
    std::ifstream file(std::string(PLOTVALE_DATA_DIR) + "/" + name, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The man page as a reader sees it: roff's "\-" is a plain hyphen.
std::string manPageText() {
    std::string page = readData("plotvale.1");
    for (size_t at = page.find("\\-"); at != std::string::npos; at = page.find("\\-", at)) {
        page.erase(at, 1);
    }
    return page;
}

bool holdsWord(const std::string& text, std::string_view word) {
    const auto isNamePart = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '-';
    };
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
        const size_t end = at + word.size();
        if ((at == 0 || !isNamePart(text[at - 1])) &&
            (end == text.size() || !isNamePart(text[end])))
            return true;
    }
    return false;
}

void expectEveryOptionAndKeyword(const std::string& document, const std::string& name) {
    for (const cli::OptionSpec& option : cli::optionTable()) {
        EXPECT_TRUE(holdsWord(document, option.longName)) << name << " lacks " << option.longName;
        if (!option.shortName.empty()) {
            EXPECT_TRUE(holdsWord(document, option.shortName))
                << name << " lacks " << option.shortName;
        }
        if (!option.keywords) continue;
        for (std::string_view keyword : settings::keywordsIn(*option.keywords)) {
            EXPECT_TRUE(holdsWord(document, keyword))
                << name << " lacks " << keyword << " of " << option.longName;
        }
    }
}

}  // namespace

TEST(Documentation, ManPageNamesEveryOptionAndKeyword) {
    const std::string page = manPageText();
    ASSERT_FALSE(page.empty());
    expectEveryOptionAndKeyword(page, "plotvale.1");
    for (const char* section : {".SH \"EXIT STATUS\"", ".SH \"PROFILE FILES\"", ".SH EXAMPLES"}) {
        EXPECT_NE(page.find(section), std::string::npos) << section;
    }
}

TEST(Documentation, CompletionsOfferEveryOptionAndKeyword) {
    expectEveryOptionAndKeyword(readData("completions/plotvale.bash"), "plotvale.bash");
    expectEveryOptionAndKeyword(readData("completions/_plotvale"), "_plotvale");
}
