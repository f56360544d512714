#include "window/update_bridge.h"

#include <QApplication>
#include <QEventLoop>
#include <chrono>
#include <future>

#include "platform/clock.h"
#include "platform/open_document.h"
#include "update/update_check.h"
#include "window/user_prompts.h"
#include "window/window_session.h"

namespace plotvale::window {

namespace {

// The update check's questions and messages as the window's message boxes.
class WindowUpdatePrompts : public update::UpdatePrompts {
public:
    WindowUpdatePrompts(QWidget* parent, UserPrompts& prompts) : parent_(parent), prompts_(prompts) {}

    void showError(const std::string& title, const std::string& text) override {
        prompts_.warn(parent_, QString::fromStdString(title), QString::fromStdString(text));
    }
    void showInformation(const std::string& title, const std::string& text) override {
        prompts_.inform(parent_, QString::fromStdString(title), QString::fromStdString(text));
    }
    bool askYesNo(const std::string& title, const std::string& text) override {
        return prompts_.askYesNo(parent_, QString::fromStdString(title), QString::fromStdString(text));
    }
    void openWebPage(const std::string& url) override { platform::openDocument(url); }

private:
    QWidget* parent_;
    UserPrompts& prompts_;
};

}  // namespace

void checkForUpdateFromWindow(QWidget* parent, UserPrompts& prompts, WindowSession&) {
    // The fetch runs beside the event loop, so the window keeps drawing
    // while the server is slow; the outcome is shown from the window's thread.
    const update::UpdateServer server = update::defaultUpdateServer();
    auto latest = std::async(std::launch::async, [server] { return update::latestVersion(server); });
    QApplication::setOverrideCursor(Qt::BusyCursor);
    while (latest.wait_for(std::chrono::milliseconds(15)) != std::future_status::ready) {
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    QApplication::restoreOverrideCursor();
    WindowUpdatePrompts outcome(parent, prompts);
    update::showUpdateOutcome(outcome, latest.get(), server);
}

void offerPeriodicUpdateFromWindow(QWidget* parent, UserPrompts& prompts, WindowSession& session) {
    WindowUpdatePrompts asking(parent, prompts);
    update::offerPeriodicUpdateCheck(session.settings, asking, platform::nowLocalWallClockSeconds());
}

}  // namespace plotvale::window
