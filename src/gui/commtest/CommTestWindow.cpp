#include "CommTestWindow.h"

#include "KeyFilteredBox.h"
#include "TestRowsPanel.h"
#include "common/MessageNumber.h"
#include "common/MessageSink.h"
#include "common/NumberRange.h"
#include "commtest/CommTest.h"
#include "commtest/TestEntryRules.h"
#include "commtest/TestFindTarget.h"
#include "printing/PrintData.h"
#include "printing/ReportPreviewDialog.h"
#include "titles/FindReplaceDialog.h"
#include "titles/FindState.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>

namespace zel::gui {

namespace {

constexpr int kIntervalMaxChars = 8; // "600.000" and a trailing zero
constexpr int kPreferredWidth = 960;

QLineEdit* numberBox(const QString& name, int maxChars, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setMaxLength(maxChars);
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QLatin1Char('0')) * (maxChars + 4));
    return box;
}

QAction* addNamedAction(QMenu* menu, const QString& text, const char* name) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QLatin1String(name));
    return action;
}

} // namespace

CommTestWindow::CommTestWindow(LinkEngine& engine, const LanguageTables& language,
                               MessageSink& messages, QWidget* parent)
    : QMainWindow(parent), m_language(language), m_messages(messages),
      m_test(std::make_unique<CommTest>(engine, m_timerCommTest, m_timerPace, messages)) {
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
    m_rows = new TestRowsPanel(*m_test, messages);
    auto* scroll = new QScrollArea(central);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(m_rows);
    layout->addWidget(scroll, 1);
    buildMenus();
    connectControls();
    connectController();
    m_test->Reset_TestScreen();
    showScreen();
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
    for (QLineEdit* box : {m_textHostNo, m_textCamNo, m_textCommTime})
        box->removeEventFilter(this);
    m_test->onReplyShown = {};
    m_test->onRunChanged = {};
    delete m_rows; // it refers to the controller
}

QWidget* CommTestWindow::buildSettings() {
    auto* box = new QGroupBox(this);
    auto* grid = new QGridLayout(box);
    m_labelHostNo = new QLabel(QStringLiteral("REMOTE No."), box);
    m_labelHostNo->setObjectName(QStringLiteral("LabelHostNo"));
    m_textHostNo = numberBox(QStringLiteral("TextHostNo"), 2, box);
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
    m_textCamNo = numberBox(QStringLiteral("TextCamNo"), 3, box);
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
    m_textCommTime = numberBox(QStringLiteral("TextCommTime"), kIntervalMaxChars, box);
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
            &QAction::triggered, this, [this] {
                m_test->Reset_TestScreen();
                showScreen();
            });
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
                ReportPreviewDialog::openFor(this, GatherCommTestReport(m_test->screen()),
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
    for (QLineEdit* box : {m_textHostNo, m_textCamNo, m_textCommTime})
        box->installEventFilter(this);
    connect(m_textHostNo, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_test->screen().hostNo = text; });
    connect(m_textCamNo, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_test->screen().camNo = text; });
    connect(m_textCommTime, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_test->screen().interval = text; });
    connect(m_upHostNo, &QToolButton::clicked, this, [this] { stepHostNo(1); });
    connect(m_downHostNo, &QToolButton::clicked, this, [this] { stepHostNo(-1); });
    connect(m_checkFreeFormat, &QCheckBox::toggled, this, [this](bool on) {
        m_test->screen().freeFormat = on;
        applyControls();
    });
    connect(m_checkCommTest, &QCheckBox::toggled, this, [this](bool on) {
        m_test->screen().continuous = on;
        applyControls();
    });
    connect(m_commandStart, &QPushButton::clicked, this, [this] {
        if (checkBox(m_textHostNo) && checkBox(m_textCamNo) && checkBox(m_textCommTime))
            m_test->CommandStart();
    });
    connect(m_commandStop, &QPushButton::clicked, this, [this] { m_test->CommandStop(); });
    connect(m_rows, &TestRowsPanel::rowMenuRequested, this,
            [this](QLineEdit* box, const QPoint& globalPos) {
                box->setFocus(Qt::PopupFocusReason);
                onFocusChanged(box);
                m_mnuTextMenu->popup(globalPos);
            });
    m_rows->sendAllowed = [this] { return checkBox(m_textHostNo) && checkBox(m_textCamNo); };
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { onFocusChanged(now); });
}

void CommTestWindow::connectController() {
    m_test->onReplyShown = [this](int rowNo) { m_rows->showReply(rowNo); };
    m_test->onRunChanged = [this] { applyControls(); };
}

void CommTestWindow::showScreen() {
    const TestScreen& screen = m_test->screen();
    m_textHostNo->setText(screen.hostNo);
    m_textCamNo->setText(screen.camNo);
    m_textCommTime->setText(screen.interval);
    m_checkFreeFormat->setChecked(screen.freeFormat);
    m_checkCommTest->setChecked(screen.continuous);
    m_rows->showScreen();
    applyControls();
}

