#include "CommLogModel.h"

#include "link/CommLogCsv.h"
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
    if (!index.isValid() || index.row() >= m_shownCount)
        return {};
    if (role == Qt::DisplayRole)
        return cellText(index.row(), index.column());
    if (role == Qt::ToolTipRole && index.column() == ColumnTime) {
        const QString wallClock = CommLogCsv::wallClockText(m_store.entry(index.row()).wallClockMs);
        return wallClock.isEmpty() ? QVariant() : QVariant(wallClock);
    }
    return {};
}

QVariant CommLogModel::cellText(int row, int column) const {
    const CommLogEntry& entry = m_store.entry(row);
    switch (column) {
    case ColumnUnit:
        return entry.unit;
    case ColumnData:
        return entry.data;
    case ColumnTime:
        return CommLogCsv::elapsedText(entry.elapsedMs);
    case ColumnMeaning:
        return decoded(row).meaning;
    default:
        return {};
    }
}

const DecodedFrame& CommLogModel::decoded(int row) const {
    static const DecodedFrame kNone;
    return row >= 0 && row < m_decoded.size() && row < m_shownCount ? m_decoded[row] : kNone;
}

void CommLogModel::setLanguageIndex(int languageIndex) {
    m_languageIndex = languageIndex;
    if (m_shownCount > 0)
        View_MsFlexGridCommLog();
}

QVariant CommLogModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    const bool japanese = m_languageIndex != 0;
    if (section == ColumnTime)
        return japanese ? QStringLiteral("時間") : QStringLiteral("Time");
    if (section == ColumnMeaning)
        return japanese ? QStringLiteral("意味") : QStringLiteral("Meaning");
    return {};
}

void CommLogModel::clearGrid() {
    beginResetModel();
    m_shownCount = 0;
    m_decoded.clear();
    endResetModel();
}

void CommLogModel::View_MsFlexGridCommLog() {
    beginResetModel();
    m_shownCount = std::min(m_store.count(), CommLogStore::kCapacity);
    m_decoded = FrameDecoder(m_languageIndex).decodeAll(m_store);
    endResetModel();
}

} // namespace zel::gui
