#include "window/uninstall_notice.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include "platform/open_document.h"
#include "settings/program_identity.h"
#include "window/application.h"
#include "window/user_prompts.h"
#include "window/window_faces.h"

namespace plotvale::window {

std::unique_ptr<QWidget> makeUninstallNotice(std::function<void(const std::string&)> openPage) {
    auto window = std::make_unique<QWidget>();
    window->setObjectName("uninstallNotice");
    window->setWindowTitle(uiText("Uninstall", "Title"));
    window->setFixedSize(300, 100);
    auto* visit = new QCheckBox(uiText("Uninstall", "Uninstall Text"), window.get());
    visit->setGeometry(30, 20, 250, 20);
    visit->setChecked(true);
    auto* next = new QPushButton(uiText("Uninstall", "Next"), window.get());
    next->setGeometry(200, 60, 80, 25);
    QWidget* shown = window.get();
    QObject::connect(next, &QPushButton::clicked, shown, [shown, visit, openPage = std::move(openPage)] {
        if (visit->isChecked()) openPage(std::string(settings::UninstallWebAddress));
        shown->close();
    });
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window->move(screen->geometry().center() - window->rect().center());
    }
    return window;
}

int runUninstallNotice() {
    const auto application = makeApplication();
    if (!application) return 1;
    const auto window = makeUninstallNotice([](const std::string& page) { platform::openDocument(page); });
    window->show();
    window->setFocus();
    return application->exec();
}

}  // namespace plotvale::window
