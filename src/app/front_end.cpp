#include "app/front_end.h"

#include <random>

#include "app/exit_status.h"
#include "app/faces.h"
#include "cli/help_text.h"
#include "cli/option_scan.h"
#include "cli/option_text.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/program_path.h"
#include "settings/message_table.h"
#include "settings/program_identity.h"

namespace plotvale::app {

namespace {

int printVersion() {
    platform::setConsoleTitle(settings::instanceName());
    platform::writeLine(settings::versionText(settings::ProgramVersion));
    return ExitDone;
}

int printHelp() {
    platform::setConsoleTitle(settings::instanceName());
    std::mt19937 random{std::random_device{}()};
    const auto pick = [&random](size_t last) {
        return std::uniform_int_distribution<size_t>(0, last)(random);
    };
    for (const std::string& line : cli::helpLines(platform::programName(), pick)) {
        platform::writeLine(line);
    }
    return ExitDone;
}

int reportError(const std::string& message, bool pause) {
    platform::setConsoleTitle(settings::instanceName());
    platform::writeLine("Error: " + message);
    if (pause) platform::waitForKey();
    return ExitRefused;
}

int runBatch(const settings::ConverterSettings& settings, const settings::RunRequest& request,
             const cli::FrontEndFlags& flags) {
    platform::setConsoleTitle(settings::instanceName());
    if (!flags.quiet) {
        for (int line = 0; line < 4; ++line) platform::writeLine(settings::bannerLine(line));
    }
    const int status = runBatchFace(settings, request, flags.quiet);
    if (flags.pause) {
        platform::writeLine("Press any key to exit.");
        platform::waitForKey();
    }
    return status;
}

}  // namespace

std::optional<int> runCommandLine(const std::vector<std::string>& parameters) {
    if (parameters.empty()) return std::nullopt;

    settings::ConverterSettings settings;
    settings::resetSettingsToDefaults(settings, true, platform::nowLocalWallClockSeconds());
    settings::buildMessageTable();

    const std::string first = cli::optionName(parameters.front());
    if (first == "-U") return runUninstallNotice();
    if (first == "-T") return runScreenshotMode(parameters.size() > 1 ? cli::optionValue(parameters[1]) : "");
    if (first == "-V" || first == "--VERSION") return printVersion();
    if (first == "-H" || first == "-?" || first == "--HELP") return printHelp();

    settings::RunRequest request;
    cli::FrontEndFlags flags;
    const std::string error = cli::scanOptions(parameters, {settings, request, flags});
    if (!error.empty()) return reportError(error, flags.pause);
    if (request.commandLineMode == 1) return runBatch(settings, request, flags);
    return std::nullopt;
}

bool takesInstanceGuard(const std::vector<std::string>& parameters) {
    settings::ConverterSettings scratch;
    settings::RunRequest request;
    cli::FrontEndFlags flags;
    if (!cli::scanOptions(parameters, {scratch, request, flags}).empty()) return true;
    return request.commandLineMode != 1 || request.shard.empty();
}

}  // namespace plotvale::app
