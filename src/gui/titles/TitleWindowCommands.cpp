// The title window's menu commands, transfers and find highlight.
#include "TitleGridModel.h"
#include "TitleGridView.h"
#include "TitleWindow.h"
#include "common/ClipboardLines.h"
#include "common/FileDialogRoom.h"
#include "common/SuggestedFileName.h"
#include "find/FindReplaceDialog.h"
#include "find/FindState.h"
#include "printing/PrintData.h"
#include "printing/ReportPreviewDialog.h"
#include "shell/Application.h"
#include "shell/LanguageTables.h"
#include "shell/ToolTexts.h"
#include "titles/TitleDocument.h"
#include "titles/TitleEditor.h"
#include "titles/TitleFindTarget.h"
#include "titles/TitleSession.h"
#include "titletable/TitleCategory.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>

namespace zel::gui {

namespace {
// Texts of the title file dialog group.
enum TitleDialogText {
    DialogCaption,
    DialogOpenTitle,
    DialogFilterTitle,
    DialogFilterAll,
    DialogSaveTitle
};
const QColor kHighlightBackground(0, 0, 128);
} // namespace

// Menus and buttons as the editor says; UPLOAD, while off, says why on hover.
void TitleWindow::refreshState() {
    const QWidget* focus = QApplication::focusWidget();
    const TitleControls controls =
        m_session->controls(focus && (focus == m_textHostNo || focus == m_textCamNo));
    action(QStringLiteral("mnuReturns"))->setEnabled(controls.undo);
    action(QStringLiteral("mnuSort"))->setEnabled(controls.sort);
    action(QStringLiteral("mnuCut"))->setEnabled(controls.cutCopy);
    action(QStringLiteral("mnuCopy"))->setEnabled(controls.cutCopy);
    m_commandUL->setEnabled(controls.upload);
    m_commandUL->setToolTip(controls.uploadOffHint);
    m_commandUL->setStatusTip(controls.uploadOffHint);
}

// ---- Files -------------------------------------------------------------------------------

QString TitleWindow::fileFilter() const {
    const LanguageTables& language = m_app.language();
    return language.text(LangGroup::TitleFileDialogs, DialogFilterTitle) + QStringLiteral(";;") +
           language.text(LangGroup::TitleFileDialogs, DialogFilterAll);
}

QString TitleWindow::askSaveAsPath() {
    QFileDialog dialog(this, m_app.language().text(LangGroup::TitleFileDialogs, DialogSaveTitle),
                       QString(), fileFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave); // asks before overwriting
    dialog.setDefaultSuffix(QStringLiteral("ttl"));
    const TitleFiles& files = m_session->files();
    giveFileDialogRoom(dialog, files.hasPath() ? files.path()
                                               : cameraFileName(m_session->document().CameraNo,
                                                                QStringLiteral("ttl")));
    // The answer is needed before the save prompt can go on.
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

void TitleWindow::onNew() {
    if (!m_session->confirmDiscard())
        return;
    emit newWindowRequested();
    close();
}

void TitleWindow::onOpen() {
    if (!m_session->confirmDiscard())
        return;
    QFileDialog* dialog = fileDialog(
        m_app.language().text(LangGroup::TitleFileDialogs, DialogOpenTitle), fileFilter(), false);
    connect(dialog, &QFileDialog::fileSelected, this, &TitleWindow::openFile);
    dialog->open();
}

// A window-modal file dialog that deletes itself; a save dialog asks before overwriting.
QFileDialog* TitleWindow::fileDialog(const QString& title, const QString& filter, bool save) {
    auto* dialog = new QFileDialog(this, title, QString(), filter);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (!save)
        dialog->setFileMode(QFileDialog::ExistingFile);
    giveFileDialogRoom(*dialog);
    return dialog;
}

bool TitleWindow::openFile(const QString& path) {
    if (TitleGridView* grid = currentGrid())
        grid->hideEditor();
    const TitleOpenResult result = m_session->openFile(path);
    if (result == TitleOpenResult::NotLoaded)
        return false; // the document is as it was
    documentLoaded();
    return result == TitleOpenResult::Loaded;
}

void TitleWindow::documentLoaded() {
    refreshBoxes();
    refreshCaption();
}

QString TitleWindow::csvFilter() const {
    return toolText(m_app.language(), ToolText::CsvFilter) + QStringLiteral(";;") +
           m_app.language().text(LangGroup::TitleFileDialogs, DialogFilterAll);
}

void TitleWindow::onImportCsv() {
    if (!m_session->confirmDiscard())
        return;
    QFileDialog* dialog =
        fileDialog(action(QStringLiteral("mnuImportCsv"))->text().remove(QLatin1Char('&')),
                   csvFilter(), false);
    connect(dialog, &QFileDialog::fileSelected, this, &TitleWindow::importCsv);
    dialog->open();
}

bool TitleWindow::importCsv(const QString& path) {
    if (TitleGridView* grid = currentGrid())
        grid->hideEditor();
    if (!m_session->importCsv(path))
        return false; // the document is as it was
    documentLoaded();
    return true;
}

void TitleWindow::onExportCsv() {
    QFileDialog* dialog = fileDialog(
        action(QStringLiteral("mnuExportCsv"))->text().remove(QLatin1Char('&')), csvFilter(), true);
    dialog->setDefaultSuffix(QStringLiteral("csv"));
    giveFileDialogRoom(*dialog,
                       cameraFileName(m_session->document().CameraNo, QStringLiteral("csv")));
    connect(dialog, &QFileDialog::fileSelected, this, &TitleWindow::exportCsv);
    dialog->open();
}

bool TitleWindow::exportCsv(const QString& path) {
    return m_session->exportCsv(path);
}

void TitleWindow::onClose() {
    close();
}

void TitleWindow::onSave() {
    m_session->save();
    refreshCaption();
}

void TitleWindow::onSaveAs() {
    m_session->saveAs();
    refreshCaption();
}

// The titles of the category on show, in the grid's present order.
void TitleWindow::onPrint() {
    const LanguageTables& language = m_app.language();
    if (std::optional<PrintReport> report =
            GatherTitleReport(m_session->document(), m_session->editor().currentTab(), language))
        ReportPreviewDialog::openFor(this, std::move(*report), language);
}

// ---- Edit --------------------------------------------------------------------------------

QLineEdit* TitleWindow::activeLineEdit() const {
    if (QLineEdit* box = textBoxOf(m_session->editor().currentTab()))
        return box;
    const TitleGridView* grid = currentGrid();
    return grid && grid->isEditorOpen() ? grid->TextWorkText() : nullptr;
}

void TitleWindow::onUndo() {
    if (TitleGridView* grid = currentGrid())
        grid->hideEditor();
    const int before = m_session->editor().currentTab();
    m_session->editor().Undo();
    if (m_session->editor().currentTab() != before)
        m_tabStrip->setCurrentIndex(m_session->editor().currentTab());
}

void TitleWindow::copySelection(bool cut) {
    const int category = m_session->editor().currentTab();
    if (QLineEdit* box = activeLineEdit()) {
        if (!box->hasSelectedText())
            return;
        CopyLinesToClipboard(m_clipboard, {box->selectedText()});
        if (!cut)
            return;
        m_session->editor().snapshotTitle(category,
                                          textBoxOf(category) ? 0 : currentGrid()->currentRow());
        box->del(); // the change is stored through the box's change signal
        return;
    }
    int first = 0;
    int last = 0;
    currentGrid()->selectedRange(first, last);
    const QStringList titles = cut ? m_session->editor().cutRows(category, first, last)
                                   : m_session->editor().copyRows(category, first, last);
    if (!titles.isEmpty())
        CopyLinesToClipboard(m_clipboard, titles);
}

void TitleWindow::onCut() {
    copySelection(true);
}

void TitleWindow::onCopy() {
    copySelection(false);
}

void TitleWindow::onPaste() {
    const int category = m_session->editor().currentTab();
    QLineEdit* box = activeLineEdit();
    QStringList lines;
    if (!PasteLinesFromClipboard(m_clipboard, box != nullptr, lines))
        return; // an empty clipboard pastes nothing
    if (box) {
        m_session->editor().snapshotTitle(category,
                                          textBoxOf(category) ? 0 : currentGrid()->currentRow());
        box->insert(lines.first());
        return;
    }
    m_session->editor().pasteRows(category, currentGrid()->currentRow(), lines);
}

void TitleWindow::onDeleteRows() {
    int first = 0;
    int last = 0;
    currentGrid()->selectedRange(first, last);
    m_session->editor().deleteRows(m_session->editor().currentTab(), first, last);
}

// ---- Tool --------------------------------------------------------------------------------

void TitleWindow::onCheck() {
    if (TitleGridView* grid = currentGrid())
        grid->hideEditor();
    FocusCurrentCategory();
    m_session->editor().check();
}

void TitleWindow::onSort() {
    TitleGridView* grid = currentGrid();
    if (!grid || !m_session->editor().sortEnabled())
        return;
    grid->hideEditor();
    grid->setFocus();
    m_session->editor().sort();
}

// ---- Find and replace --------------------------------------------------------------------

void TitleWindow::onFind() {
    openFindDialog(false);
}

void TitleWindow::onReplace() {
    openFindDialog(true);
}

void TitleWindow::openFindDialog(bool replace) {
    FindState& state = m_app.findState();
    state.DialogSeat.closeOpen();
    state.FindContext = FindContextTitle;
    const TitleGridView* grid = currentGrid();
    state.FindStartLine = grid ? grid->currentRow() + 1 : 1;
    if (const QLineEdit* box = activeLineEdit())
        state.LastFindText = box->selectedText();
    if (TitleGridView* open = currentGrid())
        open->hideEditor();
    auto* dialog = new FindReplaceDialog(
        replace ? FindReplaceDialog::Kind::Replace : FindReplaceDialog::Kind::Find, state,
        m_session->findTarget(), m_app.messages(), m_app.language(), m_app.titleChars(), this);
    connect(dialog, &QDialog::finished, this, &TitleWindow::clearFindHighlight);
    dialog->openAlone();
}

void TitleWindow::showFindHit(int line) {
    const int category = m_session->editor().currentTab();
    QWidget* target = textBoxOf(category);
    if (TitleGridView* grid = currentGrid()) {
        grid->setCurrentRow(line - 1);
        grid->selectRow(line - 1);
        target = grid;
    }
    QPalette palette = target->palette();
    palette.setColor(QPalette::Highlight, kHighlightBackground);
    palette.setColor(QPalette::HighlightedText, palette.color(QPalette::Base));
    if (!currentGrid()) {
        palette.setColor(QPalette::Base, kHighlightBackground);
        palette.setColor(QPalette::Text, QApplication::palette().color(QPalette::Base));
    }
    target->setPalette(palette);
}

void TitleWindow::clearFindHighlight() {
    for (TitleGridView* grid : m_grids)
        if (grid)
            grid->setPalette(QPalette());
    for (int category : {int(CategoryCamera), int(CategoryAutoPan)}) {
        textBoxOf(category)->setPalette(QPalette());
        refreshTitles(category); // the red of a failed title
    }
}

// ---- Transfers ---------------------------------------------------------------------------

void TitleWindow::showTransferDialog(bool sent) {
    if (!sent)
        return;
    if (!m_transferDialog)
        m_transferDialog = new TransferDialog(m_session->transferDialog(), this);
    m_transferDialog->render();
    // No other screen may send while the transfer runs; shown without a nested event loop.
    m_transferDialog->setWindowModality(Qt::ApplicationModal);
    m_transferDialog->show();
}

void TitleWindow::onDownloadClicked() {
    if (TitleGridView* grid = currentGrid())
        grid->hideEditor();
    showTransferDialog(m_session->download());
}

void TitleWindow::onUploadClicked() {
    showTransferDialog(m_session->upload());
}

void TitleWindow::onAllDownload() {
    showTransferDialog(m_session->allDownload());
}

void TitleWindow::onAllUpload() {
    showTransferDialog(m_session->allUpload());
}

} // namespace zel::gui
