#pragma once
// MSFlexGridCommLog as a table model over the log store: column 0 (hidden), unit, data; one
// row per store entry (3000 rows, the fixed grid). The grid shows entries only after
// View_MsFlexGridCommLog; clearGrid empties it without touching the store. Two more columns
// follow: the time since the recording started (wall clock as the tool tip) and what the
// frame means, decoded when the grid is filled.
#include "link/FrameDecoder.h"

#include <QAbstractTableModel>
#include <QVector>

namespace zel {
class CommLogStore;
}

namespace zel::gui {

class CommLogModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        ColumnHidden = 0,
        ColumnUnit = 1,
        ColumnData = 2,
        ColumnTime = 3,
        ColumnMeaning = 4,
        ColumnCount = 5
    };

    explicit CommLogModel(const CommLogStore& store, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    void clearGrid();
    void View_MsFlexGridCommLog();
    int shownCount() const { return m_shownCount; }

    // The decoding of shown row `row` (an empty one past the shown rows).
    const DecodedFrame& decoded(int row) const;
    // Title codes in the meanings are read in this language (0 English, 1 Japanese).
    void setLanguageIndex(int languageIndex);

private:
    QVariant cellText(int row, int column) const;
    QVariant toolTip(int row, int column) const;

    const CommLogStore& m_store;
    int m_shownCount = 0;
    int m_languageIndex = 0;
    QVector<DecodedFrame> m_decoded;
};

} // namespace zel::gui
