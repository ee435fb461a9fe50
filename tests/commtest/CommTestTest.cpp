// The communication test controller on the in-memory link: single sends, replies, the timed
// and reply-driven continuous send, STOP, time-outs and the pacing of camera-0 frames; the
// screen's session and the entry rules of its boxes.
#include "commtest/CommTest.h"
#include "EventLoopWait.h"
#include "MemoryLink.h"
#include "common/HexText.h"
#include "common/MessageNumber.h"
#include "commtest/CommTestSession.h"
#include "commtest/TestEntryRules.h"
#include "commtest/TestRun.h"
#include "shell/LanguageTables.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zel;
using namespace zel::test;

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

    ManualTimer timerCommTest, timerPace;
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
    EXPECT_EQ(port.written, QList<QByteArray>{QByteArray::fromHex("FE0900300220001AFFFF")});
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
    EXPECT_FALSE(test.CommandSend(1) || test.isSendEnabled(0) || test.isSendEnabled(17));
    test.screen().setRowText(3, QString(600, QLatin1Char('A')));
    EXPECT_EQ(test.screen().row(3).text.size(), TestRow::kMaxDigits);
    EXPECT_TRUE(port.written.isEmpty());
}

TEST_F(CommTestTest, FreeFormatSendsTheRowBytesUnframedAndAwaitsTheReply) {
    test.screen().freeFormat = true;
    test.screen().camNo = u"0"_qs;
    test.screen().setRowText(1, u"FE0801"_qs);
    ASSERT_TRUE(test.CommandSend(1));
    EXPECT_EQ(port.written, QList<QByteArray>{QByteArray("\xFE\x08\x01", 3)});
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

TEST_F(CommTestTest, NoSendableRowShowsMessageFive) {
    test.screen().setRowText(1, u"012"_qs);
    for (int row = 2; row <= 16; ++row)
        test.screen().row(row).valid = false;
    EXPECT_FALSE(test.CommandStart());
    EXPECT_EQ(sink.numbers(), QList<int>{MessageNoContinuousData});
    EXPECT_TRUE(!test.isRunning() && port.written.isEmpty());

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
    EXPECT_FALSE(timerCommTest.isActive() || timerPace.isActive());
    reply();
    EXPECT_EQ(std::pair(timerCommTest.interval(), timerCommTest.starts), std::pair(1000, 1));
}

TEST_F(CommTestTest, StopWhileAReplyIsAwaitedDiscardsTheLateReply) {
    fillRows();
    ASSERT_TRUE(test.CommandStart());
    test.CommandStop();
    EXPECT_FALSE(test.isRunning() || timerMenu.isActive());
    EXPECT_EQ(engine.state().ScreenCode, ScreenIdle);
    reply();
    EXPECT_EQ(port.written.size(), 1);
    EXPECT_TRUE(test.screen().row(1).reply.isEmpty() && sink.shown.isEmpty());
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
    EXPECT_FALSE(test.isRunning() || timerCommTest.isActive());
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
        ManualTimer timer, pace;
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

// The screen's rules on the session: enable flags, the checks before START and SEND and their
// order, the refusal to close and the file messages.
class CommTestSessionTest : public ::testing::Test, protected MemoryLink {
protected:
    void SetUp() override {
        ASSERT_TRUE(openTestPort());
        session.onBoxRefused = [this](CommTestBox box) { refused.append(box); };
        session.onScreenChanged = [this] { ++screenShown; };
        session.setRowText(1, u"2000"_qs);
    }

    ManualTimer timerCommTest, timerPace;
    LanguageTables language;
    CommTestSession session{engine, language, sink,
                            CommTestSession::Timers{timerCommTest, timerPace}};
    QList<CommTestBox> refused;
    int screenShown = 0;
};

TEST_F(CommTestSessionTest, ControlsFollowFreeFormatContinuousAndTheRun) {
    struct Case {
        const char* name;
        bool freeFormat, continuous, running;
        bool address, rowKind, continuousBox, interval, start, stop, fileMenu, send;
    };
    const Case cases[] = {
        {"idle", false, false, false, true, true, true, false, false, false, true, true},
        {"continuous", false, true, false, true, true, true, true, true, true, true, true},
        {"free format", true, false, false, false, false, true, false, false, false, true, true},
        {"running", false, true, true, false, true, false, false, false, true, false, false},
        {"running free", true, true, true, false, false, false, false, false, true, false, false},
    };
    for (const Case& c : cases) {
        session.stop();
        session.setFreeFormat(c.freeFormat);
        session.setContinuous(c.continuous);
        if (c.running) {
            ASSERT_TRUE(session.start()) << c.name;
        }
        const CommTestControls k = session.controls();
        EXPECT_EQ((QList<bool>{k.address, k.rowKind, k.continuous, k.interval, k.start, k.stop,
                               k.fileMenu, k.sendAt(1)}),
                  (QList<bool>{c.address, c.rowKind, c.continuousBox, c.interval, c.start, c.stop,
                               c.fileMenu, c.send}))
            << c.name;
    }
    session.stop();
    session.setRowText(2, u"123"_qs); // odd length
    session.setRowValid(3, false);
    const CommTestControls controls = session.controls();
    // Row 4 is empty, which counts as even; 0 and 17 are past the screen.
    EXPECT_EQ((QList<bool>{controls.sendAt(2), controls.sendAt(3), controls.sendAt(4),
                           controls.sendAt(0), controls.sendAt(17)}),
              (QList<bool>{false, false, true, false, false}));
}

TEST_F(CommTestSessionTest, StartChecksRemoteCameraIntervalInThatOrder) {
    session.setContinuous(true);
    session.setRemoteNo(u"0"_qs);
    session.setCameraNo(u"256"_qs);
    session.setInterval(u"601"_qs);
    const QList<QPair<CommTestBox, QString>> steps{{CommTestBox::RemoteNo, u"1 to 99"_qs},
                                                   {CommTestBox::CameraNo, u"0 to 255"_qs},
                                                   {CommTestBox::Interval, u"0 to 600"_qs}};
    for (const auto& [box, range] : steps) {
        sink.clear();
        refused.clear();
        EXPECT_FALSE(session.start());
        EXPECT_EQ(refused, QList<CommTestBox>{box});
        ASSERT_EQ(sink.numbers(), QList<int>{MessageError}); // one message, the first box's
        EXPECT_TRUE(sink.shown[0].extra.startsWith(range)) << sink.shown[0].extra.toStdString();
        EXPECT_TRUE(port.written.isEmpty());
        if (box == CommTestBox::RemoteNo)
            session.setRemoteNo(u"99"_qs);
        else if (box == CommTestBox::CameraNo)
            session.setCameraNo(u"0"_qs);
    }
    session.setInterval(u"0.5"_qs);
    sink.clear();
    ASSERT_TRUE(session.start());
    EXPECT_EQ(session.screen().interval, u"0.500"_qs); // shown with three decimals
    EXPECT_GE(screenShown, 1);
    EXPECT_EQ(port.written.size(), 1);
    EXPECT_TRUE(sink.shown.isEmpty() && session.isRunning());
}

TEST_F(CommTestSessionTest, BoxesOutOfUsePassEveryCheck) {
    // Free format: the address is not sent, so a bad one stops nothing.
    session.setFreeFormat(true);
    session.setRemoteNo(u"0"_qs);
    session.setCameraNo(u"x"_qs);
    EXPECT_TRUE(session.leaveBox(CommTestBox::RemoteNo) && session.send(1));
    EXPECT_EQ(port.written.size(), 1);
    port.receiveHex(u"06"_qs);
    // SEND never looks at the interval, even with continuous send ticked.
    session.setFreeFormat(false);
    session.setRemoteNo(u"1"_qs);
    session.setCameraNo(u"1"_qs);
    session.setContinuous(true);
    session.setInterval(u"700"_qs);
    EXPECT_TRUE(session.send(1) && sink.shown.isEmpty());
    EXPECT_TRUE(refused.isEmpty());
    // Without continuous send the interval box is off and passes when left.
    port.receiveHex(u"06"_qs);
    session.setContinuous(false);
    EXPECT_TRUE(session.leaveBox(CommTestBox::Interval));
    // An address box in use refuses when left.
    session.setCameraNo(u"x"_qs);
    EXPECT_FALSE(session.leaveBox(CommTestBox::CameraNo) || session.send(1));
    EXPECT_EQ(port.written.size(), 2);
    EXPECT_EQ(refused, QList<CommTestBox>{CommTestBox::CameraNo}); // the send's, not the leave's
}

TEST_F(CommTestSessionTest, CloseIsRefusedWhileARunGoesOn) {
    EXPECT_TRUE(session.mayClose());
    session.setContinuous(true);
    ASSERT_TRUE(session.start());
    EXPECT_FALSE(session.mayClose());
    EXPECT_EQ(sink.numbers(), QList<int>{MessageContinuousSending});
    session.stop();
    EXPECT_TRUE(session.mayClose());
    EXPECT_EQ(sink.numbers().size(), 1);
}

TEST_F(CommTestSessionTest, FilesLoadIntoTheScreenAndFailedSavesSayWhy) {
    QTemporaryDir dir;
    const QString trf = dir.filePath(u"rows.trf"_qs);
    ASSERT_TRUE(session.saveSendData(trf));
    session.renew();
    EXPECT_TRUE(session.screen().row(1).text.isEmpty());
    const int shownBefore = screenShown;
    ASSERT_TRUE(session.load(trf));
    EXPECT_EQ(session.screen().row(1).text, u"2000"_qs);
    EXPECT_GT(screenShown, shownBefore);
    EXPECT_TRUE(sink.shown.isEmpty());

    QString error;
    EXPECT_FALSE(session.saveResults(dir.path(), &error)); // a folder
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(sink.numbers(), QList<int>{MessageCannotSave});
    EXPECT_FALSE(session.load(dir.filePath(u"missing.trf"_qs)));
}

// Entry rules of the test screen's boxes.

TEST(EntryRulesTest, IntervalRangeDecimalsAndFormat) {
    for (const char* good : {"0", "600", "0.125", "1.5", "600.000", "2.", "0.1250"})
        EXPECT_TRUE(TestEntryRules::isInterval(QString::fromLatin1(good))) << good;
    for (const char* bad : {"", "600.001", "-1", "0.0005", ".5", "1e2", "abc", "1.2.3", " 1"})
        EXPECT_FALSE(TestEntryRules::isInterval(QString::fromLatin1(bad))) << bad;
    EXPECT_EQ((QStringList{TestEntryRules::formatInterval(u"0.5"_qs),
                           TestEntryRules::formatInterval(u"2."_qs),
                           TestEntryRules::formatInterval(u"25"_qs)}),
              Words("0.500 2.000 25"));
}

TEST_F(CommTestSessionTest, EntryRulesOfTheBoxesShowTheRangeMessage) {
    EXPECT_EQ(TestEntryRules::checkInterval(sink, language, u"1.5"_qs), u"1.500"_qs);
    EXPECT_FALSE(TestEntryRules::checkInterval(sink, language, u"601"_qs));
    ASSERT_EQ(sink.numbers(), QList<int>{MessageError});
    EXPECT_EQ(sink.shown[0].extra, u"0 to 600 Setting data is beyond the setting range"_qs);
    sink.clear();
    EXPECT_TRUE(TestEntryRules::checkCameraNo(sink, language, u"0"_qs));
    EXPECT_FALSE(TestEntryRules::checkCameraNo(sink, language, u"256"_qs));
    EXPECT_FALSE(TestEntryRules::checkRemoteNo(sink, language, u"0"_qs));
    EXPECT_FALSE(TestEntryRules::checkRemoteNo(sink, language, QString()));
    EXPECT_EQ(sink.numbers(), (QList<int>{4, 4, 4}));
}

TEST_F(CommTestSessionTest, PasteTakesUpperHexOnly) {
    EXPECT_TRUE(TestEntryRules::checkPaste(sink, u"0123ABCDEF"_qs) && sink.shown.isEmpty());
    EXPECT_FALSE(TestEntryRules::checkPaste(sink, u"01ab"_qs));
    ASSERT_EQ(sink.numbers(), QList<int>{MessageError});
    EXPECT_EQ(sink.shown[0].extra, u"設定値が不正です。\r\n貼り付けできません。"_qs);
}
