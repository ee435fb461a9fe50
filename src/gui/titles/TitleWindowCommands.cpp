// The title window's menu commands, transfers and find highlight.
#include "FindReplaceDialog.h"
#include "TitleGridModel.h"
#include "TitleGridView.h"
#include "TitleWindow.h"
#include "common/ClipboardLines.h"
#include "common/FileDialogRoom.h"
#include "common/MessageNumber.h"
#include "common/MessageSink.h"
#include "common/SuggestedFileName.h"
#include "printing/PrintData.h"
#include "printing/ReportPreviewDialog.h"
#include "shell/Application.h"
#include "shell/LanguageTables.h"
#include "shell/ToolTexts.h"
#include "titles/FindState.h"
#include "titles/TitleCategory.h"
#include "titles/TitleDocument.h"
#include "titles/TitleDocumentSession.h"
#include "titles/TitleEditor.h"
#include "titles/TitleFindTarget.h"
#include "titles/TitleTransfer.h"

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
    action(QStringLiteral("mnuReturns"))->setEnabled(m_editor->undoEnabled());
    action(QStringLiteral("mnuSort"))->setEnabled(m_editor->sortEnabled());
    m_commandUL->setEnabled(m_editor->uploadEnabled());
    m_commandUL->setToolTip(m_editor->uploadOffHint());
    m_commandUL->setStatusTip(m_commandUL->toolTip());
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
    giveFileDialogRoom(dialog, m_session->hasPath()
                                   ? m_session->path()
                                   : cameraFileName(m_document->CameraNo, QStringLiteral("ttl")));
    // The answer is needed before the save prompt can go on.
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

void TitleWindow::onNew() {
    if (!m_session->ConfirmSaveBeforeDiscard())
        return;
    emit newWindowRequested();
    close();
}

void TitleWindow::onOpen() {
    if (!m_session->ConfirmSaveBeforeDiscard())
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
    const TitleOpenResult result = m_session->ReadTitleFile(path);
    if (result == TitleOpenResult::NotLoaded)
        return false; // the document is as it was
    documentLoaded(result == TitleOpenResult::Loaded);
    return result == TitleOpenResult::Loaded;
}

void TitleWindow::documentLoaded(bool hasContent) {
    m_editor->disableUndo();
    m_editor->setHasContent(hasContent);
    refreshBoxes();
    refreshCaption();
    m_editor->documentRead();
}

QString TitleWindow::csvFilter() const {
    return toolText(m_app.language(), ToolText::CsvFilter) + QStringLiteral(";;") +
           m_app.language().text(LangGroup::TitleFileDialogs, DialogFilterAll);
}

void TitleWindow::onImportCsv() {
    if (!m_session->ConfirmSaveBeforeDiscard())
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
    if (!m_session->importCsv(path, m_app.titleChars()))
        return false; // the document is as it was
    documentLoaded(true);
    return true;
}

void TitleWindow::onExportCsv() {
    QFileDialog* dialog = fileDialog(
        action(QStringLiteral("mnuExportCsv"))->text().remove(QLatin1Char('&')), csvFilter(), true);
    dialog->setDefaultSuffix(QStringLiteral("csv"));
    giveFileDialogRoom(*dialog, cameraFileName(m_document->CameraNo, QStringLiteral("csv")));
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
    m_session->Save();
    refreshCaption();
}

void TitleWindow::onSaveAs() {
    m_session->SaveAs();
    refreshCaption();
}

// The titles of the category on show, in the grid's present order.
void TitleWindow::onPrint() {
    const LanguageTables& language = m_app.language();
    if (std::optional<PrintReport> report =
            GatherTitleReport(*m_document, m_editor->currentTab(), language))
        ReportPreviewDialog::openFor(this, std::move(*report), language);
}

// ---- Edit --------------------------------------------------------------------------------

QLineEdit* TitleWindow::activeLineEdit() const {
    if (QLineEdit* box = textBoxOf(m_editor->currentTab()))
        return box;
    const TitleGridView* grid = currentGrid();
    return grid && grid->isEditorOpen() ? grid->TextWorkText() : nullptr;
}

void TitleWindow::onUndo() {
    if (TitleGridView* grid = currentGrid())
        grid->hideEditor();
    const int before = m_editor->currentTab();
    m_editor->Undo();
    if (m_editor->currentTab() != before)
        m_tabStrip->setCurrentIndex(m_editor->currentTab());
}

