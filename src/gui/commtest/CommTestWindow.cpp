#include "CommTestWindow.h"

#include "TestRowsPanel.h"
#include "common/NumberBoxGuard.h"
#include "common/NumberBoxes.h"
#include "find/FindReplaceDialog.h"
#include "find/FindState.h"
#include "printing/PrintData.h"
#include "printing/ReportPreviewDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QToolButton>

namespace zel::gui {

namespace {

constexpr int kIntervalMaxChars = 8; // "600.000" and a trailing zero
constexpr int kPreferredWidth = 960;

QAction* addNamedAction(QMenu* menu, const QString& text, const char* name) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QLatin1String(name));
    return action;
}

} // namespace

CommTestWindow::CommTestWindow(LinkEngine& engine, const LanguageTables& language,
                               MessageSink& messages, QWidget* parent)
    : QMainWindow(parent), m_language(language), m_messages(messages),
      m_session(engine, language, messages) {
    setObjectName(QStringLiteral("frmCommTest"));
    setWindowTitle(QStringLiteral("通信テスト"));
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* layout = new QVBoxLayout(central);
    auto* top = new QHBoxLayout;
    top->addWidget(buildSettings());
    top->addWidget(buildContinuous());
    top->addStretch();
    layout->addLayout(top);
    m_rows = new TestRowsPanel(m_session);
    auto* scroll = new QScrollArea(central);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(m_rows);
    layout->addWidget(scroll, 1);
    buildMenus();
    connectControls();
    connectSession();
    m_session.renew();
    // As high as the rows need (the scroll area shows them all), within the screen.
    const int rowsBeyondScroll = m_rows->sizeHint().height() - scroll->sizeHint().height();
    const int contentHeight = central->sizeHint().height() + std::max(0, rowsBeyondScroll) +
                              menuBar()->sizeHint().height();
    const QRect available = screen()->availableGeometry();
    resize(std::min(kPreferredWidth, available.width() * 9 / 10),
           std::min(contentHeight, available.height() * 9 / 10));
    m_textHostNo->setFocus();
}

CommTestWindow::~CommTestWindow() {
    disconnect(qApp, nullptr, this, nullptr);
    delete m_numberBoxes; // its checks use the session
    m_session.onControlsChanged = {};
    m_session.onScreenChanged = {};
    m_session.onReplyShown = {};
    m_session.onBoxRefused = {};
    m_session.findTarget().onChanged = {};
    m_session.findTarget().onHit = {};
    m_session.findTarget().onClearHits = {};
    delete m_rows; // it refers to the session
}

QWidget* CommTestWindow::buildSettings() {
    auto* box = new QGroupBox(this);
    auto* grid = new QGridLayout(box);
    m_labelHostNo = new QLabel(QStringLiteral("REMOTE No."), box);
    m_labelHostNo->setObjectName(QStringLiteral("LabelHostNo"));
    m_textHostNo = makeNumberBox(QStringLiteral("TextHostNo"), 2, box);
    m_labelHostNo->setBuddy(m_textHostNo);
    m_upHostNo = new QToolButton(box);
    m_upHostNo->setObjectName(QStringLiteral("UpDownHostNo"));
    m_upHostNo->setArrowType(Qt::UpArrow);
    m_downHostNo = new QToolButton(box);
    m_downHostNo->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {m_upHostNo, m_downHostNo})
        button->setFocusPolicy(Qt::NoFocus); // the Up and Down keys step the box
    m_labelCamNo = new QLabel(QStringLiteral("CAMERA No."), box);
    m_labelCamNo->setObjectName(QStringLiteral("LabelCamNo"));
    m_textCamNo = makeNumberBox(QStringLiteral("TextCamNo"), 3, box);
    m_labelCamNo->setBuddy(m_textCamNo);
    m_checkFreeFormat = new QCheckBox(QStringLiteral("フリーフォーマット"), box);
    m_checkFreeFormat->setObjectName(QStringLiteral("CheckFreeFormat"));
    grid->addWidget(m_labelHostNo, 0, 0);
    grid->addWidget(m_textHostNo, 0, 1);
    grid->addWidget(m_upHostNo, 0, 2);
    grid->addWidget(m_downHostNo, 0, 3);
    grid->addWidget(m_labelCamNo, 1, 0);
    grid->addWidget(m_textCamNo, 1, 1);
    grid->addWidget(m_checkFreeFormat, 2, 0, 1, 4);
    return box;
}

