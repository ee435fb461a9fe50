// The flash write state machine against the simulated CPU, over an in-memory port with a
// manual clock: what the CPU receives, the replies and faults, the time-out, the close rule.
#include "cpuwriter/FlashWriter.h"
#include "BootCpuSim.h"
#include "MemoryLink.h"
#include "RecordingSink.h"
#include "SRecordMaker.h"
#include "TestFiles.h"
#include "Words.h"
#include "common/MessageNumber.h"
#include "cpuwriter/BootFrame.h"
#include "cpuwriter/BootFrameParser.h"
#include "cpuwriter/FlashWriteClock.h"
#include "link/LinkEngine.h"
#include "shell/Settings.h"

#include <QList>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zel;
using namespace zel::test;
using sim::BootCpuSim;

static QByteArray applicationData() {
    QByteArray data(0x40000, '\0');
    for (int i = 0; i < data.size(); ++i)
        data[i] = char((i * 7 + i / 128) & 0xFF); // plenty of 0x10 bytes
    return data;
}

class FlashWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings.setFolder(dir.path());
        settings.PortOverride = u"/dev/ttyCPU"_qs;
        ASSERT_TRUE(sim::WriteStandInBootFiles(dir.path(), nullptr));
        appPath = dir.filePath(u"app.mot"_qs);
        ASSERT_TRUE(writeBytes(appPath, sim::MakeSRecords(0, app)));
        writer.onFinished = [this](bool completed) { finished.append(completed); };
    }

    // Hands what the writer sent to the CPU and the CPU's answers back, one batch per
    // answer, running the waits as they come, until nothing moves or `steps` ran out.
    void pump(int steps = 1000000) {
        for (int step = 0; step < steps; ++step) {
            if (sent < port.written.size()) {
                const QByteArray bytes = port.written[sent++];
                if (!cpuDeaf)
                    for (const sim::SimOutput& out : cpu.receive(bytes))
                        pendingAnswers.append(out.bytes);
                continue;
            }
            if (!pendingAnswers.isEmpty()) {
                port.receive(pendingAnswers.takeFirst());
                continue;
            }
            if (!pause.fireNow())
                return;
        }
    }
    QByteArray allSent() const { return port.written.join(); }
    bool start() { return writer.startWrite(u"MASTER"_qs, appPath); }
    // No write going on and the screen's controls back.
    bool idle() const {
        return writer.WriteState() == FlashWriter::StateIdle && writer.controlsEnabled();
    }

    QTemporaryDir dir;
    QString appPath;
    QByteArray app = applicationData();
    Settings settings;
    MemoryBytePort port;
    ManualTimer timerCpuWrite;
    ManualTimer pause;
    RecordingSink sink;
    FlashWriter writer{port, timerCpuWrite, pause, settings, sink};
    BootCpuSim cpu;
    bool cpuDeaf = false;
    qsizetype sent = 0;
    QList<QByteArray> pendingAnswers;
    QList<bool> finished;
};

TEST_F(FlashWriterTest, CooperativeCpuReceivesExactlyTheDocumentedBytes) {
    ASSERT_TRUE(start());
    EXPECT_EQ(std::pair(port.opens.last().baudRate, port.opens.last().evenParity),
              std::pair(19200, false));
    EXPECT_FALSE(writer.controlsEnabled());
    pump();
    EXPECT_EQ(finished, QList<bool>{true});
    EXPECT_TRUE(sink.shown.isEmpty());
    EXPECT_TRUE(idle());
    EXPECT_EQ(std::pair(writer.ProgressValue(), writer.ProgressMax()), std::pair(2063, 2064));

    QByteArray expected = QByteArray::fromHex("0055") + writer.images().bootImage();
    for (int block = 0; block < BootFrame::BlockCount; ++block)
        expected += EncodeBootFrame(BlockFrameContent(block, app));
    EXPECT_EQ(cpu.receivedLog(), expected);
    EXPECT_EQ(allSent(), expected);
    EXPECT_EQ(writer.images().bootImage().left(4),
              QByteArray::fromHex("0800") + sim::MakeStandInBootProgram(true).left(2));
    EXPECT_EQ(cpu.flash(), app);
    EXPECT_EQ(pause.interval(), FlashWriter::kReplyPauseMs);
}

