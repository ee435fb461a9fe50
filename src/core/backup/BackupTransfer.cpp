#include "BackupTransfer.h"

#include "common/HexText.h"
#include "common/MessageNumber.h"
#include "common/MessageSink.h"
#include "common/NumberRange.h"
#include "link/CommSendRecord.h"
#include "link/FrameCodec.h"
#include "link/LinkEngine.h"
#include "shell/LanguageTables.h"
#include "shell/Settings.h"

#include <QFileInfo>

namespace zel {

namespace {

const QString kRequestData = QStringLiteral("True");
const QString kRequestAck = QStringLiteral("False");

QString commandText() {
    return ByteToHex(BackupTransfer::kCommandBlock);
}

} // namespace

BackupTransfer::BackupTransfer(LinkEngine& engine, const LanguageTables& language,
                               MessageSink& messages)
    : m_engine(engine), m_language(language), m_messages(messages), m_dialog(engine),
      m_compactPath([](const QString& path) { return path; }) {}

BackupTransfer::~BackupTransfer() {
    onFinished = {};
    onReplacingPartial = {};
    m_dialog.onChanged = {};
    m_dialog.onClosed = {};
    // Another screen may own the link by now; only a transfer of ours is ended here, and the
    // engine must not keep a pointer to this object.
    if (!m_engine.isClaimedBy(this))
        return;
    if (m_dialog.isOpen())
        m_dialog.close();
    else
        m_engine.transferDialogClosed();
    if (m_engine.isClaimedBy(this))
        m_engine.ResetLinkState();
}

void BackupTransfer::setAddress(const QString& cameraNo, const QString& remoteNo) {
    m_cameraNo = cameraNo;
    m_remoteNo = remoteNo;
}

void BackupTransfer::setPathCompactor(std::function<QString(const QString&)> compact) {
    if (compact)
        m_compactPath = std::move(compact);
}

QString BackupTransfer::statusText(int mode) const {
    switch (mode) {
    case ModeUpload:
        return m_language.progress(ProgressLabel::InUpload);
    case ModeDownload:
        return m_language.progress(ProgressLabel::InDownload);
    default:
        return m_language.progress(ProgressLabel::InVerification);
    }
}

QString BackupTransfer::completedText(int mode) const {
    switch (mode) {
    case ModeUpload:
        return m_language.progress(ProgressLabel::UploadCompleted);
    case ModeDownload:
        return m_language.progress(ProgressLabel::DownloadCompleted);
    default:
        return m_language.progress(ProgressLabel::VerificationCompleted);
    }
}

// ---- Starting a transfer ------------------------------------------------------------------

bool BackupTransfer::readyToStart() {
    if (m_running)
        return false;
    // Another screen's transaction is in flight; its reply must not come to us.
    if (!m_engine.isIdle()) {
        m_messages.ShowMessage(MessageOtherWindowInAction);
        return false;
    }
    return addressValid();
}

bool BackupTransfer::addressValid() {
    return NumberRange::checkAddress(m_messages, m_language, m_remoteNo, m_cameraNo);
}

bool BackupTransfer::startDownload(const QString& path) {
    if (!readyToStart())
        return false;
    m_comparing = false;
    // The chosen file stays as it is until the last block is stored.
    if (!m_file.openForDownload(path)) {
        m_messages.ShowMessage(MessageCannotSave, m_file.lastError());
        return false;
    }
    m_path = path;
    if (m_file.replacedPartial() && onReplacingPartial)
        onReplacingPartial(BackupFile::partialPath(path));
    openDialog(ModeDownload);
    Seek_BackupFile();
    Set_BlockNoClear();
    return sendFirstBlock({}, kRequestData);
}

bool BackupTransfer::startUpload(const QString& path) {
    if (!readyToStart())
        return false;
    m_comparing = false;
    const QFileInfo info(path);
    if (!info.isFile() || info.size() != BackupFile::kImageSize || !m_file.openForUpload(path)) {
        m_messages.ShowMessage(MessageFileIncorrect);
        return false;
    }
    m_path = path;
    openDialog(ModeUpload);
    const auto data = Get_FileBlock();
    if (!data) {
        endWithMessage(MessageFileIncorrect);
        return false;
    }
    Set_BlockNoClear();
    return sendFirstBlock(*data, kRequestAck);
}

bool BackupTransfer::startCompare(const QString& path) {
    if (!readyToStart())
        return false;
    const BackupImageRead file = BackupFile::readImage(path, m_language.languageIndex());
    if (!file.ok()) {
        m_messages.ShowMessage(MessageFileIncorrect);
        return false;
    }
    m_comparing = true;
    m_fileImage = file.bytes;
    m_cameraImage.clear();
    m_cameraImage.reserve(BackupFile::kImageSize);
    m_path = path;
    openDialog(ModeVerify);
    Set_BlockNoClear();
    if (!sendFirstBlock({}, kRequestData))
        return false;
    m_engine.setExpectedReplyKind(ModeVerify);
    return true;
}

BackupComparison BackupTransfer::comparison() const {
    return CompareBackupImages(m_fileImage, m_cameraImage);
}

void BackupTransfer::openDialog(int mode) {
    m_running = true;
    m_completed = false;
    m_viewMode = mode; // load() already notifies
    m_dialog.load(m_language);
    Set_TransMitView(mode);
    m_dialog.setOpen();
}

bool BackupTransfer::sendFirstBlock(const QString& extraData, const QString& requestFlag) {
    QString block;
    Get_BlockNo(block);
    if (!Send_BackupCommand(commandText() + block + extraData, requestFlag))
        return false;
    Set_BlockNoInc();
    return true;
}

// ---- File and block number ----------------------------------------------------------------

void BackupTransfer::Close_BackupFile() {
    m_file.close();
}

bool BackupTransfer::Seek_BackupFile() {
    return m_file.seekStart();
}

void BackupTransfer::Set_BlockNoClear() {
    m_engine.setBlockNo(1);
    m_dialog.state().progressValue = 0;
    m_dialog.changed();
}

void BackupTransfer::Set_BlockNoInc() {
    m_engine.nextBlock();
}

bool BackupTransfer::Get_BlockNo(QString& blockText) const {
    const int blockNo = m_engine.state().BlockNo;
    if (blockNo < 0 || blockNo > kBlockCount)
        return false;
    blockText = QStringLiteral("%1").arg(blockNo, 4, 16, QLatin1Char('0')).toUpper();
    return true;
}

std::optional<QString> BackupTransfer::Get_FileBlock() {
    const auto block = m_file.readBlock();
    if (!block)
        return std::nullopt;
    return BytesToHexText(*block);
}

std::optional<QByteArray> BackupTransfer::replyBlockData() {
    const auto reply = HexTextToBytes(m_engine.state().ReceiveBuffer);
    if (!reply || reply->size() < kReplyDataOffset + BackupFile::kBlockSize) {
        endWithMessage(MessageReceiveError);
        return std::nullopt;
    }
    return reply->mid(kReplyDataOffset, BackupFile::kBlockSize);
}

bool BackupTransfer::Put_FileBlock() {
    const auto block = replyBlockData();
    if (!block)
        return false;
    if (!m_file.writeBlock(*block)) {
        endWithMessage(MessageCannotSave, saveFailureText());
        return false;
    }
    return true;
}

bool BackupTransfer::keepCameraBlock() {
    const auto block = replyBlockData();
    if (!block)
        return false;
    m_cameraImage.append(*block);
    return true;
}

// ---- Sending ------------------------------------------------------------------------------

bool BackupTransfer::Send_BackupCommand(const QString& command, const QString& requestFlag) {
    m_engine.claim(this, requestFlag == kRequestData ? ModeDownload : ModeUpload);
    const CommSendRecord record{m_cameraNo, m_remoteNo, requestFlag, QStringLiteral("0"),
                                QString::number(ScreenBackup)};
    if (m_engine.SendCommandFrame(record, command) != LinkEngine::kSendOk) {
        Get_TimeOutBackup();
        return false;
    }
    return true;
}

// ---- Replies ------------------------------------------------------------------------------

bool BackupTransfer::replyReceived() const {
    // 7 while a received reply is handled; 2 when the BUSY retry timer calls.
    return m_engine.isIdle();
}

void BackupTransfer::Get_CommBackup() {
    if (!m_running)
        return;
    const LinkState& link = m_engine.state();
    const QString reply = link.ReceiveBuffer.toUpper();
    if (reply == kReplyNack) {
        endWithMessage(MessageNack);
        return;
    }
    if (reply == kReplyBusy) {
        // The retry tick steps BlockNo back and calls Check_CommBackup for the same block.
        if (!m_engine.retryAfterBusy(ScreenBackup))
            endWithMessage(MessageReceiveError);
        return;
    }
    if (!IsExpectedReply(reply, link.ExpectedReplyKind != ModeUpload)) {
        endWithMessage(MessageReceiveError);
        return;
    }
    m_engine.clearBusyCount();
    if (Check_CommBackup()) {
        Set_BlockNoInc();
        Set_BackupProgress(m_engine.state().ExpectedReplyKind);
    }
}

bool BackupTransfer::Check_CommBackup() {
    if (!m_running)
        return false;
    switch (m_engine.state().ExpectedReplyKind) {
    case ModeDownload:
        return checkDownload();
    case ModeVerify:
        return checkVerification();
    default:
        return checkUpload();
    }
}

bool BackupTransfer::checkDownload() {
    if (!Check_BackupReply()) {
        Get_TimeOutBackup();
        return false;
    }
    // A retry has no reply to store: the block was refused with BUSY.
    if (replyReceived() && !Put_FileBlock())
        return false;
    QString block;
    if (Get_BlockNo(block))
        return Send_BackupCommand(commandText() + block, kRequestData);
    return true;
}

bool BackupTransfer::checkVerification() {
    if (!Check_BackupReply()) {
        Get_TimeOutBackup();
        return false;
    }
    if (replyReceived() && !(m_comparing ? keepCameraBlock() : Check_VerifyBlock()))
        return false;
    QString block;
    if (Get_BlockNo(block)) {
        if (!Send_BackupCommand(commandText() + block, kRequestData))
            return false;
        m_engine.setExpectedReplyKind(ModeVerify);
    }
    return true;
}

bool BackupTransfer::checkUpload() {
    QString block;
    if (Get_BlockNo(block)) {
        // A retry resends the refused block as it went out, without reading the file again.
        const auto data = replyReceived() ? Get_FileBlock() : lastSentBlockData();
        if (!data) {
            endWithMessage(replyReceived() ? MessageFileIncorrect : MessageReceiveError);
            return false;
        }
        return Send_BackupCommand(commandText() + block + *data, kRequestAck);
    }
    // The last block was acknowledged.
    if (!m_verify)
        return true;
    startVerification();
    return false;
}

std::optional<QString> BackupTransfer::lastSentBlockData() const {
    const QString data = m_engine.state().LastSentFrame.mid(kSentDataOffset, kBlockHexLength);
    if (data.size() != kBlockHexLength || !IsHexText(data))
        return std::nullopt;
    return data;
}

void BackupTransfer::startVerification() {
    if (!Seek_BackupFile()) {
        endWithMessage(MessageFileIncorrect);
        return;
    }
    Set_BlockNoClear();
    QString block;
    Get_BlockNo(block);
    Set_TransMitView(ModeVerify);
    if (Send_BackupCommand(commandText() + block, kRequestData)) {
        m_engine.setExpectedReplyKind(ModeVerify);
        Set_BlockNoInc();
    }
}

bool BackupTransfer::Check_BackupReply() {
    if (!replyReceived())
        return true;
    if (!m_engine.CheckReplyChecksum()) // shows message 16 itself
        return false;
    if (HexByteAt(m_engine.state().ReceiveBuffer, 2) != kReplyLengthField) {
        m_messages.ShowMessage(MessageReceiveError);
        return false;
    }
    return true;
}

bool BackupTransfer::Check_VerifyBlock() {
    const QString& reply = m_engine.state().ReceiveBuffer;
    // The block's data: from character 17 up to the checksum and end bytes.
    constexpr int kTrailerAndHeader = 22;
    const auto fileData = Get_FileBlock();
    const bool matches =
        fileData && reply.size() > kTrailerAndHeader &&
        QString::compare(*fileData, reply.mid(kSentDataOffset, reply.size() - kTrailerAndHeader),
                         Qt::CaseInsensitive) == 0;
    if (!matches) {
        endWithMessage(MessageVerifyError);
        return false;
    }
    return true;
}

// ---- Ending -------------------------------------------------------------------------------

void BackupTransfer::Get_TimeOutBackup() {
    Close_BackupFile();
    if (m_dialog.isOpen())
        m_dialog.close();
    finish(false);
}

void BackupTransfer::transferDialogClosed() {
    // Cancelled while a reply or a retry was pending.
    Close_BackupFile();
    finish(false);
}

void BackupTransfer::endWithMessage(int messageNumber, const QString& extra) {
    m_messages.ShowMessage(messageNumber, extra);
    Get_TimeOutBackup();
}

// The file and the system's reason, and what the blocks received so far are kept in.
QString BackupTransfer::saveFailureText() const {
    const int kept = m_file.blocksWritten();
    QString text = m_file.lastError();
    if (kept > 0)
        text += QStringLiteral("; %1 holds the %2 blocks received")
                    .arg(BackupFile::partialPath(m_path))
                    .arg(kept);
    return text;
}

void BackupTransfer::finish(bool completed) {
    if (!m_running)
        return;
    m_running = false;
    m_completed = completed;
    if (onFinished)
        onFinished(completed);
}

// ---- Transfer dialog ----------------------------------------------------------------------

void BackupTransfer::Set_BackupProgress(int mode) {
    TransferDialogState& view = m_dialog.state();
    view.progressValue += 1;
    view.caption = statusText(mode) + QStringLiteral("  ") + QString::number(view.percent()) +
                   QLatin1Char('%');
    if (view.progressValue >= view.progressMax) {
        completeTransfer(mode);
        return;
    }
    m_dialog.changed();
}

void BackupTransfer::completeTransfer(int mode) {
    // Only a whole image replaces the chosen file.
    if (m_file.isOpen() && m_file.isDownload() && !m_file.commit()) {
        endWithMessage(MessageCannotSave, saveFailureText());
        return;
    }
    TransferDialogState& view = m_dialog.state();
    view.caption = completedText(mode);
    view.visibleFrame = 1;
    view.endValue = view.endMax;
    Close_BackupFile();
    m_dialog.changed();
    finish(true);
}

void BackupTransfer::Set_TransMitView(int mode) {
    m_viewMode = mode;
    const QString path = m_compactPath(m_path);
    TransferDialogState& view = m_dialog.state();
    view.caption = statusText(mode);
    if (mode == ModeDownload) {
        const QString title = m_compactPath(QFileInfo(m_path).fileName());
        const QString saveAs = m_language.progress(ProgressLabel::SaveAs);
        view.labels1 = {m_language.progress(ProgressLabel::InSaving), title, saveAs, path};
        view.labels2 = {m_language.progress(ProgressLabel::SaveCompleted), title, saveAs, path};
    } else if (mode == ModeUpload) {
        view.labels1 = {m_language.progress(ProgressLabel::InTransmission), path, {}, {}};
        view.labels2 = {m_language.progress(ProgressLabel::TransmissionCompleted), path, {}, {}};
    } else {
        view.labels1 = {m_language.progress(ProgressLabel::InVerification), path, {}, {}};
        view.labels2 = {m_language.progress(ProgressLabel::VerificationCompleted), path, {}, {}};
    }
    view.progressMax = kBlockCount;
    view.phase = statusText(mode);
    view.unit = ProgressUnit::Blocks;
    m_dialog.changed();
}

} // namespace zel
