#pragma once
// The rows of the main window's file list: the paths of the input set in the
// order they were added. A plain vector behind a list model keeps tens of
// thousands of rows cheap to add, show and remove.

#include <QAbstractListModel>
#include <QStringList>
#include <string>
#include <vector>

namespace plotvale::window {

class FileListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void append(const std::vector<std::string>& paths);
    // Removes the rows, given in any order.
    void removeRowList(std::vector<int> rows);
    void clear();

    const std::vector<std::string>& paths() const { return paths_; }
    size_t size() const { return paths_.size(); }

private:
    std::vector<std::string> paths_;
};

}  // namespace plotvale::window