TEST_F(FlashWriterTest, ProgressAndWaitsFollowThePhases) {
    ASSERT_TRUE(start());
    EXPECT_EQ(pause.interval(), FlashWriter::kBitRatePauseMs);
    // Boot bytes count in steps of 128, halves rounded to even; then, once the CPU's boot
    // program runs, the 2-s wait before block 0.
    QMap<int, int> progressAt;
    while (writer.WriteState() != FlashWriter::StateBootStart) {
        pump(1);
        progressAt[writer.BootIndex()] = writer.ProgressValue();
    }
    EXPECT_EQ((QList<int>{progressAt[63], progressAt[64], progressAt[65], progressAt[192],
                          progressAt[320]}),
              (QList<int>{0, 0, 1, 2, 2}));
    pump(1); // the CPU's 0xAA: its boot program runs
    EXPECT_EQ(writer.ProgressValue(), 16);
    EXPECT_TRUE(pause.isActive());
    EXPECT_EQ(pause.interval(), FlashWriter::kBootStartPauseMs);
    EXPECT_FALSE(allSent().contains(QByteArray::fromHex("10020184")));
    ASSERT_TRUE(pause.fireNow());
    EXPECT_EQ((QList<int>{writer.WriteState(), writer.ReceiveMode()}),
              (QList<int>{FlashWriter::StateBlocks, FlashWriter::ModeFrames}));
    EXPECT_TRUE(allSent().endsWith(EncodeBootFrame(BlockFrameContent(0, app))));
    pump(4); // block 0 reaches the CPU, its reply comes back and is read after 6 ms
    EXPECT_EQ(std::pair(writer.ProgressValue(), writer.BlockNo()), std::pair(16, 1));
}

TEST_F(FlashWriterTest, AcknowledgementOfAnotherBlockOnlyMovesTheBarAndALateReplyIsIgnored) {
    ASSERT_TRUE(start());
    cpu.faults().silentAfterBlock = 5;
    pump();
    EXPECT_EQ(writer.BlockNo(), 6);
    port.receive(EncodeBootFrame(ReplyFrameContent(5)) + EncodeBootFrame(ReplyFrameContent(3)));
    const QByteArray before = allSent();
    ASSERT_TRUE(pause.fireNow());
    EXPECT_EQ(writer.ProgressValue(), 3 + 16);
    EXPECT_EQ(allSent(), before); // nothing more sent
    EXPECT_EQ(writer.WriteState(), FlashWriter::StateBlocks);
    ASSERT_TRUE(timerCpuWrite.fireNow()); // time-out: message 35, abort
    EXPECT_EQ(sink.numbers(), QList<int>{MessageCpuCommunicationError});
    EXPECT_EQ((QList<int>{writer.WriteState(), writer.ProgressValue()}),
              (QList<int>{FlashWriter::StateIdle, 0}));
    EXPECT_EQ(finished, QList<bool>{false});
    // A reply coming after the abort sends nothing.
    port.receive(EncodeBootFrame(ReplyFrameContent(6)));
    pause.fireNow();
    EXPECT_EQ(allSent(), before);
    EXPECT_TRUE(idle());
}

TEST_F(FlashWriterTest, BusyRepliesDoNotRestartTheTimeOut) {
    ASSERT_TRUE(start());
    cpu.faults().silentAfterBlock = 9;
    pump();
    const int starts = timerCpuWrite.starts;
    for (int i = 0; i < 3; ++i) {
        port.receive(EncodeBootFrame(ReplyFrameContent(BootFrame::CodeBusy)));
        ASSERT_TRUE(pause.fireNow());
    }
    EXPECT_EQ(timerCpuWrite.starts, starts);
    EXPECT_TRUE(timerCpuWrite.isActive());
    EXPECT_TRUE(sink.shown.isEmpty());
    // The acknowledgement after the busy replies carries on.
    port.receive(EncodeBootFrame(ReplyFrameContent(BootFrame::CodeBusy)) +
                 EncodeBootFrame(ReplyFrameContent(10)));
    ASSERT_TRUE(pause.fireNow());
    EXPECT_EQ(writer.BlockNo(), 11);
}

