// The preferences window: OK keeps what was edited, Cancel keeps nothing,
// Reset to Defaults asks first; each page edits its group.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "window/preferences_window.h"
#include "window_test_support.h"

namespace plotvale::test {
namespace {

using window::Command;

class Preferences : public ::testing::Test {
protected:
    TempFolder home;
    WindowUnderTest ui{home};

    // Opens the window, lets `edit` change it, then presses `button`.
    void edit(const std::function<void(QWidget*)>& change, const char* button, Command command = Command::Preferences) {
        bool done = false;
        whileModal([&](QWidget* modal) {
            if (modal->objectName() != "preferencesWindow") return;
            if (done) return modal->findChild<QPushButton*>("cancel")->click();  // still open
            done = true;
            change(modal);
            modal->findChild<QPushButton*>(button)->click();
        });
        ui.window->run(command);
        stopWatchingModal();
    }
};

TEST_F(Preferences, NinePagesInOrder) {
    QStringList pages;
    edit([&pages](QWidget* modal) {
        auto* list = modal->findChild<QListWidget*>();
        for (int i = 0; i < list->count(); ++i) pages << list->item(i)->text();
    }, "cancel");
    EXPECT_EQ(pages, (QStringList{"General", "Interface", "Input", "Output", "Transform", "Adjustment",
                                  "Frame", "Watermark", "Advanced"}));
}

TEST_F(Preferences, OkStoresEditsAndCancelDropsThem) {
    edit([](QWidget* modal) {
        modal->findChild<QSpinBox*>("Output/JPG Quality")->setValue(40);
        modal->findChild<QSpinBox*>("Adjustment/Image Brightness")->setValue(-250);  // bounded to -100
        modal->findChild<QCheckBox*>("Transform/Do Image Flip Vertical")->setChecked(true);
        auto* mask = modal->findChild<QLineEdit*>("Advanced/Filename Mask");
        mask->setText("%filename%\n-%n%.%ext%");
        auto* size = modal->findChild<QComboBox*>("Interface/UI Size");
        size->setCurrentIndex(size->findData(4));
    }, "ok");
    const auto& settings = ui.session->settings;
    EXPECT_EQ(settings.output.jpgQuality, 40);
    EXPECT_EQ(settings.adjustment.imageBrightness, -100);
    EXPECT_EQ(settings.transform.doImageFlipVertical, 1);
    EXPECT_EQ(settings.advanced.filenameMask.find('\n'), std::string::npos);
    EXPECT_EQ(settings.interface.uiSize, 4);

    edit([](QWidget* modal) { modal->findChild<QSpinBox*>("Output/JPG Quality")->setValue(70); }, "cancel");
    EXPECT_EQ(ui.session->settings.output.jpgQuality, 40);
}

TEST_F(Preferences, ResetAsksAndOnYesRestoresDefaults) {
    ui.session->settings.output.jpgQuality = 12;
    edit([](QWidget*) {}, "defaults");
    EXPECT_EQ(ui.prompts.questions.value(0),
              "Are you sure you want to reset all your settings to the default values?");
    EXPECT_EQ(ui.session->settings.output.jpgQuality, 12);  // "no": nothing changes
    ui.prompts.answers = {true};
    edit([](QWidget*) {}, "defaults");
    EXPECT_EQ(ui.session->settings.output.jpgQuality, 95);
    EXPECT_EQ(ui.session->settings.transform.keepAspectRatio, 1);
}

TEST_F(Preferences, ColourListsAreEditedByNameAndOfferedToTheirChooser) {
    ui.session->settings.watermark.backColors = "ff0000, 123456,,";
    QStringList shown;
    QStringList offered;
    edit([&](QWidget* modal) {
        auto* fontColours = modal->findChild<QWidget*>("Watermark/Font Colors")->findChild<QListWidget*>();
        for (int i = 0; i < fontColours->count(); ++i) shown << fontColours->item(i)->text();
        auto* backList = modal->findChild<QWidget*>("Watermark/Back Colors");
        auto* backColours = backList->findChild<QListWidget*>();
        ui.prompts.chosenColour = "00FF00";
        backList->findChild<QToolButton*>("add")->click();
        backColours->item(0)->setSelected(true);
        backList->findChild<QToolButton*>("remove")->click();
        ui.prompts.chosenColour = "ABCDEF";
        backList->findChild<QToolButton*>("add")->click();
        backColours->clearSelection();
        backColours->item(2)->setSelected(true);
        backColours->setFocus();
        QTest::keyClick(backColours, Qt::Key_Delete);
        ui.prompts.chosenColour = "00FF00";
        modal->findChild<QPushButton*>("Watermark/Back Color")->click();  // the chooser offers the list
        offered = ui.prompts.offeredColours;
    }, "ok");
    EXPECT_EQ(shown, (QStringList{"Black", "White", "Red", "Orange", "Yellow", "Green", "Aqua", "Blue", "Violet"}));
    EXPECT_EQ(offered, (QStringList{"123456", "00FF00"}));
    EXPECT_EQ(ui.session->settings.watermark.backColors, "123456,00FF00");
    EXPECT_EQ(ui.session->settings.watermark.backColor, "00FF00");
    EXPECT_EQ(ui.session->settings.watermark.fontColors, "000000,FFFFFF,FF0000,FF8000,FFFF00,008000,00FFFF,0000FF,8000FF");
}

TEST_F(Preferences, FormatOptionsOpensOnTheOutputPage) {
    int page = -1;
    edit([&page](QWidget* modal) { page = modal->findChild<QListWidget*>()->currentRow(); }, "cancel",
         Command::OutputFormatOptions);
    EXPECT_EQ(page, 3);
}

}  // namespace
}  // namespace plotvale::test

