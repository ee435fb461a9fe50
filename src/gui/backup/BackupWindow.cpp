#include "BackupWindow.h"

#include "backup/BackupSession.h"
#include "backup/CompactPath.h"
#include "common/FileDialogRoom.h"
#include "common/NumberBoxGuard.h"
#include "common/NumberBoxes.h"
#include "common/SuggestedFileName.h"
#include "link/TransferDialog.h"
#include "shell/LanguageTables.h"
#include "shell/ToolTexts.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace zel::gui {

namespace {

// Texts of the backup caption group, in record order.
enum BackupText {
    TextDownload,
    TextExit,
    TextUpload,
    TextCaption,
    TextCameraNo,
    TextCameraToPc,
    TextPcToCamera,
    TextVerify,
};

// Texts of the backup file dialog group.
enum BackupDialogText { DialogSaveTitle, DialogFilterBackup, DialogFilterAll, DialogOpenTitle };

// Buttons take the focus by Tab only, so a click never leaves a number box unchecked
// behind a started transfer; Enter presses the focused one.
QPushButton* commandButton(const QString& name, QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setFocusPolicy(Qt::TabFocus);
    button->setAutoDefault(true);
    return button;
}

} // namespace

BackupWindow::BackupWindow(LinkEngine& engine, LanguageTables& language, Settings& settings,
                           MessageSink& messages, QWidget* parent)
    : QWidget(parent, Qt::Window), m_language(language),
      m_session(std::make_unique<BackupSession>(engine, language, messages)) {
    Q_UNUSED(settings); // the transfer reads the retry settings through the engine
    setObjectName(QStringLiteral("frmBackUp"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    buildLayout();
    applyCaptions();
    connectControls();
    m_session->transfer().setPathCompactor(
        [this](const QString& path) { return CompactPath::fit(path, fontMetrics()); });
    m_session->onChanged = [this] { render(); };
    m_session->onFinished = [this](bool) { onTransferFinished(); };
    m_textHostNo->setFocus();
    m_textHostNo->selectAll();
}

BackupWindow::~BackupWindow() {
    m_session->onChanged = {};
    m_session->onFinished = {};
    delete m_transferDialog; // it refers to the transfer's dialog model
    delete m_numberBoxes;
}

void BackupWindow::buildControls() {
    m_textHostNo = makeNumberBox(QStringLiteral("TextHostNo"), 2, this);
    m_textCamNo = makeNumberBox(QStringLiteral("TextCamNo"), 3, this);
    m_textHostNo->setMaximumWidth(m_textCamNo->maximumWidth()); // the two boxes line up
    m_labelHostNo = new QLabel(this);
    m_labelCamNo = new QLabel(this);
    m_labelDownload = new QLabel(this);
    m_labelUpload = new QLabel(this);
    m_labelStatus = new QLabel(this);
    m_labelStatus->setObjectName(QStringLiteral("LabelStatus"));
    m_labelStatus->setWordWrap(true);
    m_labelHostNo->setBuddy(m_textHostNo);
    m_labelCamNo->setBuddy(m_textCamNo);
    m_checkVerify = new QCheckBox(this);
    m_checkVerify->setObjectName(QStringLiteral("CheckVerify"));
    m_checkVerify->setFocusPolicy(Qt::TabFocus);
    m_checkVerify->setChecked(true);
    m_commandDL = commandButton(QStringLiteral("CommandDL"), this);
    m_commandUL = commandButton(QStringLiteral("CommandUL"), this);
    m_commandEnd = commandButton(QStringLiteral("CommandEnd"), this);
    m_commandCompare = commandButton(QStringLiteral("CommandCompare"), this);
}

void BackupWindow::buildLayout() {
    auto* grid = new QGridLayout(this);
    grid->addWidget(m_labelHostNo, 0, 0);
    grid->addWidget(m_textHostNo, 0, 1);
    grid->addWidget(m_labelCamNo, 1, 0);
    grid->addWidget(m_textCamNo, 1, 1);
    grid->addWidget(m_labelDownload, 2, 0);
    grid->addWidget(m_commandDL, 2, 1);
    grid->addWidget(m_labelUpload, 3, 0);
    grid->addWidget(m_commandUL, 3, 1);
    grid->addWidget(m_checkVerify, 4, 0, 1, 2);
    grid->addWidget(m_labelStatus, 5, 0, 1, 2);
    auto* endRow = new QHBoxLayout;
    endRow->addWidget(m_commandCompare);
    endRow->addStretch();
    endRow->addWidget(m_commandEnd);
    grid->addLayout(endRow, 6, 0, 1, 2);
    setTabOrder(m_textHostNo, m_textCamNo);
    setTabOrder(m_textCamNo, m_commandDL);
    setTabOrder(m_commandDL, m_commandUL);
    setTabOrder(m_commandUL, m_checkVerify);
    setTabOrder(m_checkVerify, m_commandCompare);
    setTabOrder(m_commandCompare, m_commandEnd);
}

void BackupWindow::applyCaptions() {
    const auto text = [this](int index) { return m_language.text(LangGroup::Backup, index); };
    setWindowTitle(text(TextCaption));
    m_commandDL->setText(text(TextDownload));
    m_commandEnd->setText(text(TextExit));
    m_commandUL->setText(text(TextUpload));
    m_labelCamNo->setText(text(TextCameraNo));
    m_labelDownload->setText(text(TextCameraToPc));
    m_labelUpload->setText(text(TextPcToCamera));
    m_checkVerify->setText(text(TextVerify));
    m_commandCompare->setText(toolText(m_language, ToolText::CompareBackup));
    m_labelHostNo->setText(m_language.text(LangGroup::TitleSet, TitleSetRemoteNo));
}

void BackupWindow::connectControls() {
    m_numberBoxes = new NumberBoxGuard(this);
    m_numberBoxes->watch(m_textHostNo, [this] { return m_session->checkRemoteNo(); });
    m_numberBoxes->watch(m_textCamNo, [this] { return m_session->checkCameraNo(); });
    connect(m_textHostNo, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_session->setRemoteNo(text); });
    connect(m_textCamNo, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_session->setCameraNo(text); });
    connect(m_checkVerify, &QCheckBox::toggled, this,
            [this](bool checked) { m_session->setVerify(checked); });
    connect(m_commandDL, &QPushButton::clicked, this, &BackupWindow::onDownloadClicked);
    connect(m_commandUL, &QPushButton::clicked, this, &BackupWindow::onUploadClicked);
    connect(m_commandCompare, &QPushButton::clicked, this, &BackupWindow::onCompareClicked);
    connect(m_commandEnd, &QPushButton::clicked, this, &BackupWindow::close);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &BackupWindow::close);
}

