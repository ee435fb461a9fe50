#pragma once
// frmCommTest: the communication test window (test mode only; fixed captions). REMOTE No.,
// CAMERA No., free format, continuous send with its interval, START / STOP, the 16 rows,
// File menu (new, open and save send data, save send and receive data), Edit menu and the
// rows' popup menu. The work is done by the CommTest controller; this window shows it.
// Closing is refused with message 9 while a continuous send runs.
#include "common/QtTimer.h"

#include <QMainWindow>
#include <memory>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;

namespace zel {
class CommTest;
class LanguageTables;
class LinkEngine;
class MessageSink;
class TestFindTarget;
class TitleCharTable;
struct FindState;
} // namespace zel

namespace zel::gui {

class TestRowsPanel;

class CommTestWindow : public QMainWindow {
    Q_OBJECT
public:
    CommTestWindow(LinkEngine& engine, const LanguageTables& language, MessageSink& messages,
                   QWidget* parent = nullptr);
    ~CommTestWindow() override;

    CommTest& test() { return *m_test; }
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
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildEditActions();
    QWidget* buildSettings();
    QWidget* buildContinuous();
    void connectControls();
    void connectController();
    void showScreen();
    void applyControls();
    void onBoxLeft(QLineEdit* box);
    bool checkBox(QLineEdit* box);
    void refocus(QLineEdit* box);
    void stepHostNo(int step);
    void onFocusChanged(QWidget* now);
    QLineEdit* editRow() const;
    void highlightLine(int rowNo, bool on);
    void endFind();
    void askOpenPath();
    void askSavePath(bool results);

    const LanguageTables& m_language;
    MessageSink& m_messages;
    QtTimer m_timerCommTest;
    QtTimer m_timerPace;
    std::unique_ptr<CommTest> m_test;
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
    bool m_checkingBox = false;
    FindState* m_findState = nullptr;
    const TitleCharTable* m_titleChars = nullptr;
    std::unique_ptr<TestFindTarget> m_findTarget;
};

} // namespace zel::gui
