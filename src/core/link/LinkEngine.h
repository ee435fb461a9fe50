#pragma once
// One transaction at a time on the shared port: frame and send a command, gather the reply,
// hand it to the waiting client by screen code; reply time-out (TimerMenu), busy retry delay
// (TimerReTry), receive overflow.
#include "BytePort.h"
#include "CommSendRecord.h"
#include "LinkState.h"
#include "common/Listeners.h"
#include "common/MessageNumber.h"

#include <QString>
#include <functional>
#include <optional>

namespace zel {

class CommLogStore;
class MessageSink;
class Settings;
class Timer;

class LinkEngine {
public:
    static constexpr int kReceiveLimit = 1024; // characters of ReceiveBuffer

    // Results of SendCommandFrame.
    static constexpr int kSendOk = 0;
    static constexpr int kSendPortClosed = 6; // message 6 shown
    // The record or data cannot make a frame (numbers out of their digits, odd or non-hex
    // data, more than 248 data bytes): nothing sent, nothing shown, link state unchanged.
    static constexpr int kSendBadFrame = 1;

    LinkEngine(BytePort& port, Timer& timerMenu, Timer& timerReTry, Settings& settings,
               MessageSink& messages, CommLogStore* log = nullptr);
    ~LinkEngine();

    // The link state, which only the engine writes; clients read it and ask for changes.
    const LinkState& state() const { return m_state; }
    Settings& settings() { return m_settings; }
    const Settings& settings() const { return m_settings; }
    MessageSink& messages() { return m_messages; }
    BytePort& port() { return m_port; }

    // ---- Claiming the link ----
    // No reply is awaited (`ScreenCode` idle): a screen may send.
    bool isIdle() const { return m_state.ScreenCode == ScreenIdle; }
    // The next frame's reply, its time-out and the retries after BUSY go to `client`, which
    // reads the reply as `expectedReplyKind` (`WaitingForm`, `ExpectedReplyKind`).
    void claim(LinkClient* client, int expectedReplyKind = 0);
    bool isClaimedBy(const LinkClient* client) const { return m_state.WaitingForm == client; }
    // The claiming client now reads its replies as `kind` (a backup moving to verification).
    void setExpectedReplyKind(int kind) { m_state.ExpectedReplyKind = kind; }
    // `client` no longer wants the reply it awaits: the reply timer stops, a late reply is
    // discarded and the link is free.
    void endWait(const LinkClient* client);
    // `client` goes away while it holds the link: both timers stop and the link is reset.
    void release(const LinkClient* client);

    // ---- Counts of a transfer ----
    // `BlockNo`, the block of the transfer in force; nextBlock() counts one up.
    void setBlockNo(int blockNo) { m_state.BlockNo = blockNo; }
    void nextBlock() { m_state.BlockNo += 1; }
    // A title transfer begins: its camera code (`TitleTransferFlag`), first block and end
    // (`TitleEndNo`), no BUSY counted yet.
    void startTitleTransfer(int titleFlag, int firstBlock, int endNo);
    // A reply other than BUSY came: the next BUSY counts from one again.
    void clearBusyCount() { m_state.BusyCount = 0; }

    // What happened to the port, for whoever shows or watches its state.
    enum class PortEvent { Opened, OpenFailed, Lost, Closed };

    // Port handling. SetCommPortSettings only takes effect while the port is closed.
    void SetCommPortSettings();
    bool OpenCommPort();
    // OpenCommPort without message 6 and without telling open failures: for reopening by itself a
    // port that went away, where a failed attempt is no news.
    bool tryOpenCommPort();
    void CloseCommPort();
    bool isPortOpen() const;
    // A network port is still connecting: Opened (or OpenFailed) is told when it is done.
    bool isPortConnecting() const { return m_connecting; }
    // The device the port settings name (after SetCommPortSettings).
    QString portDevice() const { return m_lineSettings.device; }
    // Tells `listener` every open, failed open, loss and close, after the engine has
    // handled it, for as long as the subscription is kept.
    [[nodiscard]] Subscription watchPort(std::function<void(PortEvent event)> listener) {
        return m_portListeners.add(std::move(listener));
    }
    // Why the last open failed (device and cause), empty after a good open.
    QString lastOpenError() const { return m_lastOpenError; }
    // Tells `listener` the device and the reason whenever an open fails, before message 6
    // (the GUI writes it to stderr; the message box cannot say which device or why).
    [[nodiscard]] Subscription watchOpenFailures(std::function<void(const QString& why)> listener) {
        return m_openFailureListeners.add(std::move(listener));
    }
    // Why the port was last lost (device went away), empty when it never was.
    QString lastLostReason() const { return m_lastLostReason; }
    // The message a wait cut short by a lost port ends with: "Timeout error" in
    // the windows (message 2); 0 for a listener that says the loss in its own words (zelctl), so
    // one event gives one message.
    void setPortLossMessage(int messageNumber) { m_portLossMessage = messageNumber; }

