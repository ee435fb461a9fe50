// The flash write state machine against the simulated CPU, over an in-memory port with a
// manual clock: what the CPU receives, the replies and faults, the time-out, the close rule;
// and the S-record files it writes.
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
#include "cpuwriter/FlashWriter.h"
#include "cpuwriter/SRecordFile.h"
#include "cpuwriter/SRecordImage.h"
#include "cpuwriter/SRecordInfo.h"
#include "cpuwriter/SRecordParser.h"
#include "link/LinkEngine.h"
#include "shell/Settings.h"

#include <QFile>
#include <QList>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace zel;
using namespace zel::test;
using sim::BootCpuSim;
using sim::MakeSRecordLine;
using sim::MakeSRecords;

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
    EXPECT_TRUE(sink.shown.isEmpty() && idle());
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
    EXPECT_TRUE(timerCpuWrite.isActive() && sink.shown.isEmpty());
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
    EXPECT_TRUE(idle() && port.written.isEmpty());
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
    writer.setSharedLink(&shared.engine);

    ASSERT_TRUE(start());
    EXPECT_FALSE(shared.port.isOpen());
    pump(500);
    EXPECT_FALSE(start()); // no second write on top of the running one
    EXPECT_FALSE(writer.requestClose());
    EXPECT_EQ(sink.numbers(), QList<int>{MessageInProgramming});
    EXPECT_TRUE(port.isOpen());
    pump();
    ASSERT_EQ(finished, QList<bool>{true});
    EXPECT_TRUE(writer.requestClose() && !port.isOpen());
    EXPECT_TRUE(shared.port.isOpen() && shared.port.opens.last().evenParity);
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
    EXPECT_TRUE(idle() && !timerCpuWrite.isActive());
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
    EXPECT_TRUE(sink.shown.isEmpty() && !pause.isActive());
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

// S-record files into images: the record decoder, the windows, the 0xFF fill, the boot
// length bytes, the messages of a failed load and the reading of the file itself.
static QByteArray pattern(int size, int seed = 1) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 13 + seed * 7 + i / 256) & 0xFF);
    return bytes;
}

static QByteArray lines(std::initializer_list<QByteArray> records) {
    QByteArray text;
    for (const QByteArray& record : records)
        text += record + "\r\n";
    return text;
}

class SRecordTest : public ::testing::Test {
protected:
    QString file(const char* name, const QByteArray& text) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(writeBytes(path, text));
        return path;
    }
    bool loadApp(const QByteArray& text) {
        return images.loadApplicationImage(file("app.mot", text), sink);
    }
    bool loadBoot(const QByteArray& text, const char* cpu = "MASTER") {
        file("ZARNIPEX2633.MOT", text);
        file("ZARNIPEX2398.MOT", text);
        return images.loadBootImage(QString::fromLatin1(cpu), dir.path(), sink);
    }

    QTemporaryDir dir;
    RecordingSink sink;
    SRecordImage images;
};

TEST_F(SRecordTest, BootImageHoldsLengthDataAndFill) {
    const QByteArray data = pattern(256);
    ASSERT_TRUE(loadBoot(MakeSRecords(0xFFC000, data)));
    const QByteArray& boot = images.bootImage();
    ASSERT_EQ(boot.size(), 2050);
    EXPECT_EQ(boot, QByteArray::fromHex("0800") + data + QByteArray(2050 - 258, char(0xFF)));
    EXPECT_TRUE(sink.shown.isEmpty());

    // The slave window starts elsewhere: the same data do not fit it.
    EXPECT_FALSE(loadBoot(MakeSRecords(0xFFC000, data), "SLAVE"));
    EXPECT_EQ(sink.numbers(), QList<int>{MessageWriteControlProgramError});
    EXPECT_TRUE(loadBoot(MakeSRecords(0xFFE400, data), "SLAVE"));
}

