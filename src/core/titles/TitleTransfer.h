#pragma once
// Title download and upload over the shared link (screen code 1): one B1 command per title,
// for the category shown or for all nine categories; each reply sends the next title and
// steps the transfer dialog.
//
// Command data (hex text given to SendCommandFrame):
//   read   B1 | category code | hundreds,tens digits | units digit,0              request "True"
//   write  B1 | category code | hundreds,tens digits | units digit,0 | 8 codes    request "False"
// Title number 123 gives the bytes 12 30; each code is two bytes, high byte first.
// Data reply to a read, 28 bytes:
//   offset 0 FD | 1 length (27) | 2..8 not examined | 9..24 eight codes | 25 checksum |
//          26..27 FF FF
// A write is answered by ACK (06).
#include "link/LinkClient.h"
#include "link/TransferDialogModel.h"
#include "titletable/TitleCharTable.h"

#include <QString>
#include <functional>

namespace zel {

class LanguageTables;
class LinkEngine;
class TitleDocument;

class TitleTransfer : public LinkClient {
public:
    // Title transfer mode, held in ExpectedReplyKind. Even modes expect an ACK.
    enum Mode : int {
        ModeUploadCategory = 0,
        ModeDownloadCategory = 1,
        ModeUploadAll = 2,
        ModeDownloadAll = 3,
    };
    enum class AllUploadStart { Sent, CheckFailed, NotSent };

    static constexpr int kCommandTitle = 0xB1;
    static constexpr int kReplyCodesOffset = 18; // hex characters: reply bytes 9..24
    static constexpr int kReplyCodesLength = 32;

    TitleTransfer(LinkEngine& engine, TitleDocument& document, const TitleCharTable& table,
                  const LanguageTables& language);
    ~TitleTransfer() override;
    TitleTransfer(const TitleTransfer&) = delete;
    TitleTransfer& operator=(const TitleTransfer&) = delete;

    TransferDialogModel& dialog() { return m_dialog; }
    const TransferDialogModel& dialog() const { return m_dialog; }
    bool isRunning() const { return m_running; }

    // Start commands; true when the first command went out. CommandDL empties the category
    // first; CommandUL expects the category to have passed the check.
    bool startDownload(int category);
    bool startUpload(int category);
    bool startAllDownload();
    // mnuAllUpLoad: checks all nine categories and shows the result ("No Error" or the
    // summed counts); nothing is sent when a title fails.
    AllUploadStart startAllUpload();

    // Set_TextLockProc: true when a transfer starts, false when it ends.
    std::function<void(bool lock)> onTextLock;
    // Once per transfer: true when the last title went through, false when it ended early
    // (NACK, BUSY too often, bad reply, time-out, cancel).
    std::function<void(bool completed)> onFinished;

    // The documented procedures the engine reaches through LinkClient.
    void Set_TextLockProc(bool lock);
    void Get_CommTitleSet();
    bool Check_CommTitleSet();
    void Get_TimeOutTitle();

    void replyComplete() override { Get_CommTitleSet(); }
    void replyTimedOut() override { Get_TimeOutTitle(); }
    void retryTick() override { Check_CommTitleSet(); }
    void transferDialogClosed() override;

    // Data bytes 3 and 4 for a title number: "0050" for 5, "1230" for 123.
    static QString TitleNumberHex(int number);
    static QString TitleRequestData(int cameraCode, int number);
    static QString TitleWriteData(int cameraCode, int number, const TitleCodes& codes);

private:
    bool PrepareTitleTransfer(int category);
    bool SendTitleRequest(int category, int mode);
    bool SendTitleWrite(int category, int mode);
    bool SendTitleCommand(const QString& data, bool request, int mode);
    bool ParseTitleReply(int category);
    void ShowTitleProgress(int mode);
    void StepTitleProgress(int mode);

    bool sendTitle(int category, int mode);
    bool beginTransfer(int mode, bool sent);
    void endWithMessage(int messageNumber);
    int currentCategory() const;
    int documentNumberOf(int category, int wireNumber) const;
    void finish(bool completed);

    LinkEngine& m_engine;
    TitleDocument& m_document;
    const TitleCharTable& m_table;
    const LanguageTables& m_language;
    TransferDialogModel m_dialog;
    bool m_running = false;
};

} // namespace zel
