// Process entry: takes the single-instance guard, lets the command-line
// front end handle the parameters, and starts the window face when it
// hands over.

#include <optional>
#include <string>
#include <vector>

#include "app/exit_status.h"
#include "app/faces.h"
#include "app/front_end.h"
#include "platform/console.h"
#include "platform/instance_guard.h"
#include "platform/memory_reuse.h"
#include "platform/program_path.h"
#include "settings/program_identity.h"

int main(int argc, char** argv) {
    using namespace plotvale;
    const std::vector<std::string> parameters(argv + (argc > 0 ? 1 : 0), argv + argc);
    platform::reuseFreedPictureMemory();

    const bool guarded = app::takesInstanceGuard(parameters);
    const auto guard = guarded ? platform::InstanceGuard::acquire(settings::instanceName())
                               : std::optional<platform::InstanceGuard>();
    if (guarded && !guard) {
        platform::writeErrorLine(platform::programName() + ": another instance is running");
        return app::ExitOtherInstance;
    }
    if (guard->unguarded()) {
        platform::writeErrorLine(platform::programName() +
                                 ": no private folder for the single-instance lock; running "
                                 "without it");
    }
    if (const auto status = app::runCommandLine(parameters)) return *status;
    return app::runWindowFace();
}
