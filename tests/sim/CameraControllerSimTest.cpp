// What the simulated controller answers to each command family.
#include "CameraControllerSim.h"
#include "DeviceFrameReader.h"
#include "FaultPlan.h"
#include "SimFrames.h"

#include <gtest/gtest.h>
#include <random>

using namespace zel::sim;
using namespace zel::test;

const QByteArray AckByte = hex("06");
const QByteArray NackByte = hex("15");

static QByteArray joined(const QList<SimOutput>& pieces) {
    QByteArray out;
    for (const SimOutput& piece : pieces)
        out += piece.bytes;
    return out;
}

static QByteArray answer(CameraControllerSim& sim, const QByteArray& frame, qint64 nowMs = 0) {
    return joined(sim.receive(frame, nowMs));
}

static QByteArray ackCommand(CameraControllerSim& sim, const char* dataHex, int camera = 1) {
    return answer(sim, commandFrame(camera, 0, 1, hex(dataHex)));
}

TEST(CameraControllerSim, AcknowledgesEveryPanelCommand) {
    CameraControllerSim sim;
    const char* commands[] = {
        "20043C3C0808", "2000",   "300102", "6E0102", "6201",     "88",
        "89",           "40",     "410102", "A802",   "A901FFFF", "101230",
        "110070",       "120070", "4801",   "4901",   "4A",       "4C02",
        "4D10",         "2102",   "2201",   "4201",   "4302",     "1436000100640001D6"};
    for (const char* data : commands)
        EXPECT_EQ(ackCommand(sim, data), AckByte) << data;
    EXPECT_EQ(sim.frameCount(0x20), 2);
    EXPECT_EQ(sim.framesReceived(), int(std::size(commands)));
}

TEST(CameraControllerSim, RefusesWhatItCannotCarryOut) {
    CameraControllerSim sim;
    EXPECT_EQ(ackCommand(sim, "77"), NackByte) << "unknown command";
    EXPECT_EQ(ackCommand(sim, "3001"), NackByte) << "short data";
    EXPECT_EQ(ackCommand(sim, "200400"), NackByte) << "command 20 with a partial speed set";
    EXPECT_EQ(answer(sim, commandFrame(1, 1, 1, hex("40"))), NackByte) << "data reply asked";
    EXPECT_EQ(answer(sim, commandFrame(1, 0, 1, hex("15"))), NackByte) << "NOW without request";
    EXPECT_EQ(answer(sim, commandFrame(1, 0, 0, hex("40"))), NackByte) << "remote 0";
    EXPECT_EQ(ackCommand(sim, "141A00010000000000"), NackByte) << "GO with a non-decimal PAN";
    EXPECT_EQ(ackCommand(sim, "147201380000000000"), NackByte) << "GO with PAN 7201";
    QByteArray broken = commandFrame(1, 0, 1, hex("40"));
    broken[broken.size() - 3] = char(broken.at(broken.size() - 3) ^ 0x01);
    EXPECT_EQ(answer(sim, broken), NackByte) << "bad checksum";
    EXPECT_EQ(sim.badChecksumFrames(), 1);
}

TEST(CameraControllerSim, AbsentCamerasAndCameraZeroStaySilent) {
    CameraControllerSim sim(3);
    EXPECT_EQ(ackCommand(sim, "40", 3), AckByte);
    EXPECT_TRUE(sim.receive(commandFrame(4, 0, 1, hex("40"))).isEmpty());
    EXPECT_TRUE(sim.receive(commandFrame(0, 0, 1, hex("40"))).isEmpty());
    EXPECT_TRUE(sim.receive(commandFrame(999, 1, 1, hex("C10001"))).isEmpty());
    EXPECT_EQ(sim.frameCount(0x40), 3); // heard, not answered
}

TEST(CameraControllerSim, PositionReportFollowsGoAndMovement) {
    CameraControllerSim sim;
    // GO PAN 3600, TILT 100 (packed decimal), ZOOM 25600, D-ZOOM 470 (binary)
    ASSERT_EQ(answer(sim, commandFrame(1, 0, 1, hex("1436000100640001D6")), 1000), AckByte);
    const QByteArray now = commandFrame(1, 1, 1, hex("15"));
    QByteArray report = answer(sim, now, 1000);
    ASSERT_EQ(report.size(), 17);
    EXPECT_TRUE(isGoodDataReply(report));
    EXPECT_EQ(report.mid(2, 3), now.mid(2, 3)) << "address echoed";
    EXPECT_EQ(report.mid(5, 9), hex("150E100064640001D6"));

    // Pan right at speed 60 for two seconds: 60 x 10 units per second.
    ASSERT_EQ(answer(sim, commandFrame(1, 0, 1, hex("20043C3C0808")), 1000), AckByte);
    ASSERT_EQ(answer(sim, commandFrame(1, 0, 1, hex("20003C3C0808")), 3000), AckByte);
    EXPECT_EQ(sim.camera(1).position(3000).pan, 3600 + 1200);
    EXPECT_EQ(sim.camera(1).position(9000).pan, 4800) << "stopped by the release frame";

    // Pan left at full speed runs into the end stop, never below 0.
    answer(sim, commandFrame(1, 0, 1, hex("20087F7F0808")), 9000);
    EXPECT_EQ(sim.camera(1).position(60000).pan, 0);
    report = answer(sim, now, 60000);
    EXPECT_EQ(report.mid(6, 2), hex("0000"));
}