    // 0 when the frame went out, 6 when the port was closed (message 6 already shown).
    int SendCommandFrame(const CommSendRecord& record, const QString& dataHex);

    // Receive handler: one batch of bytes from the port.
    void Select_MsCommEvproc(const QByteArray& bytes);

    // Checksum of the data reply in ReceiveBuffer; message 16 and false on a mismatch or a
    // reply too short to hold one.
    bool CheckReplyChecksum();

    // After a BUSY reply: ScreenCode back to `screenCode`, TimerReTry armed with TimeOutRetry.
    void armRetry(int screenCode);
    // A BUSY reply for `screenCode`: counts it in BusyCount and arms the retry; false (nothing
    // armed) once BusyCount exceeds the retry count of the settings.
    bool retryAfterBusy(int screenCode);

    // The transfer dialog's unload rule: stop TimerMenu; title transfer running: stop
    // TimerReTry and call the client's end-of-transfer hook; else backup waiting (ScreenCode
    // 2): stop TimerReTry and let the client close its file; then ResetLinkState.
    void transferDialogClosed();

    void ResetLinkState();

    // A stop the operation panel could not send while another screen's transaction held the
    // link. The newest one is kept and goes out as soon as the link is free, ahead of any
    // other frame: at the end of the engine event that freed it (reply, time-out, retry,
    // closed transfer dialog, reopened port) or at a reset outside such an event.
    // `waiting` receives its reply (nullptr: the panel is closed; the reply is dropped).
    void holdUntilFree(const CommSendRecord& record, const QString& dataHex, LinkClient* waiting);
    bool hasHeldFrame() const { return m_held.has_value(); }
    // Sends the held frame if the link is idle, the port open and no engine event is running;
    // true when it went out.
    bool flushHeldFrame();
    // `client` is going away: a held frame keeps going out, its reply goes nowhere.
    void forgetClient(LinkClient* client);

private:
    // Unit tests set states the wire cannot make (a reply text that is no hex).
    friend struct LinkStateWriter;

    struct HeldFrame {
        CommSendRecord record;
        QString data;
        LinkClient* waiting = nullptr;
    };
    // Counts the engine events running (they nest when a client's callback ends a wait);
    // the last one to end sends a held frame.
    class EngineEvent;

    void onTimerMenu();
    void onTimerReTry();
    void onPortLost(const QString& why);
    void onPortConnected();
    void portReady();
    void connectFailed(const QString& why);
    void endWaitingTransaction();
    void startReplyTimer();
    void endWithTimeOut(int screenCode, int messageNumber);
    void recyclePort();
    void notifyPort(PortEvent event);
    void replyCompleted();

    int m_portLossMessage = MessageTimeout;

    BytePort& m_port;
    Timer& m_timerMenu;
    Timer& m_timerReTry;
    Settings& m_settings;
    MessageSink& m_messages;
    CommLogStore* m_log;
    LinkState m_state;
    PortLineSettings m_lineSettings;
    QString m_lastOpenError;
    QString m_lastLostReason;
    bool m_connecting = false;         // opened, the connection not made yet
    bool m_announceFailure = false;    // the pending connection came from OpenCommPort
    bool m_replyTimerDeferred = false; // a frame waits for the connection
    std::optional<HeldFrame> m_held;
    Listeners<PortEvent> m_portListeners;
    Listeners<const QString&> m_openFailureListeners;
    int m_eventDepth = 0;
};

} // namespace zel
