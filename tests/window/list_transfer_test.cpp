// Exporting the list to a list file and importing it back, with the
// overwrite question and the bytes the batch run's own reader takes.

#include <gtest/gtest.h>

#include <QProgressBar>
#include <algorithm>
#include <fstream>
#include <sstream>

#include "support/sample_metafile.h"
#include "window/input_list.h"
#include "batch/list_transfer.h"
#include "window_test_support.h"

namespace plotvale::test {
namespace {

using window::Command;

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class ListTransfer : public ::testing::Test {
protected:
    TempFolder home;
    TempFolder pictures;
    WindowUnderTest ui{home};
    std::vector<std::string> paths;

    void SetUp() override {
        for (const char* name : {"one.wmf", "two.wmf", "three.wmf"}) {
            paths.push_back(pictures.write(name, sampleMetafile(20, 10)));
        }
        window::addInputFiles(*ui.session, ui.window->model(), paths);
    }
};

TEST_F(ListTransfer, ExportWritesMarkAndCrLfLinesThenImportReadsThemBack) {
    ui.prompts.chosenFile = QString::fromStdString(pictures.file("saved"));
    ui.window->run(Command::ExportList);
    EXPECT_EQ(ui.window->statusText(), "Export complete, entries saved: 3");
    const std::string list = pictures.file("saved.txt");
    EXPECT_EQ(contents(list), "\xEF\xBB\xBF" + paths[0] + "\r\n" + paths[1] + "\r\n" + paths[2] + "\r\n");
    EXPECT_EQ(batch::countLines(list), 3);

    // The same list again adds nothing new.
    ui.prompts.chosenFile = QString::fromStdString(list);
    ui.window->run(Command::ImportList);
    EXPECT_EQ(ui.window->statusText(), "Import complete, new files added: 0");

    ui.window->run(Command::New);
    ui.window->run(Command::ImportList);
    EXPECT_EQ(ui.window->statusText(), "Import complete, new files added: 3");
    EXPECT_EQ(ui.window->model().paths(), paths);
}

TEST_F(ListTransfer, AnExistingListIsReplacedOnlyAfterYes) {
    const std::string list = pictures.write("kept.lst", "old\r\n");
    ui.prompts.chosenFile = QString::fromStdString(list);
    ui.window->run(Command::ExportList);
    EXPECT_EQ(ui.prompts.questions.value(0), "The file already exist. Do you want to overwrite it?");
    EXPECT_EQ(contents(list), "old\r\n");
    ui.prompts.answers = {true};
    ui.window->run(Command::ExportList);
    EXPECT_EQ(contents(list).substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(ui.window->statusText(), "Export complete, entries saved: 3");
    // An empty file is replaced without a question.
    const std::string empty = pictures.write("empty.txt", "");
    ui.prompts.chosenFile = QString::fromStdString(empty);
    ui.window->run(Command::ExportList);
    EXPECT_EQ(ui.prompts.questions.size(), 2);
    EXPECT_EQ(contents(empty).size(), contents(list).size());
}

TEST_F(ListTransfer, EmptyListIsNotExportedAndMissingListNotImported) {
    ui.window->run(Command::New);
    ui.prompts.chosenFile = QString::fromStdString(pictures.file("never.txt"));
    ui.window->run(Command::ExportList);
    EXPECT_EQ(ui.prompts.warnings.value(0), "No input file(s) found. Please, add valid file(s) and try again!");
    EXPECT_FALSE(std::filesystem::exists(pictures.file("never.txt")));
    ui.window->run(Command::ImportList);
    EXPECT_EQ(ui.window->statusText(), "Ready");
}

TEST_F(ListTransfer, BreakingAnExportOffKeepsWhatWasWritten) {
    std::vector<std::string> many;
    for (int i = 0; i < 600000; ++i) many.push_back("/pictures/drawing-" + std::to_string(i) + ".wmf");
    ui.window->model().append(many);
    ui.prompts.chosenFile = QString::fromStdString(pictures.file("big.txt"));
    ui.prompts.answers = {true};
    bool asked = false;
    whileModal([&asked](QWidget* modal) {
        auto* bar = modal->findChild<QProgressBar*>();
        if (!asked && bar && bar->value() >= 1) {
            asked = true;
            modal->close();
        }
    });
    ui.window->run(Command::ExportList);
    stopWatchingModal();
    EXPECT_EQ(ui.prompts.questions.value(0), "Do you want to break the export?");
    EXPECT_EQ(ui.window->statusText(), "Export stopped");
    const std::string written = contents(pictures.file("big.txt"));
    EXPECT_EQ(written.substr(0, 3 + paths[0].size() + 2), "\xEF\xBB\xBF" + paths[0] + "\r\n");
    const auto lines = std::count(written.begin(), written.end(), '\n');
    EXPECT_GE(lines, 1);
    EXPECT_LT(lines, 600003);
}

}  // namespace
}  // namespace plotvale::test