TEST(CameraControllerSim, PresetsStoreAndRecallPositions) {
    CameraControllerSim sim;
    ackCommand(sim, "147200380000000000");
    ASSERT_EQ(ackCommand(sim, "110120"), AckByte); // SET 12
    ackCommand(sim, "140000000000000000");
    ASSERT_EQ(ackCommand(sim, "100120"), AckByte); // POS 12
    EXPECT_EQ(sim.camera(1).position(0), (CameraPosition{7200, 3800, 0, 0}));
    EXPECT_EQ(ackCommand(sim, "101A00"), NackByte) << "non-decimal preset number";
}

TEST(CameraControllerSim, TitlesReadBackWhatWasWritten) {
    CameraControllerSim sim;
    // CAMERA ID of camera 2 starts as "CAM 2": C A M space 2 (end mark), then blanks.
    QByteArray reply = answer(sim, commandFrame(2, 1, 1, hex("B1020000")));
    ASSERT_EQ(reply.size(), 28);
    EXPECT_TRUE(isGoodDataReply(reply));
    EXPECT_EQ(reply.mid(5, 20), hex("B1020000000C000A001600FD800200FD00FD00FD"));

    // POSITION 123 written, then read back; POSITION 124 untouched.
    const QByteArray codes = hex("000A000B80240000FD00FD00FD00FD00FD").left(16);
    ASSERT_EQ(answer(sim, commandFrame(1, 0, 1, hex("B1031230") + codes)), AckByte);
    reply = answer(sim, commandFrame(1, 1, 1, hex("B1031230")));
    EXPECT_EQ(reply.mid(9, 16), codes);
    EXPECT_EQ(sim.camera(1).titleCodes(0x03, 123), codes);
    EXPECT_EQ(sim.camera(1).titleCodes(0x03, 124), CameraUnit::encodeTitle("POS 124"));

    // Every title of every category answers; one past the end of each does not.
    const int ends[][2] = {{0x02, 1}, {0x03, 256}, {0x04, 3}, {0x05, 1}, {0x06, 17},
                           {0x07, 4}, {0x08, 9},   {0x09, 9}, {0x0A, 9}};
    int titles = 0;
    for (const auto& [category, end] : ends) {
        for (int n = 0; n <= end; ++n) {
            QByteArray data = hex("B1");
            data += char(category);
            data += char(((n / 100) << 4) | ((n / 10) % 10));
            data += char((n % 10) << 4);
            const bool exists = CameraUnit::titleIndex(category, n) >= 0;
            titles += exists;
            EXPECT_EQ(answer(sim, commandFrame(1, 1, 1, data)).size(), exists ? 28 : 1);
        }
    }
    EXPECT_EQ(titles, CameraUnit::TitleCount);
    EXPECT_EQ(answer(sim, commandFrame(1, 1, 1, hex("B1030015"))), NackByte) << "low nibble";
    EXPECT_EQ(answer(sim, commandFrame(1, 0, 1, hex("B1030010"))), NackByte) << "read, no request";
}

