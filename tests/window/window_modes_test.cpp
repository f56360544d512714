// The window modes of the command line, and a window that starts without
// its theme.

#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <cstdlib>
#include <filesystem>

#include "support/run_program.h"
#include "window/main_window.h"
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
