#include "window/file_list_view.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <algorithm>

namespace plotvale::window {

FileListView::FileListView(QWidget* parent) : QTreeView(parent) {
    setObjectName("fileList");
    setRootIsDecorated(false);
    setUniformRowHeights(true);  // keeps tens of thousands of rows quick
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setAllColumnsShowFocus(true);
    header()->setStretchLastSection(true);
}

std::vector<int> FileListView::selectedRowList() const {
    std::vector<int> rows;
    if (selectionModel() == nullptr) return rows;
    for (const QModelIndex& index : selectionModel()->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void FileListView::keyPressEvent(QKeyEvent* event) {
    const auto call = [event](const std::function<void()>& action) {
        if (action) action();
        event->accept();
    };
    if (event->matches(QKeySequence::Copy)) return call(onCopy);
    if (event->matches(QKeySequence::SelectAll)) return call(onSelectAll);
    if (event->key() == Qt::Key_Delete) return call(onDelete);
    QTreeView::keyPressEvent(event);
}

void FileListView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeView::mouseDoubleClickEvent(event);
    if (onDoubleClick) onDoubleClick();
}

void FileListView::contextMenuEvent(QContextMenuEvent* event) {
    if (onContextMenu && !selectedRowList().empty()) onContextMenu(event->globalPos());
}

}  // namespace plotvale::window
