// Window mode: the settings file, the main window and its event loop.

#include "window/application.h"

#include "settings/message_table.h"
#include "settings/settings_file.h"
#include "window/main_window.h"
#include "window/settings_store.h"
#include "window/update_bridge.h"
#include "window/user_prompts.h"
#include "window/window_faces.h"
#include "window/window_session.h"

namespace plotvale::window {

int runWindowMode() {
    const auto application = makeApplication();
    if (!application) return 1;
    WindowSession session(settings::settingsFilePath());
    loadWindowSettings(session.settings, session.settingsPath);
    settings::buildMessageTable();
    DesktopPrompts prompts;
    MainWindow window(session, prompts);
    if (session.settings.window.isMaximized == 1) {
        window.showMaximized();
    } else {
        window.show();
    }
    offerPeriodicUpdateFromWindow(&window, prompts, session);
    return application->exec();
}

}  // namespace plotvale::window