TEST(CameraControllerSim, SettingsBlocksReadBackWhatWasWritten) {
    CameraControllerSim sim;
    const QByteArray initial = sim.camera(1).settings();
    ASSERT_EQ(initial.size(), 32000);
    EXPECT_NE(initial.mid(0, 32), initial.mid(32, 32)) << "blocks are told apart";
    EXPECT_NE(initial, sim.camera(2).settings()) << "cameras are told apart";

    QByteArray reply = answer(sim, commandFrame(1, 1, 1, hex("C103E8")));
    ASSERT_EQ(reply.size(), 43);
    EXPECT_TRUE(isGoodDataReply(reply));
    EXPECT_EQ(reply.mid(5, 35), hex("C103E8") + initial.right(32));

    QByteArray block(32, '\0');
    for (int i = 0; i < 32; ++i)
        block[i] = char(0xE0 + i);
    ASSERT_EQ(answer(sim, commandFrame(1, 0, 1, hex("C10007") + block)), AckByte);
    EXPECT_EQ(answer(sim, commandFrame(1, 1, 1, hex("C10007"))).mid(8, 32), block);
    EXPECT_EQ(sim.camera(1).settings().mid(6 * 32, 32), block);
    EXPECT_EQ(sim.camera(1).settings().mid(7 * 32), initial.mid(7 * 32)) << "neighbours kept";

    EXPECT_EQ(answer(sim, commandFrame(1, 1, 1, hex("C10000"))), NackByte);
    EXPECT_EQ(answer(sim, commandFrame(1, 1, 1, hex("C103E9"))), NackByte);
    EXPECT_EQ(answer(sim, commandFrame(1, 0, 1, hex("C10001") + block.left(31))), NackByte);
}

TEST(CameraControllerSim, ForgetsATornFrameAfterASilence) {
    CameraControllerSim sim;
    const QByteArray frame = commandFrame(1, 0, 1, hex("40"));
    EXPECT_TRUE(sim.receive(frame.left(4), 0).isEmpty());
    // The rest never came; much later a whole frame arrives and is answered alone.
    EXPECT_EQ(answer(sim, frame, 5000), AckByte);
}

TEST(CameraControllerSim, SurvivesRandomNoiseAndStillAnswers) {
    CameraControllerSim sim;
    std::mt19937 random(77);
    std::uniform_int_distribution<int> byteValue(0, 255);
    std::uniform_int_distribution<int> length(1, 300);
    for (int round = 0; round < 2000; ++round) {
        QByteArray noise;
        for (int i = length(random); i > 0; --i)
            noise += char(byteValue(random));
        if (round % 3 == 0)
            noise.prepend(char(0xFE)); // plenty of false starts
        for (const SimOutput& piece : sim.receive(noise, round))
            ASSERT_FALSE(piece.bytes.isEmpty());
    }
    // Whatever the noise left behind, a torn frame is forgotten after a silence.
    EXPECT_EQ(answer(sim, commandFrame(1, 0, 1, hex("40")), 100000), AckByte);
}

// Frames as the device reads them off the line.

