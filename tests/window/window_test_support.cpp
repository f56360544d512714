#include "window_test_support.h"

#include <QElapsedTimer>
#include <cstdlib>
#include <filesystem>

#include "settings/message_table.h"
#include "settings/settings_file.h"
#include "window/settings_store.h"

namespace plotvale::test {

namespace {

QTimer* modalWatcher = nullptr;

}  // namespace

QApplication& testApplication() {
    static int count = 1;
    static char name[] = "window_tests";
    static char* arguments[] = {name, nullptr};
    static QApplication* application = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);  // a screenshot run may choose xcb
        auto* made = new QApplication(count, arguments);
        settings::buildMessageTable();
        return made;
    }();
    return *application;
}

WindowUnderTest::WindowUnderTest(const TempFolder& home) {
    testApplication();
    std::filesystem::create_directories(home.file("config"));
    setenv("XDG_CONFIG_HOME", home.file("config").c_str(), 1);
    session = std::make_unique<window::WindowSession>(settings::settingsFilePath());
    window::loadWindowSettings(session->settings, session->settingsPath);
    window = std::make_unique<window::MainWindow>(*session, prompts);
    window->show();
}

void whileModal(const std::function<void(QWidget*)>& step) {
    stopWatchingModal();
    modalWatcher = new QTimer;
    QObject::connect(modalWatcher, &QTimer::timeout, [step] {
        if (QWidget* modal = QApplication::activeModalWidget()) step(modal);
    });
    modalWatcher->start(5);
}

void stopWatchingModal() {
    delete modalWatcher;
    modalWatcher = nullptr;
}

bool waitFor(const std::function<bool()>& condition, int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > milliseconds) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

}  // namespace plotvale::test
