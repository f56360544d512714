#pragma once
// Asking the maker's web server whether a newer version exists, on demand
// and periodically at the start of the window face. The outcome is shown
// through UpdatePrompts, which the window face implements with its message
// boxes and browser launch.

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/converter_settings.h"
#include "update/http_get.h"

namespace plotvale::update {

// What the check shows. Titles and texts come from the message table.
class UpdatePrompts {
public:
    virtual ~UpdatePrompts() = default;
    virtual void showError(const std::string& title, const std::string& text) = 0;
    virtual void showInformation(const std::string& title, const std::string& text) = 0;
    // A question with Yes and No buttons; true for Yes.
    virtual bool askYesNo(const std::string& title, const std::string& text) = 0;
    // Opens a web page in the user's browser.
    virtual void openWebPage(const std::string& url) = 0;
};

// Where the check asks and where the download page is.
struct UpdateServer {
    std::string versionFileUrl;  // its body begins with the latest version, e.g. "272"
    std::string productPageUrl;
    HttpLimits limits;
};

// The maker's server, whose host is fixed when the program is built.
UpdateServer defaultUpdateServer();

// Days between periodic offers for `Update Range`; 0 for 5 (never).
int32_t updateIntervalDays(int32_t updateRange);

// The latest version the server names: the number at the start of
// httpGetText's text, 0 when there is none. Touches no shared state, so a
// window may run it on a thread of its own and show the outcome afterwards.
int32_t latestVersion(const UpdateServer& server);

// Shows what the latest version means: "Internet connection problems" for
// 0, the offer of the product page for a newer version, else that there is
// none. Reads the message table, so it runs on the window's thread.
void showUpdateOutcome(UpdatePrompts& prompts, int32_t latest, const UpdateServer& server);

// The menu command: latestVersion, then showUpdateOutcome.
void checkForUpdate(UpdatePrompts& prompts, const UpdateServer& server = defaultUpdateServer());

// At the start of the window face: when the interval of `Update Range` has
// passed since `Update Date`, asks whether to check now, checks on Yes, and
// moves `Update Date` to now whatever the answer.
void offerPeriodicUpdateCheck(settings::ConverterSettings& settings, UpdatePrompts& prompts,
                              int32_t nowLocalSeconds,
                              const UpdateServer& server = defaultUpdateServer());

}  // namespace plotvale::update
