#pragma once
// The find dialog frmFind and the replace dialog frmChange, for any editor: the editor sets
// FindState (context, start line, last text) and hands over its FindTarget; the dialog runs
// TextFinder with the context's rules (box length, typed keys, when the buttons are enabled).
// Show it with openAlone() (modal to the editor, no nested event loop; the one find dialog of
// the program: one open before, in any window, closes first); finished() tells the editor to
// take its highlights off. An editor calls FindState::DialogSeat.closeOpen() before it sets
// FindState for its own dialog.
#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zel {
class FindTarget;
class LanguageTables;
class MessageSink;
class TitleCharTable;
struct FindState;
} // namespace zel

namespace zel::gui {

class FindReplaceDialog : public QDialog {
    Q_OBJECT
public:
    enum class Kind { Find, Replace };

    FindReplaceDialog(Kind kind, FindState& state, FindTarget& target, MessageSink& messages,
                      const LanguageTables& language, const TitleCharTable& table, QWidget* parent);
    ~FindReplaceDialog() override;

    void openAlone();

    QLineEdit* TextFind() const { return m_textFind; }
    QLineEdit* TextChange() const { return m_textChange; } // null in the find dialog
    QCheckBox* CheckFind() const { return m_checkFind; }
    QPushButton* CommandFind() const { return m_commandFind; }
    QPushButton* CommandChange() const { return m_commandChange; }
    QPushButton* CommandAllChange() const { return m_commandAllChange; }
    QPushButton* CommandCancel() const { return m_commandCancel; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls(Kind kind);
    void applyCaptions(Kind kind);
    QLineEdit* textBox(const QString& name);
    void updateButtons();
    bool replacementAcceptable();
    void onFind();
    void onReplace();
    void onReplaceAll();

    FindState& m_state;
    FindTarget& m_target;
    MessageSink& m_messages;
    const LanguageTables& m_language;
    const TitleCharTable& m_table;
    int m_context;
    QLabel* m_labelFind = nullptr;
    QLabel* m_labelChange = nullptr;
    QLineEdit* m_textFind = nullptr;
    QLineEdit* m_textChange = nullptr;
    QCheckBox* m_checkFind = nullptr;
    QPushButton* m_commandFind = nullptr;
    QPushButton* m_commandChange = nullptr;
    QPushButton* m_commandAllChange = nullptr;
    QPushButton* m_commandCancel = nullptr;
};

} // namespace zel::gui
