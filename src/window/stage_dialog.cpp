#include "window/stage_dialog.h"

#include <QCloseEvent>

#include "window/user_prompts.h"

namespace plotvale::window {

StageDialog::StageDialog(QWidget* parent, UserPrompts& prompts, std::string_view askBreakKey)
    : QDialog(parent), prompts_(prompts), askBreakKey_(askBreakKey) {
    connect(&poll_, &QTimer::timeout, this, [this] {
        if (!stage_ || stage_->paused()) return;
        const bool finished = stage_->finished();
        if (finished) poll_.stop();
        look(finished, stage_->snapshot());
    });
}

void StageDialog::runStage(batch::RunProgress& progress, std::function<void()> stage) {
    stage_ = std::make_unique<batch::StageThread>(progress, std::move(stage));
    poll_.start(PollIntervalMs);
    exec();
    stage_.reset();
}

void StageDialog::closeEvent(QCloseEvent* event) {
    event->ignore();
    reject();
}

void StageDialog::reject() {
    if (ended_) {
        QDialog::reject();
        return;
    }
    if (!stage_ || stage_->finished() || stopAsked_) return;
    stage_->pause();
    if (prompts_.askYesNo(this, uiText("Msg", "Warning"), uiText("Msg", askBreakKey_))) {
        stage_->stop();
        stopAsked_ = true;
    }
    stage_->resume();
}

}  // namespace plotvale::window