// Set_TestControls and the check boxes' rules in one place.
void CommTestWindow::applyControls() {
    const TestScreen& screen = m_test->screen();
    const bool idle = !m_test->isRunning();
    const bool timed = idle && screen.continuous;
    m_checkCommTest->setEnabled(idle);
    m_labelCommTest->setEnabled(timed);
    m_textCommTime->setEnabled(timed);
    m_commandStart->setEnabled(timed);
    m_commandStop->setEnabled(!idle || screen.continuous);
    m_mnuFile->menuAction()->setEnabled(idle);
    const bool address = idle && !screen.freeFormat;
    for (QWidget* control : std::initializer_list<QWidget*>{
             m_labelHostNo, m_textHostNo, m_upHostNo, m_downHostNo, m_labelCamNo, m_textCamNo})
        control->setEnabled(address);
    m_rows->applyControls();
}

// ---- Number boxes -------------------------------------------------------------------------

bool CommTestWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box != m_textHostNo && box != m_textCamNo && box != m_textCommTime)
        return QMainWindow::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (box == m_textHostNo && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            stepHostNo(key->key() == Qt::Key_Up ? 1 : -1);
            return true;
        }
        const bool point = box == m_textCommTime && !box->text().contains(QLatin1Char('.'));
        if (FilterBoxKey(*box, *key,
                         point ? KeyFilterMode::DecimalWithPoint : KeyFilterMode::Decimal))
            return true;
    }
    if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            onBoxLeft(box);
    }
    return QMainWindow::eventFilter(watched, event);
}

void CommTestWindow::onBoxLeft(QLineEdit* box) {
    if (!m_checkingBox && isVisible() && box->isEnabled())
        checkBox(box);
}

bool CommTestWindow::checkBox(QLineEdit* box) {
    if (!box->isEnabled())
        return true;      // free format or a running send: the box is not used
    m_checkingBox = true; // the message box and the refocus move the focus again
    bool valid = false;
    if (box == m_textHostNo) {
        valid = TestEntryRules::checkRemoteNo(m_messages, m_language, box->text());
    } else if (box == m_textCamNo) {
        valid = TestEntryRules::checkCameraNo(m_messages, m_language, box->text());
    } else if (const auto shown =
                   TestEntryRules::checkInterval(m_messages, m_language, box->text())) {
        box->setText(*shown);
        valid = true;
    }
    if (valid)
        m_checkingBox = false;
    else
        refocus(box);
    return valid;
}

// After the box has finished losing the focus, which clears its selection.
void CommTestWindow::refocus(QLineEdit* box) {
    QTimer::singleShot(0, box, [this, box] {
        box->setFocus(Qt::OtherFocusReason);
        box->selectAll();
        m_checkingBox = false;
    });
}

void CommTestWindow::stepHostNo(int step) {
    m_textHostNo->setText(QString::number(kRemoteNoRange.stepped(m_textHostNo->text(), step)));
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
        m_editActions[i]->setEnabled(enabled && (i < 3 || m_findTarget)); // 3, 4: find, replace
}

QLineEdit* CommTestWindow::editRow() const {
    return m_editRow;
}

// ---- Find and replace --------------------------------------------------------------------

void CommTestWindow::enableFind(FindState& state, const TitleCharTable& table) {
    m_findState = &state;
    m_titleChars = &table;
    m_findTarget = std::make_unique<TestFindTarget>(m_test->screen());
    m_findTarget->onChanged = [this](int rowNo) {
        m_rows->TextSend(rowNo)->setText(m_test->screen().row(rowNo).text);
    };
    m_findTarget->onHit = [this](int rowNo) {
        for (int line = 1; line <= TestScreen::kRowCount; ++line)
            highlightLine(line, line == rowNo);
    };
    m_findTarget->onClearHits = [this] {
        for (int line = 1; line <= TestScreen::kRowCount; ++line)
            highlightLine(line, false);
    };
    onFocusChanged(QApplication::focusWidget());
}

void CommTestWindow::openFindDialog(bool replace) {
    if (!m_findTarget)
        return;
    m_findState->DialogSeat.closeOpen();
    m_findState->FindContext = FindContextTest;
    m_findTarget->forgetHighlight();
    auto* dialog = new FindReplaceDialog(
        replace ? FindReplaceDialog::Kind::Replace : FindReplaceDialog::Kind::Find, *m_findState,
        *m_findTarget, m_messages, m_language, *m_titleChars, this);
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
    QLineEdit* box = m_rows->TextSend(m_findTarget->caretLineAfterFind(m_findState->FindStartLine));
    box->setFocus();
    box->setCursorPosition(0);
}

void CommTestWindow::closeEvent(QCloseEvent* event) {
    if (m_test->isRunning()) {
        m_messages.ShowMessage(MessageContinuousSending);
        event->ignore();
        return;
    }
    event->accept();
    emit closed();
}

} // namespace zel::gui