TEST_F(FlashWriterTest, ReplyFaultsEndTheWriteWithTheirMessage) {
    struct Case {
        const char* name;
        std::function<void(sim::BootCpuFaults&)> fault;
        int message;
    };
    const QList<Case> cases{
        {"checksum off by one", [](auto& f) { f.badChecksumBlock = 7; }, MessageReceiveError},
        {"flash write error", [](auto& f) { f.writeErrorBlock = 3; }, MessageFlashWriteError},
        {"erase error", [](auto& f) { f.eraseError = true; }, MessageFlashEraseError},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cpu = BootCpuSim();
        c.fault(cpu.faults());
        sink.clear();
        finished.clear();
        ASSERT_TRUE(start());
        pump();
        EXPECT_EQ(sink.numbers(), QList<int>{c.message});
        EXPECT_TRUE(idle());
        EXPECT_EQ(finished, QList<bool>{false});
        sent = port.written.size();
    }
}

TEST_F(FlashWriterTest, BytesBeforeTheFirstDleAreIgnoredAndSplitRepliesJoin) {
    ASSERT_TRUE(start());
    cpu.faults().silentAfterBlock = 1;
    pump();
    ASSERT_EQ(writer.BlockNo(), 2);
    const QByteArray reply = EncodeBootFrame(ReplyFrameContent(2));
    port.receive(QByteArray::fromHex("00AA55") + reply.left(3));
    port.receive(reply.mid(3)); // within the 6-ms wait: read together
    ASSERT_TRUE(pause.fireNow());
    EXPECT_EQ(writer.BlockNo(), 3);
    // A reply split across two waits joins as well.
    port.receive(EncodeBootFrame(ReplyFrameContent(3)).left(5));
    ASSERT_TRUE(pause.fireNow());
    port.receive(EncodeBootFrame(ReplyFrameContent(3)).mid(5));
    ASSERT_TRUE(pause.fireNow());
    EXPECT_EQ(writer.BlockNo(), 4);
    EXPECT_TRUE(sink.shown.isEmpty());
}

TEST_F(FlashWriterTest, NoCpuGivesUpAfter5120Attempts) {
    cpuDeaf = true;
    ASSERT_TRUE(start());
    pump();
    EXPECT_EQ(writer.bitRateAttempts(), FlashWriter::kBitRateAttempts);
    EXPECT_EQ(allSent(), QByteArray(FlashWriter::kBitRateAttempts, '\0'));
    EXPECT_EQ(sink.numbers(), QList<int>{MessageCpuNotConnected});
    EXPECT_TRUE(idle());
    // The 10-s timer in state 1 ends nothing by itself.
    EXPECT_FALSE(timerCpuWrite.isActive());
}

// Boot bytes arrive in batches of which only the first byte counts; the wait for the erase
// result is timed, the bit-rate state's is not.
TEST_F(FlashWriterTest, OnlyTheFirstByteOfABatchCountsAndTheEraseIsTimed) {
    cpuDeaf = true;
    ASSERT_TRUE(start());
    pump(50);
    ASSERT_TRUE(timerCpuWrite.fireNow()); // the time-out in the bit-rate state is harmless
    EXPECT_TRUE(sink.shown.isEmpty());
    port.receive(QByteArray::fromHex("AA00"));
    EXPECT_EQ(writer.WriteState(), FlashWriter::StateBitRate);
    port.receive(QByteArray::fromHex("00AA"));
    EXPECT_EQ(writer.WriteState(), FlashWriter::StateErase);
    ASSERT_TRUE(pause.fireNow());
    EXPECT_EQ(port.written.last(), QByteArray::fromHex("55"));
    EXPECT_EQ(port.discards, port.written.size()); // unread input dropped before each byte
    ASSERT_TRUE(timerCpuWrite.fireNow());
    EXPECT_EQ(sink.numbers(), QList<int>{MessageCpuCommunicationError});
    EXPECT_TRUE(idle());
}

TEST_F(FlashWriterTest, UnknownReplyCodeEndsTheWriteInOrder) {
    ASSERT_TRUE(start());
    cpu.faults().silentAfterBlock = 0;
    pump();
    port.receive(EncodeBootFrame(ReplyFrameContent(BootFrame::BlockCount))); // past the last
    ASSERT_TRUE(pause.fireNow());
    EXPECT_EQ(sink.numbers(), QList<int>{MessageReceiveError});
    EXPECT_LE(writer.ProgressValue(), writer.ProgressMax());
    EXPECT_TRUE(idle());
}