namespace plotvale::test {
namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class SettingsFile : public ::testing::Test {
protected:
    TempFolder home;
    std::string configPath() const { return home.file("config/Corvane/plotvale/config.ini"); }
};

TEST_F(SettingsFile, OkWritesTheFileAndTheSettingsSurviveARestart) {
    {
        WindowUnderTest ui(home);
        bool done = false;
        whileModal([&done](QWidget* modal) {
            if (done || modal->objectName() != "preferencesWindow") return;
            done = true;
            modal->findChild<QSpinBox*>("Output/WEBP Quality")->setValue(33);
            modal->findChild<QPushButton*>("ok")->click();
        });
        ui.window->run(window::Command::Preferences);
        stopWatchingModal();
        EXPECT_NE(readAll(configPath()).find("WEBP Quality = 33\r\n"), std::string::npos);
        ui.window->formatBox()->setCurrentIndex(ui.window->formatBox()->findData("tiff"));
        ui.window->resize(640, 400);
        ui.window->close();
    }
    const std::string saved = readAll(configPath());
    EXPECT_EQ(saved.substr(0, 5), "\xEF\xBB\xBF\r\n");
    EXPECT_NE(saved.find("Width = 640\r\n"), std::string::npos);
    WindowUnderTest again(home);
    EXPECT_EQ(again.session->settings.output.webpQuality, 33);
    EXPECT_EQ(again.window->formatBox()->currentData().toString(), "tiff");
    EXPECT_EQ(again.window->width(), 640);
}

TEST_F(SettingsFile, ResetWritesTheDefaultsAndCancelWritesNothing) {
    WindowUnderTest ui(home);
    ui.session->settings.output.jpgQuality = 17;
    const auto press = [&ui](const char* button) {
        bool done = false;
        whileModal([&done, button](QWidget* modal) {
            if (done || modal->objectName() != "preferencesWindow") return;
            done = true;
            modal->findChild<QPushButton*>(button)->click();
        });
        ui.window->run(window::Command::Preferences);
        stopWatchingModal();
    };
    press("cancel");
    EXPECT_FALSE(std::filesystem::exists(configPath()));
    ui.prompts.answers = {true};
    press("defaults");
    EXPECT_NE(readAll(configPath()).find("JPG Quality = 95\r\n"), std::string::npos);
}

TEST_F(SettingsFile, BrokenFilesStillStartTheWindowWithDefaults) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919) & 0xFF);
    std::string manyLines;
    for (int i = 0; i < 1000000; ++i) manyLines += "x\n";
    for (const std::string& content : {garbage, manyLines}) {
        home.write("config/Corvane/plotvale/config.ini", content);
        WindowUnderTest ui(home);
        EXPECT_TRUE(ui.window->isVisible());
        EXPECT_EQ(ui.session->settings.output.jpgQuality, 95);
    }
    std::filesystem::remove(configPath());
    std::filesystem::create_directories(configPath());  // a folder where the file should be
    WindowUnderTest folder(home);
    EXPECT_EQ(folder.session->settings.output.jpgQuality, 95);
    folder.window->close();
}

// Ends a window whose settings folder its user cannot write, and exits 0
// when the file there is still `before`. A root run becomes a plain user
// first, since root writes into read-only folders.
[[noreturn]] void closeWindowInReadOnlyFolder(const TempFolder& home, const std::string& path,
                                              const std::string& before) {
    if (geteuid() == 0 && setuid(65534) != 0) std::_Exit(2);
    {
        WindowUnderTest second(home);
        second.session->settings.output.jpgQuality = 12;
        second.window->close();
    }
    std::_Exit(readAll(path) == before ? 0 : 1);
}

TEST_F(SettingsFile, AnUnwritableFolderKeepsTheEarlierFile) {
    {
        WindowUnderTest first(home);
        first.session->settings.output.jpgQuality = 61;
        first.window->close();
    }
    const std::string before = readAll(configPath());
    ASSERT_NE(before.find("JPG Quality = 61\r\n"), std::string::npos);
    if (geteuid() == 0) {
        // The plain user owns the settings as a user owns their own.
        ASSERT_EQ(chown(home.path().c_str(), 65534, 65534), 0);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(home.path())) {
            ASSERT_EQ(chown(entry.path().c_str(), 65534, 65534), 0);
        }
    }
    std::filesystem::permissions(home.file("config/Corvane/plotvale"), std::filesystem::perms::owner_read |
                                                                           std::filesystem::perms::owner_exec);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(closeWindowInReadOnlyFolder(home, configPath(), before), testing::ExitedWithCode(0), "");
    EXPECT_EQ(readAll(configPath()), before);
}

}  // namespace
}  // namespace plotvale::test
