#include "settings/program_identity.h"

namespace plotvale::settings {

std::string versionText(int version) {
    const std::string digits = std::to_string(version);
    std::string text = digits.substr(0, 1);
    if (digits.size() > 1) text += "." + digits.substr(1, 1);
    if (digits.size() > 2) text += "." + digits.substr(2);
    if (!text.empty() && text.back() == '0') text.resize(std::min<size_t>(3, text.size()));
    return text;
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
        for (auto at = notice.find(copyright); at != std::string::npos;
             at = notice.find(copyright)) {
            notice.replace(at, copyright.size(), "(c)");
        }
        return notice;
    }
    case 2: return std::string(MakerWebAddress);
    default: return " ";
    }
}

}  // namespace plotvale::settings
