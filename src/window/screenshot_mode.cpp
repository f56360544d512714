// `-t FOLDER`: the main window with seven sample entries, captured with the
// maker's web address on it, saved as "plotvale1.jpg" and as a copy
// 180 pixels wide, "plotvale1x.jpg".

#include <QEventLoop>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <cmath>

#include "platform/file_system.h"
#include "platform/working_folder.h"
#include "settings/format_catalogue.h"
#include "settings/program_identity.h"
#include "window/application.h"
#include "window/main_window.h"
#include "window/settings_store.h"
#include "window/user_prompts.h"
#include "window/window_faces.h"
#include "window/window_session.h"

namespace plotvale::window {

namespace {

constexpr int JpegQuality = 90;  // 9 of 10
constexpr int SmallWidth = 180;

std::vector<std::string> samplePaths() {
    const std::string extension = settings::InputFormatList().front();
    std::vector<std::string> paths;
    for (const char* name :
         {"pic0102", "picture_a", "picture_b", "corvane", "layout-haus", "summer", "winter"}) {
        paths.push_back(std::string("/images/") + name + "." + extension);
    }
    return paths;
}

void drawWebAddress(QImage& image) {
    QPainter painter(&image);
    QFont font("Tahoma");
    font.setPointSize(8);
    painter.setFont(font);
    painter.setPen(QColor(0x40, 0x40, 0x40));
    const QRect area = image.rect().adjusted(0, 0, -8, -4);
    painter.drawText(area, Qt::AlignRight | Qt::AlignBottom,
                     QString::fromUtf8(settings::MakerWebAddress.data(),
                                       static_cast<qsizetype>(settings::MakerWebAddress.size())));
}

void waitMilliseconds(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace

int runScreenshotMode(const std::string& folderParameter) {
    const std::string folder =
        folderParameter.empty() ? platform::workingFolder() : platform::withTrailingSlash(folderParameter);
    if (platform::fileSizeOrKind(folder) != platform::PathIsFolder) return 1;

    const auto application = makeApplication();
    if (!application) return 1;
    WindowSession session("");  // a documentation aid keeps no settings
    resetToWindowDefaults(session.settings);
    session.run.request.modeWord = "T";
    DesktopPrompts prompts;
    MainWindow window(session, prompts);
    window.move(400, 400);
    window.resize(510, 330);
    window.model().append(samplePaths());
    window.setOutputFolder("/converted/");
    window.show();
    waitMilliseconds(500);

    QImage capture = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    drawWebAddress(capture);
    const int smallHeight = static_cast<int>(
        std::lround(static_cast<double>(capture.height()) * SmallWidth / capture.width()));
    const QImage small =
        capture.scaled(SmallWidth, smallHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const bool saved = capture.save(QString::fromStdString(folder + "plotvale1.jpg"), "JPG", JpegQuality) &&
                       small.save(QString::fromStdString(folder + "plotvale1x.jpg"), "JPG", JpegQuality);
    return saved ? 0 : 1;
}

}  // namespace plotvale::window
