#include "cli/help_text.h"

#include "settings/format_catalogue.h"
#include "settings/message_table.h"

namespace plotvale::cli {

namespace {

const std::vector<std::string>& helpTemplate() {
    static const std::vector<std::string> lines = {
        " ",
        "Usage: %s1% -i <filename> [options]",
        " ",
        "  %s1% -i example.%s2%",
        "  %s1% -i c:\\tmp\\example.%s2%",
        "  %s1% -i c:\\tmp\\example.%s2% -o d:\\converted",
        "  %s1% -i c:\\tmp\\filelist.txt",
        "  %s1% -i c:\\tmp\\ -o d:\\converted --jpg-quality=95",
        "  %s1% -i c:\\tmp\\ -o d:\\converted -c %s2% --jpg-quality=95",
        " ",
        "Options:",
        " ",
        "  -h, -?, --help            Display this help and exit",
        "  -i FILE, --input=FILE     Set input file/list/folder",
        "  -o PATH, --output=PATH    Set output folder",
        "  -c STR, --conversion=STR  Set output extension, STR = (jpg | bmp | ...)",
        " ",
        "Advanced options:",
        " ",
        "  --width=NUM               Set output image width",
        "  --height=NUM              Set output image height",
        "  --filename-mask=STR       Define output filename format",
        "  --flip-horizontal         Flip output image horizontally",
        "  --flip-vertical           Flip output image vertically",
        "  --brightness=NUM          Set output image brightness, NUM = -100..100",
        "  --contrast=NUM            Set output image contrast, NUM = -100..100",
        "  --gamma=NUM               Set output image gamma, NUM = 0.01..9.99",
        "  --invert                  Invert output image",
        "  --greyscale               Greyscale output image",
        "  --profile=FILE            Set configuration file with required settings",
        "    ...                     Refer documentation for all available options",
        " ",
        "Other options:",
        " ",
        "  -q, --quiet               Don't print status messages to stdout",
        "  -d, --debug               Print debug information to stdout",
        "  -p, --pause               Pause at exit",
        "  -v, --version             Display version information and exit",
    };
    return lines;
}

}  // namespace

std::vector<std::string> helpLines(const std::string& programName, const IndexPicker& pick) {
    const auto& inputs = settings::InputFormatList();
    std::vector<std::string> lines;
    for (size_t i = 0; i < helpTemplate().size(); ++i) {
        std::string extension;
        if (i >= 3 && i <= 5) extension = inputs[pick(inputs.size() - 1)];
        if (i == 8) extension = settings::OutputFormatList().front();
        lines.push_back(settings::fillPlaceholders(helpTemplate()[i], programName, extension));
    }
    return lines;
}

}  // namespace plotvale::cli