TEST(DeviceFrameReader, DecodesAddressDataAndChecksum) {
    QByteArray badSum = commandFrame(1, 0, 1, hex("20"));
    badSum[5] = char(0x21); // data changed, checksum not
    struct Row {
        const char* name;
        QByteArray line;
        int camera, request, remote;
        QByteArray data;
        bool checksumOk;
    };
    const Row rows[] = {
        {"worked frame", hex("FE0A1231052A010305FFFF"), 123, 1, 5, hex("2A0103"), true},
        {"no data at all", hex("FE07255099EAFFFF"), 255, 0, 99, {}, true},
        {"bad checksum", badSum, 1, 0, 1, hex("21"), false},
        // FE FE announces a 254-byte frame; the good frame after it must still come through.
        {"stray start byte", hex("FEFE") + commandFrame(2, 0, 3, hex("8901")), 2, 0, 3, hex("8901"),
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DeviceFrameReader reader;
        const QList<DeviceFrame> frames = reader.feed(row.line);
        ASSERT_EQ(frames.size(), 1);
        const DeviceFrame& f = frames[0];
        EXPECT_EQ((QList<int>{f.camera, f.request, f.remote, f.command(), f.checksumOk}),
                  (QList<int>{row.camera, row.request, row.remote,
                              row.data.isEmpty() ? -1 : uchar(row.data[0]), row.checksumOk}));
        EXPECT_EQ(f.data, row.data);
        EXPECT_EQ(reader.pendingBytes(), 0);
    }
    // A camera number that is not decimal.
    QByteArray odd = hex("FE08A0100120");
    odd += checksumOf(odd) + hex("FFFF");
    const QList<DeviceFrame> frames = DeviceFrameReader().feed(odd);
    ASSERT_EQ(frames.size(), 1);
    EXPECT_EQ(std::pair(frames[0].camera, frames[0].checksumOk), std::pair(-1, true));
}

TEST(DeviceFrameReader, JoinsAFrameSplitAcrossFeedsByteByByte) {
    DeviceFrameReader reader;
    const QByteArray frame = commandFrame(7, 1, 12, hex("C103E8"));
    for (qsizetype i = 0; i + 1 < frame.size(); ++i)
        EXPECT_TRUE(reader.feed(frame.mid(i, 1)).isEmpty()) << "byte " << i;
    const QList<DeviceFrame> frames = reader.feed(frame.right(1));
    ASSERT_EQ(frames.size(), 1);
    EXPECT_EQ((QList<int>{frames[0].camera, frames[0].remote}), (QList<int>{7, 12}));
    EXPECT_EQ(frames[0].data, hex("C103E8"));
}

TEST(DeviceFrameReader, ResynchronisesOnGarbage) {
    DeviceFrameReader reader;
    const QByteArray good = commandFrame(1, 0, 1, hex("40"));
    // Noise, a start byte with an impossible length, a torn frame whose end bytes are
    // wrong, then two good frames in one feed.
    QByteArray line = hex("0011FF") + hex("FE03") + good.left(6) + hex("0000") + good + good;
    const QList<DeviceFrame> frames = reader.feed(line);
    ASSERT_EQ(frames.size(), 2);
    EXPECT_EQ(frames[0].data, hex("40"));
    EXPECT_TRUE(frames[1].checksumOk);
    EXPECT_GT(reader.skippedBytes(), 0);
}

TEST(DeviceFrameReader, DataBytesEqualToStartOrEndDoNotConfuseIt) {
    DeviceFrameReader reader;
    const QByteArray frame = commandFrame(1, 0, 1, hex("C10001") + QByteArray(32, char(0xFE)));
    const QList<DeviceFrame> frames = reader.feed(frame + commandFrame(1, 0, 1, hex("FFFF")));
    ASSERT_EQ(frames.size(), 2);
    EXPECT_EQ(frames[0].data.size(), 35);
    EXPECT_EQ(frames[1].data, hex("FFFF"));
}

// Fault injection: every kind, selected by command and block, counted and seeded.

static QByteArray readBlock(int block) {
    return commandFrame(1, 1, 1, hex("C1") + char(block >> 8) + char(block & 0xFF));
}

TEST(FaultPlan, ParsesTargetsAndRefusesNonsense) {
    FaultPlan plan;
    QString error;
    ASSERT_TRUE(plan.addTarget(FaultKind::Busy, u"C1:7x3"_qs, &error));
    ASSERT_TRUE(plan.addTarget(FaultKind::Drop, u"*"_qs, &error));
    ASSERT_TRUE(plan.addTarget(FaultKind::Nack, u"b1:12"_qs, &error));
    ASSERT_TRUE(plan.addBusyProbability(u"0.25@20"_qs, &error));
    ASSERT_TRUE(plan.addFragment(u"4:30@C1"_qs, &error));
    ASSERT_TRUE(plan.addGarbage(u"5"_qs, &error));
    const QList<FaultRule>& rules = plan.rules();
    ASSERT_EQ(rules.size(), 6);
    EXPECT_EQ((QList<int>{rules[0].command, rules[0].number, rules[0].remaining, rules[1].command,
                          rules[1].remaining, rules[2].command, rules[3].command}),
              (QList<int>{0xC1, 7, 3, -1, -1, 0xB1, 0x20}));
    EXPECT_DOUBLE_EQ(rules[3].probability, 0.25);
    EXPECT_EQ((QList<int>{rules[4].fragmentSize, rules[4].gapMs, rules[5].garbageBytes}),
              (QList<int>{4, 30, 5}));

    const char* bad[] = {"", "C1:", "C1:x", "C1x0", "123", "G1", "C1:7:8", "C1:-3", "C1x-1"};
    for (const char* text : bad)
        EXPECT_FALSE(plan.addTarget(FaultKind::Busy, QString::fromLatin1(text), &error)) << text;
    EXPECT_FALSE(plan.addBusyProbability(u"1.5"_qs, &error));
    EXPECT_FALSE(plan.addFragment(u"0:10"_qs, &error) || plan.addFragment(u"4"_qs, &error));
    EXPECT_FALSE(plan.addGarbage(u"0"_qs, &error) || error.isEmpty());
    EXPECT_EQ(plan.rules().size(), 6);
}

TEST(FaultPlan, BusyOnOneBlockSpendsItsCountThenAnswers) {
    CameraControllerSim sim;
    sim.faultPlan().addTarget(FaultKind::Busy, u"C1:7x3"_qs, nullptr);
    EXPECT_EQ(answer(sim, readBlock(6)).size(), 43) << "other blocks unaffected";
    for (int attempt = 0; attempt < 3; ++attempt)
        EXPECT_EQ(answer(sim, readBlock(7)), hex("00")) << attempt;
    EXPECT_EQ(answer(sim, readBlock(7)).size(), 43);
}

TEST(FaultPlan, RefusedWritesAreNotCarriedOut) {
    CameraControllerSim sim;
    sim.faultPlan().addTarget(FaultKind::Busy, u"C1:1x1"_qs, nullptr);
    sim.faultPlan().addTarget(FaultKind::Nack, u"C1:2"_qs, nullptr);
    const QByteArray before = sim.camera(1).settings();
    const QByteArray block(32, char(0x5A));
    EXPECT_EQ(answer(sim, commandFrame(1, 0, 1, hex("C10001") + block)), hex("00"));
    EXPECT_EQ(answer(sim, commandFrame(1, 0, 1, hex("C10002") + block)), hex("15"));
    EXPECT_EQ(sim.camera(1).settings(), before);
}

TEST(FaultPlan, DroppedReplyIsSilentButTheCommandIsCarriedOut) {
    CameraControllerSim sim;
    sim.faultPlan().addTarget(FaultKind::Drop, u"B1:5x1"_qs, nullptr);
    const QByteArray codes = CameraUnit::encodeTitle("HALL");
    EXPECT_TRUE(sim.receive(commandFrame(1, 0, 1, hex("B1030050") + codes)).isEmpty());
    EXPECT_EQ(sim.camera(1).titleCodes(0x03, 5), codes);
    EXPECT_EQ(answer(sim, commandFrame(1, 0, 1, hex("B1030050") + codes)), hex("06"));
}

TEST(FaultPlan, CorruptsChecksumOrLengthOfDataRepliesOnly) {
    CameraControllerSim sim;
    sim.faultPlan().addTarget(FaultKind::BadChecksum, u"C1:3"_qs, nullptr);
    sim.faultPlan().addTarget(FaultKind::BadLength, u"15"_qs, nullptr);
    EXPECT_TRUE(isGoodDataReply(answer(sim, readBlock(2))));

    const QByteArray badSum = answer(sim, readBlock(3));
    ASSERT_EQ(badSum.size(), 43);
    EXPECT_EQ(uchar(badSum.at(1)), 42);
    EXPECT_NE(badSum.at(40), checksumOf(badSum.left(40)));
    EXPECT_EQ(badSum.mid(8, 32), sim.camera(1).block(3)) << "payload intact";

    const QByteArray badLength = answer(sim, commandFrame(1, 1, 1, hex("15")));
    ASSERT_EQ(badLength.size(), 17);
    EXPECT_EQ(uchar(badLength.at(1)), 15);

    sim.faultPlan().addTarget(FaultKind::BadChecksum, u"*"_qs, nullptr);
    EXPECT_EQ(answer(sim, commandFrame(1, 0, 1, hex("40"))), hex("06"));
}

TEST(FaultPlan, FragmentsAndGarbageShapeTheOutput) {
    CameraControllerSim sim(8, 42);
    sim.faultPlan().addFragment(u"10:25@C1"_qs, nullptr);
    sim.faultPlan().addGarbage(u"3@C1:9"_qs, nullptr);
    QList<SimOutput> pieces = sim.receive(readBlock(8));
    ASSERT_EQ(pieces.size(), 5); // 43 bytes in pieces of 10
    EXPECT_EQ(
        (QList<qsizetype>{pieces[0].gapBeforeMs, pieces[1].gapBeforeMs, pieces[4].bytes.size()}),
        (QList<qsizetype>{0, 25, 3}));
    EXPECT_TRUE(isGoodDataReply(joined(pieces)));

    pieces = sim.receive(readBlock(9));
    ASSERT_EQ(pieces.size(), 6);
    EXPECT_EQ(pieces[0].bytes.size(), 3) << "garbage first";
    EXPECT_EQ(pieces[1].gapBeforeMs, 0);
    EXPECT_TRUE(isGoodDataReply(joined(pieces).mid(3)));
    EXPECT_EQ(sim.receive(commandFrame(1, 0, 1, hex("40"))).size(), 1) << "other commands whole";
}

TEST(FaultPlan, ProbabilityIsReproducibleFromTheSeed) {
    auto busyPattern = [](quint32 seed) {
        CameraControllerSim sim(8, seed);
        sim.faultPlan().addBusyProbability(u"0.5"_qs, nullptr);
        QString pattern;
        for (int i = 0; i < 64; ++i)
            pattern += answer(sim, commandFrame(1, 0, 1, hex("40"))) == hex("00") ? u'B' : u'.';
        return pattern;
    };
    const QString first = busyPattern(1234);
    EXPECT_EQ(first, busyPattern(1234));
    EXPECT_NE(first, busyPattern(1235));
    EXPECT_GT(first.count(u'B'), 10);
    EXPECT_GT(first.count(u'.'), 10);
}
