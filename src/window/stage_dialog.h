#pragma once
// A modal progress window over one stage thread: it looks at the progress
// every 15 ms, and closing it while the stage runs pauses the stage and asks
// whether to break off. Once the stage has ended and its outcome is shown,
// closing really closes.

#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>

#include "batch/run_progress.h"
#include "batch/stage_thread.h"

namespace plotvale::window {

class UserPrompts;

// Milliseconds between two looks at the stage's progress.
inline constexpr int PollIntervalMs = 15;

class StageDialog : public QDialog {
protected:
    StageDialog(QWidget* parent, UserPrompts& prompts, std::string_view askBreakKey);

    // Starts the stage, runs the window until it closes, and waits for the
    // stage's thread.
    void runStage(batch::RunProgress& progress, std::function<void()> stage);

    // Called at each look while the stage is not paused, with the progress
    // read under the lock; `finished` tells that the stage has ended, after
    // which no further look comes.
    virtual void look(bool finished, const batch::ProgressSnapshot& progress) = 0;

    bool stopAsked() const { return stopAsked_; }
    void markEnded() { ended_ = true; }

    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    UserPrompts& prompts_;
    std::string_view askBreakKey_;
    QTimer poll_;
    std::unique_ptr<batch::StageThread> stage_;
    bool stopAsked_ = false;
    bool ended_ = false;
};

}  // namespace plotvale::window
