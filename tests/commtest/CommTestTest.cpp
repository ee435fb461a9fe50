// The communication test controller on the in-memory link: single sends, replies, the timed
// and reply-driven continuous send, STOP, time-outs and the pacing of camera-0 frames.
#include "commtest/CommTest.h"
#include "EventLoopWait.h"
#include "MemoryLink.h"
#include "common/HexText.h"
#include "common/MessageNumber.h"
#include "commtest/TestRun.h"

#include <gtest/gtest.h>

using namespace zel;
using namespace zel::test;

namespace {

class CommTestTest : public ::testing::Test, protected MemoryLink {
protected:
    void SetUp() override {
        ASSERT_TRUE(openTestPort());
        port.written.clear();
        test.onSendEnded = [this](int row, CommTest::SendEnd end) { ended.append({row, end}); };
    }
    // Rows 1..16 hold "0<row>" as hex text (row 10 "0A"...), all in use.
    void fillRows() {
        for (int row = 1; row <= 16; ++row)
            test.screen().setRowText(row, ByteToHex(row));
    }
    void reply(const char* hex = "06") { port.receiveHex(QString::fromLatin1(hex)); }
    // Every row filled, camera 0 (no reply awaited), the run started.
    void startCameraZeroRun(const QString& interval = {}) {
        fillRows();
        test.screen().camNo = u"0"_qs;
        if (!interval.isEmpty())
            test.screen().interval = interval;
        ASSERT_TRUE(test.CommandStart());
    }

