#include "window/help_windows.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/open_document.h"
#include "settings/program_identity.h"
#include "window/resource_paths.h"
#include "window/theme.h"
#include "window/user_prompts.h"

namespace plotvale::window {

namespace {

QToolButton* bigButton(QDialog* dialog, const QIcon& icon, const QString& text) {
    auto* button = new QToolButton(dialog);
    button->setIcon(icon);
    button->setIconSize({48, 48});
    button->setText(text);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setMinimumSize(140, 100);
    return button;
}

QLabel* linkLabel(QWidget* parent, const QString& target, const QString& shown) {
    auto* label = new QLabel(QString("<a href=\"%1\">%2</a>").arg(target, shown.toHtmlEscaped()), parent);
    label->setOpenExternalLinks(false);
    QObject::connect(label, &QLabel::linkActivated,
                     [](const QString& link) { platform::openDocument(link.toStdString()); });
    return label;
}

QString webAddress() {
    return QString::fromUtf8(settings::MakerWebAddress.data(),
                             static_cast<qsizetype>(settings::MakerWebAddress.size()));
}

}  // namespace

std::optional<Command> chooseInputSource(QWidget* parent, const Theme& theme) {
    QDialog dialog(parent);
    dialog.setObjectName("inputChooser");
    dialog.setWindowTitle(uiText("Menu", "Select Input Files"));
    auto* layout = new QHBoxLayout(&dialog);
    std::optional<Command> chosen;
    const auto add = [&](const char* image, const char* key, Command command) {
        QToolButton* button = bigButton(&dialog, theme.icon(image, 48), uiText("Menu", key));
        QObject::connect(button, &QToolButton::clicked, &dialog, [&dialog, &chosen, command] {
            chosen = command;
            dialog.accept();
        });
        layout->addWidget(button);
    };
    add("InFiles", "Select Input File", Command::SelectInputFile);
    add("InFolder", "Select Input Folder", Command::SelectInputFolder);
    dialog.exec();
    return chosen;
}

void showAboutWindow(QWidget* parent) {
    QDialog dialog(parent);
    dialog.setObjectName("aboutWindow");
    dialog.setWindowTitle(uiText("About", "Title"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* title = new QLabel("<b>" + QString::fromStdString(settings::instanceName()).toHtmlEscaped() + "</b>", &dialog);
    layout->addWidget(title);
    layout->addWidget(new QLabel(QString::fromUtf8(settings::MakerNotice.data(),
                                                   static_cast<qsizetype>(settings::MakerNotice.size())),
                                 &dialog));
    auto* form = new QFormLayout;
    form->addRow(uiText("About", "Website"), linkLabel(&dialog, webAddress(), webAddress()));
    const QString mail = QString::fromUtf8(settings::MakerSupportAddress.data(),
                                           static_cast<qsizetype>(settings::MakerSupportAddress.size()));
    form->addRow(uiText("About", "Email"), linkLabel(&dialog, "mailto:" + mail, mail));
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    dialog.exec();
}

void showCustomConverterWindow(QWidget* parent) {
    QDialog dialog(parent);
    dialog.setObjectName("customConverter");
    dialog.setWindowTitle(uiText("Custom-Converter", "Title"));
    auto* layout = new QFormLayout(&dialog);
    auto* from = new QLineEdit("wmf", &dialog);
    auto* to = new QLineEdit(&dialog);
    layout->addRow(uiText("Custom-Converter", "From"), from);
    layout->addRow(uiText("Custom-Converter", "To"), to);
    auto* search = new QPushButton(uiText("Custom-Converter", "Search"), &dialog);
    layout->addRow(search);
    layout->addRow(linkLabel(&dialog, webAddress(), webAddress()));
    QObject::connect(search, &QPushButton::clicked, &dialog, [&dialog, from, to] {
        if (from->text().trimmed().isEmpty() || to->text().trimmed().isEmpty()) {
            DesktopPrompts().warn(&dialog, uiText("Msg", "Warning"), uiText("Msg", "Empty extensions"));
            return;
        }
        const QString query = QString("%1converters/?from=%2&to=%3")
                                  .arg(webAddress(), QUrl::toPercentEncoding(from->text().trimmed()),
                                       QUrl::toPercentEncoding(to->text().trimmed()));
        platform::openDocument(query.toStdString());
    });
    dialog.exec();
}

void openManual() {
    const std::string manual = manualPath();
    if (!manual.empty()) platform::openDocument(manual);
}

std::string feedbackAddress() {
    const QString subject = QString::fromStdString(settings::instanceName()) + " Feedback";
    return "mailto:" + std::string(settings::MakerSupportAddress) + "?subject=" +
           QUrl::toPercentEncoding(subject).toStdString();
}

void sendFeedback() {
    platform::openDocument(feedbackAddress());
}

void visitHomepage() {
    platform::openDocument(std::string(settings::MakerWebAddress));
}

}  // namespace plotvale::window