TEST_F(SRecordTest, BootWindowEdges) {
    // The last byte of the window fits; one byte more does not, yet the length bytes are set.
    EXPECT_TRUE(loadBoot(lines({MakeSRecordLine(2, 0xFFC7FF, "\x5A"), "S804FFC0003C"})));
    EXPECT_EQ(quint8(images.bootImage()[2049]), 0x5A);
    EXPECT_FALSE(loadBoot(lines({MakeSRecordLine(2, 0xFFC7FF, "\x5A\x5B"), "S804FFC0003C"})));
    EXPECT_EQ(quint8(images.bootImage()[0]), 0x08);
    EXPECT_FALSE(loadBoot(lines({MakeSRecordLine(2, 0xFFBFFF, "\x01"), "S804FFC0003C"})));
    EXPECT_EQ(sink.numbers(),
              (QList<int>{MessageWriteControlProgramError, MessageWriteControlProgramError}));
}

TEST_F(SRecordTest, BootProgramMissingOrUnknownCpuType) {
    EXPECT_FALSE(images.loadBootImage(u"MASTER"_qs, dir.path(), sink));
    file("ZARNIPEX2633.MOT", "");
    EXPECT_FALSE(images.loadBootImage(u"MASTER"_qs, dir.path(), sink));
    file("ZARNIPEX2633.MOT", MakeSRecords(0xFFC000, pattern(16)));
    EXPECT_FALSE(images.loadBootImage(u"master"_qs, dir.path(), sink));
    EXPECT_EQ(sink.numbers(), QList<int>(3, MessageNoWriteControlProgram));
    // A copy whose name differs in case is found.
    file("zarnipex2398.mot", MakeSRecords(0xFFE400, pattern(16)));
    EXPECT_TRUE(images.loadBootImage(u"SLAVE"_qs, dir.path(), sink));
}

TEST_F(SRecordTest, ApplicationWindowEdges) {
    EXPECT_TRUE(loadApp(lines({MakeSRecordLine(2, 0x3FFFF, "\x77"), "S9030000FC"})));
    EXPECT_EQ(quint8(images.applicationImage()[0x3FFFF]), 0x77);
    EXPECT_TRUE(images.applicationLoaded());
    EXPECT_FALSE(loadApp(lines({MakeSRecordLine(2, 0x40000, "\x77"), "S9030000FC"})));
    EXPECT_FALSE(images.applicationLoaded());
    EXPECT_FALSE(loadApp(lines({MakeSRecordLine(2, 0x3FFFF, "\x77\x78"), "S9030000FC"})));
    EXPECT_FALSE(loadApp(lines({MakeSRecordLine(3, 0xFFFFFFFF, "\x01"), "S9030000FC"})));
    EXPECT_EQ(sink.numbers(), QList<int>(3, MessageApplicationProgramError));
}

TEST_F(SRecordTest, TerminationRules) {
    const QByteArray data = MakeSRecordLine(1, 0x0100, "\x11\x22");
    // No termination record: fails. A termination followed by garbage: converts.
    EXPECT_FALSE(loadApp(lines({MakeSRecordLine(0, 0, "hdr"), data})));
    EXPECT_TRUE(loadApp(lines({data, "S9030000FC", "garbage", "", "S5"})));
    // A record count (S5) or another unknown type fails.
    EXPECT_FALSE(loadApp(lines({data, MakeSRecordLine(5, 1, {}), "S9030000FC"})));
    EXPECT_FALSE(loadApp(lines({data, "S4030000FC", "S9030000FC"})));
    // A blank or short line before the end fails; a 10-character S9 is accepted.
    EXPECT_FALSE(loadApp(lines({data, "", "S9030000FC"})));
    EXPECT_FALSE(loadApp(lines({data, "S9030000F", "S9030000FC"})));
    EXPECT_TRUE(loadApp(lines({data, "S9030000FC"})));
    // A line that is not a record at all.
    EXPECT_FALSE(loadApp(lines({"; comment line", data, "S9030000FC"})));
}

