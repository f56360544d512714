#include "window/transfer_dialog.h"

#include <QProgressBar>
#include <QTimer>

#include "settings/message_table.h"
#include "window/stage_dialog.h"
#include "window/user_prompts.h"

namespace plotvale::window {

namespace {

class TransferDialog : public StageDialog {
public:
    TransferDialog(QWidget* parent, UserPrompts& prompts, batch::RunProgress& progress,
                   int maximum, const batch::TransferTexts& texts)
        : StageDialog(parent, prompts, texts.askBreakKey), progress_(progress), texts_(texts) {
        setWindowTitle(uiText("Dialog", texts.titleKey));
        setFixedSize(300, 40);
        bar_ = new QProgressBar(this);
        bar_->setGeometry(10, 10, 280, 20);
        bar_->setRange(0, std::max(maximum, 0));
        bar_->setValue(0);
    }

    QString run(std::function<void()> stage) {
        runStage(progress_, std::move(stage));
        return outcome_;
    }

private:
    void look(bool finished, const batch::ProgressSnapshot& progress) override {
        if (finished) return showFinalState(progress.resultCount);
        if (progress.processed > bar_->value()) bar_->setValue(progress.processed);
    }

    void showFinalState(int32_t resultCount) {
        outcome_ = QString::fromStdString(batch::transferOutcomeText(texts_, stopAsked(), resultCount));
        if (!stopAsked()) bar_->setValue(bar_->maximum());
        markEnded();
        QTimer::singleShot(FinalStateMs, this, [this] { accept(); });
    }

    batch::RunProgress& progress_;
    const batch::TransferTexts& texts_;
    QProgressBar* bar_ = nullptr;
    QString outcome_;
};

}  // namespace

QString runTransferDialog(QWidget* mainWindow, UserPrompts& prompts, batch::RunProgress& progress,
                          std::function<void()> stage, int maximum, const batch::TransferTexts& texts) {
    TransferDialog dialog(mainWindow, prompts, progress, maximum, texts);
    return dialog.run(std::move(stage));
}

}  // namespace plotvale::window
