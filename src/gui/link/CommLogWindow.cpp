#include "CommLogWindow.h"

#include "CommLogFilterBar.h"
#include "CommLogModel.h"
#include "common/FileDialogRoom.h"
#include "common/SuggestedFileName.h"
#include "link/CommLogCsv.h"
#include "link/CommLogFindTarget.h"
#include "link/CommLogSession.h"
#include "link/CommLogStore.h"
#include "printing/PrintData.h"
#include "printing/ReportPreviewDialog.h"
#include "shell/ToolTexts.h"
#include "titles/FindReplaceDialog.h"
#include "titles/FindState.h"

#include <QCloseEvent>
#include <QDate>
#include <QDialog>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTableView>

namespace zel::gui {

namespace {
const QString kFilter = QStringLiteral("ログファイル(*.log);;すべてのファイル(*.*)");
constexpr int kButtonAreaHeight = 40;
// The window height the grid leaves free: 1350 twips with the caption bar, which Qt's
// window height does not count (about 375 twips).
constexpr int kGridHeightMargin = (1350 - 375) / 15;
} // namespace

CommLogWindow::CommLogWindow(CommLogStore& store, MessageSink& messages, QWidget* parent)
    : QMainWindow(parent), m_store(store), m_messages(messages),
      m_session(std::make_unique<CommLogSession>(store, messages)) {
    setObjectName(QStringLiteral("frmCommLog"));
    setWindowTitle(QStringLiteral("通信ログ"));
    auto* central = new QWidget(this);
    setCentralWidget(central);
    buildMenus();
    buildButtons(central);

    m_model = new CommLogModel(m_store, this);
    buildViews(central);
    buildFilterBar();

    setMinimumSize(kMinWidth, kMinHeight);
    resize(640, 480);
    applyRecordingState();
    if (!m_session->isRecording())
        m_model->View_MsFlexGridCommLog();
}

// The grid (time, unit, data) and, after a splitter the user can drag, the meanings: one
// table to the eye, one selection, one vertical scroll bar (the meanings').
void CommLogWindow::buildViews(QWidget* central) {
    m_splitter = new QSplitter(Qt::Horizontal, central);
    m_splitter->setObjectName(QStringLiteral("SplitterCommLog"));
    m_splitter->setChildrenCollapsible(false);
    m_grid = new QTableView(m_splitter);
    m_grid->setObjectName(QStringLiteral("MSFlexGridCommLog"));
    m_meanings = new QTableView(m_splitter);
    m_meanings->setObjectName(QStringLiteral("GridCommLogMeaning"));
    for (QTableView* view : {m_grid, m_meanings}) {
        view->setModel(m_model);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->verticalHeader()->setDefaultSectionSize(20);
        view->verticalHeader()->hide(); // the fixed first column has no width
        view->horizontalHeader()->setMinimumSectionSize(0);
    }
    m_meanings->setSelectionModel(m_grid->selectionModel());
    for (int column = 0; column < CommLogModel::ColumnCount; ++column)
        m_meanings->setColumnHidden(column, column != CommLogModel::ColumnMeaning);
    m_meanings->horizontalHeader()->setStretchLastSection(true);
    m_grid->setColumnWidth(CommLogModel::ColumnHidden, 0);
    m_grid->setColumnHidden(CommLogModel::ColumnHidden, true);
    m_grid->setColumnHidden(CommLogModel::ColumnMeaning, true);
    m_grid->setColumnWidth(CommLogModel::ColumnUnit, kUnitColumnWidth);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QScrollBar* gridBar = m_grid->verticalScrollBar();
    QScrollBar* meaningBar = m_meanings->verticalScrollBar();
    connect(gridBar, &QScrollBar::valueChanged, meaningBar, &QScrollBar::setValue);
    connect(meaningBar, &QScrollBar::valueChanged, gridBar, &QScrollBar::setValue);
    m_splitter->setStretchFactor(0, 2);
    m_splitter->setStretchFactor(1, 1);
    connect(m_splitter, &QSplitter::splitterMoved, this, &CommLogWindow::layoutColumns);
    m_grid->viewport()->installEventFilter(this); // its width settles after the splitter's
}

bool CommLogWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_grid->viewport() && event->type() == QEvent::Resize)
        layoutColumns();
    return QMainWindow::eventFilter(watched, event);
}

CommLogWindow::~CommLogWindow() {
    m_grid->viewport()->removeEventFilter(this);
    // A find dialog still open refers to the find target: it goes first.
    for (QDialog* dialog : findChildren<QDialog*>(Qt::FindDirectChildrenOnly))
        delete dialog;
}

void CommLogWindow::enableFind(FindState& state, const LanguageTables& language,
                               const TitleCharTable& table) {
    m_findState = &state;
    m_language = &language;
    m_titleChars = &table;
    m_findTarget =
        std::make_unique<CommLogFindTarget>(m_store, [this] { return m_model->shownCount(); });
    m_findTarget->onHit = [this](int line) { showFindHit(line); };
    m_mnuFind->setEnabled(true);
    connect(m_mnuFind, &QAction::triggered, this, &CommLogWindow::openFindDialog);
}

