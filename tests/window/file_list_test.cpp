// Filling and editing the main window's file list: the file and folder
// dialogs, dropped files and folders, and the list's own Copy, Delete and
// Select All keys.

#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QMimeData>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include "support/sample_metafile.h"
#include "window/file_list_view.h"
#include "window/input_list.h"
#include "window_test_support.h"

namespace plotvale::test {
namespace {

using window::Command;

class FileList : public ::testing::Test {
protected:
    TempFolder home;
    TempFolder pictures;
    WindowUnderTest ui{home};

    std::string picture(const std::string& name) { return pictures.write(name, sampleMetafile(20, 10)); }
    std::vector<std::string> rows() const { return ui.window->model().paths(); }

    // Finishes the add-folder transfer, whose window closes by itself.
    void runCommand(Command command) { ui.window->run(command); }
};

TEST_F(FileList, FileDialogAddsAdmittedFilesOnceInChosenOrder) {
    const std::string b = picture("b.wmf");
    const std::string a = picture("a.WMZ");
    pictures.write("empty.wmf", "");
    pictures.write("notes.txt", "text");
    ui.prompts.files = {QString::fromStdString(b), QString::fromStdString(a),
                        QString::fromStdString(pictures.file("empty.wmf")),
                        QString::fromStdString(pictures.file("notes.txt")), QString::fromStdString(b)};
    runCommand(Command::SelectInputFile);
    EXPECT_EQ(rows(), (std::vector<std::string>{b, a}));
    EXPECT_EQ(ui.session->run.files.size(), 2u);
}

TEST_F(FileList, FolderDialogAddsTheTreeAndReportsTheCount) {
    picture("one.wmf");
    picture("deep/two.wmf");
    picture("deep/deeper/three.apm");
    ui.prompts.chosenFolder = QString::fromStdString(pictures.path().string());
    runCommand(Command::SelectInputFolder);
    EXPECT_EQ(rows().size(), 3u);
    EXPECT_EQ(ui.window->statusText(), "Import complete, new files added: 3");
    // The folder's subfolders are kept for the output tree.
    bool sawDeeper = false;
    for (size_t i = 0; i < ui.session->run.files.size(); ++i) {
        sawDeeper |= ui.session->run.files.entryAt(i).relativeSubfolder == "deep/deeper/";
    }
    EXPECT_TRUE(sawDeeper);
}

TEST_F(FileList, InputChooserLeadsToTheFolderDialog) {
    picture("chosen/one.wmf");
    ui.prompts.chosenFolder = QString::fromStdString(pictures.file("chosen"));
    whileModal([](QWidget* modal) {
        if (modal->objectName() != "inputChooser") return;
        for (auto* button : modal->findChildren<QToolButton*>()) {
            if (button->text() == "Add Input Folder...") button->click();
        }
    });
    runCommand(Command::SelectInputFiles);
    stopWatchingModal();
    EXPECT_EQ(rows(), std::vector<std::string>{pictures.file("chosen/one.wmf")});
}

TEST_F(FileList, DroppedFilesAndFoldersAreAdded) {
    const std::string loose = picture("loose.wmf");
    picture("dropped/inner.wmf");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(loose)),
                  QUrl::fromLocalFile(QString::fromStdString(pictures.file("dropped")))});
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    // Straight to the window's handler: the application delivers drops only
    // to the target of a drag that the platform started.
    static_cast<QObject*>(ui.window.get())->event(&drop);
    EXPECT_TRUE(drop.isAccepted());
    ASSERT_TRUE(waitFor([this] { return rows().size() == 2; })) << rows().size();
    EXPECT_EQ(rows()[0], loose);
    EXPECT_EQ(rows()[1], pictures.file("dropped/inner.wmf"));
}

TEST_F(FileList, CopyDeleteAndSelectAllOnlyWithTheListFocused) {
    const std::string a = picture("a.wmf");
    const std::string b = picture("b.wmf");
    window::addInputFiles(*ui.session, ui.window->model(), {a, b});
    window::FileListView* list = ui.window->listView();
    QApplication::clipboard()->setText("untouched");

    ui.window->outputFolderBox()->setFocus();
    ASSERT_TRUE(waitFor([this] { return ui.window->outputFolderBox()->hasFocus(); }));
    ui.window->action(Command::SelectAll)->trigger();
    EXPECT_TRUE(list->selectedRowList().empty());
    list->selectAll();
    ui.window->action(Command::Copy)->trigger();
    ui.window->action(Command::Delete)->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "untouched");
    EXPECT_EQ(rows().size(), 2u);

    list->clearSelection();
    list->setFocus();
    ASSERT_TRUE(waitFor([list] { return list->hasFocus(); }));
    QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(list->selectedRowList(), (std::vector<int>{0, 1}));
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), a + "\r\n" + b);
    QTest::keyClick(list, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(ui.session->run.files.size(), 0u);

    // A removed file can be added again.
    window::addInputFiles(*ui.session, ui.window->model(), {b});
    EXPECT_EQ(rows(), std::vector<std::string>{b});
}

TEST_F(FileList, DeletingSomeRowsKeepsTheOthersAndTheirSubfolders) {
    picture("tree/x/one.wmf");
    picture("tree/x/two.wmf");
    picture("tree/three.wmf");
    ui.prompts.chosenFolder = QString::fromStdString(pictures.file("tree"));
    runCommand(Command::SelectInputFolder);
    ASSERT_EQ(rows().size(), 3u);
    const std::vector<std::string> before = rows();
    window::removeInputRows(*ui.session, ui.window->model(), {1});
    EXPECT_EQ(rows(), (std::vector<std::string>{before[0], before[2]}));
    ASSERT_EQ(ui.session->run.files.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        const auto& entry = ui.session->run.files.entryAt(i);
        EXPECT_EQ(entry.relativeSubfolder, entry.path.find("/x/") != std::string::npos ? "x/" : "");
    }
}

TEST_F(FileList, IconSizeFollowsTheInterfaceSetting) {
    ui.session->settings.interface.uiSize = 4;
    ui.window->applySettings();
    EXPECT_EQ(ui.window->findChild<QToolBar*>("mainToolbar")->iconSize(), QSize(64, 64));
    ui.session->settings.interface.uiSize = 0;
    ui.window->applySettings();
    EXPECT_EQ(ui.window->findChild<QToolBar*>("mainToolbar")->iconSize(), QSize(16, 16));
}

TEST_F(FileList, NewEmptiesListAndOutputFolder) {
    window::addInputFiles(*ui.session, ui.window->model(), {picture("a.wmf")});
    ui.window->setOutputFolder("/somewhere/");
    runCommand(Command::New);
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(ui.session->run.files.size(), 0u);
    EXPECT_TRUE(ui.window->outputFolderBox()->currentText().isEmpty());
    EXPECT_EQ(ui.window->statusText(), "Ready");
}

TEST_F(FileList, TwentyThousandRowsStayOneModelOfPlainRows) {
    std::vector<std::string> paths;
    for (int i = 0; i < 20000; ++i) paths.push_back("/pictures/" + std::to_string(i) + ".wmf");
    ui.window->model().append(paths);
    EXPECT_EQ(ui.window->model().rowCount(), 20000);
    QApplication::processEvents();
    std::vector<int> even;
    for (int i = 0; i < 20000; i += 2) even.push_back(i);
    ui.window->model().removeRowList(even);
    ASSERT_EQ(ui.window->model().rowCount(), 10000);
    EXPECT_EQ(ui.window->model().paths().front(), "/pictures/1.wmf");
}

}  // namespace
}  // namespace plotvale::test
