#include "CommLogModel.h"

#include "link/CommLogStore.h"

#include <QFontDatabase>
#include <QFontInfo>

namespace zel::gui {

namespace {

// The system's fixed-width font; where the platform names none, the font configuration's.
QFont fixedWidthFont() {
    static const QFont font = [] {
        QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        if (!QFontInfo(fixed).fixedPitch()) {
            fixed.setFamily(QStringLiteral("monospace"));
            fixed.setStyleHint(QFont::TypeWriter);
        }
        return fixed;
    }();
    return font;
}

} // namespace

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
    if (role == Qt::FontRole) // hex columns line up only in a fixed-width font
        return fixedWidthFont();
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    const CommLogEntry& entry = m_store.entry(index.row());
    switch (index.column()) {
    case ColumnUnit:
        return role == Qt::DisplayRole ? QVariant(entry.unit) : QVariant();
    case ColumnData: // the tooltip shows the whole frame where the column cuts it
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
