// The conversion command: each check and its warning, a whole conversion
// under the progress window, and one broken off.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <filesystem>

#include "support/sample_metafile.h"
#include "window/input_list.h"
#include "window_test_support.h"

namespace plotvale::test {
namespace {

using window::Command;

class Conversion : public ::testing::Test {
protected:
    TempFolder home;
    TempFolder pictures;
    TempFolder output;
    WindowUnderTest ui{home};

    void addPictures(int count, int16_t size) {
        std::vector<std::string> paths;
        for (int i = 0; i < count; ++i) {
            paths.push_back(pictures.write("p" + std::to_string(i) + ".wmf", sampleMetafile(size, size)));
        }
        window::addInputFiles(*ui.session, ui.window->model(), paths);
    }

    void chooseFormat(const QString& key) {
        ui.window->formatBox()->setCurrentIndex(ui.window->formatBox()->findData(key));
    }

    size_t outputCount() const {
        size_t count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(output.path())) count += entry.is_regular_file();
        return count;
    }

    // The texts of the progress window's labels when the stage has ended.
    QStringList convertAndPressOk() {
        QStringList texts;
        whileModal([&texts](QWidget* modal) {
            auto* button = modal->findChild<QPushButton*>();
            const auto labels = modal->findChildren<QLabel*>();
            if (!button || labels.size() < 2 || !labels[1]->text().startsWith("Files converted")) return;
            texts = {modal->windowTitle(), labels[0]->text(), labels[1]->text()};
            button->click();
        });
        ui.window->run(Command::Convert);
        stopWatchingModal();
        return texts;
    }

    QString warningFor(const std::function<void()>& arrange) {
        ui.prompts.warnings.clear();
        arrange();
        ui.window->run(Command::Convert);
        EXPECT_EQ(ui.window->statusText(), "Conversion stopped");
        return ui.prompts.warnings.value(0);
    }
};

TEST_F(Conversion, EachCheckShowsItsWarningAndCreatesNothing) {
    EXPECT_EQ(warningFor([] {}), "No input file(s) found. Please, add valid file(s) and try again!");
    addPictures(1, 20);
    EXPECT_EQ(warningFor([this] { ui.window->setOutputFolder(""); }),
              "The output folder's field is empty. Please, select existed output folder and try again!");
    const std::string missing = output.file("not-there");
    EXPECT_EQ(warningFor([&] { ui.window->setOutputFolder(QString::fromStdString(missing)); }),
              QString::fromStdString("The following output folder is invalid or doesn't exist:\r\n" + missing +
                                     "/\r\n\r\nPlease, correct the output path and try again!"));
    EXPECT_FALSE(std::filesystem::exists(missing));

    ui.window->setOutputFolder(QString::fromStdString(output.path().string()));
    auto& settings = ui.session->settings;
    settings.transform.doImageResize = 1;
    settings.transform.imageHeight = 5;
    EXPECT_EQ(warningFor([] {}), "Invalid resize width value!");
    settings.transform.imageWidth = 5;
    settings.transform.imageHeight = 0;
    EXPECT_EQ(warningFor([] {}), "Invalid resize height value!");
    settings.transform.doImageResize = 0;
    settings.watermark.doWatermark = 2;
    EXPECT_EQ(warningFor([] {}), "Selected watermark image is invalid/empty!");
    settings.watermark.image = pictures.file("nothing.png");
    EXPECT_EQ(warningFor([] {}), QString::fromStdString("Unable to load selected file as a watermark image: " +
                                                        settings.watermark.image));
    settings.watermark.doWatermark = 0;
    settings.adjustment.doImageColorCorrection = 1;
    settings.adjustment.imageBrightness = 300;  // beyond what the batch run accepts
    EXPECT_EQ(warningFor([] {}), "Invalid brightness value");
    EXPECT_EQ(outputCount(), 0u);
}

TEST_F(Conversion, ConvertsEveryFileAndShowsTheOutcome) {
    addPictures(3, 24);
    ui.window->setOutputFolder(QString::fromStdString(output.path().string()));
    chooseFormat("png");
    const QStringList texts = convertAndPressOk();
    ASSERT_EQ(texts.size(), 3);
    EXPECT_EQ(texts[0], "Conversion complete (3/3)");
    EXPECT_EQ(texts[1], "Conversion complete");
    EXPECT_EQ(texts[2], "Files converted: 3 of 3");
    EXPECT_EQ(ui.window->statusText(), "Conversion complete");
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(std::filesystem::exists(output.file("p" + std::to_string(i) + ".png")));
    }
    // The folder used enters the recent folders.
    EXPECT_EQ(ui.session->settings.file.recentOutFolders, output.path().string() + "/");
    EXPECT_EQ(ui.session->settings.output.format, "png");
}

TEST_F(Conversion, BreakingOffAfterTheFirstFileStopsTheRest) {
    // Enough pictures that the run outlasts the first look at its progress
    // window with every core converting, even on a busy machine whose test
    // thread gets little time (a run of 40 could end before the first look).
    constexpr int Files = 200;
    addPictures(Files, 1000);
    ui.window->setOutputFolder(QString::fromStdString(output.path().string()));
    chooseFormat("bmp");
    ui.prompts.answers = {false, true};  // "no" goes on, "yes" breaks off
    QStringList texts;
    int closes = 0;
    whileModal([&](QWidget* modal) {
        auto* bar = modal->findChild<QProgressBar*>();
        const auto labels = modal->findChildren<QLabel*>();
        if (labels.size() >= 2 && labels[1]->text().startsWith("Files converted")) {
            texts = {modal->windowTitle(), labels[0]->text(), labels[1]->text()};
            modal->close();
        } else if (bar && bar->value() >= 1 && closes == 0) {  // the first file is done
            // Both closes at once, so that a slow test thread cannot let the
            // conversion end between them.
            closes = 2;
            modal->close();
            modal->close();
        }
    });
    ui.window->run(Command::Convert);
    stopWatchingModal();
    ASSERT_EQ(texts.size(), 3);
    EXPECT_EQ(ui.prompts.questions.size(), 2);
    EXPECT_EQ(ui.prompts.questions.value(0), "Do you want to break the conversion?");
    EXPECT_EQ(texts[1], "Conversion stopped");
    EXPECT_EQ(ui.window->statusText(), "Conversion stopped");
    EXPECT_GE(outputCount(), 1u);
    EXPECT_LT(outputCount(), static_cast<size_t>(Files));
}

}  // namespace
}  // namespace plotvale::test
