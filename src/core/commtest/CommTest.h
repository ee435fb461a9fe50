#pragma once
// The communication test over the shared link (screen code 5): one row sent on its own, or
// the rows sent one after another without end until STOP, either a fixed interval after each
// reply (timed, TimerCommTest) or at once after each reply (reply-driven).
//
// A row goes out as the data of a command frame to REMOTE No. / CAMERA No. with the row's
// write or read flag, or, in free format, as the raw bytes of the row (a reply is then always
// awaited). With CAMERA No. 0 no reply comes: the next frame of a run goes only once the
// previous one has left the port and the line has had the time to carry it.
#include "IntervalCountdown.h"
#include "LinePacer.h"
#include "TestScreen.h"
#include "link/CommSendRecord.h"
#include "link/LinkClient.h"

#include <QString>
#include <functional>

namespace zel {

class LinkEngine;
class MessageSink;
class Timer;

class CommTest : public LinkClient {
public:
    // Send kinds, held in ExpectedReplyKind while a reply is awaited.
    enum SendKind : int { SendSingle = 0, SendTimed = 1, SendReplyDriven = 2 };
    // How a send ended.
    enum class SendEnd { Replied, NoReplyAwaited, TimedOut };

    CommTest(LinkEngine& engine, Timer& timerCommTest, Timer& pacingTimer, MessageSink& messages);
    ~CommTest() override;
    CommTest(const CommTest&) = delete;
    CommTest& operator=(const CommTest&) = delete;

    TestScreen& screen() { return m_screen; }
    const TestScreen& screen() const { return m_screen; }

    void Reset_TestScreen();
    bool Send_TestRow(const QString& text, int rowNo, int kind);
    // The row's SEND key: sends the row once, then empties its reply box.
    bool CommandSend(int rowNo);
    // SEND enabled: the row is sendable and no continuous send runs (a single send would take
    // over the reply the run waits for).
    bool isSendEnabled(int rowNo) const;

    bool CommandStart();
    void CommandStop();
    bool isRunning() const { return m_running; }
    bool Arm_IntervalTimer();

    void Get_CommTest();
    void Get_TimeOutTest();

    // What a row's reply box shows for a complete reply: ACK, NACK, BUSY or the reply hex.
    static QString replyBoxText(const QString& reply);

    int currentRow() const { return m_currentRow; }
    int nextRow() const { return m_nextRow; }
    const IntervalCountdown& interval() const { return m_interval; }

    // The reply box of a row changed.
    std::function<void(int rowNo)> onReplyShown;
    // A send is over: its reply arrived, it awaited none (the frame has left the port), or the
    // reply timed out. Called before the run goes on.
    std::function<void(int rowNo, SendEnd end)> onSendEnded;
    // A continuous send started or stopped (the window re-applies its controls).
    std::function<void()> onRunChanged;

    void replyComplete() override { Get_CommTest(); }
    void replyTimedOut() override { Get_TimeOutTest(); }

private:
    CommSendRecord sendRecord(int rowNo) const;
    bool sendRowOfRun(int rowNo, int kind);
    int findSendableFrom(int rowNo) const;
    void Set_TestControls(bool idle);
    void onTimerCommTest();
    void sendNextTimed();
    void continueReplyDriven();
    void onLineFree();
    void onLineStuck();
    void endSend(int rowNo, SendEnd end);

    LinkEngine& m_engine;
    Timer& m_timerCommTest;
    MessageSink& m_messages;
    LinePacer m_pacer;
    TestScreen m_screen;
    IntervalCountdown m_interval;
    int m_currentRow = 1;
    int m_nextRow = 1;
    bool m_running = false;
    int m_lineKind = SendSingle;     // kind of the camera-0 frame the pacer waits for
    bool m_sendWhenLineFree = false; // a timed send waits for the line
};

} // namespace zel