TEST_F(SRecordTest, RecordsAreDecodedWhateverTheirChecksum) {
    const QByteArray bad = MakeSRecordLine(1, 0x0010, "\xAB\xCD").chopped(2) + "00";
    ASSERT_TRUE(loadApp(lines({bad, "S9030000FC"})));
    EXPECT_EQ(images.applicationImage().mid(0x10, 2), QByteArray("\xAB\xCD"));

    // S3 records carry n - 5 data bytes after their 32-bit address.
    const SRecord s3 =
        ParseSRecord(QString::fromLatin1(MakeSRecordLine(3, 0x00012345, "\x01\x02\x03")));
    EXPECT_EQ(std::tuple(s3.kind, s3.address, s3.data),
              std::tuple(SRecordKind::Data, 0x12345u, QByteArray("\x01\x02\x03")));
    EXPECT_EQ(ParseSRecord(u"S30800012345010203AA").data.size(), 3);
}

TEST_F(SRecordTest, MalformedFieldsFailInsteadOfReadingPastTheLine) {
    for (const char* record : {
             "S1FF0100AABB00", // count promises more data than the line holds
             "S1020100AABB00", // count too small for the address
             "S10501G0AABB00", // address not hex
             "S1050100AXBB00", // data not hex
             "SZ050100AABB00", // type not hex
             "S1Z50100AABB00", // count not hex
         })
        EXPECT_FALSE(loadApp(lines({record, "S9030000FC"}))) << record;
}

TEST_F(SRecordTest, OverlapsOverwriteAndEveryOtherByteIsFilled) {
    const QByteArray text = lines({MakeSRecordLine(1, 0x0000, "\x01\x02\x03\x04"),
                                   MakeSRecordLine(1, 0x0002, "\xAA"), "S9030000FC"});
    ASSERT_TRUE(loadApp(text));
    const QByteArray first = images.applicationImage();
    EXPECT_EQ(first.left(5), QByteArray("\x01\x02\xAA\x04\xFF"));
    EXPECT_EQ(first.count(char(0xFF)), 0x40000 - 4);
    // A second load starts from a fresh image.
    ASSERT_TRUE(loadApp(text));
    EXPECT_EQ(images.applicationImage(), first);
}

TEST_F(SRecordTest, EveryLineEndStyleGivesTheSameImage) {
    const QByteArray data = pattern(600, 3);
    QByteArray reference;
    for (const QByteArray& end : {QByteArray("\r\n"), QByteArray("\n"), QByteArray("\r")}) {
        sim::SRecordStyle style;
        style.lineEnd = end;
        QByteArray text = MakeSRecords(0x1000, data, style);
        if (end == "\n")
            text.chop(1); // no line end after the last record
        ASSERT_TRUE(loadApp(text)) << end.toHex().constData();
        if (reference.isEmpty())
            reference = images.applicationImage();
        EXPECT_EQ(images.applicationImage(), reference);
    }
    EXPECT_EQ(reference.mid(0x1000, 600), data);
    EXPECT_EQ(SplitSRecordLines("a\r\n\r\nb\rc\n"),
              (QStringList{u"a"_qs, QString(), u"b"_qs, u"c"_qs}));
}

TEST_F(SRecordTest, OnlyRegularFilesOfSaneSizeAreRead) {
    for (const QString& refused : {QString(), dir.path() + u"/"_qs, dir.path(),
                                   dir.filePath(u"none.mot"_qs), file("empty.mot", "")})
        EXPECT_FALSE(ReadSRecordLines(refused).ok) << refused.toStdString();
    QFile big(dir.filePath(u"big.mot"_qs));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(kMaxSRecordFileBytes + 1)); // sparse
    big.close();
    const SRecordLines huge = ReadSRecordLines(big.fileName());
    EXPECT_FALSE(huge.ok);
    EXPECT_TRUE(huge.error.contains(u"too large"_qs)) << huge.error.toStdString();
#ifdef Q_OS_UNIX
    const QString fifo = dir.filePath(u"fifo.mot"_qs);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const SRecordLines fromFifo = ReadSRecordLines(fifo); // must not block
    EXPECT_FALSE(fromFifo.ok);
    EXPECT_TRUE(fromFifo.error.contains(u"not a regular file"_qs));
    EXPECT_FALSE(ReadSRecordLines(u"/dev/zero"_qs).ok);