void CommLogWindow::openFindDialog() {
    if (!m_findTarget)
        return;
    m_findState->DialogSeat.closeOpen();
    m_findState->FindContext = FindContextLog;
    auto* dialog = new FindReplaceDialog(FindReplaceDialog::Kind::Find, *m_findState, *m_findTarget,
                                         m_messages, *m_language, *m_titleChars, this);
    connect(dialog, &QDialog::finished, this, [this] {
        m_grid->setPalette(QPalette());
        m_meanings->setPalette(QPalette());
    });
    dialog->openAlone();
}

void CommLogWindow::showFindHit(int line) {
    if (m_grid->isRowHidden(line - 1))
        m_filterBar->showAll(); // a hit the filter hides is shown with every row
    const QModelIndex row = m_model->index(line - 1, CommLogModel::ColumnData);
    m_grid->setCurrentIndex(row);
    m_grid->selectRow(line - 1);
    m_grid->scrollTo(row);
    QPalette palette = m_grid->palette();
    palette.setColor(QPalette::Highlight, QColor(0, 0, 128));
    palette.setColor(QPalette::HighlightedText, palette.color(QPalette::Base));
    m_grid->setPalette(palette);
    m_meanings->setPalette(palette);
}

void CommLogWindow::buildMenus() {
    m_mnuFile = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    m_mnuFile->setObjectName(QStringLiteral("mnuFile"));
    QAction* open =
        m_mnuFile->addAction(QStringLiteral("開く(&O)"), this, &CommLogWindow::askOpenPath);
    open->setObjectName(QStringLiteral("mnuOpen"));
    QAction* save = m_mnuFile->addAction(QStringLiteral("名前を付けて保存(&A)"), this,
                                         &CommLogWindow::askSavePath);
    save->setObjectName(QStringLiteral("mnuSave"));
    m_mnuFile->addSeparator();
    m_mnuPrint = m_mnuFile->addAction(QStringLiteral("印刷(&P)"), this, &CommLogWindow::printLog);
    m_mnuPrint->setObjectName(QStringLiteral("mnuPrint"));
    m_mnuPrint->setShortcut(QKeySequence::Print);
    m_mnuPrint->setEnabled(false); // until enablePrint
    m_mnuFile->addSeparator();
    QAction* end = m_mnuFile->addAction(QStringLiteral("終了(&X)"), this, &QWidget::close);
    end->setObjectName(QStringLiteral("mnuEnd"));

    m_mnuSearch = menuBar()->addMenu(QStringLiteral("検索(&S)"));
    m_mnuSearch->setObjectName(QStringLiteral("mnuSearch"));
    m_mnuFind = m_mnuSearch->addAction(QStringLiteral("検索(&F)"));
    m_mnuFind->setObjectName(QStringLiteral("mnuFind"));
    m_mnuFind->setShortcut(QKeySequence::Find);
    m_mnuFind->setEnabled(false); // until enableFind
}

void CommLogWindow::buildButtons(QWidget* central) {
    m_commandStart = new QPushButton(QStringLiteral("LOG START"), central);
    m_commandStart->setObjectName(QStringLiteral("CommandStart"));
    m_commandStop = new QPushButton(QStringLiteral("LOG STOP"), central);
    m_commandStop->setObjectName(QStringLiteral("CommandStop"));
    m_commandStart->setGeometry(8, 8, 100, 26);
    m_commandStop->setGeometry(116, 8, 100, 26);
    m_recordingNote = new QLabel(central);
    m_recordingNote->setObjectName(QStringLiteral("LabelRecording"));
    m_recordingNote->setGeometry(228, 8, 400, 26);
    connect(m_commandStart, &QPushButton::clicked, this, &CommLogWindow::startLog);
    connect(m_commandStop, &QPushButton::clicked, this, &CommLogWindow::stopLog);
}

void CommLogWindow::applyRecordingState() {
    const CommLogSession::Controls controls = m_session->controls();
    m_commandStart->setEnabled(controls.start);
    m_commandStop->setEnabled(controls.stop);
    m_mnuFile->setEnabled(controls.files);
    m_mnuFile->menuAction()->setEnabled(controls.files);
    m_mnuSearch->setEnabled(controls.search);
    m_mnuSearch->menuAction()->setEnabled(controls.search);
    m_recordingNote->setText(toolText(m_languageIndex, ToolText::LogRecordingNote));
    m_recordingNote->setVisible(controls.recordingNote);
}

void CommLogWindow::startLog() {
    m_session->start();
    applyRecordingState();
    m_model->clearGrid();
}

void CommLogWindow::stopLog() {
    m_session->stop();
    showStoredRows();
}

void CommLogWindow::showStoredRows() {
    applyRecordingState();
    m_model->clearGrid();
    m_model->View_MsFlexGridCommLog();
}

void CommLogWindow::saveTo(const QString& path) {
    m_session->save(path);
}

void CommLogWindow::loadFrom(const QString& path) {
    m_model->clearGrid();
    m_session->load(path);
    m_model->View_MsFlexGridCommLog();
}

