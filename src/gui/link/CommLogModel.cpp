#include "CommLogModel.h"

#include "link/CommLogStore.h"

namespace zel::gui {

CommLogModel::CommLogModel(const CommLogStore& store, QObject* parent)
    : QAbstractTableModel(parent), m_store(store) {}

int CommLogModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : CommLogStore::kCapacity;
}

int CommLogModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CommLogModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_shownCount)
        return {};
    const CommLogEntry& entry = m_store.entry(index.row());
    switch (index.column()) {
    case ColumnUnit:
        return entry.unit;
    case ColumnData:
        return entry.data;
    default:
        return {};
    }
}

QVariant CommLogModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::DisplayRole && orientation == Qt::Vertical)
        return section + 1;
    return {};
}

void CommLogModel::clearGrid() {
    beginResetModel();
    m_shownCount = 0;
    endResetModel();
}

void CommLogModel::View_MsFlexGridCommLog() {
    beginResetModel();
    m_shownCount = std::min(m_store.count(), CommLogStore::kCapacity);
    endResetModel();
}

} // namespace zel::gui
