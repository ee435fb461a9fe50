#pragma once
// The title window frmTitleSet: one document of 302 titles in nine categories (tab strip, two
// title boxes and seven grids), the REMOTE No. and CAMERA No. boxes, DOWNLOAD / UPLOAD, and the
// File / Edit / Tool menus. The screen's rules live in core (TitleSession: files, editing,
// transfers, automatic backup, find); this window wires widgets to it and renders it.
#include "common/QtClipboard.h"
#include "link/TransferDialog.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>

class QAction;
class QFileDialog;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QToolButton;

namespace zel {
class Application;
class TitleDocument;
class TitleEditor;
class TitleSession;
} // namespace zel

namespace zel::gui {

class MenuWindow;
class NumberBoxGuard;
class TitleGridModel;
class TitleGridView;

class TitleWindow : public QMainWindow {
    Q_OBJECT
public:
    TitleWindow(Application& app, int slot, QWidget* parent = nullptr);
    ~TitleWindow() override;

    // The window of `slot` as the menu opens it: File > New closes it and, once it is gone
    // (its slot free again), clicks the menu's title button for a fresh one.
    static TitleWindow* openFromMenu(MenuWindow& menu, Application& app, int slot);

    int slot() const { return m_slot; }
    TitleSession& session() { return *m_session; }
    TitleDocument& document();
    TitleEditor& editor();
    TransferDialog* transferDialog() const { return m_transferDialog; }

    QLineEdit* TextHostNo() const { return m_textHostNo; }
    QLineEdit* TextCamNo() const { return m_textCamNo; }
    QLineEdit* TextCamera() const { return m_textBoxes[0]; }
    QLineEdit* TextAutoPan() const { return m_textBoxes[1]; }
    QTabBar* TabStripID() const { return m_tabStrip; }
    TitleGridView* MSFlexGridID(int category) const; // null for categories 0 and 3
    QPushButton* CommandDL() const { return m_commandDL; }
    QPushButton* CommandUL() const { return m_commandUL; }
    QAction* action(const QString& name) const; // mnuNew, mnuOpen, ... by object name

    // Public procedures of the window.
    void SetTime_OnOffProc();
    void FocusCurrentCategory();

    // The file and find actions behind their dialogs.
    bool openFile(const QString& path);
    bool importCsv(const QString& path);
    bool exportCsv(const QString& path);
    void openFindDialog(bool replace);

signals:
    // File > New: a fresh window is wanted once this one is gone.
    void newWindowRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Construction.
    void buildNumberRow(QWidget* central);
    void buildTabs(QWidget* central);
    QWidget* buildTextPage(int category);
    void buildMenus();
    QAction* addAction(QMenu* menu, int captionIndex, const QString& name,
                       const QKeySequence& shortcut, void (TitleWindow::*slot)());
    void applyCaptions();
    void connectCore();
    void connectNumberBoxes();
    void loadWindow();

    // State shown.
    void refreshState();
    void refreshTitles(int category);
    void refreshBoxes();
    void refreshCaption();
    void onTabChanged(int category);
    QLineEdit* textBoxOf(int category) const;
    TitleGridView* currentGrid() const;
    QLineEdit* activeLineEdit() const;

    // Keys: the menu shortcuts from any box, the CAMERA No. box, the title boxes.
    bool isWindowShortcut(const QKeyEvent* event) const;
    void onCameraEdited(const QString& text);
    bool titleBoxEvent(QLineEdit* box, QEvent* event);
    void onTitleBoxChanged(int category, const QString& text);

    // Menu commands.
    void onNew();
    void onOpen();
    void onClose();
    void onSave();
    void onSaveAs();
    void onImportCsv();
    void onExportCsv();
    void documentLoaded();
    void onPrint();
    void onAllDownload();
    void onAllUpload();
    void onUndo();
    void onCut();
    void onCopy();
    void onPaste();
    void onFind();
    void onReplace();
    void onCheck();
    void onSort();
    void onDeleteRows();
    void copySelection(bool cut);
    QString askSaveAsPath();
    QString fileFilter() const;
    QString csvFilter() const;
    QFileDialog* fileDialog(const QString& title, const QString& filter, bool save);

    // Transfers.
    void onDownloadClicked();
    void onUploadClicked();
    void showTransferDialog(bool sent);

    // Find highlight.
    void showFindHit(int line);
    void clearFindHighlight();

    Application& m_app;
    int m_slot;
    std::unique_ptr<TitleSession> m_session;
    QtClipboard m_clipboard;
    QPointer<TransferDialog> m_transferDialog;

    QLabel* m_labelHostNo = nullptr;
    QLabel* m_labelCamNo = nullptr;
    QLabel* m_labelDownload = nullptr;
    QLabel* m_labelUpload = nullptr;
    NumberBoxGuard* m_numberBoxes = nullptr;
    QLineEdit* m_textHostNo = nullptr;
    QLineEdit* m_textCamNo = nullptr;
    QToolButton* m_upHostNo = nullptr;
    QToolButton* m_downHostNo = nullptr;
    QPushButton* m_commandDL = nullptr;
    QPushButton* m_commandUL = nullptr;
    QTabBar* m_tabStrip = nullptr;
    QStackedWidget* m_frames = nullptr;
    std::array<QLineEdit*, 2> m_textBoxes{}; // TextCamera, TextAutoPan
    std::array<QLabel*, 2> m_textLabels{};
    std::array<TitleGridModel*, 9> m_models{}; // grid categories only
    std::array<TitleGridView*, 9> m_grids{};
    std::array<QMenu*, 3> m_menus{}; // File, Edit, Tool
    bool m_loadingBoxes = false;
};

} // namespace zel::gui