void CommLogWindow::buildFilterBar() {
    m_filterBar = new CommLogFilterBar(this);
    addToolBar(Qt::TopToolBarArea, m_filterBar);
    // The time comes first; the meaning follows the data.
    QHeaderView* header = m_grid->horizontalHeader();
    header->moveSection(header->visualIndex(CommLogModel::ColumnTime), CommLogModel::ColumnUnit);
    m_grid->setColumnWidth(CommLogModel::ColumnTime,
                           m_grid->fontMetrics().horizontalAdvance(QStringLiteral("0:00:00.000")) +
                               12);
    connect(m_filterBar, &CommLogFilterBar::filterChanged, this, &CommLogWindow::applyFilter);
    connect(m_filterBar, &CommLogFilterBar::exportRequested, this, &CommLogWindow::askCsvPath);
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        QVector<DecodedFrame> shown;
        for (int row = 0; row < m_model->shownCount(); ++row)
            shown.append(m_model->decoded(row));
        m_filterBar->offerChoicesFrom(shown);
        applyFilter();
    });
}

void CommLogWindow::setLanguageIndex(int languageIndex) {
    m_languageIndex = languageIndex;
    applyRecordingState();
    m_filterBar->setLanguageIndex(languageIndex);
    m_model->setLanguageIndex(languageIndex);
}

void CommLogWindow::applyFilter() {
    // Rows are hidden, never removed: the recording and the row numbers stay as they are.
    const CommLogFilter filter = m_filterBar->filter();
    const bool active = filter.isActive();
    for (int row = 0; row < m_model->rowCount(); ++row) {
        const bool shown =
            !active || (row < m_model->shownCount() && filter.accepts(m_model->decoded(row)));
        if (m_grid->isRowHidden(row) == shown) {
            m_grid->setRowHidden(row, !shown);
            m_meanings->setRowHidden(row, !shown);
        }
    }
}

bool CommLogWindow::exportCsvTo(const QString& path) {
    QVector<CommLogRow> rows;
    for (int row = 0; row < m_model->shownCount(); ++row)
        if (!m_grid->isRowHidden(row))
            rows.append({m_store.entry(row), m_model->decoded(row)});
    return CommLogCsv::write(path, rows, m_messages);
}

void CommLogWindow::askCsvPath() {
    QString title = m_filterBar->exportButton().text();
    title.remove(QStringLiteral("(&E)")).remove(QLatin1Char('&'));
    auto* dialog =
        new QFileDialog(this, title, {}, QStringLiteral("CSV (*.csv);;すべてのファイル(*.*)"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QStringLiteral("csv"));
    giveFileDialogRoom(*dialog, datedFileName(QDate::currentDate(), QStringLiteral("csv")));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QFileDialog::fileSelected, this, &CommLogWindow::exportCsvTo);
    dialog->open();
}

void CommLogWindow::askSavePath() {
    auto* dialog =
        new QFileDialog(this, QStringLiteral("ログファイル 名前を付けて保存"), {}, kFilter);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QStringLiteral("log"));
    giveFileDialogRoom(*dialog, datedFileName(QDate::currentDate(), QStringLiteral("log")));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QFileDialog::fileSelected, this, &CommLogWindow::saveTo);
    dialog->open();
}

void CommLogWindow::askOpenPath() {
    auto* dialog = new QFileDialog(this, QStringLiteral("ログファイルを開く"), {}, kFilter);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    giveFileDialogRoom(*dialog);
    connect(dialog, &QFileDialog::fileSelected, this, &CommLogWindow::loadFrom);
    dialog->open();
}

void CommLogWindow::enablePrint(const LanguageTables& language) {
    m_language = &language;
    m_mnuPrint->setEnabled(true);
}

void CommLogWindow::printLog() {
    if (m_language)
        ReportPreviewDialog::openFor(this, GatherCommLogReport(m_store), *m_language);
}

void CommLogWindow::layoutGrid() {
    const int gridWidth = std::max(0, width() - kGridWidthMargin);
    // The filter row takes its height from the central area.
    const int gridHeight = std::max(
        0, std::min(height() - kGridHeightMargin, centralWidget()->height() - kButtonAreaHeight));
    m_splitter->setGeometry(0, kButtonAreaHeight, gridWidth, gridHeight);
    layoutColumns();
}

// The data column takes the rest of the grid's width; the meanings have their own pane.
void CommLogWindow::layoutColumns() {
    const int rest = m_grid->viewport()->width() - m_grid->columnWidth(CommLogModel::ColumnUnit) -
                     m_grid->columnWidth(CommLogModel::ColumnTime);
    m_grid->setColumnWidth(CommLogModel::ColumnData, std::max(0, rest));
}

void CommLogWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (!isMinimized())
        layoutGrid();
}

void CommLogWindow::closeEvent(QCloseEvent* event) {
    // Nobody would see a recording go on behind a closed window: it ends here, and what it
    // recorded stays in the store for the next window.
    const bool recording = m_session->isRecording();
    m_session->close();
    if (recording)
        showStoredRows();
    event->accept();
    emit closed();
}

} // namespace zel::gui
