// Pictures of the windows for looking at them and for the manual: taken
// only when PLOTVALE_SCREENSHOT_DIR names a folder, typically under Xvfb:
//   PLOTVALE_SCREENSHOT_DIR=/tmp/shots QT_QPA_PLATFORM=xcb xvfb-run -a
//   build/tests/window/window_tests --gtest_filter='Screenshots.*'
// PLOTVALE_SCREENSHOT_HOME, when set, is the user folder the drawings and
// the output go to (under "Drawings/"), so the pictures show the paths a
// user would see; the manual's pictures were taken with /home/alice inside
// a private tmpfs: unshare -m sh -c 'mount -t tmpfs none /home && ...'.

#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <filesystem>
#include <fstream>

#include "support/sample_metafile.h"
#include "window/input_list.h"
#include "window_test_support.h"

namespace plotvale::test {
namespace {

TEST(Screenshots, MainPreferencesAndProgressWindows) {
    const char* target = std::getenv("PLOTVALE_SCREENSHOT_DIR");
    if (target == nullptr || *target == '\0') GTEST_SKIP() << "PLOTVALE_SCREENSHOT_DIR is not set";
    const QString folder = QString(target) + "/";
    TempFolder home;
    TempFolder pictures;
    const char* userHome = std::getenv("PLOTVALE_SCREENSHOT_HOME");
    const std::string drawings = userHome != nullptr && *userHome != '\0'
                                     ? std::string(userHome) + "/Drawings/"
                                     : pictures.path().string() + "/drawings/";
    const std::string output = drawings + "Converted/";
    std::filesystem::create_directories(output);
    WindowUnderTest ui(home);
    std::vector<std::string> paths;
    for (const char* name : {"harbour-map", "floor-plan", "logo", "chart-2024", "chart-2025",
                             "invoice-header", "signature", "diagram"}) {
        paths.push_back(drawings + name + ".wmf");
        std::ofstream(paths.back(), std::ios::binary) << sampleMetafile(900, 900);
    }
    window::addInputFiles(*ui.session, ui.window->model(), paths);
    ui.window->setOutputFolder(QString::fromStdString(output));
    ui.window->resize(640, 420);
    waitFor([] { return false; }, 300);
    ui.window->grab().save(folder + "main-window.png");

    int page = 0;
    whileModal([&](QWidget* modal) {
        auto* pages = modal->findChild<QListWidget*>();
        if (modal->objectName() != "preferencesWindow" || pages == nullptr) return;
        if (page < pages->count()) {
            pages->setCurrentRow(page);
            QApplication::processEvents();
            modal->grab().save(folder + QString("preferences-%1.png").arg(page + 1));
            ++page;
        } else {
            modal->findChild<QPushButton*>("cancel")->click();
        }
    });
    ui.window->run(window::Command::Preferences);

    bool midRun = false;
    whileModal([&](QWidget* modal) {
        const auto labels = modal->findChildren<QLabel*>();
        auto* bar = modal->findChild<QProgressBar*>();
        if (labels.size() >= 2 && labels[1]->text().startsWith("Files converted")) {
            modal->grab().save(folder + "progress-outcome.png");
            ui.window->grab().save(folder + "main-window-after.png");
            modal->findChild<QPushButton*>()->click();
        } else if (!midRun && bar && bar->value() >= 3) {
            midRun = true;
            modal->grab().save(folder + "progress-running.png");
            std::printf("bar %d of %d, title %s\n", bar->value(), bar->maximum(), qPrintable(modal->windowTitle()));
        }
    });
    ui.window->run(window::Command::Convert);

    // The small windows, each closed once it is pictured.
    for (const auto& [command, name] : {std::pair{window::Command::About, "about"},
                                        std::pair{window::Command::CustomConverter, "custom-converter"},
                                        std::pair{window::Command::SelectInputFiles, "input-chooser"}}) {
        whileModal([&folder, name = name](QWidget* modal) {
            modal->grab().save(folder + name + ".png");
            modal->close();
        });
        ui.window->run(command);
    }
    stopWatchingModal();
    EXPECT_EQ(page, 9);
}

}  // namespace
}  // namespace plotvale::test