TEST_F(FlashWriterTest, StartFailuresLeaveTheScreenIdle) {
    EXPECT_FALSE(writer.startWrite(u"MASTER"_qs, QString()));
    EXPECT_FALSE(writer.startWrite(u"MASTER"_qs, dir.filePath(u"x.mot"_qs)));
    port.failOpen = true;
    EXPECT_FALSE(start());
    EXPECT_EQ(sink.numbers(), (QList<int>{MessageSelectApplicationFile, MessageNoApplicationProgram,
                                          MessagePortOpenError}));
    EXPECT_TRUE(idle());
    EXPECT_TRUE(port.written.isEmpty());
    EXPECT_TRUE(finished.isEmpty());
}

TEST_F(FlashWriterTest, LostPortEndsTheWriteAtOnce) {
    ASSERT_TRUE(start());
    pump(200);
    port.loseDevice(u"unplugged"_qs);
    EXPECT_EQ(sink.numbers(), QList<int>{MessagePortOpenError});
    EXPECT_TRUE(idle());
    EXPECT_EQ(writer.lastPortLoss(), u"unplugged"_qs); // zelctl names the reason
}

TEST_F(FlashWriterTest, SharedLinkIsClosedForTheWriteAndReopenedOnClose) {
    MemoryLink shared;
    ASSERT_TRUE(shared.openTestPort());
    MemoryBytePort& sharedPort = shared.port;
    writer.setSharedLink(&shared.engine);

    ASSERT_TRUE(start());
    EXPECT_FALSE(sharedPort.isOpen());
    pump(500);
    EXPECT_FALSE(start()); // no second write on top of the running one
    EXPECT_FALSE(writer.requestClose());
    EXPECT_EQ(sink.numbers(), QList<int>{MessageInProgramming});
    EXPECT_TRUE(port.isOpen());
    pump();
    ASSERT_EQ(finished, QList<bool>{true});
    EXPECT_TRUE(writer.requestClose());
    EXPECT_FALSE(port.isOpen());
    EXPECT_TRUE(sharedPort.isOpen());
    EXPECT_TRUE(sharedPort.opens.last().evenParity);
}

// The time left: from the nominal wire time at first, then from the blocks' own pace.
TEST_F(FlashWriterTest, TimeLeftFollowsTheMeasuredPace) {
    FlashWriteClock clock;
    clock.start(0);
    ASSERT_TRUE(start());
    const double nominal =
        2048 * FlashWriteClock::nominalBlockMs() + 2000 + 2050 * 2 * 10000.0 / 19200;
    EXPECT_NEAR(clock.remainingMs(0, writer), nominal, 1);
    EXPECT_NEAR(FlashWriteClock::nominalBlockMs(), 83.6, 0.1);
    while (writer.WriteState() != FlashWriter::StateBlocks)
        pump(1);
    clock.note(10000, writer); // the block phase starts at 10 s
    while (writer.BlockNo() < 32)
        pump(1);
    // 32 blocks in 3.2 s: 100 ms a block for the 2016 left.
    EXPECT_EQ(std::pair(clock.remainingMs(13200, writer), clock.elapsedMs(13200)),
              std::pair(qint64(2016 * 100), qint64(13200)));
    EXPECT_EQ((QStringList{FlashWriteClock::formatDuration(201600),
                           FlashWriteClock::formatDuration(3723000)}),
              Words("3:22 1:02:03"));
}

TEST_F(FlashWriterTest, StopWaitsForTheBlockInFlightThenEndsWithoutMessage) {
    ASSERT_TRUE(start());
    while (!(writer.WriteState() == FlashWriter::StateBlocks && writer.BlockNo() == 3))
        pump(1);
    // Block 3 is out; its acknowledgement has not come back yet.
    writer.stopAfterBlock();
    EXPECT_TRUE(finished.isEmpty());
    EXPECT_EQ(writer.WriteState(), FlashWriter::StateBlocks);
    pump();
    EXPECT_EQ(finished, QList<bool>{false});
    EXPECT_TRUE(sink.shown.isEmpty());
    // No block after the one in flight.
    EXPECT_EQ(std::pair(writer.blocksAcknowledged(), cpu.blocksWritten()), std::pair(4, 4));
    EXPECT_FALSE(allSent().contains(EncodeBootFrame(BlockFrameContent(4, app))));
    EXPECT_TRUE(idle());
    EXPECT_FALSE(timerCpuWrite.isActive());
}

