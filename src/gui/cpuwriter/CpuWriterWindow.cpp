#include "CpuWriterWindow.h"

#include "common/FileDialogRoom.h"
#include "cpuwriter/SerialFlashWriter.h"
#include "shell/Application.h"
#include "shell/LanguageTables.h"
#include "shell/MenuState.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

namespace zel::gui {

namespace {

// Texts of the CPU writer caption group, in record order.
enum CpuWriterText {
    TextOpen,
    TextWrite,
    TextCaption,
    TextCpuType,
    TextFileName,
    TextMenuClose,
    TextMenuWriteEnable,
    TextMenuExit,
    TextMenuFile,
    TextMenuOpen,
    TextMenuWrite,
};

// Texts of the S-record file dialog group.
enum SrecDialogText { DialogTitle, DialogFilterMot, DialogFilterAll };

constexpr int kTimeTickMs = 500;

QPushButton* commandButton(const QString& name, QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setAutoDefault(true); // Enter presses the focused button
    return button;
}

} // namespace

CpuWriterWindow::CpuWriterWindow(Application& app, QWidget* parent)
    : QWidget(parent, Qt::Window), m_app(app),
      m_line(std::make_unique<SerialFlashWriter>(app.settings(), app.messages())) {
    setObjectName(QStringLiteral("frmCpuWriter"));
    setAttribute(Qt::WA_DeleteOnClose);
    writer().setSharedLink(&app.engine());
    buildControls();
    auto* bar = new QMenuBar(this);
    buildMenus(bar);
    buildLayout(bar);
    applyCaptions();
    connectControls();
    m_app.menu().setEndBlocker([this] { return writer().isRunning(); });
    refresh();
    m_comboCpuType->setFocus();
}

CpuWriterWindow::~CpuWriterWindow() {
    m_app.menu().setEndBlocker({});
    writer().onChanged = nullptr;
}

FlashWriter& CpuWriterWindow::writer() {
    return m_line->writer();
}

void CpuWriterWindow::buildControls() {
    m_comboCpuType = new QComboBox(this);
    m_comboCpuType->setObjectName(QStringLiteral("ComboCpuType"));
    m_comboCpuType->addItems({QStringLiteral("MASTER"), QStringLiteral("SLAVE")});
    m_textCpuFile = new QLineEdit(this);
    m_textCpuFile->setObjectName(QStringLiteral("TextCpuFile"));
    m_textCpuFile->setMinimumWidth(fontMetrics().averageCharWidth() * 48);
    m_labelCpuType = new QLabel(this);
    m_labelCpuType->setBuddy(m_comboCpuType);
    m_labelCpuFile = new QLabel(this);
    m_labelCpuFile->setBuddy(m_textCpuFile);
    m_commandCpuFile = commandButton(QStringLiteral("CommandCpuFile"), this);
    m_commandCpuWriter = commandButton(QStringLiteral("CommandCpuWriter"), this);
    m_progressBar = new QProgressBar(this);
    m_progressBar->setObjectName(QStringLiteral("ProgressBarCpuWriter"));
    m_labelTime = new QLabel(this);
    m_labelTime->setObjectName(QStringLiteral("LabelCpuTime"));
    m_timeTicker = new QTimer(this);
    m_timeTicker->setInterval(kTimeTickMs);
}

void CpuWriterWindow::buildMenus(QMenuBar* bar) {
    const auto named = [](auto* item, const char* name) {
        item->setObjectName(QString::fromLatin1(name));
        return item;
    };
    m_mnuFile = named(bar->addMenu(QString()), "mnuFile");
    m_mnuOpen = named(m_mnuFile->addAction(QString()), "mnuOpen");
    m_mnuClose = named(m_mnuFile->addAction(QString()), "mnuClose");
    m_mnuFile->addSeparator();
    m_mnuEnd = named(m_mnuFile->addAction(QString()), "mnuEnd");
    m_mnuWrite = named(bar->addMenu(QString()), "mnuWrite");
    m_mnuCpuWrite = named(m_mnuWrite->addAction(QString()), "mnuCpuWrite");
}

void CpuWriterWindow::buildLayout(QMenuBar* bar) {
    auto* grid = new QGridLayout;
    grid->addWidget(m_labelCpuType, 0, 0);
    grid->addWidget(m_comboCpuType, 0, 1, Qt::AlignLeft);
    grid->addWidget(m_labelCpuFile, 1, 0);
    grid->addWidget(m_textCpuFile, 1, 1);
    grid->addWidget(m_commandCpuFile, 1, 2);
    grid->addWidget(m_progressBar, 2, 0, 1, 2);
    grid->addWidget(m_commandCpuWriter, 2, 2);
    grid->addWidget(m_labelTime, 3, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    auto* outer = new QVBoxLayout(this);
    outer->setMenuBar(bar);
    outer->addLayout(grid);
    outer->addStretch();
    setTabOrder(m_comboCpuType, m_textCpuFile);
    setTabOrder(m_textCpuFile, m_commandCpuFile);
    setTabOrder(m_commandCpuFile, m_commandCpuWriter);
}

void CpuWriterWindow::applyCaptions() {
    const LanguageTables& language = m_app.language();
    const auto text = [&language](int index) { return language.text(LangGroup::CpuWriter, index); };
    m_commandCpuFile->setText(text(TextOpen));
    m_commandCpuWriter->setText(text(TextWrite));
    setWindowTitle(text(TextCaption));
    m_labelCpuType->setText(text(TextCpuType));
    m_labelCpuFile->setText(text(TextFileName));
    m_mnuClose->setText(text(TextMenuClose));
    m_mnuCpuWrite->setText(text(TextMenuWriteEnable));
    m_mnuEnd->setText(text(TextMenuExit));
    m_mnuFile->setTitle(text(TextMenuFile));
    m_mnuOpen->setText(text(TextMenuOpen));
    m_mnuWrite->setTitle(text(TextMenuWrite));
}

void CpuWriterWindow::connectControls() {
    connect(m_commandCpuFile, &QPushButton::clicked, this, &CpuWriterWindow::onOpenClicked);
    connect(m_mnuOpen, &QAction::triggered, this, &CpuWriterWindow::onOpenClicked);
    connect(m_mnuClose, &QAction::triggered, m_textCpuFile, &QLineEdit::clear);
    connect(m_mnuEnd, &QAction::triggered, this, &CpuWriterWindow::close);
    connect(m_commandCpuWriter, &QPushButton::clicked, this, &CpuWriterWindow::startWrite);
    connect(m_mnuCpuWrite, &QAction::triggered, this, &CpuWriterWindow::startWrite);
    connect(m_timeTicker, &QTimer::timeout, this, &CpuWriterWindow::refreshTime);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &CpuWriterWindow::close);
    writer().onChanged = [this] { refresh(); };
}

void CpuWriterWindow::onOpenClicked() {
    const LanguageTables& language = m_app.language();
    const QString filter = language.text(LangGroup::SrecFileDialogs, DialogFilterMot) +
                           QStringLiteral(";;") +
                           language.text(LangGroup::SrecFileDialogs, DialogFilterAll);
    auto* dialog = new QFileDialog(this, language.text(LangGroup::SrecFileDialogs, DialogTitle),
                                   QString(), filter);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    giveFileDialogRoom(*dialog);
    connect(dialog, &QFileDialog::fileSelected, this, &CpuWriterWindow::chooseFile);
    dialog->open();
}

void CpuWriterWindow::chooseFile(const QString& path) {
    m_textCpuFile->setText(path);
}

void CpuWriterWindow::startWrite() {
    m_clock.start(0);
    m_elapsed.start();
    if (writer().startWrite(m_comboCpuType->currentText(), m_textCpuFile->text()))
        m_timeTicker->start();
}

void CpuWriterWindow::refresh() {
    const FlashWriter& state = writer();
    const bool enabled = state.controlsEnabled();
    for (QWidget* control : std::initializer_list<QWidget*>{m_commandCpuFile, m_commandCpuWriter,
                                                            m_textCpuFile, m_comboCpuType})
        control->setEnabled(enabled);
    m_mnuFile->setEnabled(enabled);
    m_mnuWrite->setEnabled(enabled);
    m_mnuFile->menuAction()->setEnabled(enabled);
    m_mnuWrite->menuAction()->setEnabled(enabled);
    m_progressBar->setMaximum(state.ProgressMax());
    m_progressBar->setValue(std::min(state.ProgressValue(), state.ProgressMax()));
    if (enabled)
        m_timeTicker->stop();
    refreshTime();
}

void CpuWriterWindow::refreshTime() {
    const FlashWriter& state = writer();
    if (state.WriteState() == FlashWriter::StateIdle) {
        m_labelTime->clear();
        return;
    }
    const qint64 now = m_elapsed.elapsed();
    m_clock.note(now, state);
    const QString elapsed = FlashWriteClock::formatDuration(m_clock.elapsedMs(now));
    const QString left = FlashWriteClock::formatDuration(m_clock.remainingMs(now, state));
    m_labelTime->setText(m_app.language().languageIndex() == 1
                             ? QStringLiteral("経過 %1　残り約 %2").arg(elapsed, left)
                             : QStringLiteral("Elapsed %1, about %2 left").arg(elapsed, left));
}

void CpuWriterWindow::closeEvent(QCloseEvent* event) {
    if (!writer().requestClose()) {
        event->ignore();
        return;
    }
    event->accept();
    emit closed();
}

} // namespace zel::gui