QWidget* CommTestWindow::buildContinuous() {
    auto* box = new QGroupBox(this);
    auto* grid = new QGridLayout(box);
    m_checkCommTest = new QCheckBox(QStringLiteral("連続送信"), box);
    m_checkCommTest->setObjectName(QStringLiteral("CheckCommTest"));
    m_labelCommTest = new QLabel(QStringLiteral("時間間隔(秒)"), box);
    m_labelCommTest->setObjectName(QStringLiteral("LabelCommTest"));
    m_textCommTime = makeNumberBox(QStringLiteral("TextCommTime"), kIntervalMaxChars, box);
    m_labelCommTest->setBuddy(m_textCommTime);
    m_commandStart = new QPushButton(QStringLiteral("START"), box);
    m_commandStart->setObjectName(QStringLiteral("CommandStart"));
    m_commandStop = new QPushButton(QStringLiteral("STOP"), box);
    m_commandStop->setObjectName(QStringLiteral("CommandStop"));
    grid->addWidget(m_checkCommTest, 0, 0, 1, 2);
    grid->addWidget(m_labelCommTest, 1, 0);
    grid->addWidget(m_textCommTime, 1, 1);
    grid->addWidget(m_commandStart, 2, 0);
    grid->addWidget(m_commandStop, 2, 1);
    return box;
}

void CommTestWindow::buildMenus() {
    m_mnuFile = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    m_mnuFile->setObjectName(QStringLiteral("mnuFile"));
    connect(addNamedAction(m_mnuFile, QStringLiteral("新規作成(&N)"), "mnuNew"),
            &QAction::triggered, this, [this] { m_session.renew(); });
    connect(addNamedAction(m_mnuFile, QStringLiteral("開く(&O)..."), "mnuOpen"),
            &QAction::triggered, this, &CommTestWindow::askOpenPath);
    connect(addNamedAction(m_mnuFile, QStringLiteral("送信データ保存(&S)..."), "mnuTSave"),
            &QAction::triggered, this, [this] { askSavePath(false); });
    connect(
        addNamedAction(m_mnuFile, QStringLiteral("送信データ+受信データ保存(&R)..."), "mnuTRSave"),
        &QAction::triggered, this, [this] { askSavePath(true); });
    m_mnuFile->addSeparator();
    connect(addNamedAction(m_mnuFile, QStringLiteral("印刷(&P)"), "mnuPrint"), &QAction::triggered,
            this, [this] {
                ReportPreviewDialog::openFor(this, GatherCommTestReport(m_session.screen()),
                                             m_language);
            });
    m_mnuFile->addSeparator();
    connect(addNamedAction(m_mnuFile, QStringLiteral("終了(&X)"), "mnuEnd"), &QAction::triggered,
            this, &QWidget::close);
    buildEditActions();
}

