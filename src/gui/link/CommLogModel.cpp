#include "CommLogModel.h"

#include "link/CommLogCsv.h"
#include "link/CommLogStore.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <optional>

namespace zel::gui {

namespace {

bool resolvesFixedPitch(const QFont& font) {
    return QFontInfo(font).fixedPitch();
}

// The first installed family that is fixed-pitch and resolves to itself, the common monospace
// families first; std::nullopt when the machine has none.
std::optional<QFont> installedFixedFont(const QFont& sized) {
    const QStringList preferred{QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Noto Mono"),
                                QStringLiteral("Liberation Mono")};
    for (const QString& family : preferred + QFontDatabase::families()) {
        if (!QFontDatabase::isFixedPitch(family))
            continue;
        QFont candidate = sized;
        candidate.setFamilies({family});
        candidate.setStyleHint(QFont::TypeWriter);
        if (resolvesFixedPitch(candidate))
            return candidate;
    }
    return std::nullopt;
}

// The system's fixed-width font when it is one (a desktop's font set may answer with a
// proportional family); else an installed fixed-pitch family.
QFont fixedWidthFont() {
    static const QFont font = [] {
        QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        if (resolvesFixedPitch(fixed))
            return fixed;
        if (const std::optional<QFont> installed = installedFixedFont(fixed))
            return *installed;
        fixed.setFamily(QStringLiteral("monospace"));
        fixed.setStyleHint(QFont::TypeWriter);
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
    switch (role) {
    case Qt::FontRole: // hex columns line up only in a fixed-width font
        return index.column() == ColumnMeaning ? QVariant() : QVariant(fixedWidthFont());
    case Qt::DisplayRole:
        return cellText(index.row(), index.column());
    case Qt::ToolTipRole:
        return toolTip(index.row(), index.column());
    default:
        return {};
    }
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

QVariant CommLogModel::toolTip(int row, int column) const {
    switch (column) {
    case ColumnData: // the whole frame where the column cuts it
    case ColumnMeaning:
        return cellText(row, column);
    case ColumnTime: { // the wall clock of the entry
        const QString wallClock = CommLogCsv::wallClockText(m_store.entry(row).wallClockMs);
        return wallClock.isEmpty() ? QVariant() : QVariant(wallClock);
    }
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
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    if (m_shownCount > 0)
        View_MsFlexGridCommLog();
}

QVariant CommLogModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    const bool japanese = m_languageIndex != 0;
    switch (section) {
    case ColumnUnit:
        return japanese ? QStringLiteral("ユニット") : QStringLiteral("Unit");
    case ColumnData:
        return japanese ? QStringLiteral("データ") : QStringLiteral("Data");
    case ColumnTime:
        return japanese ? QStringLiteral("時間") : QStringLiteral("Time");
    case ColumnMeaning:
        return japanese ? QStringLiteral("意味") : QStringLiteral("Meaning");
    default:
        return {};
    }
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
