// The window modes of the command line, and a window that starts without
// its theme.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QImage>
#include <cstdlib>
#include <filesystem>

#include "support/run_program.h"
#include "settings/program_identity.h"
#include "window/help_windows.h"
#include "window/main_window.h"
#include "window/resource_paths.h"
#include "window/uninstall_notice.h"
#include "window/theme.h"
#include "window_test_support.h"

namespace plotvale::test {
namespace {

// Text rows in a band of the picture: runs of lines holding dark pixels.
int darkBands(const QImage& image, int left, int right, int top, int bottom) {
    int bands = 0;
    bool inBand = false;
    for (int y = top; y < bottom; ++y) {
        bool dark = false;
        for (int x = left; x < right && !dark; ++x) dark = qGray(image.pixel(x, y)) < 110;
        if (dark && !inBand) ++bands;
        inBand = dark;
    }
    return bands;
}

TEST(ScreenshotMode, WritesTheCaptureAndItsSmallCopy) {
    TempFolder work;
    TempFolder runtime;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("XDG_CONFIG_HOME", work.file("config").c_str(), 1);
    const auto result = runProgram(PLOTVALE_BINARY, {"-t", work.path().string()}, work.path().string(),
                                   runtime.path().string());
    EXPECT_EQ(result.exitStatus, 0);
    const QImage large(QString::fromStdString(work.file("plotvale1.jpg")));
    const QImage small(QString::fromStdString(work.file("plotvale1x.jpg")));
    ASSERT_FALSE(large.isNull());
    ASSERT_FALSE(small.isNull());
    EXPECT_EQ(large.size(), QSize(510, 330));
    EXPECT_EQ(small.size(), QSize(180, 116));
    // The header and the seven sample names below the toolbar.
    EXPECT_GE(darkBands(large, 12, 300, 64, 200), 8);

    const auto missing = runProgram(PLOTVALE_BINARY, {"-t", work.file("absent")}, work.path().string(),
                                    runtime.path().string());
    EXPECT_EQ(missing.exitStatus, 1);
    EXPECT_FALSE(std::filesystem::exists(work.file("absent")));
}

TEST(Themes, HanddrawnHasEveryImageAndBrokenThemesGiveNone) {
    testApplication();
    TempFolder folder;
    const window::Theme missing = window::Theme::load(folder.path().string() + "/", "nothing");
    EXPECT_TRUE(missing.empty());
    folder.write("broken.zip", "PK\x03\x04 this is not an archive");
    EXPECT_TRUE(window::Theme::load(folder.path().string() + "/", "broken").empty());

    const window::Theme handdrawn = window::Theme::load(std::string(PLOTVALE_BUILD_DIR) + "/gfx/", "handdrawn");
    for (const char* key : {"New", "Add", "OutFolder", "OutFormat", "Preferences", "Convert", "Help",
                            "Email", "Web", "Updates", "InFiles", "InFolder", "FavFolder"}) {
        const QImage image = handdrawn.icon(key, 32).pixmap(32, 32).toImage();
        ASSERT_FALSE(image.isNull()) << key;
        int opaque = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) opaque += qAlpha(image.pixel(x, y)) > 0;
        EXPECT_GT(opaque, 40) << key;
    }
    EXPECT_EQ(window::iconSizeForCode(3), 48);
    EXPECT_EQ(window::iconSizeForCode(9), 16);
}

TEST(Themes, WindowStartsWithoutItsTheme) {
    TempFolder home;
    WindowUnderTest ui(home);
    ui.session->settings.interface.uiTheme = "no-such-theme";
    ui.window->applySettings();
    EXPECT_TRUE(ui.window->theme().empty());
    EXPECT_TRUE(ui.window->action(window::Command::New)->icon().isNull());
    EXPECT_TRUE(ui.window->isVisible());
}

}  // namespace
}  // namespace plotvale::test

namespace plotvale::test {
namespace {

TEST(UninstallNotice, NextOpensTheUninstallPageOnlyWhenTicked) {
    testApplication();
    for (const bool ticked : {true, false}) {
        std::vector<std::string> opened;
        const auto notice = window::makeUninstallNotice([&opened](const std::string& page) { opened.push_back(page); });
        notice->show();
        EXPECT_EQ(notice->windowTitle(), "Uninstall");
        EXPECT_EQ(notice->size(), QSize(300, 100));
        auto* box = notice->findChild<QCheckBox*>();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), "Full Uninstall - Visit Uninstall Center");
        EXPECT_TRUE(box->isChecked());
        box->setChecked(ticked);
        notice->findChild<QPushButton*>()->click();
        EXPECT_FALSE(notice->isVisible());
        EXPECT_EQ(opened.size(), ticked ? 1u : 0u);
        if (ticked) {
            EXPECT_EQ(opened[0], std::string(settings::UninstallWebAddress));
        }
    }
}

TEST(Help, ManualFeedbackAndMenus) {
    testApplication();
    EXPECT_NE(window::manualPath().find("index.html"), std::string::npos);
    EXPECT_EQ(window::feedbackAddress(),
              "mailto:support@corvane.example?subject=Corvane%20WMF%20to%20IMAGE%202.7.1%20Feedback");
    TempFolder home;
    WindowUnderTest ui(home);
    EXPECT_EQ(ui.window->action(window::Command::Manual)->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(ui.window->action(window::Command::Convert)->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(ui.window->windowTitle(), "Corvane WMF to IMAGE 2.7.1");
    EXPECT_EQ(ui.window->formatBox()->count(), 23);
}

}  // namespace
}  // namespace plotvale::test

namespace plotvale::test {
namespace {

TEST(Help, UpdateCheckReportsAnUnreachableServer) {
    TempFolder home;
    WindowUnderTest ui(home);
    ui.window->run(window::Command::CheckForNewVersion);
    EXPECT_EQ(ui.prompts.warnings, QStringList{"Internet connection problems!"});
}

}  // namespace
}  // namespace plotvale::test