#endif
    EXPECT_FALSE(images.loadApplicationImage(big.fileName(), sink));
    EXPECT_EQ(sink.numbers(), QList<int>{MessageNoApplicationProgram});
}

// Files written by a binary-to-S-record tool, with 16-, 24- and 32-bit addresses.
TEST_F(SRecordTest, FilesFromARealToolConvert) {
    const QString objcopy = QStandardPaths::findExecutable(u"objcopy"_qs);
    if (objcopy.isEmpty())
        GTEST_SKIP() << "objcopy not installed";
    struct Case {
        quint32 address;
        int size;
        QStringList extra;
    };
    const QList<Case> cases{
        {0x0000, 0x8000, {}}, {0x12000, 0x20000, {}}, {0x0000, 0x40000, {u"--srec-forceS3"_qs}}};
    for (const Case& c : cases) {
        const QByteArray data = pattern(c.size, int(c.address));
        const QString bin = file("in.bin", data);
        const QString mot = dir.filePath(u"out.mot"_qs);
        QStringList args{u"-I"_qs, u"binary"_qs, u"-O"_qs, u"srec"_qs,
                         u"--change-addresses=%1"_qs.arg(c.address)};
        args << c.extra << bin << mot;
        ASSERT_EQ(QProcess::execute(objcopy, args), 0);
        ASSERT_TRUE(images.loadApplicationImage(mot, sink));
        EXPECT_EQ(images.applicationImage().mid(c.address, c.size), data);
        EXPECT_EQ(images.applicationImage().count(char(0xFF)) - data.count(char(0xFF)),
                  0x40000 - c.size);
    }
    EXPECT_TRUE(sink.shown.isEmpty());
}

TEST(SRecordInfoTest, CountsTypesAndMergesRanges) {
    const QStringList text =
        QString::fromLatin1(lines({
                                MakeSRecordLine(0, 0, "h"),
                                MakeSRecordLine(2, 0xFFC100, QByteArray(16, 1)),
                                MakeSRecordLine(2, 0xFFC000, QByteArray(16, 1)),
                                MakeSRecordLine(2, 0xFFC010, QByteArray(8, 1)),
                                MakeSRecordLine(2, 0xFFC014, QByteArray(8, 1)),
                                "S804FFC0003C",
                                "not a record",
                            }))
            .split(u"\r\n"_qs, Qt::SkipEmptyParts);
    const SRecordSummary summary = SummarizeSRecords(text);
    EXPECT_EQ((QList<int>{summary.typeCounts[0], summary.typeCounts[2], summary.typeCounts[8],
                          summary.otherLines}),
              (QList<int>{1, 4, 1, 1}));
    QStringList ranges;
    for (const auto& range : summary.ranges)
        ranges.append(FormatSRecordRange(range));
    EXPECT_EQ(ranges, Words("0xFFC000-0xFFC01B 0xFFC100-0xFFC10F"));
    EXPECT_EQ(
        (QList<bool>{ConvertsInto(text, kBootMasterWindow), ConvertsInto(text, kBootSlaveWindow),
                     ConvertsInto(text, kApplicationWindow)}),
        (QList<bool>{true, false, false}));
}

// The damaged file's last lines that are the clean file's last lines, in order.
static qsizetype IntactTail(const QStringList& lines, const QStringList& clean) {
    qsizetype n = 0;
    while (n < lines.size() && n < clean.size() &&
           lines[lines.size() - 1 - n] == clean[clean.size() - 1 - n])
        ++n;
    return n;
}

// A termination record anywhere before the intact tail (conversion would stop early).
static bool EndsBeforeTail(const QStringList& lines, qsizetype tail) {
    for (qsizetype i = 0; i < lines.size() - tail; ++i)
        if (ParseSRecord(lines[i]).kind == SRecordKind::Termination)
            return true;
    return false;
}

