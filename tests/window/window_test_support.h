#pragma once
// Shared pieces of the window tests: one offscreen application for the
// whole binary, prompts answered by the test, and a main window over a
// session whose settings live in a temporary folder.

#include <QApplication>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "support/temp_folder.h"
#include "window/main_window.h"
#include "window/user_prompts.h"
#include "window/window_session.h"

namespace plotvale::test {

// The application object, made once with Qt's offscreen platform.
QApplication& testApplication();

// Answers every question in place of a user and remembers the warnings.
class ScriptedPrompts : public window::UserPrompts {
public:
    QStringList files;
    QString chosenFile;
    QString chosenFolder;
    QString chosenColour;        // "" as if the chooser was cancelled
    QStringList offeredColours;  // what the last colour chooser offered
    std::deque<bool> answers;  // yes/no answers in order; "no" when empty
    QStringList warnings;
    QStringList questions;

    QStringList openFiles(QWidget*, const QString&, const QString&) override { return files; }
    QString openFile(QWidget*, const QString&, const QString&, const QString&) override {
        return chosenFile;
    }
    QString saveFile(QWidget*, const QString&, const QString&, const QString&) override {
        return chosenFile;
    }
    QString folder(QWidget*, const QString&) override { return chosenFolder; }
    QString colour(QWidget*, const QString&, const QStringList& offered) override {
        offeredColours = offered;
        return chosenColour;
    }
    void warn(QWidget*, const QString&, const QString& text) override { warnings << text; }
    void inform(QWidget*, const QString&, const QString& text) override { warnings << text; }
    bool askYesNo(QWidget*, const QString&, const QString& text) override {
        questions << text;
        if (answers.empty()) return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// A main window as window mode makes it, its settings file under `home`.
struct WindowUnderTest {
    explicit WindowUnderTest(const TempFolder& home);

    ScriptedPrompts prompts;
    std::unique_ptr<window::WindowSession> session;
    std::unique_ptr<window::MainWindow> window;
};

// Calls `step` on the active modal window whenever one is up, until the
// test's own call returns (each step decides what to do with it).
void whileModal(const std::function<void(QWidget*)>& step);
void stopWatchingModal();

// Runs the event loop until the predicate holds or the time is up.
bool waitFor(const std::function<bool()>& condition, int milliseconds = 20000);

}  // namespace plotvale::test
