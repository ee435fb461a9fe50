#pragma once
// The 16 rows of the communication test screen: CheckValid, OptionTypeW / OptionTypeR,
// TextSend (hex key filter, 494 digits, paste filter), LabelSendLen, CommandSend and
// TextReceive. Shows the rows of the session and writes edits back to it.
#include <QWidget>
#include <array>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zel {
class CommTestSession;
struct CommTestControls;
} // namespace zel

namespace zel::gui {

class TestRowsPanel : public QWidget {
    Q_OBJECT
public:
    explicit TestRowsPanel(CommTestSession& session, QWidget* parent = nullptr);

    // Controls of row 1..16.
    QCheckBox* CheckValid(int rowNo) const { return at(rowNo).valid; }
    QRadioButton* OptionTypeW(int rowNo) const { return at(rowNo).write; }
    QRadioButton* OptionTypeR(int rowNo) const { return at(rowNo).read; }
    QLineEdit* TextSend(int rowNo) const { return at(rowNo).text; }
    QLabel* LabelSendLen(int rowNo) const { return at(rowNo).length; }
    QPushButton* CommandSend(int rowNo) const { return at(rowNo).send; }
    QLineEdit* TextReceive(int rowNo) const { return at(rowNo).reply; }
    // The row of a TextSend box, or 0.
    int rowOf(const QWidget* box) const;

    void showScreen(); // every row from the session
    void showReply(int rowNo);
    // SEND keys and W/R as the session's controls say.
    void applyControls(const CommTestControls& controls);
    // Pastes the clipboard into `box` when it holds only 0-9 and A-F (else message 4).
    void pasteInto(QLineEdit* box);

    // A row's SEND key (the window sends through the session and hands refused boxes back).
    std::function<void(int rowNo)> sendRow;

signals:
    void rowMenuRequested(QLineEdit* box, const QPoint& globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct RowControls {
        QCheckBox* valid = nullptr;
        QRadioButton* write = nullptr;
        QRadioButton* read = nullptr;
        QButtonGroup* kind = nullptr;
        QLineEdit* text = nullptr;
        QLabel* length = nullptr;
        QPushButton* send = nullptr;
        QLineEdit* reply = nullptr;
    };
    const RowControls& at(int rowNo) const;
    void buildRow(int rowNo);
    void connectRow(int rowNo);
    void showRow(int rowNo);
    void onTextChanged(int rowNo, const QString& text);
    bool filterBoxKey(QLineEdit* box, QKeyEvent* event);

    CommTestSession& m_session;
    std::array<RowControls, 16> m_rows;
    bool m_showing = false; // the model is being shown, not edited
};

} // namespace zel::gui