void CommTestWindow::buildEditActions() {
    m_mnuEdit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    m_mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    m_mnuTextMenu = new QMenu(this);
    m_mnuTextMenu->setObjectName(QStringLiteral("mnuTextMenu"));
    QAction* cut = addNamedAction(m_mnuEdit, QStringLiteral("切り取り(&T)"), "mnuCut");
    QAction* copy = addNamedAction(m_mnuEdit, QStringLiteral("コピー(&C)"), "mnuCopy");
    QAction* paste = addNamedAction(m_mnuEdit, QStringLiteral("貼り付け(&P)"), "mnuPaste");
    m_mnuEdit->addSeparator();
    QAction* find = addNamedAction(m_mnuEdit, QStringLiteral("検索(&F)..."), "mnuFind");
    QAction* replace = addNamedAction(m_mnuEdit, QStringLiteral("置換(&R)..."), "mnuRePlace");
    m_editActions = {cut, copy, paste, find, replace};
    connect(find, &QAction::triggered, this, [this] { openFindDialog(false); });
    connect(replace, &QAction::triggered, this, [this] { openFindDialog(true); });
    m_mnuTextMenu->addActions({cut, copy, paste});
    m_mnuTextMenu->addSeparator();
    m_mnuTextMenu->addActions({find, replace});
    connect(cut, &QAction::triggered, this, [this] {
        if (QLineEdit* box = editRow())
            box->cut();
    });
    connect(copy, &QAction::triggered, this, [this] {
        if (QLineEdit* box = editRow())
            box->copy();
    });
    connect(paste, &QAction::triggered, this, [this] {
        if (QLineEdit* box = editRow())
            m_rows->pasteInto(box);
    });
    onFocusChanged(nullptr);
}

void CommTestWindow::connectControls() {
    guardNumberBoxes();
    connect(m_textHostNo, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_session.setRemoteNo(text); });
    connect(m_textCamNo, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_session.setCameraNo(text); });
    connect(m_textCommTime, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_session.setInterval(text); });
    connect(m_checkFreeFormat, &QCheckBox::toggled, this,
            [this](bool on) { m_session.setFreeFormat(on); });
    connect(m_checkCommTest, &QCheckBox::toggled, this,
            [this](bool on) { m_session.setContinuous(on); });
    connect(m_commandStart, &QPushButton::clicked, this, [this] { m_session.start(); });
    connect(m_commandStop, &QPushButton::clicked, this, [this] { m_session.stop(); });
    connect(m_rows, &TestRowsPanel::rowMenuRequested, this,
            [this](QLineEdit* box, const QPoint& globalPos) {
                box->setFocus(Qt::PopupFocusReason);
                onFocusChanged(box);
                m_mnuTextMenu->popup(globalPos);
            });
    m_rows->sendRow = [this](int rowNo) { m_session.send(rowNo); };
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { onFocusChanged(now); });
}

void CommTestWindow::connectSession() {
    m_session.onReplyShown = [this](int rowNo) { m_rows->showReply(rowNo); };
    m_session.onControlsChanged = [this] { applyControls(); };
    m_session.onScreenChanged = [this] { showScreen(); };
    m_session.onBoxRefused = [this](CommTestBox box) { m_numberBoxes->refuse(boxWidget(box)); };
}

void CommTestWindow::showScreen() {
    const TestScreen& screen = m_session.screen();
    m_textHostNo->setText(screen.hostNo);
    m_textCamNo->setText(screen.camNo);
    m_textCommTime->setText(screen.interval);
    m_checkFreeFormat->setChecked(screen.freeFormat);
    m_checkCommTest->setChecked(screen.continuous);
    m_rows->showScreen();
    applyControls();
}

void CommTestWindow::applyControls() {
    const CommTestControls controls = m_session.controls();
    m_checkCommTest->setEnabled(controls.continuous);
    m_labelCommTest->setEnabled(controls.interval);
    m_textCommTime->setEnabled(controls.interval);
    m_commandStart->setEnabled(controls.start);
    m_commandStop->setEnabled(controls.stop);
    m_mnuFile->menuAction()->setEnabled(controls.fileMenu);
    for (QWidget* control : std::initializer_list<QWidget*>{
             m_labelHostNo, m_textHostNo, m_upHostNo, m_downHostNo, m_labelCamNo, m_textCamNo})
        control->setEnabled(controls.address);
    m_rows->applyControls(controls);
}

// ---- Number boxes -------------------------------------------------------------------------

QLineEdit* CommTestWindow::boxWidget(CommTestBox box) const {
    return box == CommTestBox::RemoteNo   ? m_textHostNo
           : box == CommTestBox::CameraNo ? m_textCamNo
                                          : m_textCommTime;
}

