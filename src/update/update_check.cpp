#include "update/update_check.h"

#include "settings/message_table.h"
#include "settings/program_identity.h"
#include "settings/settings_syntax.h"

namespace plotvale::update {

namespace {

constexpr int32_t NeverRange = 5;
constexpr int64_t SecondsPerDay = 24 * 60 * 60;

std::string msg(std::string_view key) { return settings::getText("Msg", key); }

std::string userAgent() {
    return std::string(settings::ProgramTitle) + " " +
           settings::versionText(settings::ProgramVersion);
}

}  // namespace

UpdateServer defaultUpdateServer() {
    const std::string host = PLOTVALE_UPDATE_HOST;
    return {"https://" + host + "/files/plotvale.dat", "https://" + host + "/plotvale/", {}};
}

int32_t updateIntervalDays(int32_t updateRange) {
    switch (updateRange) {
        case 0: return 1;
        case 1: return 7;
        case 2: return 30;
        case 3: return 90;
        case 4: return 180;
        case NeverRange: return 0;
        default: return 30;
    }
}

int32_t latestVersion(const UpdateServer& server) {
    const std::string text = httpGetText(server.versionFileUrl, userAgent(), server.limits);
    if (text.empty() || text[0] < '0' || text[0] > '9') return 0;
    return static_cast<int32_t>(settings::readSettingsInteger(text));
}

void showUpdateOutcome(UpdatePrompts& prompts, int32_t latest, const UpdateServer& server) {
    if (latest == 0) {
        prompts.showError(msg("Error"), msg("Internet connection problems"));
    } else if (latest > settings::ProgramVersion) {
        if (prompts.askYesNo(msg("New Update"), msg("New Update Text")))
            prompts.openWebPage(server.productPageUrl);
    } else {
        prompts.showInformation(msg("No Update"), msg("No Update Text"));
    }
}

void checkForUpdate(UpdatePrompts& prompts, const UpdateServer& server) {
    showUpdateOutcome(prompts, latestVersion(server), server);
}

void offerPeriodicUpdateCheck(settings::ConverterSettings& settings, UpdatePrompts& prompts,
                              int32_t nowLocalSeconds, const UpdateServer& server) {
    const int32_t range = settings.general.updateRange;
    if (range == NeverRange) return;
    const int64_t due =
        static_cast<int64_t>(settings.general.updateDate) + updateIntervalDays(range) * SecondsPerDay;
    if (due >= nowLocalSeconds) return;
    if (prompts.askYesNo(msg("Check for Updates"), msg("Ask check for updates")))
        checkForUpdate(prompts, server);
    settings.general.updateDate = nowLocalSeconds;
}

}  // namespace plotvale::update
