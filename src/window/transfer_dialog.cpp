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
                   int maximum, const TransferKind& kind)
        : StageDialog(parent, prompts, kind.askBreakKey), progress_(progress), kind_(kind) {
        setWindowTitle(uiText("Dialog", kind.titleKey));
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
    void look(bool finished) override {
        if (finished) return showFinalState();
        std::lock_guard<batch::RunLock> guard(progress_.lock);
        if (progress_.processed > bar_->value()) bar_->setValue(progress_.processed);
    }

    void showFinalState() {
        if (stopAsked()) {
            outcome_ = uiText("Msg", kind_.stoppedKey);
        } else {
            int32_t count = 0;
            {
                std::lock_guard<batch::RunLock> guard(progress_.lock);
                count = progress_.resultCount;
            }
            outcome_ = QString::fromStdString(settings::fillPlaceholders(
                settings::getText("Msg", kind_.completeKey), std::to_string(count)));
            bar_->setValue(bar_->maximum());
        }
        markEnded();
        QTimer::singleShot(FinalStateMs, this, [this] { accept(); });
    }

    batch::RunProgress& progress_;
    const TransferKind& kind_;
    QProgressBar* bar_ = nullptr;
    QString outcome_;
};

}  // namespace

QString runTransferDialog(QWidget* mainWindow, UserPrompts& prompts, batch::RunProgress& progress,
                          std::function<void()> stage, int maximum, const TransferKind& kind) {
    TransferDialog dialog(mainWindow, prompts, progress, maximum, kind);
    return dialog.run(std::move(stage));
}

}  // namespace plotvale::window
