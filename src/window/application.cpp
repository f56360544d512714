#include "window/application.h"

#include "platform/console.h"
#include "platform/program_path.h"
#include "settings/message_table.h"

namespace plotvale::window {

namespace {

// Qt keeps the argument count and vector for the application's life; the
// window modes take none of the process's own arguments.
int argumentCount = 1;
char programArgument[] = "plotvale";
char* arguments[] = {programArgument, nullptr};

bool hasDisplay() {
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

}  // namespace

std::unique_ptr<QApplication> makeApplication() {
    if (!hasDisplay()) {
        platform::writeErrorLine(platform::programName() + ": no display to open the window on");
        return nullptr;
    }
    auto application = std::make_unique<QApplication>(argumentCount, arguments);
    settings::buildMessageTable();
    return application;
}

}  // namespace plotvale::window
