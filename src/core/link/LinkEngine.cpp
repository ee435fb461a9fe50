#include "LinkEngine.h"

#include "CommLogStore.h"
#include "FrameCodec.h"
#include "LinkClient.h"
#include "PortDevice.h"
#include "common/HexText.h"
#include "common/MessageNumber.h"
#include "common/MessageSink.h"
#include "common/Timer.h"
#include "shell/Settings.h"

namespace zel {

namespace {

// Screens that have a time-out procedure and see the time-out message.
bool hasTimeOutProcedure(int screenCode) {
    return screenCode == ScreenTitle || screenCode == ScreenBackup || screenCode == ScreenCommTest;
}

bool hasReplyProcedure(int screenCode) {
    return screenCode == ScreenPanel || hasTimeOutProcedure(screenCode);
}

} // namespace

class LinkEngine::EngineEvent {
public:
    explicit EngineEvent(LinkEngine& engine) : m_engine(engine) { ++m_engine.m_eventDepth; }
    ~EngineEvent() {
        if (--m_engine.m_eventDepth == 0)
            m_engine.flushHeldFrame();
    }
    EngineEvent(const EngineEvent&) = delete;
    EngineEvent& operator=(const EngineEvent&) = delete;

private:
    LinkEngine& m_engine;
};

LinkEngine::LinkEngine(BytePort& port, Timer& timerMenu, Timer& timerReTry, Settings& settings,
                       MessageSink& messages, CommLogStore* log)
    : m_port(port), m_timerMenu(timerMenu), m_timerReTry(timerReTry), m_settings(settings),
      m_messages(messages), m_log(log) {
    m_timerMenu.setCallback([this] { onTimerMenu(); });
    m_timerReTry.setCallback([this] { onTimerReTry(); });
    m_port.onReceived = [this](const QByteArray& bytes) { Select_MsCommEvproc(bytes); };
    m_port.onLost = [this](const QString& why) { onPortLost(why); };
    m_port.onConnected = [this] { onPortConnected(); };
}

LinkEngine::~LinkEngine() {
    m_timerMenu.stop();
    m_timerReTry.stop();
    m_timerMenu.setCallback({});
    m_timerReTry.setCallback({});
    m_port.onReceived = {};
    m_port.onLost = {};
    m_port.onConnected = {};
}

void LinkEngine::SetCommPortSettings() {
    if (m_port.isOpen())
        return;
    m_lineSettings.device = ResolvePortDevice(m_settings);
    m_lineSettings.baudRate = m_settings.baudRate();
    m_lineSettings.evenParity = true;
    m_lineSettings.connectTimeoutMs = m_settings.connectWaitMs();
    m_lineSettings.languageIndex = m_settings.languageIndex();
}

bool LinkEngine::OpenCommPort() {
    if (m_port.isOpen())
        return false;
    if (tryOpenCommPort()) {
        m_announceFailure = m_connecting; // a failed connection is then shown as this open's
        return true;
    }
    m_openFailureListeners.notify(m_lastOpenError);
    m_messages.ShowMessage(MessagePortOpenError);
    return false;
}

bool LinkEngine::tryOpenCommPort() {
    if (m_port.isOpen())
        return false;
    const EngineEvent event(*this); // a stop held while the port was away goes out now
    QString why;
    if (!m_port.open(m_lineSettings, &why)) {
        m_lastOpenError = why.isEmpty() ? m_lineSettings.device : why;
        notifyPort(PortEvent::OpenFailed);
        return false;
    }
    m_announceFailure = false;
    m_connecting = m_port.isConnecting();
    if (!m_connecting)
        portReady();
    return true;
}

void LinkEngine::portReady() {
    m_lastOpenError.clear();
    // Stale bytes from before the open are of no transaction.
    m_port.discardInput();
    notifyPort(PortEvent::Opened);
    if (std::exchange(m_replyTimerDeferred, false) && m_state.ScreenCode != ScreenIdle)
        m_timerMenu.start(m_settings.timeOutWaitMs());
}

// The reply time runs from when the frame leaves: after the connection of a network port.
void LinkEngine::startReplyTimer() {
    if (m_connecting)
        m_replyTimerDeferred = true;
    else
        m_timerMenu.start(m_settings.timeOutWaitMs());
}

void LinkEngine::onPortConnected() {
    if (!m_connecting)
        return;
    m_connecting = false;
    portReady();
}

// The connection of a network port failed: an open that failed, told late.
void LinkEngine::connectFailed(const QString& why) {
    m_connecting = false;
    m_replyTimerDeferred = false;
    m_lastOpenError = why;
    notifyPort(PortEvent::OpenFailed);
    if (std::exchange(m_announceFailure, false)) {
        m_openFailureListeners.notify(why);
        m_messages.ShowMessage(MessagePortOpenError);
    }
    endWaitingTransaction();
}

void LinkEngine::CloseCommPort() {
    m_connecting = false;
    m_replyTimerDeferred = false;
    if (m_port.isOpen())
        m_port.close();
    notifyPort(PortEvent::Closed);
}

void LinkEngine::notifyPort(PortEvent event) {
    m_portListeners.notify(event);
}

bool LinkEngine::isPortOpen() const {
    return m_port.isOpen();
}

int LinkEngine::SendCommandFrame(const CommSendRecord& record, const QString& dataHex) {
    if (!m_port.isOpen()) {
        m_messages.ShowMessage(MessagePortOpenError);
        return kSendPortClosed;
    }
    QString frameText;
    if (IsRawRecord(record)) {
        frameText = dataHex.toUpper();
    } else {
        const auto built = BuildCommandFrame(record, dataHex);
        if (!built)
            return kSendBadFrame;
        frameText = *built;
    }
    const auto bytes = HexTextToBytes(frameText);
    if (!bytes)
        return kSendBadFrame;

    m_port.discardInput();
    if (m_log)
        m_log->Add_MsFlexGrid_Host(record.RemoteNo, frameText);
    m_state.LastSentFrame = frameText;
    m_state.ReceiveBuffer.clear();
    m_state.ScreenCode = static_cast<int>(LeadingNumber(record.ScreenCode));
    m_timerMenu.stop();
    m_port.write(*bytes);
    if (LeadingNumber(record.CameraNo) != 0)
        startReplyTimer();
    else
        m_state.ScreenCode = ScreenIdle; // camera 0 answers nothing
    return kSendOk;
}

void LinkEngine::Select_MsCommEvproc(const QByteArray& bytes) {
    const EngineEvent event(*this);
    m_timerMenu.stop();
    if (m_state.ScreenCode == ScreenIdle)
        return;
    m_state.ReceiveBuffer += BytesToHexText(bytes);
    if (m_state.ReceiveBuffer.size() > kReceiveLimit) {
        const int screenCode = m_state.ScreenCode;
        m_state.ScreenCode = ScreenIdle;
        m_messages.ShowMessage(MessageDataTooLarge); // shown for every screen, the panel too
        endWithTimeOut(screenCode, 0);
        return;
    }
    if (!IsReplyComplete(m_state.ReceiveBuffer)) {
        // The timer now limits the gap before the next fragment.
        m_timerMenu.start(m_settings.CurrentWriteWait);
        return;
    }
    replyCompleted();
}

void LinkEngine::replyCompleted() {
    if (m_log)
        m_log->Add_MsFlexGrid_Cam(CameraDigitsOfFrame(m_state.LastSentFrame),
                                  m_state.ReceiveBuffer);
    const int screenCode = m_state.ScreenCode;
    m_state.ScreenCode = ScreenIdle;
    if (hasReplyProcedure(screenCode) && m_state.WaitingForm)
        m_state.WaitingForm->replyComplete();
}

bool LinkEngine::CheckReplyChecksum() {
    if (ReplyChecksumOk(m_state.ReceiveBuffer))
        return true;
    m_messages.ShowMessage(MessageReceiveError);
    return false;
}

void LinkEngine::armRetry(int screenCode) {
    m_state.ScreenCode = screenCode;
    m_timerReTry.start(m_settings.timeOutRetryMs());
}

bool LinkEngine::retryAfterBusy(int screenCode) {
    m_state.BusyCount += 1;
    if (m_state.BusyCount > m_settings.retryCount())
        return false;
    armRetry(screenCode);
    return true;
}

void LinkEngine::transferDialogClosed() {
    const EngineEvent event(*this);
    m_timerMenu.stop();
    LinkClient* client = m_state.WaitingForm;
    if (m_state.TitleTransferFlag != 0 || m_state.ScreenCode == ScreenBackup) {
        m_timerReTry.stop();
        if (client)
            client->transferDialogClosed();
    }
    ResetLinkState();
}

void LinkEngine::claim(LinkClient* client, int expectedReplyKind) {
    m_state.WaitingForm = client;
    m_state.ExpectedReplyKind = expectedReplyKind;
}

void LinkEngine::endWait(const LinkClient* client) {
    if (!isClaimedBy(client) || isIdle())
        return;
    m_timerMenu.stop();
    ResetLinkState();
}

void LinkEngine::release(const LinkClient* client) {
    if (!isClaimedBy(client))
        return;
    m_timerMenu.stop();
    m_timerReTry.stop();
    ResetLinkState();
}

void LinkEngine::startTitleTransfer(int titleFlag, int firstBlock, int endNo) {
    m_state.TitleTransferFlag = titleFlag;
    m_state.BlockNo = firstBlock;
    m_state.TitleEndNo = endNo;
    m_state.BusyCount = 0;
}

void LinkEngine::ResetLinkState() {
    m_state = LinkState{};
    if (m_eventDepth == 0)
        flushHeldFrame();
}

void LinkEngine::holdUntilFree(const CommSendRecord& record, const QString& dataHex,
                               LinkClient* waiting) {
    m_held = HeldFrame{record, dataHex, waiting};
    flushHeldFrame();
}

bool LinkEngine::flushHeldFrame() {
    if (!m_held || m_eventDepth != 0 || m_state.ScreenCode != ScreenIdle || !m_port.isOpen())
        return false;
    const HeldFrame held = *m_held;
    m_held.reset();
    claim(held.waiting);
    return SendCommandFrame(held.record, held.data) == kSendOk;
}

void LinkEngine::forgetClient(LinkClient* client) {
    if (m_held && m_held->waiting == client)
        m_held->waiting = nullptr;
    if (m_state.WaitingForm == client)
        m_state.WaitingForm = nullptr;
}

void LinkEngine::onTimerMenu() {
    const EngineEvent event(*this);
    const int screenCode = m_state.ScreenCode;
    m_state.ScreenCode = ScreenIdle;
    m_timerMenu.stop();
    recyclePort();
    endWithTimeOut(screenCode, MessageTimeout);
}

void LinkEngine::recyclePort() {
    CloseCommPort();
    SetCommPortSettings();
    OpenCommPort();
}

void LinkEngine::onTimerReTry() {
    const EngineEvent event(*this);
    m_timerReTry.stop();
    m_state.BlockNo -= 1;
    const bool retries = m_state.ScreenCode == ScreenTitle || m_state.ScreenCode == ScreenBackup;
    if (retries && m_state.WaitingForm)
        m_state.WaitingForm->retryTick();
    m_state.BlockNo += 1;
}

void LinkEngine::onPortLost(const QString& why) {
    const EngineEvent event(*this);
    if (m_connecting) {
        connectFailed(why);
        return;
    }
    m_lastLostReason = why;
    notifyPort(PortEvent::Lost);
    endWaitingTransaction();
}

void LinkEngine::endWaitingTransaction() {
    if (m_state.ScreenCode == ScreenIdle)
        return; // nothing waited; the next send reports the closed port
    // The wait ends as a reply time-out does; the port stays down until it is back.
    const int screenCode = m_state.ScreenCode;
    m_state.ScreenCode = ScreenIdle;
    m_timerMenu.stop();
    endWithTimeOut(screenCode, m_portLossMessage);
}

// Message (0: none) and time-out procedure of the screens that have one, then reset.
void LinkEngine::endWithTimeOut(int screenCode, int messageNumber) {
    if (hasTimeOutProcedure(screenCode)) {
        if (messageNumber != 0)
            m_messages.ShowMessage(messageNumber);
        if (m_state.WaitingForm)
            m_state.WaitingForm->replyTimedOut();
    }
    LinkClient* const abandoned = screenCode == ScreenPanel ? m_state.WaitingForm : nullptr;
    ResetLinkState();
    if (abandoned)
        abandoned->replyAbandoned(); // the panel's next frame may go out
}

} // namespace zel
