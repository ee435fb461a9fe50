#pragma once
// MSFlexGridCommLog as a table model over the log store: column 0 (hidden), unit, data; one
// row per store entry (3000 rows, the fixed grid). The grid shows entries only after
// View_MsFlexGridCommLog; clearGrid empties it without touching the store.
#include <QAbstractTableModel>

namespace zel {
class CommLogStore;
}

namespace zel::gui {

class CommLogModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ColumnHidden = 0, ColumnUnit = 1, ColumnData = 2, ColumnCount = 3 };

    explicit CommLogModel(const CommLogStore& store, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    void clearGrid();
    void View_MsFlexGridCommLog();
    int shownCount() const { return m_shownCount; }

private:
    const CommLogStore& m_store;
    int m_shownCount = 0;
};

} // namespace zel::gui
