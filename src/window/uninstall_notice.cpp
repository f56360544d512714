// The notice an uninstaller starts with `-u`: one ticked box that sends the
// user to the uninstall page, and a Next button.

#include "window/application.h"
#include <QCheckBox>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

#include "platform/open_document.h"
#include "settings/message_table.h"
#include "settings/program_identity.h"
#include "window/user_prompts.h"
#include "window/window_faces.h"

namespace plotvale::window {

int runUninstallNotice() {
    const auto application = makeApplication();
    if (!application) return 1;
    QWidget window;
    window.setObjectName("uninstallNotice");
    window.setWindowTitle(uiText("Uninstall", "Title"));
    window.setFixedSize(300, 100);
    auto* visit = new QCheckBox(uiText("Uninstall", "Uninstall Text"), &window);
    visit->setGeometry(30, 20, 250, 20);
    visit->setChecked(true);
    auto* next = new QPushButton(uiText("Uninstall", "Next"), &window);
    next->setGeometry(200, 60, 80, 25);
    QObject::connect(next, &QPushButton::clicked, &window, [&window, visit] {
        if (visit->isChecked()) platform::openDocument(std::string(settings::UninstallWebAddress));
        window.close();
    });
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window.move(screen->geometry().center() - window.rect().center());
    }
    window.show();
    next->setFocus();
    return application->exec();
}

}  // namespace plotvale::window