void TitleWindow::copySelection(bool cut) {
    const int category = m_editor->currentTab();
    if (QLineEdit* box = activeLineEdit()) {
        if (!box->hasSelectedText())
            return;
        CopyLinesToClipboard(m_clipboard, {box->selectedText()});
        if (!cut)
            return;
        m_editor->snapshotTitle(category, textBoxOf(category) ? 0 : currentGrid()->currentRow());
        box->del(); // the change is stored through the box's change signal
        return;
    }
    int first = 0;
    int last = 0;
    currentGrid()->selectedRange(first, last);
    const QStringList titles =
        cut ? m_editor->cutRows(category, first, last) : m_editor->copyRows(category, first, last);
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
    const int category = m_editor->currentTab();
    QLineEdit* box = activeLineEdit();
    QStringList lines;
    if (!PasteLinesFromClipboard(m_clipboard, box != nullptr, lines))
        return; // an empty clipboard pastes nothing
    if (box) {
        m_editor->snapshotTitle(category, textBoxOf(category) ? 0 : currentGrid()->currentRow());
        box->insert(lines.first());
        return;
    }
    m_editor->pasteRows(category, currentGrid()->currentRow(), lines);
}

void TitleWindow::onDeleteRows() {
    int first = 0;
    int last = 0;
    currentGrid()->selectedRange(first, last);
    m_editor->deleteRows(m_editor->currentTab(), first, last);
}

// ---- Tool --------------------------------------------------------------------------------

void TitleWindow::onCheck() {
    if (TitleGridView* grid = currentGrid())
        grid->hideEditor();
    FocusCurrentCategory();
    m_editor->check();
}

void TitleWindow::onSort() {
    TitleGridView* grid = currentGrid();
    if (!grid || !m_editor->sortEnabled())
        return;
    grid->hideEditor();
    grid->setFocus();
    m_editor->sort();
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
        *m_findTarget, m_app.messages(), m_app.language(), m_app.titleChars(), this);
    connect(dialog, &QDialog::finished, this, &TitleWindow::clearFindHighlight);
    dialog->openAlone();
}

void TitleWindow::showFindHit(int line) {
    const int category = m_editor->currentTab();
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

void TitleWindow::showTransferDialog() {
    if (!m_transferDialog)
        m_transferDialog = new TransferDialog(m_transfer->dialog(), this);
    m_transferDialog->render();
    // No other screen may send while the transfer runs; shown without a nested event loop.
    m_transferDialog->setWindowModality(Qt::ApplicationModal);
    m_transferDialog->show();
}

void TitleWindow::onDownloadClicked() {
    if (TitleGridView* grid = currentGrid())
        grid->hideEditor();
    m_transferIsDownload = true;
    if (m_transfer->startDownload(m_editor->currentTab()))
        showTransferDialog();
    m_editor->documentReplaced(); // the category was emptied even when nothing went out
}

void TitleWindow::onUploadClicked() {
    // Only a document that was read or edited, and passed the check, is uploaded.
    if (!m_editor->uploadEnabled())
        return;
    m_transferIsDownload = false;
    if (m_transfer->startUpload(m_editor->currentTab()))
        showTransferDialog();
}

void TitleWindow::onAllDownload() {
    m_transferIsDownload = true;
    if (m_transfer->startAllDownload())
        showTransferDialog();
    m_editor->documentReplaced();
}

void TitleWindow::onAllUpload() {
    if (!m_editor->hasContent()) {
        m_app.messages().ShowMessage(MessageError, m_app.language().piece(MessagePiece::NoInput));
        return;
    }
    m_transferIsDownload = false;
    const TitleTransfer::AllUploadStart start = m_transfer->startAllUpload();
    m_editor->allCategoriesChecked(start != TitleTransfer::AllUploadStart::CheckFailed);
    if (start == TitleTransfer::AllUploadStart::Sent)
        showTransferDialog();
}

void TitleWindow::onTransferFinished(bool completed, bool download) {
    if (download) {
        // Downloaded titles must be checked before they go back up; a download that ended
        // early left emptied titles behind, which are not uploaded without an edit.
        m_editor->setHasContent(completed);
        m_document->MarkModified();
    }
    m_editor->documentReplaced();
}

} // namespace zel::gui
