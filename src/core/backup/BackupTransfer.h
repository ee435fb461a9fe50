#pragma once
// Settings backup over the shared link (screen code 2): a camera's 32000 bytes of setting
// data copied block by block to a backup file (download), written back from one (upload),
// and optionally read back and compared with the file (verification). One request frame per
// block; every reply drives the next request, and the transfer dialog model shows progress.
//
// Command data (hex text given to SendCommandFrame):
//   read block   C1 | block high | block low                      request "True",  data reply
//   write block  C1 | block high | block low | 32 data bytes      request "False", ACK
// Data reply to a read, 43 bytes:
//   offset 0 FD | 1 length (42) | 2..4 address | 5 C1 | 6..7 block | 8..39 data |
//          40 checksum | 41..42 FF FF
#include "backup/BackupComparison.h"
#include "backup/BackupFile.h"
#include "link/LinkClient.h"
#include "link/TransferDialogModel.h"

#include <QString>
#include <functional>
#include <optional>

namespace zel {

class LanguageTables;
class LinkEngine;
class MessageSink;

class BackupTransfer : public LinkClient {
public:
    // Backup mode, held in ExpectedReplyKind while a transfer runs.
    enum Mode : int { ModeUpload = 0, ModeDownload = 1, ModeVerify = 2 };

    static constexpr int kCommandBlock = 0xC1;
    static constexpr int kReplyLengthField = 42;
    static constexpr int kReplyDataOffset = 8; // bytes
    static constexpr int kSentDataOffset = 16; // hex characters into a write request frame
    static constexpr int kBlockCount = BackupFile::kBlockCount;
    static constexpr int kBlockHexLength = BackupFile::kBlockSize * 2;

    BackupTransfer(LinkEngine& engine, const LanguageTables& language, MessageSink& messages);
    ~BackupTransfer() override;
    BackupTransfer(const BackupTransfer&) = delete;
    BackupTransfer& operator=(const BackupTransfer&) = delete;

    // The TextCamNo and TextHostNo texts, and the CheckVerify box.
    void setAddress(const QString& cameraNo, const QString& remoteNo);
    void setVerify(bool verify) { m_verify = verify; }
    bool verify() const { return m_verify; }
    // Shortens a path or file name for the dialog labels (the window fits them to 325 px).
    void setPathCompactor(std::function<QString(const QString&)> compact);

    // CommandDL / CommandUL once the file is chosen. True when the first request went out
    // and the transfer now runs from replies; false when it ended (with a message).
    bool startDownload(const QString& path);
    bool startUpload(const QString& path);
    // Compare: reads the backup file at `path` (message 25 "File incorrect" unless it holds
    // 32000 bytes) and the camera's 1000 blocks into memory, writing nothing, to the camera or
    // to a file. Shown as a verification that goes on past a difference; comparison() holds
    // the result once it completed.
    bool startCompare(const QString& path);
    BackupComparison comparison() const;

    TransferDialogModel& dialog() { return m_dialog; }
    const TransferDialogModel& dialog() const { return m_dialog; }
    bool isRunning() const { return m_running; }
    bool completed() const { return m_completed; }
    int viewMode() const { return m_viewMode; }
    QString statusText(int mode) const; // "In UPLOAD", "In DOWNLOAD", "In verification"
    QString completedText(int mode) const;

    // Called once per transfer: true when it completed (verification included), false when
    // it ended early (error, time-out, cancel).
    std::function<void(bool completed)> onFinished;
    // A download is starting over a "<name>.partial" left by an earlier run, which it empties.
    std::function<void(const QString& partialPath)> onReplacingPartial;

    // The chosen file and the blocks the last download stored in its "<name>.partial".
    QString path() const { return m_path; }
    int blocksStored() const { return m_file.blocksWritten(); }

    // Procedures the engine and the transfer dialog reach through LinkClient, kept public
    // under their documented names.
    void Close_BackupFile();
    bool Seek_BackupFile();
    void Set_BlockNoClear();
    void Set_BlockNoInc();
    bool Get_BlockNo(QString& blockText) const;
    void Get_CommBackup();
    bool Check_CommBackup();
    void Get_TimeOutBackup();

    void replyComplete() override { Get_CommBackup(); }
    void replyTimedOut() override { Get_TimeOutBackup(); }
    void retryTick() override { Check_CommBackup(); }
    void transferDialogClosed() override;

private:
    std::optional<QString> Get_FileBlock();
    bool Put_FileBlock();
    std::optional<QByteArray> replyBlockData();
    bool keepCameraBlock();
    bool Check_VerifyBlock();
    bool Send_BackupCommand(const QString& command, const QString& requestFlag);
    bool Check_BackupReply();
    void Set_BackupProgress(int mode);
    void Set_TransMitView(int mode);

    bool readyToStart();
    bool addressValid();
    void openDialog(int mode);
    bool sendFirstBlock(const QString& extraData, const QString& requestFlag);
    bool replyReceived() const;
    bool checkDownload();
    bool checkVerification();
    bool checkUpload();
    void startVerification();
    std::optional<QString> lastSentBlockData() const;
    void completeTransfer(int mode);
    void endWithMessage(int messageNumber, const QString& extra = {});
    QString saveFailureText() const;
    void finish(bool completed);

    LinkEngine& m_engine;
    const LanguageTables& m_language;
    MessageSink& m_messages;
    TransferDialogModel m_dialog;
    BackupFile m_file;
    std::function<QString(const QString&)> m_compactPath;
    QString m_cameraNo = QStringLiteral("1");
    QString m_remoteNo = QStringLiteral("1");
    QString m_path;
    bool m_verify = true;
    bool m_comparing = false; // read blocks are kept in m_cameraImage, not verified
    QByteArray m_fileImage;
    QByteArray m_cameraImage;
    bool m_running = false;
    bool m_completed = false;
    int m_viewMode = ModeDownload;
};

} // namespace zel