    ManualTimer timerCommTest;
    ManualTimer timerPace;
    CommTest test{engine, timerCommTest, timerPace, sink};
    using Ends = QList<QPair<int, CommTest::SendEnd>>;
    Ends ended; // row and end of every send
};

TEST_F(CommTestTest, RowSendBuildsTheFrameAndShowsEachReplyKind) {
    test.screen().hostNo = u"2"_qs;
    test.screen().camNo = u"3"_qs;
    test.screen().setRowText(1, u"2000"_qs);
    test.screen().setRowText(2, u"15"_qs);
    test.screen().row(2).read = true;
    test.screen().row(1).reply = u"old"_qs;
    ASSERT_TRUE(test.CommandSend(1));
    EXPECT_TRUE(test.screen().row(1).reply.isEmpty());
    ASSERT_EQ(port.written.size(), 1);
    EXPECT_EQ(BytesToHexText(port.written[0]), u"FE0900300220001AFFFF"_qs);
    EXPECT_EQ(engine.state().ScreenCode, ScreenCommTest);
    EXPECT_FALSE(test.CommandSend(2)); // a reply is awaited: nothing sent
    EXPECT_EQ(port.written.size(), 1);
    EXPECT_EQ(test.currentRow(), 1); // the awaited reply still belongs to row 1

    for (const auto& [hex, shown] : {std::pair{"06", "ACK"},
                                     {"15", "NACK"},
                                     {"00", "BUSY"},
                                     {"FD0A0031021501022DFFFF", "FD0A0031021501022DFFFF"}}) {
        reply(hex);
        EXPECT_EQ(test.screen().row(1).reply, QLatin1String(shown));
        ASSERT_TRUE(test.CommandSend(1));
    }
    reply();
    ASSERT_TRUE(test.CommandSend(2));
    // The read flag reaches the frame: camera units digit | request digit 1.
    EXPECT_EQ(static_cast<quint8>(port.written.last().at(3)), 0x31);
    EXPECT_TRUE(sink.shown.isEmpty());
}

// Which rows may be sent is checked on the session's controls; here, that an odd row is
// not sent, rows past the screen are never read and an overlong text is cut.
TEST_F(CommTestTest, OddRowIsNotSentAndLongTextIsCut) {
    test.screen().setRowText(1, u"01020"_qs);
    EXPECT_EQ(test.screen().row(1).byteCount(), 2);
    EXPECT_FALSE(test.CommandSend(1));
    EXPECT_FALSE(test.isSendEnabled(0) || test.isSendEnabled(17));
    test.screen().setRowText(3, QString(600, QLatin1Char('A')));
    EXPECT_EQ(test.screen().row(3).text.size(), TestRow::kMaxDigits);
    EXPECT_TRUE(port.written.isEmpty());
}

TEST_F(CommTestTest, FreeFormatSendsTheRowBytesUnframedAndAwaitsTheReply) {
    test.screen().freeFormat = true;
    test.screen().camNo = u"0"_qs;
    test.screen().setRowText(1, u"FE0801"_qs);
    ASSERT_TRUE(test.CommandSend(1));
    ASSERT_EQ(port.written.size(), 1);
    EXPECT_EQ(port.written[0], QByteArray("\xFE\x08\x01", 3));
    EXPECT_EQ(engine.state().ScreenCode, ScreenCommTest);
    reply("15");
    EXPECT_EQ(test.screen().row(1).reply, u"NACK"_qs);
}

TEST_F(CommTestTest, CameraZeroAwaitsNoReply) {
    test.screen().camNo = u"0"_qs;
    test.screen().setRowText(1, u"2000"_qs);
    ASSERT_TRUE(test.CommandSend(1));
    EXPECT_EQ(engine.state().ScreenCode, ScreenIdle);
    EXPECT_FALSE(timerMenu.isActive());
    reply("06");
    EXPECT_TRUE(test.screen().row(1).reply.isEmpty());
    EXPECT_TRUE(ended.isEmpty()); // the frame has not had its line time yet
    ASSERT_TRUE(timerPace.fireNow());
    EXPECT_EQ(ended, (Ends{{1, CommTest::SendEnd::NoReplyAwaited}}));
}

// Message 5 when no row can be sent: at START, and at the next send of a run.
TEST_F(CommTestTest, NoSendableRowShowsMessageFive) {
    test.screen().setRowText(1, u"012"_qs);
    for (int row = 2; row <= 16; ++row)
        test.screen().row(row).valid = false;
    EXPECT_FALSE(test.CommandStart());
    EXPECT_EQ(sink.numbers(), QList<int>{MessageNoContinuousData});
    EXPECT_FALSE(test.isRunning());
    EXPECT_TRUE(port.written.isEmpty());

    sink.clear();
    fillRows();
    ASSERT_TRUE(test.CommandStart());
    for (int row = 1; row <= 16; ++row)
        test.screen().row(row).valid = false;
    reply();
    EXPECT_FALSE(test.isRunning());
    EXPECT_EQ(sink.numbers(), QList<int>{MessageNoContinuousData});
    EXPECT_EQ(port.written.size(), 1);
}

// The interval counts from each reply: a fraction first as one short tick, then whole
// seconds, and only then the next row goes out.
TEST_F(CommTestTest, TimedSendTicksTheIntervalFromEachReply) {
    fillRows();
    const std::pair<const char*, QList<int>> rows[] = {
        {"2", {1000, 1000}}, {"0.250", {250}}, {"1.500", {500, 1000}}};
    for (const auto& [interval, expected] : rows) {
        SCOPED_TRACE(interval);
        test.CommandStop();
        port.written.clear();
        test.screen().interval = QString::fromLatin1(interval);
        ASSERT_TRUE(test.CommandStart());
        EXPECT_TRUE(test.isRunning());
        EXPECT_FALSE(test.isSendEnabled(1));    // single sends wait for the run to end
        EXPECT_FALSE(timerCommTest.isActive()); // counted from the reply
        reply();
        QList<int> ticks;
        while (port.written.size() == 1 && timerCommTest.isActive()) {
            ticks.append(timerCommTest.interval());
            timerCommTest.fireNow();
        }
        EXPECT_EQ(ticks, expected);
        EXPECT_EQ(sentData(), Words("01 02"));
        EXPECT_FALSE(timerCommTest.isActive());
        reply();
        EXPECT_EQ(test.screen().row(2).reply, u"ACK"_qs);
        EXPECT_TRUE(timerCommTest.isActive());
    }
}

TEST_F(CommTestTest, ReplyDrivenCyclesOverSendableRowsOnly) {
    test.screen().camNo = u"3"_qs;
    test.screen().setRowText(1, u"01"_qs);
    test.screen().setRowText(2, u"020"_qs); // odd: not sendable
    test.screen().setRowText(16, u"10"_qs);
    for (int row = 3; row <= 15; ++row)
        test.screen().row(row).valid = false;
    ASSERT_TRUE(test.CommandStart());
    for (int i = 0; i < 4; ++i)
        reply(i % 2 ? "15" : "06"); // NACK does not stop the run
    EXPECT_EQ(sentData(), Words("01 10 01 10 01"));
    EXPECT_EQ(test.screen().row(16).reply, u"NACK"_qs);
    EXPECT_TRUE(test.isRunning());
}

// Free format awaits a reply whatever CAMERA No. holds: the interval counts from the reply
// only, never twice.
TEST_F(CommTestTest, FreeFormatWithCameraZeroTimesFromTheReply) {
    fillRows();
    test.screen().freeFormat = true;
    test.screen().camNo = u"0"_qs;
    test.screen().interval = u"1"_qs;
    ASSERT_TRUE(test.CommandStart());
    EXPECT_FALSE(timerCommTest.isActive());
    EXPECT_FALSE(timerPace.isActive());
    reply();
    EXPECT_EQ(timerCommTest.interval(), 1000);
    EXPECT_EQ(timerCommTest.starts, 1);
}

TEST_F(CommTestTest, StopWhileAReplyIsAwaitedDiscardsTheLateReply) {
    fillRows();
    ASSERT_TRUE(test.CommandStart());
    test.CommandStop();
    EXPECT_FALSE(test.isRunning());
    EXPECT_EQ(engine.state().ScreenCode, ScreenIdle);
    EXPECT_FALSE(timerMenu.isActive());
    reply();
    EXPECT_EQ(port.written.size(), 1);
    EXPECT_TRUE(test.screen().row(1).reply.isEmpty());
    EXPECT_TRUE(sink.shown.isEmpty());
    EXPECT_TRUE(test.isSendEnabled(1));
}

TEST_F(CommTestTest, TimeOutOrOversizedReplyEndsTheRun) {
    fillRows();
    test.screen().row(1).reply = u"ACK"_qs;
    int runChanges = 0;
    test.onRunChanged = [&] { ++runChanges; };
    ASSERT_TRUE(test.CommandStart());
    ASSERT_TRUE(timerMenu.fireNow());
    EXPECT_EQ(sink.numbers(), QList<int>{MessageTimeout});
    EXPECT_EQ(std::pair(test.isRunning(), runChanges), std::pair(false, 2));
    EXPECT_EQ(test.screen().row(1).reply, u"ACK"_qs);
    EXPECT_EQ(ended, (Ends{{1, CommTest::SendEnd::TimedOut}}));
    EXPECT_EQ(port.written.size(), 1);

    sink.clear();
    ASSERT_TRUE(test.CommandStart());
    port.receive(QByteArray(600, '\x01')); // an oversized reply ends it too
    EXPECT_EQ(sink.numbers(), QList<int>{MessageDataTooLarge});
    EXPECT_FALSE(test.isRunning());
}

TEST_F(CommTestTest, ClosedPortEndsTheRunAtTheNextSend) {
    fillRows();
    test.screen().interval = u"1"_qs;
    ASSERT_TRUE(test.CommandStart());
    reply();
    port.close();
    timerCommTest.fireNow();
    EXPECT_EQ(sink.numbers(), QList<int>{MessagePortOpenError});
    EXPECT_FALSE(test.isRunning());
    EXPECT_FALSE(timerCommTest.isActive());
}

// Camera 0: the reply-driven run goes on only when the frame has left the port and its line
// time is over, never as fast as the loop turns.
TEST_F(CommTestTest, CameraZeroRunIsPacedByTheLine) {
    startCameraZeroRun();
    EXPECT_EQ(port.written.size(), 1);
    // 9 bytes of 11 bits at 38400 bit/s: 2.6 ms, rounded up.
    EXPECT_EQ(timerPace.interval(), 3);
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(timerPace.fireNow());
    EXPECT_EQ(port.written.size(), 21);
    EXPECT_EQ(sentData().mid(14, 4), Words("0F 10 01 02"));
    test.CommandStop();
    EXPECT_FALSE(timerPace.isActive());
    EXPECT_EQ(port.written.size(), 21);
}

TEST_F(CommTestTest, CameraZeroFrameLeavingLateStillWaitsItsLineTime) {
    port.reportWrites = false;
    startCameraZeroRun();
    port.onBytesWritten(port.written.first().size());
    EXPECT_EQ(port.written.size(), 1);
    ASSERT_TRUE(timerPace.fireNow());
    EXPECT_EQ(port.written.size(), 2);
}

TEST_F(CommTestTest, CameraZeroFrameThatNeverLeavesEndsTheRun) {
    port.reportWrites = false;
    startCameraZeroRun();
    ASSERT_TRUE(timerPace.fireNow()); // line time over, bytes still in the port
    EXPECT_EQ(port.written.size(), 1);
    EXPECT_EQ(timerPace.interval(), LinePacer::kDrainLimitMs);
    ASSERT_TRUE(timerPace.fireNow());
    EXPECT_EQ(sink.numbers(), QList<int>{MessageTimeout});
    EXPECT_FALSE(test.isRunning());
    EXPECT_EQ(port.written.size(), 1);
}

TEST_F(CommTestTest, CameraZeroTimedSendArmsAtTheSend) {
    startCameraZeroRun(u"0.100"_qs);
    EXPECT_EQ(timerCommTest.interval(), 100);
    // The interval ends before the line is free: the send waits for the line.
    timerCommTest.fireNow();
    EXPECT_EQ(port.written.size(), 1);
    timerPace.fireNow();
    EXPECT_EQ(port.written.size(), 2);
    EXPECT_TRUE(timerCommTest.isActive());
}

TEST_F(CommTestTest, ClosingWhileAReplyIsAwaitedFreesTheLink) {
    {
        ManualTimer timer;
        ManualTimer pace;
        CommTest screen(engine, timer, pace, sink);
        screen.screen().setRowText(1, u"01"_qs);
        ASSERT_TRUE(screen.CommandSend(1));
    }
    EXPECT_EQ(engine.state().ScreenCode, ScreenIdle);
    EXPECT_EQ(engine.state().WaitingForm, nullptr);
    reply(); // reaches no closed screen
    EXPECT_FALSE(timerMenu.isActive());
}

// Scripted runs of the loaded rows (what zelctl test run drives).

class TestRunTest : public CommTestTest {
protected:
    void SetUp() override {
        CommTestTest::SetUp();
        test.screen().setRowText(1, u"01"_qs);
        test.screen().setRowText(2, u"020"_qs); // odd: skipped
        test.screen().setRowText(3, u"03"_qs);
        test.screen().row(3).read = true;
        for (int row = 4; row <= 16; ++row)
            test.screen().row(row).valid = false;
        run.onLine = [this](const TestRun::Line& line) {
            lines.append(u"%1 %2 %3 %4"_qs.arg(line.rowNo).arg(line.letter, line.sent, line.reply));
            const TransferProgress progress = run.progress();
            counts.append(u"%1/%2"_qs.arg(progress.done).arg(progress.total));
            EXPECT_EQ(progress.unit, ProgressUnit::Rows);
        };
        run.onFinished = [this](bool allReplied) { result = allReplied ? 1 : 0; };
    }
    // Lets the queued next send of a single run go out.
    void settle() { runEventsFor(0); }

