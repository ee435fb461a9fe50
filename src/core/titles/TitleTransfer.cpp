#include "TitleTransfer.h"

#include "TitleCategory.h"
#include "TitleCheck.h"
#include "TitleDocument.h"
#include "common/HexText.h"
#include "common/MessageNumber.h"
#include "common/MessageSink.h"
#include "common/NumberRange.h"
#include "common/Timer.h"
#include "link/FrameCodec.h"
#include "link/LinkEngine.h"
#include "shell/LanguageTables.h"
#include "shell/Settings.h"

namespace zel {

namespace {

// A title reply is 28 bytes: the codes end 6 hex characters (checksum, FF FF) before its end.
constexpr int kTitleReplyHexLength = 56;

bool isAllMode(int mode) {
    return mode >= TitleTransfer::ModeUploadAll;
}
bool isDownloadMode(int mode) {
    return mode % 2 == 1;
}

} // namespace

TitleTransfer::TitleTransfer(LinkEngine& engine, TitleDocument& document,
                             const TitleCharTable& table, const LanguageTables& language)
    : m_engine(engine), m_document(document), m_table(table), m_language(language),
      m_dialog(engine) {}

TitleTransfer::~TitleTransfer() {
    // Never leave the engine waiting on a client that is gone.
    m_engine.release(this);
}

QString TitleTransfer::TitleNumberHex(int number) {
    const int clamped = qBound(0, number, 999);
    // Hundreds and tens digits in byte 3, the units digit in the high nibble of byte 4.
    return QStringLiteral("%1").arg(clamped / 10, 2, 10, QLatin1Char('0')) +
           QString::number(clamped % 10) + QLatin1Char('0');
}

QString TitleTransfer::TitleRequestData(int cameraCode, int number) {
    return ByteToHex(kCommandTitle) + ByteToHex(cameraCode) + TitleNumberHex(number);
}

QString TitleTransfer::TitleWriteData(int cameraCode, int number, const TitleCodes& codes) {
    return TitleRequestData(cameraCode, number) + TitleCharTable::TitleCodesToHex(codes);
}

void TitleTransfer::Set_TextLockProc(bool lock) {
    if (onTextLock)
        onTextLock(lock);
}

int TitleTransfer::currentCategory() const {
    return m_engine.state().TitleTransferFlag - 2;
}

int TitleTransfer::documentNumberOf(int category, int wireNumber) const {
    return TitleCategoryAt(category).isTextBox ? 1 : wireNumber;
}

bool TitleTransfer::PrepareTitleTransfer(int category) {
    if (!m_engine.isIdle())
        return false;
    if (!kCameraNoRange.contains(m_document.CameraNo) ||
        !kRemoteNoRange.contains(m_document.RemoteNo))
        return false;
    if (!IsTitleCategory(category))
        return true; // past the last category: nothing is set up
    const TitleCategoryInfo& info = TitleCategoryAt(category);
    m_engine.startTitleTransfer(info.cameraCode, info.firstNumber, info.endNumber());
    return true;
}

bool TitleTransfer::SendTitleCommand(const QString& data, bool request, int mode) {
    m_engine.claim(this, mode);
    CommSendRecord record;
    record.CameraNo = m_document.CameraNo;
    record.RemoteNo = m_document.RemoteNo;
    record.Request = request ? QStringLiteral("True") : QStringLiteral("False");
    record.Raw = QStringLiteral("0");
    record.ScreenCode = QString::number(ScreenTitle);
    if (m_engine.SendCommandFrame(record, data) == LinkEngine::kSendOk)
        return true;
    // Without this frame the chain cannot go on (after a reply or at a BUSY retry): end the
    // transfer now instead of waiting for a reply that never comes.
    if (m_running)
        Get_TimeOutTitle();
    return false;
}

bool TitleTransfer::SendTitleRequest(int category, int mode) {
    const LinkState& state = m_engine.state();
    if (!IsTitleCategory(category) || state.BlockNo >= state.TitleEndNo)
        return false;
    return SendTitleCommand(TitleRequestData(state.TitleTransferFlag, state.BlockNo), true, mode);
}

bool TitleTransfer::SendTitleWrite(int category, int mode) {
    const LinkState& state = m_engine.state();
    if (!IsTitleCategory(category) || state.BlockNo >= state.TitleEndNo)
        return false;
    const QString title = m_document.title(category, documentNumberOf(category, state.BlockNo));
    TitleCodes codes{};
    if (!m_table.TitleTextToCodes(title, codes)) {
        // Only titles that passed the check are uploaded; anything else ends the transfer
        // rather than sending a wrong title.
        Get_TimeOutTitle();
        return false;
    }
    return SendTitleCommand(TitleWriteData(state.TitleTransferFlag, state.BlockNo, codes), false,
                            mode);
}

bool TitleTransfer::sendTitle(int category, int mode) {
    return isDownloadMode(mode) ? SendTitleRequest(category, mode) : SendTitleWrite(category, mode);
}

bool TitleTransfer::beginTransfer(int mode, bool sent) {
    if (!sent)
        return false;
    m_engine.nextBlock();
    m_running = true;
    Set_TextLockProc(true);
    ShowTitleProgress(mode);
    return true;
}

bool TitleTransfer::startDownload(int category) {
    if (!IsTitleCategory(category) || !PrepareTitleTransfer(category))
        return false;
    m_document.ClearCategory(category);
    return beginTransfer(ModeDownloadCategory, SendTitleRequest(category, ModeDownloadCategory));
}

bool TitleTransfer::startUpload(int category) {
    if (!IsTitleCategory(category) || !PrepareTitleTransfer(category))
        return false;
    return beginTransfer(ModeUploadCategory, SendTitleWrite(category, ModeUploadCategory));
}

bool TitleTransfer::startAllDownload() {
    if (!PrepareTitleTransfer(CategoryCamera))
        return false;
    m_document.ClearAllTitles();
    return beginTransfer(ModeDownloadAll, SendTitleRequest(CategoryCamera, ModeDownloadAll));
}

TitleTransfer::AllUploadStart TitleTransfer::startAllUpload() {
    const TitleCheckCounts counts = CheckAllCategories(m_document, m_table);
    if (!ShowCheckResult(m_engine.messages(), m_language, counts))
        return AllUploadStart::CheckFailed;
    if (!PrepareTitleTransfer(CategoryCamera))
        return AllUploadStart::NotSent;
    const bool sent = SendTitleWrite(CategoryCamera, ModeUploadAll);
    return beginTransfer(ModeUploadAll, sent) ? AllUploadStart::Sent : AllUploadStart::NotSent;
}

void TitleTransfer::endWithMessage(int messageNumber) {
    m_engine.messages().ShowMessage(messageNumber);
    Get_TimeOutTitle();
}

void TitleTransfer::Get_CommTitleSet() {
    const QString reply = m_engine.state().ReceiveBuffer;
    const int mode = m_engine.state().ExpectedReplyKind;
    if (reply == kReplyNack) {
        endWithMessage(MessageNack);
        return;
    }
    if (reply == kReplyBusy) {
        // The retry tick resends the title.
        if (!m_engine.retryAfterBusy(ScreenTitle))
            endWithMessage(MessageReceiveError);
        return;
    }
    if (!IsExpectedReply(reply, isDownloadMode(mode))) {
        endWithMessage(MessageReceiveError);
        return;
    }
    m_engine.clearBusyCount();
    if (!Check_CommTitleSet() || !m_running)
        return;
    m_engine.nextBlock();
    StepTitleProgress(mode);
}

bool TitleTransfer::Check_CommTitleSet() {
    const LinkState& state = m_engine.state();
    const int mode = state.ExpectedReplyKind;
    const int category = currentCategory();
    if (isDownloadMode(mode) && state.ScreenCode == ScreenIdle && !ParseTitleReply(category)) {
        Get_TimeOutTitle();
        return false;
    }
    if (sendTitle(category, mode) || !isAllMode(mode) || !m_running)
        return true;
    // Category finished: the first title of the next one.
    const int next = category + 1;
    if (PrepareTitleTransfer(next))
        sendTitle(next, mode);
    return true;
}

bool TitleTransfer::ParseTitleReply(int category) {
    if (!m_engine.CheckReplyChecksum())
        return false;
    const QString& reply = m_engine.state().ReceiveBuffer;
    if (reply.size() < kTitleReplyHexLength) {
        m_engine.messages().ShowMessage(MessageReceiveError);
        return false;
    }
    if (!IsTitleCategory(category))
        return true;
    const QString title = m_table.TitleCodesToText(reply.mid(kReplyCodesOffset, kReplyCodesLength));
    if (TitleCharTable::CheckTitleLength(title))
        m_document.setTitle(category, documentNumberOf(category, m_engine.state().BlockNo - 1),
                            title);
    return true;
}

void TitleTransfer::ShowTitleProgress(int mode) {
    const int category = currentCategory();
    int maximum = kTotalTitleCount;
    if (!isAllMode(mode))
        maximum = TitleCategoryAt(category).isTextBox ? 1 : TitleCategoryAt(category).titleCount;
    m_dialog.load(m_language);
    TransferDialogState& view = m_dialog.state();
    const QString direction = m_language.text(
        LangGroup::TitleSet, isDownloadMode(mode) ? TitleSetCameraToPc : TitleSetPcToCamera);
    const QString tab = QString(TitleCategoryAt(category).tabCaption);
    view.labels1 = {m_language.progress(ProgressLabel::InTransmission), direction, QString(), tab};
    view.labels2 = {m_language.progress(ProgressLabel::TransmissionCompleted), direction, QString(),
                    tab};
    view.progressMax = maximum;
    view.progressValue = 0;
    view.endMax = maximum;
    view.endValue = 0;
    view.phase = m_language.text(LangGroup::TitleSet,
                                 isDownloadMode(mode) ? TitleSetDownload : TitleSetUpload);
    view.unit = ProgressUnit::Titles;
    view.caption = view.phase + QStringLiteral("  0%");
    m_dialog.changed();
}

void TitleTransfer::StepTitleProgress(int mode) {
    TransferDialogState& view = m_dialog.state();
    view.progressValue += 1;
    view.caption = m_language.text(LangGroup::TitleSet,
                                   isDownloadMode(mode) ? TitleSetDownload : TitleSetUpload) +
                   QStringLiteral("  ") + QString::number(view.percent()) + QLatin1Char('%');
    const int category = currentCategory();
    if (IsTitleCategory(category))
        view.labels1[3] = QString(TitleCategoryAt(category).tabCaption);
    const bool completed = view.progressValue >= view.progressMax;
    if (completed) {
        view.visibleFrame = 1;
        view.endValue = view.endMax;
        view.labels2[3] = view.labels1[3];
    }
    m_dialog.changed();
    if (completed) {
        Set_TextLockProc(false);
        finish(true);
    }
}

void TitleTransfer::Get_TimeOutTitle() {
    if (m_dialog.isOpen())
        m_dialog.close(); // the unload rule stops the timers and resets the link
    else if (m_engine.isClaimedBy(this))
        m_engine.ResetLinkState();
    Set_TextLockProc(false);
    finish(false);
}

void TitleTransfer::transferDialogClosed() {
    Set_TextLockProc(false);
    finish(false);
}

void TitleTransfer::finish(bool completed) {
    if (!m_running)
        return;
    m_running = false;
    if (onFinished)
        onFinished(completed);
}

} // namespace zel
