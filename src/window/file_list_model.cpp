#include "window/file_list_model.h"

#include <algorithm>

#include "settings/message_table.h"

namespace plotvale::window {

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(paths_.size());
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        return QString::fromStdString(paths_[static_cast<size_t>(index.row())]);
    }
    return {};
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        return QString::fromStdString(settings::getText("General", "Filename"));
    }
    return {};
}

Qt::ItemFlags FileListModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void FileListModel::append(const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(paths.size()) - 1);
    paths_.insert(paths_.end(), paths.begin(), paths.end());
    endInsertRows();
}

void FileListModel::removeRowList(std::vector<int> rows) {
    if (rows.empty()) return;
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    // One reset instead of a signal per row keeps large deletions fast.
    beginResetModel();
    std::vector<std::string> kept;
    kept.reserve(paths_.size() - rows.size());
    size_t next = 0;
    for (size_t i = 0; i < paths_.size(); ++i) {
        if (next < rows.size() && static_cast<size_t>(rows[next]) == i) {
            ++next;
            continue;
        }
        kept.push_back(std::move(paths_[i]));
    }
    paths_ = std::move(kept);
    endResetModel();
}

void FileListModel::clear() {
    beginResetModel();
    paths_.clear();
    endResetModel();
}

}  // namespace plotvale::window
