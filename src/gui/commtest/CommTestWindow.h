#pragma once
// frmCommTest: the communication test window (test mode only; fixed captions). REMOTE No.,
// CAMERA No., free format, continuous send with its interval, START / STOP, the 16 rows,
// File menu (new, open and save send data, save send and receive data), Edit menu and the
// rows' popup menu. The screen's session decides; this window shows what it says.
#include "commtest/CommTestSession.h"

#include <QMainWindow>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;

namespace zel {
class LanguageTables;
class LinkEngine;
class MessageSink;
class TitleCharTable;
struct FindState;
} // namespace zel

namespace zel::gui {

class NumberBoxGuard;
class TestRowsPanel;

class CommTestWindow : public QMainWindow {
    Q_OBJECT
public:
    CommTestWindow(LinkEngine& engine, const LanguageTables& language, MessageSink& messages,
                   QWidget* parent = nullptr);
    ~CommTestWindow() override;

    CommTestSession& session() { return m_session; }
    TestRowsPanel& rows() { return *m_rows; }
    QLineEdit* TextHostNo() const { return m_textHostNo; }
    QLineEdit* TextCamNo() const { return m_textCamNo; }
    QLineEdit* TextCommTime() const { return m_textCommTime; }
    QCheckBox* CheckFreeFormat() const { return m_checkFreeFormat; }
    QCheckBox* CheckCommTest() const { return m_checkCommTest; }
    QPushButton* CommandStart() const { return m_commandStart; }
    QPushButton* CommandStop() const { return m_commandStop; }
    QMenu* mnuFile() const { return m_mnuFile; }
    QMenu* mnuEdit() const { return m_mnuEdit; }
    QMenu* mnuTextMenu() const { return m_mnuTextMenu; }

    // Edit > Find and Replace open the shared dialogs over the rows (find context 5).
    void enableFind(FindState& state, const TitleCharTable& table);
    void openFindDialog(bool replace);

    // The file actions without their dialogs (the dialogs call these).
    void loadFrom(const QString& path);
    void saveSendDataTo(const QString& path);
    void saveResultsTo(const QString& path);

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildEditActions();
    QWidget* buildSettings();
    QWidget* buildContinuous();
    void connectControls();
    void connectSession();
    void showScreen();
    void applyControls();
    QLineEdit* boxWidget(CommTestBox box) const;
    void guardNumberBoxes();
    void onFocusChanged(QWidget* now);
    QLineEdit* editRow() const;
    void highlightLine(int rowNo, bool on);
    void endFind();
    void askOpenPath();
    void askSavePath(bool results);

    const LanguageTables& m_language;
    MessageSink& m_messages;
    CommTestSession m_session;
    TestRowsPanel* m_rows = nullptr;
    QLabel* m_labelHostNo = nullptr;
    QLabel* m_labelCamNo = nullptr;
    QLabel* m_labelCommTest = nullptr;
    QLineEdit* m_textHostNo = nullptr;
    QToolButton* m_upHostNo = nullptr;
    QToolButton* m_downHostNo = nullptr;
    QLineEdit* m_textCamNo = nullptr;
    QLineEdit* m_textCommTime = nullptr;
    QCheckBox* m_checkFreeFormat = nullptr;
    QCheckBox* m_checkCommTest = nullptr;
    QPushButton* m_commandStart = nullptr;
    QPushButton* m_commandStop = nullptr;
    QMenu* m_mnuFile = nullptr;
    QMenu* m_mnuEdit = nullptr;
    QMenu* m_mnuTextMenu = nullptr;
    QList<QAction*> m_editActions;  // cut, copy, paste, find, replace
    QLineEdit* m_editRow = nullptr; // the row box the edit menus work on
    NumberBoxGuard* m_numberBoxes = nullptr;
    FindState* m_findState = nullptr;
    const TitleCharTable* m_titleChars = nullptr;
};

} // namespace zel::gui