bool BackupWindow::boxesValid() {
    return m_numberBoxes->check(m_textHostNo) && m_numberBoxes->check(m_textCamNo);
}

// ---- Transfers ----------------------------------------------------------------------------

QString BackupWindow::fileFilter() const {
    return m_language.text(LangGroup::BackupFileDialogs, DialogFilterBackup) +
           QStringLiteral(";;") + m_language.text(LangGroup::BackupFileDialogs, DialogFilterAll);
}

void BackupWindow::onDownloadClicked() {
    if (!boxesValid())
        return;
    auto* dialog =
        new QFileDialog(this, m_language.text(LangGroup::BackupFileDialogs, DialogSaveTitle),
                        QString(), fileFilter());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave); // asks before overwriting
    dialog->setDefaultSuffix(QStringLiteral("bin"));
    giveFileDialogRoom(*dialog, cameraFileName(m_textCamNo->text(), QStringLiteral("bin")));
    connect(dialog, &QFileDialog::fileSelected, this, &BackupWindow::startDownloadTo);
    dialog->open();
}

void BackupWindow::onUploadClicked() {
    if (!boxesValid())
        return;
    auto* dialog =
        new QFileDialog(this, m_language.text(LangGroup::BackupFileDialogs, DialogOpenTitle),
                        QString(), fileFilter());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    giveFileDialogRoom(*dialog);
    connect(dialog, &QFileDialog::fileSelected, this, &BackupWindow::startUploadFrom);
    dialog->open();
}

