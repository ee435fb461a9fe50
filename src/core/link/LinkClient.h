#pragma once

namespace zel {

// A screen's controller that waits for a reply. The engine calls it by the screen code in
// force, exactly where the documented callbacks are called by name.
class LinkClient {
public:
    virtual ~LinkClient() = default;
    // Complete reply in ReceiveBuffer (Get_CommControl, Get_CommTitleSet, Get_CommBackup,
    // Get_CommTest). ScreenCode is already 7; the client may send the next frame at once.
    virtual void replyComplete() = 0;
    // Reply time-out or receive overflow, after the message (Get_TimeOutTitle,
    // Get_TimeOutBackup, Get_TimeOutTest). Not called for the operation panel.
    virtual void replyTimedOut() {}
    // The wait of a screen without a time-out procedure (the operation panel) ended without a
    // reply: no message. Called after the reset, so the client may send its next frame.
    virtual void replyAbandoned() {}
    // TimerReTry tick after a BUSY reply (Check_CommTitleSet, Check_CommBackup).
    virtual void retryTick() {}
    // The transfer dialog closed while this client waited: the title window's
    // end-of-transfer hook (Set_TextLockProc false) or the backup's Close_BackupFile.
    virtual void transferDialogClosed() {}
};

} // namespace zel
