#include "window/user_prompts.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

#include "settings/message_table.h"

namespace plotvale::window {

QStringList DesktopPrompts::openFiles(QWidget* parent, const QString& title,
                                      const QString& filter) {
    return QFileDialog::getOpenFileNames(parent, title, {}, filter);
}

QString DesktopPrompts::openFile(QWidget* parent, const QString& title, const QString& proposed,
                                 const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, proposed, filter);
}

QString DesktopPrompts::saveFile(QWidget* parent, const QString& title, const QString& proposed,
                                 const QString& filter) {
    // The overwrite question is the window's own, asked only for files that
    // are not empty.
    return QFileDialog::getSaveFileName(parent, title, proposed, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QString DesktopPrompts::folder(QWidget* parent, const QString& title) {
    return QFileDialog::getExistingDirectory(parent, title);
}

QString DesktopPrompts::colour(QWidget* parent, const QString& initial, const QStringList& offered) {
    // The offered colours fill the chooser's custom colours, the rest of
    // them white.
    for (int slot = 0; slot < QColorDialog::customCount(); ++slot) {
        QColorDialog::setCustomColor(slot, slot < offered.size() ? QColor("#" + offered[slot]) : QColor(Qt::white));
    }
    const QColor chosen = QColorDialog::getColor(QColor("#" + initial), parent);
    return chosen.isValid() ? chosen.name().mid(1).toUpper() : QString();
}

void DesktopPrompts::warn(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::warning(parent, title, text);
}

void DesktopPrompts::inform(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::information(parent, title, text);
}

bool DesktopPrompts::askYesNo(QWidget* parent, const QString& title, const QString& text) {
    return QMessageBox::warning(parent, title, text, QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}

QString outputFormatLabel(std::string_view key, std::string_view description) {
    return QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size())).toUpper() + " - " +
           QString::fromUtf8(description.data(), static_cast<qsizetype>(description.size()));
}

QString uiText(std::string_view group, std::string_view key) {
    return QString::fromStdString(settings::getText(group, key));
}

}  // namespace plotvale::window
