#include "window/conversion_dialog.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "batch/conversion_worker.h"
#include "settings/message_table.h"
#include "window/stage_dialog.h"
#include "window/user_prompts.h"
#include "window/window_session.h"

namespace plotvale::window {

namespace {

QString filled(const char* group, const char* key, int64_t s1, int64_t s2) {
    return QString::fromStdString(settings::fillPlaceholders(
        settings::getText(group, key), std::to_string(s1), std::to_string(s2)));
}

class ConversionDialog : public StageDialog {
public:
    ConversionDialog(QWidget* parent, UserPrompts& prompts, WindowSession& session)
        : StageDialog(parent, prompts, "Ask break conversion"), session_(session),
          total_(static_cast<int>(session.run.files.size())) {
        setObjectName("conversionDialog");
        setMinimumSize(300, 130);
        auto* layout = new QVBoxLayout(this);
        fileLine_ = new QLabel(this);
        timeLine_ = new QLabel(this);
        bar_ = new QProgressBar(this);
        bar_->setRange(0, total_);
        bar_->setValue(0);
        button_ = new QPushButton(uiText("Dialog", "OK"), this);
        layout->addWidget(fileLine_);
        layout->addWidget(timeLine_);
        layout->addWidget(bar_);
        layout->addWidget(button_, 0, Qt::AlignRight);
        showFigures(0, 0);
        connect(button_, &QPushButton::clicked, this, [this] {
            if (ended_) accept();
        });
    }

    QString run() {
        runStage(session_.run.progress, [this] { batch::runConversionWorker(session_.run, false); });
        return outcome_;
    }

private:
    void showFigures(int processed, int64_t lastDurationMs) {
        setWindowTitle(uiText("Dialog", "Convert Progress") + " " +
                       filled("Msg", "Progress", processed, total_));
        const QString time =
            lastDurationMs > 0
                ? durationText(lastDurationMs * std::max<int64_t>(total_ - processed + 1, 0))
                : uiText("Dialog", "Time Unknown");
        timeLine_->setText(QString::fromStdString(
            settings::fillPlaceholders(settings::getText("Dialog", "Time Remaining"),
                                       time.toStdString())));
    }

    void look(bool finished, const batch::ProgressSnapshot& progress) override {
        if (finished) return showOutcome(progress);
        if (progress.processed <= bar_->value()) return;
        bar_->setValue(progress.processed);
        const QString file = QString::fromStdString(progress.currentFile);
        fileLine_->setText(fileLine_->fontMetrics().elidedText(file, Qt::ElideMiddle,
                                                               std::max(fileLine_->width(), 100)));
        showFigures(progress.processed, progress.lastDurationMs);
    }

    void showOutcome(const batch::ProgressSnapshot& progress) {
        const int32_t converted = progress.resultCount;
        const int32_t processed = progress.processed;
        outcome_ = uiText("Msg", stopAsked() ? "Conversion is not complete" : "Conversion complete");
        setWindowTitle(outcome_ + " " + filled("Msg", "Progress", processed, total_));
        fileLine_->setText(outcome_);
        timeLine_->setText(filled("Msg", "Files converted", converted, total_));
        if (!stopAsked()) bar_->setValue(total_);
        ended_ = true;
        markEnded();
        button_->setFocus();
    }

    WindowSession& session_;
    const int total_;
    QLabel* fileLine_ = nullptr;
    QLabel* timeLine_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QPushButton* button_ = nullptr;
    bool ended_ = false;
    QString outcome_;
};

}  // namespace

QString runConversionDialog(QWidget* mainWindow, UserPrompts& prompts, WindowSession& session) {
    ConversionDialog dialog(mainWindow, prompts, session);
    const QString outcome = dialog.run();
    session.run.watermarkFont.reset();  // the run's font lives until its last conversion
    return outcome;
}

QString durationText(int64_t milliseconds) {
    const int64_t seconds = milliseconds / 1000;
    return QString("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QChar('0'))
        .arg(seconds % 60, 2, 10, QChar('0'));
}

}  // namespace plotvale::window
