#include "window/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QStatusBar>
#include <QToolButton>
#include <QUrl>

#include "settings/format_catalogue.h"
#include "settings/program_identity.h"
#include "settings/settings_file.h"
#include "window/file_list_view.h"
#include "window/input_list.h"
#include "window/resource_paths.h"
#include "window/settings_store.h"
#include "window/user_prompts.h"
#include "window/window_session.h"

namespace plotvale::window {

namespace {

QToolButton* sideButton(QWidget* parent, QAction* action) {
    auto* button = new QToolButton(parent);
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    button->setFixedSize(24, 24);
    button->setIconSize({16, 16});
    return button;
}

}  // namespace

MainWindow::MainWindow(WindowSession& session, UserPrompts& prompts)
    : session_(session), prompts_(prompts) {
    setObjectName("mainWindow");
    setWindowTitle(QString::fromStdString(settings::instanceName()));
    setAcceptDrops(true);
    buildActions();
    buildControls();
    buildMenus();
    buildToolbar();
    status_ = new QLabel(this);
    statusBar()->addWidget(status_, 1);
    const settings::WindowSettings& w = session_.settings.window;
    resize(std::max(w.width, 200), std::max(w.height, 150));
    move(w.x, w.y);
    applySettings();
    run(Command::New);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls() {
    auto* central = new QWidget(this);
    auto* grid = new QGridLayout(central);
    grid->setContentsMargins(10, 10, 10, 10);
    list_ = new FileListView(central);
    list_->setModel(&model_);
    list_->onCopy = [this] { copySelection(); };
    list_->onDelete = [this] { deleteSelection(); };
    list_->onSelectAll = [this] { list_->selectAll(); };
    list_->onDoubleClick = [this] { run(Command::SelectInputFiles); };
    list_->onContextMenu = [this](const QPoint& where) { showListMenu(where); };

    outputFolder_ = new QComboBox(central);
    outputFolder_->setObjectName("outputFolder");
    outputFolder_->setEditable(true);
    outputFolder_->setInsertPolicy(QComboBox::NoInsert);
    format_ = new QComboBox(central);
    format_->setObjectName("outputFormat");
    connect(format_, &QComboBox::currentIndexChanged, this, [this](int row) {
        if (row >= 0) session_.settings.output.format = format_->itemData(row).toString().toStdString();
    });

    outFolderButton_ = sideButton(central, action(Command::SelectOutputFolder));
    outFormatButton_ = sideButton(central, action(Command::OutputFormatOptions));
    convertButton_ = new QToolButton(central);
    convertButton_->setObjectName("convertButton");
    convertButton_->setDefaultAction(action(Command::Convert));
    convertButton_->setFixedSize(100, 100);
    convertButton_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);

    grid->addWidget(list_, 0, 0, 1, 2);
    grid->addWidget(convertButton_, 0, 2, Qt::AlignTop | Qt::AlignRight);
    grid->addWidget(new QLabel(uiText("General", "Output Folder"), central), 1, 0, 1, 2);
    grid->addWidget(outputFolder_, 2, 0);
    grid->addWidget(outFolderButton_, 2, 1);
    grid->addWidget(new QLabel(uiText("General", "Output Format"), central), 3, 0, 1, 2);
    grid->addWidget(format_, 4, 0);
    grid->addWidget(outFormatButton_, 4, 1);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(0, 1);
    setCentralWidget(central);
}

void MainWindow::applySettings() {
    theme_ = Theme::load(themeFolder(), session_.settings.interface.uiTheme);
    applyIcons();
    fillRecentFolders();
    fillFormats();
}

void MainWindow::fillRecentFolders() {
    const QString current = outputFolder_->currentText();
    outputFolder_->clear();
    const QStringList folders =
        QString::fromStdString(session_.settings.file.recentOutFolders).split('\t');
    const QIcon icon = theme_.icon("FavFolder", 16);
    int shown = 0;
    for (const QString& field : folders) {
        const QString folder = field.trimmed();
        if (folder.isEmpty() || shown >= session_.settings.advanced.outFoldersNumber) continue;
        outputFolder_->addItem(icon, folder);
        ++shown;
    }
    outputFolder_->setCurrentIndex(outputFolder_->findText(current));
    outputFolder_->setEditText(current);
}

void MainWindow::fillFormats() {
    const QSignalBlocker quiet(format_);
    format_->clear();
    for (const settings::OutputFormat& row : settings::OutputFormatTable()) {
        format_->addItem(outputFormatLabel(row.key, row.description), QString::fromStdString(row.key));
    }
    const int selected = format_->findData(QString::fromStdString(session_.settings.output.format));
    format_->setCurrentIndex(std::max(selected, 0));
    session_.settings.output.format = format_->currentData().toString().toStdString();
}

void MainWindow::setOutputFolder(const QString& folder) {
    outputFolder_->setEditText(folder);
}

QString MainWindow::statusText() const {
    return status_->text();
}

void MainWindow::setStatus(const QString& text) {
    status_->setText(text);
}

bool MainWindow::listHasFocus() const {
    return QApplication::focusWidget() == list_;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    captureMainWindowState(session_.settings, *this);
    settings::saveSettingsFile(session_.settings, session_.settingsPath);
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) paths << url.toLocalFile();
    }
    event->acceptProposedAction();
    addDroppedPaths(paths);
}

}  // namespace plotvale::window
