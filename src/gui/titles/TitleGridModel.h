#pragma once
// MSFlexGridID(k): one title category of a document as a table: number, title ("ID"), and
// the hidden check mark and number key. A title that failed the last check is drawn red.
// Rows follow the document's display order; the document is edited through TitleEditor and
// the model only repaints (refresh) afterwards.
#include <QAbstractTableModel>

namespace zel {
class TitleDocument;
}

namespace zel::gui {

class TitleGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ColumnNumber, ColumnTitle, ColumnCheckMark, ColumnNumberKey, ColumnCount };

    TitleGridModel(const TitleDocument& document, int category, const QString& numberHeader,
                   QObject* parent = nullptr);

    int category() const { return m_category; }
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Every cell may have changed (rows keep their count).
    void refresh();

private:
    const TitleDocument& m_document;
    int m_category;
    QString m_numberHeader;
};

} // namespace zel::gui