void BackupWindow::onCompareClicked() {
    if (!boxesValid())
        return;
    auto* dialog = new QFileDialog(this, toolText(m_language, ToolText::CompareBackup), QString(),
                                   fileFilter());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    connect(dialog, &QFileDialog::fileSelected, this, &BackupWindow::startCompareWith);
    dialog->open();
}

void BackupWindow::start(BackupSession::Action action, const QString& path) {
    if (m_session->start(action, path))
        showTransferDialog();
}

void BackupWindow::startDownloadTo(const QString& path) {
    start(BackupSession::Action::Download, path);
}

void BackupWindow::startUploadFrom(const QString& path) {
    start(BackupSession::Action::Upload, path);
}

void BackupWindow::startCompareWith(const QString& path) {
    start(BackupSession::Action::Compare, path);
}

void BackupWindow::onTransferFinished() {
    if (!m_session->hasComparison())
        return;
    // The report takes the place of the completed transfer dialog, which is modal and would
    // leave the report out of reach; closed once the transfer has returned.
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_session->cancel();
            showCompareReport();
        },
        Qt::QueuedConnection);
}

// The report beside the window, in a fixed-width font so the offsets line up.
void BackupWindow::showCompareReport() {
    delete m_compareReport;
    m_compareReport = new QDialog(this);
    m_compareReport->setObjectName(QStringLiteral("CompareReport"));
    m_compareReport->setAttribute(Qt::WA_DeleteOnClose);
    m_compareReport->setWindowTitle(toolText(m_language, ToolText::CompareResult)
                                        .arg(QFileInfo(m_session->transfer().path()).fileName()));
    auto* text = new QPlainTextEdit(m_compareReport);
    text->setReadOnly(true);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text->setPlainText(
        m_session->comparisonReport(BackupReportDetail::Blocks).join(QLatin1Char('\n')));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, m_compareReport);
    connect(buttons, &QDialogButtonBox::rejected, m_compareReport, &QDialog::close);
    auto* layout = new QVBoxLayout(m_compareReport);
    layout->addWidget(text);
    layout->addWidget(buttons);
    m_compareReport->resize(480, 320);
    m_compareReport->show();
}

void BackupWindow::showTransferDialog() {
    if (!m_transferDialog)
        m_transferDialog = new TransferDialog(m_session->dialog(), this);
    m_transferDialog->render();
    // Modal for the whole program, as no other screen may send while the transfer runs;
    // shown without a nested event loop.
    m_transferDialog->setWindowModality(Qt::ApplicationModal);
    m_transferDialog->show();
}

// The controls, and the note on a replaced .partial beside the transfer, not in a box of its
// own: the download goes on regardless.
void BackupWindow::render() {
    const BackupSession::Controls controls = m_session->controls();
    m_commandDL->setEnabled(controls.download);
    m_commandUL->setEnabled(controls.upload);
    m_commandCompare->setEnabled(controls.compare);
    m_checkVerify->setEnabled(controls.verify);
    m_commandEnd->setEnabled(controls.exit);
    const QString partial = QDir::toNativeSeparators(m_session->replacedPartial());
    m_labelStatus->setText(partial.isEmpty() ? QString()
                                             : toolText(m_language, ToolText::PartialReplaced)
                                                   .arg(CompactPath::fit(partial, fontMetrics())));
    m_labelStatus->setToolTip(partial);
}

void BackupWindow::closeEvent(QCloseEvent* event) {
    if (!m_session->mayClose()) {
        event->ignore();
        return;
    }
    event->accept();
    emit closed();
}

} // namespace zel::gui
