#include "settings/program_identity.h"

namespace plotvale::settings {

std::string versionText(int version) {
    std::string digits = std::to_string(version);
    if (digits.size() >= 2) digits.insert(1, ".");
    if (digits.size() >= 4) digits.insert(3, ".");
    if (!digits.empty() && digits.back() == '0') digits.resize(std::min<size_t>(3, digits.size()));
    return digits;
}

std::string instanceName() {
    return std::string(ProgramTitle) + " " + versionText(ProgramVersion);
}

std::string bannerLine(int index) {
    switch (index) {
    case 0: return instanceName();
    case 1: {
        std::string notice(MakerNotice);
        const std::string copyright = "\xC2\xA9";
        for (auto at = notice.find(copyright); at != std::string::npos; at = notice.find(copyright)) {
            notice.replace(at, copyright.size(), "(c)");
        }
        return notice;
    }
    case 2: return std::string(MakerWebAddress);
    default: return " ";
    }
}

}  // namespace plotvale::settings