void CommTestWindow::guardNumberBoxes() {
    m_numberBoxes = new NumberBoxGuard(this);
    for (const CommTestBox box :
         {CommTestBox::RemoteNo, CommTestBox::CameraNo, CommTestBox::Interval})
        m_numberBoxes->watch(
            boxWidget(box), [this, box] { return m_session.leaveBox(box); },
            box == CommTestBox::Interval ? KeyFilterMode::DecimalWithPoint
                                         : KeyFilterMode::Decimal);
    m_numberBoxes->setSteps(m_textHostNo, kRemoteNoRange, {}, true);
    connect(m_upHostNo, &QToolButton::clicked, this,
            [this] { m_numberBoxes->step(m_textHostNo, 1); });
    connect(m_downHostNo, &QToolButton::clicked, this,
            [this] { m_numberBoxes->step(m_textHostNo, -1); });
}

// ---- Edit menus ---------------------------------------------------------------------------

// The edit menus work while a row box has the focus; a move to another control of this
// window turns them off, a move into a menu keeps them.
void CommTestWindow::onFocusChanged(QWidget* now) {
    if (now && m_rows->rowOf(now) != 0)
        m_editRow = qobject_cast<QLineEdit*>(now);
    else if (!now || isAncestorOf(now))
        m_editRow = nullptr;
    else
        return;
    const bool enabled = m_editRow != nullptr;
    for (int i = 0; i < m_editActions.size(); ++i)
        m_editActions[i]->setEnabled(enabled && (i < 3 || m_findState)); // 3, 4: find, replace
}

QLineEdit* CommTestWindow::editRow() const {
    return m_editRow;
}

// ---- Find and replace --------------------------------------------------------------------

void CommTestWindow::enableFind(FindState& state, const TitleCharTable& table) {
    m_findState = &state;
    m_titleChars = &table;
    TestFindTarget& target = m_session.findTarget();
    target.onChanged = [this](int rowNo) {
        m_rows->TextSend(rowNo)->setText(m_session.screen().row(rowNo).text);
    };
    target.onHit = [this](int rowNo) {
        for (int line = 1; line <= TestScreen::kRowCount; ++line)
            highlightLine(line, line == rowNo);
    };
    target.onClearHits = [this] {
        for (int line = 1; line <= TestScreen::kRowCount; ++line)
            highlightLine(line, false);
    };
    onFocusChanged(QApplication::focusWidget());
}

void CommTestWindow::openFindDialog(bool replace) {
    if (!m_findState)
        return;
    m_findState->DialogSeat.closeOpen();
    m_findState->FindContext = FindContextTest;
    m_session.findTarget().forgetHighlight();
    auto* dialog = new FindReplaceDialog(
        replace ? FindReplaceDialog::Kind::Replace : FindReplaceDialog::Kind::Find, *m_findState,
        m_session.findTarget(), m_messages, m_language, *m_titleChars, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, this, &CommTestWindow::endFind);
    dialog->openAlone();
}

// A hit: dark blue behind the text in the window-background colour.
void CommTestWindow::highlightLine(int rowNo, bool on) {
    QLineEdit* box = m_rows->TextSend(rowNo);
    QPalette palette = QApplication::palette(box);
    if (on) {
        palette.setColor(QPalette::Base, QColor(0, 0, 128));
        palette.setColor(QPalette::Text, QApplication::palette().color(QPalette::Window));
    }
    box->setPalette(palette);
}

// The dialog closed: highlights off, the caret at the start of the line highlighted last (or
// of the line the next search would start at).
void CommTestWindow::endFind() {
    for (int line = 1; line <= TestScreen::kRowCount; ++line)
        highlightLine(line, false);
    QLineEdit* box =
        m_rows->TextSend(m_session.findTarget().caretLineAfterFind(m_findState->FindStartLine));
    box->setFocus();
    box->setCursorPosition(0);
}

void CommTestWindow::closeEvent(QCloseEvent* event) {
    if (!m_session.mayClose()) {
        event->ignore();
        return;
    }
    event->accept();
    emit closed();
}

} // namespace zel::gui
