#include "TitleGridModel.h"

#include "titles/TitleDocument.h"

#include <QColor>

namespace zel::gui {

TitleGridModel::TitleGridModel(const TitleDocument& document, int category,
                               const QString& numberHeader, QObject* parent)
    : QAbstractTableModel(parent), m_document(document), m_category(category),
      m_numberHeader(numberHeader) {}

int TitleGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_document.rowCount(m_category);
}

int TitleGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TitleGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const TitleRow& row = m_document.row(m_category, index.row());
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case ColumnNumber:
            return row.number;
        case ColumnTitle:
            return row.title;
        case ColumnCheckMark:
            return row.checkMark;
        case ColumnNumberKey:
            return row.numberKey;
        default:
            return {};
        }
    case Qt::ForegroundRole:
        if (index.column() == ColumnTitle && row.failedCheck())
            return QColor(Qt::red);
        return {};
    case Qt::TextAlignmentRole:
        return index.column() == ColumnNumber ? int(Qt::AlignRight | Qt::AlignVCenter)
                                              : int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant TitleGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (section) {
    case ColumnNumber:
        return m_numberHeader;
    case ColumnTitle:
        return QStringLiteral("ID");
    default:
        return QString();
    }
}

void TitleGridModel::refresh() {
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

} // namespace zel::gui