TEST_F(FlashWriterTest, StopBeforeTheBlocksEndsAtOnce) {
    ASSERT_TRUE(start());
    while (writer.WriteState() != FlashWriter::StateBootProgram)
        pump(1);
    const qsizetype sentBefore = port.written.size();
    writer.stopAfterBlock();
    EXPECT_EQ(finished, QList<bool>{false});
    EXPECT_EQ(writer.blocksAcknowledged(), 0);
    pump();
    EXPECT_LE(port.written.size(), sentBefore); // a late echo sends nothing more
    EXPECT_TRUE(sink.shown.isEmpty());
    EXPECT_FALSE(pause.isActive());
}

// Frames of the flash write phase: DLE stuffing, the 16-bit sum, and the parser both ends use.

// Feeds `bytes`; the results in order, Pending left out.
static QList<BootFrameParser::Result> feedAll(BootFrameParser& parser, const QByteArray& bytes) {
    QList<BootFrameParser::Result> results;
    for (const char byte : bytes) {
        const auto result = parser.feed(quint8(byte));
        if (result != BootFrameParser::Result::Pending)
            results.append(result);
    }
    return results;
}

TEST(BootFrameTest, DocumentedChecksumOfAnErasedBlockAndDleStuffing) {
    const QByteArray frame = EncodeBootFrame(BlockFrameContent(0, QByteArray(0x40000, char(0xFF))));
    ASSERT_EQ(frame.size(), 2 + 132 + 2 + 2);
    EXPECT_EQ(frame.left(6), QByteArray::fromHex("100201840000"));
    EXPECT_EQ(frame.right(4), QByteArray::fromHex("10038018"));
    // Block number high byte first; bytes past the end of an image are erased flash.
    const QByteArray tail = BlockFrameContent(0x0102, QByteArray(0x0102 * 128 + 2, char(0x33)));
    EXPECT_EQ(tail, QByteArray::fromHex("018401023333") + QByteArray(126, char(0xFF)));
    QByteArray image(0x40000, char(0xFF));
    image[0x10 * 128 + 5] = char(0x10);
    const QByteArray plain =
        EncodeBootFrame(BlockFrameContent(0x10, QByteArray(0x40000, char(0xFF))));
    const QByteArray stuffed = EncodeBootFrame(BlockFrameContent(0x10, image));
    // Block number 0x0010 is doubled in both; the data byte adds one more pair.
    EXPECT_EQ(plain.mid(2, 5), QByteArray::fromHex("0184001010"));
    EXPECT_EQ(stuffed.size(), plain.size() + 1);
    EXPECT_TRUE(stuffed.contains(QByteArray::fromHex("ffffff1010ff")));
    const int plainSum = quint8(plain[plain.size() - 2]) * 256 + quint8(plain[plain.size() - 1]);
    const int stuffedSum =
        quint8(stuffed[stuffed.size() - 2]) * 256 + quint8(stuffed[stuffed.size() - 1]);
    EXPECT_EQ(stuffedSum, plainSum - 0xFF + 0x20);
}

TEST(BootFrameTest, ParserReadsWhatTheEncoderWrites) {
    BootFrameParser parser;
    const QByteArray content = QByteArray::fromHex("0204101003") + QByteArray(1, 0x10);
    const QByteArray noise = QByteArray::fromHex("00FF55AA");
    EXPECT_EQ(feedAll(parser, noise + EncodeBootFrame(content)),
              QList<BootFrameParser::Result>{BootFrameParser::Result::Frame});
    EXPECT_EQ(parser.content(), content);
    EXPECT_EQ(parser.state(), 0);
}

TEST(BootFrameTest, ParserRefusesBadFrames) {
    using Result = BootFrameParser::Result;
    const QByteArray good = EncodeBootFrame(ReplyFrameContent(5));
    QByteArray offByOne = good;
    offByOne[offByOne.size() - 1] = char(quint8(offByOne[offByOne.size() - 1]) + 1);
    QByteArray badEscape = good;
    badEscape[3] = char(0x10); // content 02 10 00 05: DLE then 0x00
    for (const QByteArray& bad : {offByOne, badEscape, QByteArray::fromHex("1003"),
                                  QByteArray::fromHex("10") + QByteArray(300, 'x')}) {
        BootFrameParser parser;
        QList<Result> results = feedAll(parser, bad);
        ASSERT_FALSE(results.isEmpty()) << bad.toHex().constData();
        EXPECT_EQ(results.first(), Result::Error) << bad.toHex().constData();
    }
    // A content longer than the 256-byte buffer.
    BootFrameParser parser;
    EXPECT_EQ(feedAll(parser, QByteArray::fromHex("1002") + QByteArray(257, 'x')),
              QList<Result>{Result::Error});
}
