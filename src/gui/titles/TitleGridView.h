#pragma once
// One title grid (MSFlexGridID) with its in-cell editor TextWorkText. Keys on the grid: Enter
// moves down, Delete empties the selected rows, F2 or a double click opens the editor;
// typed characters edit nothing. In the editor every typed key goes through the title key
// rule, the first key after opening (other than Left/Right) takes the undo snapshot, every
// change is written to the cell at once; Up/Down move and return to the grid, Enter moves down
// and reopens, Escape returns to the grid; losing the focus hides the editor (no cancel).
#include <QTableView>

class QInputMethodEvent;
class QLineEdit;

namespace zel {
class TitleCharTable;
class TitleEditor;
} // namespace zel

namespace zel::gui {

class TitleGridModel;

class TitleGridView : public QTableView {
    Q_OBJECT
public:
    TitleGridView(TitleEditor& editor, const TitleCharTable& table, TitleGridModel* model,
                  QWidget* parent = nullptr);

    int category() const { return m_category; }
    QLineEdit* TextWorkText() const { return m_workText; }
    bool isEditorOpen() const;
    void openEditor();
    void hideEditor();

    // Display position of the current row (0 when none).
    int currentRow() const;
    void setCurrentRow(int row);
    // The rows from the smaller to the larger of the current row and the selection's end.
    void selectedRange(int& first, int& last) const;

signals:
    void deleteRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool editorKey(QKeyEvent* event);
    bool editorInput(const QInputMethodEvent* event);
    int normalizedKey(int key) const; // the title key rule of the language
    void moveFromEditor(int step, bool reopen);
    void onEditorChanged(const QString& text);

    TitleEditor& m_editor;
    const TitleCharTable& m_table;
    int m_category;
    QLineEdit* m_workText = nullptr;
    int m_editRow = -1;
    bool m_firstKey = false;
    bool m_loading = false;
};

} // namespace zel::gui