// Mutated files: whatever the damage, the conversion stays inside the image and never
// touches the boot length bytes; a conversion that succeeded wrote every intact record of
// the file's tail (the last writes) at its own address.
TEST(SRecordRobustnessTest, DamagedRecordsNeverReachOutsideTheImage) {
    std::mt19937 random(12345);
    const QByteArray clean = sim::MakeSRecords(0x3FF00, QByteArray(256, '\x33'), {3, 40, "\n"});
    const QStringList cleanLines = SplitSRecordLines(clean);
    int checkedTails = 0;
    for (int round = 0; round < 3000; ++round) {
        QByteArray text = clean;
        const int edits = 1 + int(random() % 4);
        for (int e = 0; e < edits; ++e) {
            const qsizetype at = qsizetype(random() % quint32(text.size()));
            switch (random() % 3) {
            case 0:
                text[at] = "0123456789ABCDEFS\r\n xZ"[random() % 22];
                break;
            case 1:
                text.remove(at, 1 + qsizetype(random() % 6));
                break;
            default:
                text.insert(at, QByteArray(1 + int(random() % 3), 'F'));
                break;
            }
        }
        const QStringList lines = SplitSRecordLines(text);
        SummarizeSRecords(lines);
        QByteArray boot(kBootMasterWindow.size + kBootMasterWindow.indexOffset, char(0xFF));
        Convert(lines, kBootMasterWindow, boot);
        ASSERT_EQ(boot.size(), kBootMasterWindow.size + kBootMasterWindow.indexOffset);
        ASSERT_EQ(boot.left(2), QByteArray(2, char(0xFF)));

        QByteArray image(kApplicationWindow.size, char(0xFF));
        const bool converted = Convert(lines, kApplicationWindow, image);
        ASSERT_EQ(image.size(), kApplicationWindow.size);
        const qsizetype tail = IntactTail(lines, cleanLines);
        if (!converted || EndsBeforeTail(lines, tail))
            continue;
        for (qsizetype i = lines.size() - tail; i < lines.size(); ++i) {
            const SRecord record = ParseSRecord(lines[i]);
            if (record.kind == SRecordKind::Data) {
                ASSERT_EQ(image.mid(record.address, record.data.size()), record.data)
                    << "round " << round << " line " << i;
            }
        }
        ++checkedTails;
    }
    EXPECT_GT(checkedTails, 100); // the damage leaves enough files that still convert
}

// A file that does not convert says which line stopped it and why, for the message beside
// "Application program reads error".
TEST(SRecordConvertTest, ARefusedFileNamesTheLineAndTheReason) {
    const QString data = u"S1070000AABBCCDD00"_qs;
    const QString end = u"S9030000FC"_qs;
    const std::pair<QStringList, const char*> cases[] = {
        {{u"S00600004844521B"_qs, data, u"S1"_qs, end}, "line 3: too short for an S-record"},
        {{data, u"X1070000AABBCCDD00"_qs, end}, "line 2: does not start with S"},
        {{data, u"S1070000AABBCCZZ00"_qs, end},
         "line 2: a field is not hexadecimal or runs past the end of the line"},
        {{u"S5030001FB"_qs, end}, "line 1: S5 records are not taken"},
        {{u"S2080400000000000000"_qs, end}, "line 1: address 40000 lies outside 0 to 3FFFF"},
        {{data, data}, "no end record (S7, S8 or S9) after line 2"},
    };
    for (const auto& [lines, reason] : cases) {
        QByteArray image(kApplicationWindow.size, char(0xFF));
        QString why;
        EXPECT_FALSE(Convert(lines, kApplicationWindow, image, &why)) << reason;
        EXPECT_EQ(why, QLatin1String(reason));
    }
    QByteArray image(kApplicationWindow.size, char(0xFF));
    QString why;
    EXPECT_TRUE(Convert({data, end}, kApplicationWindow, image, &why) && why.isEmpty());
    EXPECT_EQ(image.left(4), QByteArray::fromHex("AABBCCDD"));
}
