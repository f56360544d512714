#include "window/conversion_checks.h"

#include "batch/path_rules.h"
#include "batch/run_checks.h"
#include "batch/run_driver.h"
#include "batch/run_resources.h"
#include "batch/watermark_font.h"
#include "platform/file_system.h"
#include "settings/message_table.h"
#include "window/user_prompts.h"
#include "window/window_session.h"

namespace plotvale::window {

namespace {

QString message(const char* key, const std::string& s1 = {}) {
    return QString::fromStdString(settings::fillPlaceholders(settings::getText("Msg", key), s1));
}

QString checkWatermark(WindowSession& session) {
    const settings::WatermarkSettings& w = session.settings.watermark;
    if (w.doWatermark == 1 && !batch::loadWatermarkFont(session.run)) {
        return message("Invalid watermark font", w.font);
    }
    if (w.doWatermark == 2) {
        if (w.image.empty()) return message("Empty watermark image");
        if (platform::fileSizeOrKind(w.image) <= 0) return message("Invalid watermark image", w.image);
    }
    return {};
}

// The window's own checks, with the message table's texts.
QString checkWindowRules(WindowSession& session, const std::string& outputFolder) {
    if (session.run.files.size() == 0) return message("Empty input files");
    if (outputFolder.empty()) return message("Empty output folder");
    const std::string folder = platform::withTrailingSlash(outputFolder);
    const batch::FolderResult settled = batch::normaliseFolder(folder, session.run.programFolder);
    if (settled.problem != batch::FolderProblem::None) {
        return message("Invalid output folder", folder);
    }
    session.run.request.outputFolder = settled.folder;
    const settings::TransformSettings& t = session.settings.transform;
    if (t.doImageResize != 0 && t.imageWidth == 0) return message("Invalid width");
    if (t.doImageResize != 0 && t.imageHeight == 0) return message("Invalid height");
    return checkWatermark(session);
}

// The batch run's checks of depths, qualities and ranges; they report one
// "Error: " line, shown here without its prefix.
QString checkBatchRules(WindowSession& session, const std::string& format) {
    batch::BatchRun& run = session.run;
    run.request.conversion = format;
    std::string refusal;
    const batch::LineWriter saved = run.writeLine;
    run.writeLine = [&refusal](std::string_view line) {
        if (refusal.empty()) refusal = line.substr(line.find(' ') + 1);
    };
    const bool accepted = batch::checkOutputFormat(run, false) &&
                          batch::checkMetafileResolution(run) &&
                          batch::checkOperations(run, false);
    run.writeLine = saved;
    return accepted ? QString() : QString::fromStdString(refusal);
}

}  // namespace

QString prepareConversion(WindowSession& session, const std::string& outputFolder,
                          const std::string& format) {
    session.run.watermarkFont.reset();
    QString problem = checkWindowRules(session, outputFolder);
    if (problem.isEmpty()) problem = checkBatchRules(session, format);
    if (!problem.isEmpty()) return problem;
    batch::prepareConversionJob(session.run);
    batch::protectInputFiles(session.run);
    session.run.job.counter = 1;
    session.run.job.randomNumber = session.run.nextRandomNumber();
    return {};
}

}  // namespace plotvale::window
