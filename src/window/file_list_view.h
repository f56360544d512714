#pragma once
// The file list of the main window: one "Filename" column, many rows
// selected at once. Copy, Delete and Select All are its own keys, so they
// act only while the list has the focus.

#include <QTreeView>
#include <functional>

namespace plotvale::window {

class FileListView : public QTreeView {
public:
    explicit FileListView(QWidget* parent);

    std::function<void()> onCopy;
    std::function<void()> onDelete;
    std::function<void()> onSelectAll;
    std::function<void()> onDoubleClick;
    std::function<void(const QPoint&)> onContextMenu;

    // The selected rows, in ascending order.
    std::vector<int> selectedRowList() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
};

}  // namespace plotvale::window
