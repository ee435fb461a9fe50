#include "CommTest.h"

#include "common/MessageNumber.h"
#include "common/MessageSink.h"
#include "common/Timer.h"
#include "link/FrameCodec.h"
#include "link/LinkEngine.h"
#include "shell/Settings.h"

namespace zel {

QString CommTest::replyBoxText(const QString& reply) {
    if (reply == kReplyAck)
        return QStringLiteral("ACK");
    if (reply == kReplyNack)
        return QStringLiteral("NACK");
    if (reply == kReplyBusy)
        return QStringLiteral("BUSY");
    return reply.toUpper();
}

CommTest::CommTest(LinkEngine& engine, Timer& timerCommTest, Timer& pacingTimer,
                   MessageSink& messages)
    : m_engine(engine), m_timerCommTest(timerCommTest), m_messages(messages),
      m_pacer(engine.port(), pacingTimer) {
    m_timerCommTest.setCallback([this] { onTimerCommTest(); });
    m_pacer.onFree = [this] { onLineFree(); };
    m_pacer.onStuck = [this] { onLineStuck(); };
}

CommTest::~CommTest() {
    m_timerCommTest.stop();
    m_timerCommTest.setCallback({});
    m_engine.endWait(this); // the reply would reach a closed screen
    m_engine.forgetClient(this);
}

void CommTest::Reset_TestScreen() {
    m_screen.Reset_TestScreen();
}

CommSendRecord CommTest::sendRecord(int rowNo) const {
    const QString screenCode = QString::number(ScreenCommTest);
    if (m_screen.freeFormat)
        return {QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1"),
                screenCode};
    return {m_screen.camNo, m_screen.hostNo,
            m_screen.row(rowNo).read ? QStringLiteral("True") : QStringLiteral("False"),
            QStringLiteral("0"), screenCode};
}

bool CommTest::Send_TestRow(const QString& text, int rowNo, int kind) {
    const LinkState& state = m_engine.state();
    // A reply is still awaited: nothing is sent, and that reply still goes to its own row.
    if (!m_engine.isIdle())
        return false;
    m_currentRow = rowNo;
    m_engine.claim(this, kind);
    m_pacer.beginFrame();
    if (m_engine.SendCommandFrame(sendRecord(rowNo), text) != LinkEngine::kSendOk) {
        m_pacer.cancel();
        return false;
    }
    if (state.ScreenCode != ScreenCommTest) { // camera 0: no reply comes
        m_lineKind = kind;
        m_pacer.frameSent(state.LastSentFrame.size() / 2, m_engine.settings().baudRate());
    }
    return true;
}

bool CommTest::CommandSend(int rowNo) {
    if (!isSendEnabled(rowNo))
        return false;
    const bool sent = Send_TestRow(m_screen.row(rowNo).text, rowNo, SendSingle);
    m_screen.row(rowNo).reply.clear();
    if (onReplyShown)
        onReplyShown(rowNo);
    return sent;
}

bool CommTest::isSendEnabled(int rowNo) const {
    return !m_running && TestScreen::isRowNo(rowNo) && m_screen.row(rowNo).sendable();
}

int CommTest::findSendableFrom(int rowNo) const {
    for (int i = 0; i < TestScreen::kRowCount; ++i) {
        const int candidate = ((rowNo - 1 + i) % TestScreen::kRowCount + TestScreen::kRowCount) %
                                  TestScreen::kRowCount +
                              1;
        if (m_screen.row(candidate).sendable())
            return candidate;
    }
    return 0;
}

bool CommTest::CommandStart() {
    if (m_running)
        return false;
    const int first = findSendableFrom(1);
    if (first == 0) {
        m_messages.ShowMessage(MessageNoContinuousData);
        return false;
    }
    m_nextRow = m_currentRow = first;
    const bool timed = m_screen.interval.toDouble() != 0;
    if (!Send_TestRow(m_screen.row(first).text, first, timed ? SendTimed : SendReplyDriven))
        return false;
    if (timed)
        m_interval.setInterval(m_screen.interval);
    else
        m_nextRow += 1;
    Set_TestControls(false);
    // A timed interval counts from the reply; without one, from the send.
    if (timed && m_engine.state().ScreenCode != ScreenCommTest)
        Arm_IntervalTimer();
    return true;
}

void CommTest::CommandStop() {
    // A late reply is then discarded; a panel stop held meanwhile goes out now.
    if (m_engine.state().ScreenCode == ScreenCommTest)
        m_engine.endWait(this);
    m_timerCommTest.stop();
    m_interval.clear();
    m_pacer.cancel();
    m_sendWhenLineFree = false;
    Set_TestControls(true);
}

void CommTest::Set_TestControls(bool idle) {
    m_running = !idle;
    if (onRunChanged)
        onRunChanged();
}

bool CommTest::Arm_IntervalTimer() {
    m_timerCommTest.stop();
    const auto tick = m_interval.nextTick();
    if (!tick)
        return true;
    m_timerCommTest.start(*tick);
    return false;
}

void CommTest::onTimerCommTest() {
    if (!Arm_IntervalTimer() || !m_running)
        return;
    m_nextRow += 1;
    if (m_pacer.isBusy()) {
        m_sendWhenLineFree = true; // the previous frame is still on the line
        return;
    }
    sendNextTimed();
}

// A send of a run that fails (port closed, link taken) ends the run rather than leaving it
// waiting for a reply that cannot come.
bool CommTest::sendRowOfRun(int rowNo, int kind) {
    if (rowNo == 0) {
        CommandStop();
        m_messages.ShowMessage(MessageNoContinuousData); // every row was taken out of use
        return false;
    }
    if (Send_TestRow(m_screen.row(rowNo).text, rowNo, kind))
        return true;
    CommandStop();
    return false;
}

void CommTest::sendNextTimed() {
    const int rowNo = findSendableFrom(m_nextRow);
    if (!sendRowOfRun(rowNo, SendTimed))
        return;
    m_nextRow = rowNo;
    if (m_engine.state().ScreenCode != ScreenCommTest)
        Arm_IntervalTimer();
}

void CommTest::continueReplyDriven() {
    if (!m_running)
        return;
    const int rowNo = findSendableFrom(m_nextRow);
    if (sendRowOfRun(rowNo, SendReplyDriven))
        m_nextRow = rowNo + 1;
}

void CommTest::Get_CommTest() {
    const int kind = m_engine.state().ExpectedReplyKind;
    m_screen.row(m_currentRow).reply = replyBoxText(m_engine.state().ReceiveBuffer);
    if (onReplyShown)
        onReplyShown(m_currentRow);
    endSend(m_currentRow, SendEnd::Replied);
    if (kind == SendTimed && m_running)
        Arm_IntervalTimer();
    else if (kind == SendReplyDriven)
        continueReplyDriven();
}

void CommTest::Get_TimeOutTest() {
    CommandStop();
    endSend(m_currentRow, SendEnd::TimedOut);
}

void CommTest::onLineFree() {
    endSend(m_currentRow, SendEnd::NoReplyAwaited);
    if (m_sendWhenLineFree) {
        m_sendWhenLineFree = false;
        if (m_running)
            sendNextTimed();
    } else if (m_lineKind == SendReplyDriven) {
        continueReplyDriven();
    }
}

void CommTest::onLineStuck() {
    m_messages.ShowMessage(MessageTimeout); // the frame never left the port
    Get_TimeOutTest();
}

void CommTest::endSend(int rowNo, SendEnd end) {
    if (onSendEnded)
        onSendEnded(rowNo, end);
}

} // namespace zel
