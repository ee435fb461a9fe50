#pragma once
// frmCommLog: the communication log window (fixed Japanese captions). LOG START empties the
// store and records; LOG STOP shows what was recorded (a note says so while recording; closing
// the window ends the recording and keeps what it recorded). Save and open ".log" files. Each
// row also shows its time and, after a splitter, its meaning; rows can be filtered and the
// shown rows exported as CSV.
#include <QMainWindow>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QPushButton;
class QTableView;

namespace zel {
class CommLogFindTarget;
class CommLogSession;
class CommLogStore;
class LanguageTables;
class MessageSink;
class TitleCharTable;
struct FindState;
} // namespace zel

namespace zel::gui {

class CommLogFilterBar;
class CommLogModel;

class CommLogWindow : public QMainWindow {
    Q_OBJECT
public:
    // Window size rules, in pixels (15 twips each).
    static constexpr int kMinWidth = 4000 / 15;
    static constexpr int kMinHeight = 2000 / 15;
    static constexpr int kUnitColumnWidth = 1200 / 15;
    static constexpr int kGridWidthMargin = 100 / 15;
    static constexpr int kDataColumnMargin = 200 / 15;

    CommLogWindow(CommLogStore& store, MessageSink& messages, QWidget* parent = nullptr);
    ~CommLogWindow() override;

    // Search > Search opens the find dialog (context 6) with these.
    void enableFind(FindState& state, const LanguageTables& language, const TitleCharTable& table);
    void openFindDialog();

    // File > Print opens the print preview of the log; failures speak `language`.
    void enablePrint(const LanguageTables& language);

    CommLogModel& model() { return *m_model; }
    QTableView& grid() { return *m_grid; }
    QTableView& meanings() { return *m_meanings; } // the pane after the splitter

    // The file actions without their dialogs (the dialogs call these).
    void saveTo(const QString& path);
    void loadFrom(const QString& path);

    // Filter choices and "Export CSV"; the CSV holds the rows the filter shows.
    CommLogFilterBar& filterBar() { return *m_filterBar; }
    bool exportCsvTo(const QString& path);
    // Captions of the filter row and the language of title texts in the meanings.
    void setLanguageIndex(int languageIndex);

signals:
    void closed(); // menu button 6 is enabled again

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildButtons(QWidget* central);
    void buildViews(QWidget* central);
    void startLog();
    void stopLog();
    void showStoredRows();
    void askSavePath();
    void askOpenPath();
    void printLog();
    void applyRecordingState();
    void layoutGrid();
    void layoutColumns();
    void buildFilterBar();
    void applyFilter();
    void askCsvPath();
    void showFindHit(int line);

    CommLogStore& m_store;
    MessageSink& m_messages;
    std::unique_ptr<CommLogSession> m_session; // the screen's rules
    CommLogModel* m_model = nullptr;
    QSplitter* m_splitter = nullptr;
    QTableView* m_grid = nullptr;
    QTableView* m_meanings = nullptr;
    QLabel* m_recordingNote = nullptr;
    int m_languageIndex = 0;
    QPushButton* m_commandStart = nullptr;
    QPushButton* m_commandStop = nullptr;
    QMenu* m_mnuFile = nullptr;
    QMenu* m_mnuSearch = nullptr;
    QAction* m_mnuPrint = nullptr;
    QAction* m_mnuFind = nullptr;
    CommLogFilterBar* m_filterBar = nullptr;
    std::unique_ptr<CommLogFindTarget> m_findTarget;
    FindState* m_findState = nullptr;
    const LanguageTables* m_language = nullptr;
    const TitleCharTable* m_titleChars = nullptr;
};

} // namespace zel::gui
