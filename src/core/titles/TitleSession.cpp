#include "TitleSession.h"

#include "TitleAutoBackup.h"
#include "TitleDocument.h"
#include "TitleEditor.h"
#include "TitleFileWriter.h"
#include "TitleFindTarget.h"
#include "TitleTransfer.h"
#include "common/MessageNumber.h"
#include "common/MessageSink.h"
#include "common/NumberRange.h"
#include "common/QtTimer.h"
#include "shell/LanguageTables.h"
#include "titletable/TitleCategory.h"

namespace zel {

TitleSession::TitleSession(const TitleSessionParts& parts, int slot,
                           std::unique_ptr<Timer> timerAutoSave)
    : m_parts(parts), m_document(std::make_unique<TitleDocument>()),
      m_timerAutoSave(timerAutoSave ? std::move(timerAutoSave) : std::make_unique<QtTimer>()) {
    m_files = std::make_unique<TitleFiles>(parts.titleSlots, slot, *m_document, parts.messages,
                                           parts.language);
    m_editor =
        std::make_unique<TitleEditor>(*m_document, parts.table, parts.language, parts.messages);
    m_transfer =
        std::make_unique<TitleTransfer>(parts.engine, *m_document, parts.table, parts.language);
    m_findTarget = std::make_unique<TitleFindTarget>(*m_editor);
    m_autoBackup =
        std::make_unique<TitleAutoBackup>(*m_timerAutoSave, parts.settings, slot, *m_document,
                                          TitleFileLabelsFor(parts.language), parts.messages);
    connectParts();
}

TitleSession::~TitleSession() {
    // The parts refer to one another: the listeners go before the parts do.
    m_transfer->onFinished = {};
    m_findTarget->onHit = {};
    m_editor->onStateChanged = {};
    m_editor->onTitlesChanged = {};
    m_document->onModified = {};
}

void TitleSession::connectParts() {
    m_editor->onStateChanged = [this] {
        if (onStateChanged)
            onStateChanged();
    };
    m_editor->onTitlesChanged = [this](int category) {
        if (onTitlesChanged)
            onTitlesChanged(category);
    };
    m_findTarget->onHit = [this](int line) {
        if (onFindHit)
            onFindHit(line);
    };
    m_transfer->onFinished = [this](bool completed) { transferEnded(completed); };
}

int TitleSession::slot() const {
    return m_files->slot();
}

TransferDialogModel& TitleSession::transferDialog() {
    return m_transfer->dialog();
}

bool TitleSession::isTransferring() const {
    return m_transfer->isRunning();
}

void TitleSession::load() {
    m_files->load();
    m_editor->changeTab(CategoryCamera);
    SetTime_OnOffProc();
}

TitleControls TitleSession::controls(bool numberBoxHasFocus) const {
    TitleControls controls;
    controls.undo = m_editor->undoEnabled();
    controls.sort = m_editor->sortEnabled();
    controls.cutCopy = !numberBoxHasFocus;
    controls.upload = m_editor->uploadEnabled();
    controls.uploadOffHint = m_editor->uploadOffHint();
    return controls;
}

void TitleSession::SetTime_OnOffProc() {
    m_autoBackup->SetTime_OnOffProc();
}

// ---- Files -------------------------------------------------------------------------------

bool TitleSession::confirmDiscard() {
    return m_files->ConfirmSaveBeforeDiscard();
}

TitleOpenResult TitleSession::openFile(const QString& path) {
    const TitleOpenResult result = m_files->ReadTitleFile(path);
    if (result != TitleOpenResult::NotLoaded) // a refused file leaves everything as it was
        documentRead(result == TitleOpenResult::Loaded);
    return result;
}

bool TitleSession::importCsv(const QString& path) {
    if (!m_files->importCsv(path, m_parts.table))
        return false;
    documentRead(true);
    return true;
}

void TitleSession::takeDocument(const TitleDocument& read) {
    std::function<void()> listener = std::move(m_document->onModified);
    *m_document = read;
    m_document->onModified = std::move(listener);
    documentRead(true);
}

bool TitleSession::exportCsv(const QString& path) {

    return m_files->exportCsv(path);
}

// The titles of another file: the undo of the last ones and their check no longer apply.
void TitleSession::documentRead(bool hasContent) {
    m_editor->disableUndo();
    m_editor->setHasContent(hasContent);
    m_editor->documentRead();
}

bool TitleSession::save() {
    return m_files->Save();
}

bool TitleSession::saveAs() {
    return m_files->SaveAs();
}

// ---- Number boxes ------------------------------------------------------------------------

void TitleSession::remoteNoEdited(const QString& text) {
    m_document->RemoteNo = text;
    m_document->MarkModified();
}

bool TitleSession::cameraNoEdited(const QString& text) {
    m_document->MarkModified();
    return m_files->ConfirmSaveOnCameraChange(text);
}

bool TitleSession::numberBoxLeft(NumberField field, const QString& text) {
    if (field == NumberField::Remote)
        return kRemoteNoRange.check(m_parts.messages, m_parts.language, text);
    if (!kCameraNoRange.check(m_parts.messages, m_parts.language, text))
        return false;
    m_files->cameraNoAccepted();
    return true;
}

// ---- Transfers ---------------------------------------------------------------------------

// Before anything goes out: both numbers in range, or message 4 and nothing sent. (The boxes
// are checked when they are left, but a menu command does not leave them.)
bool TitleSession::addressValid() {
    return NumberRange::checkAddress(m_parts.messages, m_parts.language, m_document->RemoteNo,
                                     m_document->CameraNo);
}

bool TitleSession::download() {
    if (!addressValid())
        return false;
    m_transferIsDownload = true;
    const bool sent = m_transfer->startDownload(m_editor->currentTab());
    m_editor->documentReplaced(); // the category was emptied even when nothing went out
    return sent;
}

bool TitleSession::upload() {
    // Only titles that were read or edited, and passed the check, go up.
    if (!m_editor->uploadEnabled() || !addressValid())
        return false;
    m_transferIsDownload = false;
    return m_transfer->startUpload(m_editor->currentTab());
}

bool TitleSession::allDownload() {
    if (!addressValid())
        return false;
    m_transferIsDownload = true;
    const bool sent = m_transfer->startAllDownload();
    m_editor->documentReplaced();
    return sent;
}

bool TitleSession::allUpload() {
    if (!m_editor->hasContent()) {
        m_parts.messages.ShowMessage(MessageError, m_parts.language.piece(MessagePiece::NoInput));
        return false;
    }
    if (!addressValid())
        return false;
    m_transferIsDownload = false;
    const TitleTransfer::AllUploadStart start = m_transfer->startAllUpload();
    m_editor->allCategoriesChecked(start != TitleTransfer::AllUploadStart::CheckFailed);
    return start == TitleTransfer::AllUploadStart::Sent;
}

void TitleSession::transferEnded(bool completed) {
    if (m_transferIsDownload) {
        // Downloaded titles must be checked before they go back up; a download that ended
        // early left emptied titles behind, which are not uploaded without an edit.
        m_editor->setHasContent(completed);
        m_document->MarkModified();
    }
    m_editor->documentReplaced();
    if (onTransferEnded)
        onTransferEnded(completed);
}

// ---- Closing -----------------------------------------------------------------------------

bool TitleSession::mayClose() {
    return !m_transfer->isRunning() && m_files->ConfirmSaveBeforeDiscard();
}

void TitleSession::close() {
    m_files->close();
}

} // namespace zel