    TestRun run{test, sink};
    QStringList lines;
    QStringList counts; // the run's progress at each line
    int result = -1;
};

TEST_F(TestRunTest, SingleRunGoesOnAfterATimeOut) {
    ASSERT_TRUE(run.start(5));        // rounds are for a continuous run: each row goes once
    ASSERT_TRUE(timerMenu.fireNow()); // row 1 answers nothing
    settle();
    ASSERT_EQ(port.written.size(), 2);
    port.receiveHex(u"06"_qs);
    settle();
    EXPECT_EQ(lines, (QStringList{u"1 W 01 "_qs, u"3 R 03 ACK"_qs}));
    EXPECT_EQ(sink.numbers(), QList<int>{MessageTimeout});
    EXPECT_EQ(result, 0);
    EXPECT_EQ(counts, Words("1/2 2/2"));
}

TEST_F(TestRunTest, ContinuousRunStopsAfterItsRounds) {
    test.screen().continuous = true;
    ASSERT_TRUE(run.start(2));
    for (int i = 0; i < 4; ++i)
        port.receiveHex(u"06"_qs);
    EXPECT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[2], u"1 W 01 ACK"_qs);
    EXPECT_EQ(counts, Words("1/4 2/4 3/4 4/4"));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(port.written.size(), 4);
    EXPECT_FALSE(test.isRunning() || engine.state().ScreenCode != ScreenIdle);
}

TEST_F(TestRunTest, CameraZeroRunCountsFramesThatLeft) {
    test.screen().camNo = u"0"_qs;
    test.screen().continuous = true;
    ASSERT_TRUE(run.start(3));
    while (timerPace.fireNow())
        ;
    EXPECT_EQ(port.written.size(), 6);
    EXPECT_EQ(lines.last(), u"3 R 03 "_qs);
    EXPECT_EQ(result, 1); // no reply was awaited
}

TEST_F(TestRunTest, NothingToSendShowsMessageFive) {
    test.screen().row(1).valid = false;
    test.screen().row(3).valid = false;
    EXPECT_FALSE(run.start(1));
    EXPECT_EQ(sink.numbers(), QList<int>{MessageNoContinuousData});
    EXPECT_TRUE(port.written.isEmpty());
}

} // namespace
