// The simulator on a real pseudo-terminal, driven from the slave side with plain system calls.
#include "PtyHost.h"
#include "CameraControllerSim.h"
#include "PtyMaster.h"
#include "PtySlave.h"
#include "SerialDeviceHost.h"
#include "SimConfig.h"
#include "SimFrames.h"
#include "SimulatedController.h"
#include "WirePacer.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace zel::sim;
using namespace zel::test;

namespace {

const QByteArray PanRight = commandFrame(1, 0, 1, hex("20043C3C0808"));

TEST(PtyHost, AnswersOverTheSlaveSurvivesReopeningAndHangsUpOnStop) {
    SimulatedController sim;
    QString error;
    ASSERT_TRUE(sim.start(&error)) << error.toStdString();
    ASSERT_TRUE(sim.slavePath().startsWith(u"/dev/"_qs));

    PtySlave port;
    ASSERT_TRUE(port.open(sim.slavePath()));
    ASSERT_TRUE(port.write(PanRight));
    EXPECT_EQ(port.read(1, 2000), hex("06"));

    // A program recycles its port after a time-out: the master must keep serving.
    port.close();
    ASSERT_TRUE(port.open(sim.slavePath()));
    ASSERT_TRUE(port.write(commandFrame(1, 1, 1, hex("C103E8"))));
    const QByteArray reply = port.read(43, 2000);
    ASSERT_EQ(reply.size(), 43);
    EXPECT_TRUE(isGoodDataReply(reply));
    EXPECT_EQ(reply.mid(8, 32), sim.device().camera(1).block(1000));
    EXPECT_EQ(sim.device().frameCount(0xC1), 1);

    sim.stop();
    EXPECT_TRUE(port.waitForHangUp(2000));
    EXPECT_FALSE(sim.host().isOpen());
}

// Wire time of `bytes` bytes of 8E1 at `rate`, in milliseconds.
double wireMs(int bytes, int rate) {
    return bytes * 11 * 1000.0 / rate;
}

// These tests run while the machine may be busy. Every byte is timed on a clock started
// before the request was written, so a byte can never seem early: "not before its wire
// time" holds exactly. How late a byte may be depends on the load, so nothing here bounds
// it: how closely the host keeps the schedule is measured by bench_pacing.

TEST(PtyHost, PacesBothDirectionsAtTheBitRate) {
    constexpr int Rate = 9600;
    SimConfig config;
    config.bitRate = Rate;
    SimulatedController sim(config);
    ASSERT_TRUE(sim.start(nullptr));
    PtySlave port;
    ASSERT_TRUE(port.open(sim.slavePath()));

    // Three block writes back to back (3 x 43 bytes in), then three block reads (3 x 11 in,
    // 3 x 43 out), all written at once. Each frame is answered once its last byte has
    // crossed the wire: ACKs after bytes 43, 86, 129; the reads complete at 140, 151, 162
    // but their answers queue behind each other: 140 + 3 x 43 = 269 byte times in all.
    QByteArray requests;
    for (int block = 1; block <= 3; ++block)
        requests += commandFrame(1, 0, 1, hex("C100") + char(block) + QByteArray(32, char(block)));
    for (int block = 1; block <= 3; ++block)
        requests += commandFrame(1, 1, 1, hex("C100") + char(block));
    QElapsedTimer sinceWrite;
    sinceWrite.start();
    ASSERT_TRUE(port.write(requests));
    QList<qint64> arrivals;
    const QByteArray answers = port.readOnThread(3 + 3 * 43, 5000, &arrivals, &sinceWrite);
    ASSERT_EQ(answers.size(), 3 + 3 * 43);
    EXPECT_EQ(answers.left(3), hex("060606"));
    EXPECT_EQ(answers.mid(3 + 8, 32), QByteArray(32, char(1)));

    // Byte i of the answers is due when its last bit has arrived: ACK k after 43 k + 1
    // byte times, read answer byte j after 140 + j + 1.
    const double byteMs = wireMs(1, Rate);
    for (qsizetype i = 0; i < answers.size(); ++i) {
        const double dueMs = (i < 3 ? 43 * (i + 1) + 1 : 140 + (i - 3) + 1) * byteMs;
        // 10 us: the host counts a byte time in whole nanoseconds.
        EXPECT_GE(arrivals.at(i) / 1e6, dueMs - 0.01)
            << "byte " << i << " came before its wire time";
    }
    // Unpaced, everything would be there at once (the bounds above); the total against the
    // wire time is measured by bench_pacing.
}

TEST(PtyHost, FragmentGapsAndGarbageReachTheLine) {
    SimConfig config;
    config.seed = 3;
    config.faults.addFragment(u"20:40@C1"_qs, nullptr);
    config.faults.addGarbage(u"4@C1:2"_qs, nullptr);
    SimulatedController sim(config);
    ASSERT_TRUE(sim.start(nullptr));
    PtySlave port;
    ASSERT_TRUE(port.open(sim.slavePath()));

    QElapsedTimer sinceWrite;
    sinceWrite.start();
    port.write(commandFrame(1, 1, 1, hex("C10001")));
    QList<qint64> arrivals;
    const QByteArray reply = port.readOnThread(43, 3000, &arrivals, &sinceWrite);
    ASSERT_EQ(reply.size(), 43);
    EXPECT_TRUE(isGoodDataReply(reply));
    // Pieces of 20, 20 and 3 bytes, 40 ms apart: the second and third never come sooner.
    EXPECT_GE(arrivals.at(20) / 1e6, 40.0);
    EXPECT_GE(arrivals.at(40) / 1e6, 80.0);

    port.write(commandFrame(1, 1, 1, hex("C10002")));
    const QByteArray noisy = port.readOnThread(4 + 43, 3000);
    ASSERT_EQ(noisy.size(), 47);
    EXPECT_TRUE(isGoodDataReply(noisy.mid(4)));
}

// The simulator attached to an existing line through QSerialPort (zelsim --device): here the
// slave of a pseudo-terminal made by the test, whose master plays the PC.

TEST(SerialDeviceHost, ServesALineItDidNotCreate) {
    PtyMaster pc;
    ASSERT_TRUE(pc.isOpen());
    CameraControllerSim device;
    SerialDeviceHost host(device);
    QString error;
    ASSERT_TRUE(host.open(pc.slavePath(), 38400, &error)) << error.toStdString();

    pc.write(commandFrame(2, 0, 1, hex("8901"))); // alarm reset takes no parameter
    pc.write(commandFrame(2, 0, 1, hex("89")));
    EXPECT_EQ(pc.read(2, 2000), hex("1506"));
    pc.write(commandFrame(2, 1, 1, hex("B1020000")));
    const QByteArray title = pc.read(28, 2000);
    ASSERT_EQ(title.size(), 28);
    EXPECT_EQ(title.mid(9, 16), CameraUnit::encodeTitle("CAM 2"));
    EXPECT_EQ(device.frameCount(0x89), 2);
    host.stop();
    EXPECT_FALSE(host.isOpen());
}

TEST(SerialDeviceHost, ReportsAPathThatCannotBeOpened) {
    CameraControllerSim device;
    SerialDeviceHost host(device);
    QString error;
    EXPECT_FALSE(host.open(u"/dev/zel-no-such-port"_qs, 38400, &error));
    EXPECT_TRUE(error.contains(u"zel-no-such-port"_qs));
}

// Wire-time schedule of the pacer, on a clock of our own.

constexpr qint64 Ms = 1000000;

TEST(WirePacer, DeadlinesAreAbsoluteSoNothingAccumulates) {
    WirePacer pacer(9600); // 11 bits a byte: 1145833 ns
    ASSERT_EQ(pacer.byteTimeNs(), 1145833);
    pacer.send({{QByteArray(1000, 'x'), 0}}, 0);
    // However unevenly the host wakes up, byte k is due at k byte times.
    qint64 taken = 0;
    for (qint64 now = 7 * Ms; taken < 1000; now += 13 * Ms) {
        const QByteArray due = pacer.takeDueOutput(now);
        taken += due.size();
        EXPECT_EQ(taken, std::min<qint64>(1000, now / pacer.byteTimeNs()));
    }
    EXPECT_TRUE(pacer.isIdle());
}

TEST(WirePacer, EightNoneOneTakesTenBitsAByte) {
    WirePacer pacer(19200);
    pacer.setBitsPerByte(10); // the CPU in boot mode
    EXPECT_EQ(pacer.byteTimeNs(), 520833);
    pacer.setBitRate(9600);
    EXPECT_EQ(pacer.byteTimeNs(), 1041666);
}

TEST(WirePacer, InputIsHandedOnAfterItsWireTimeAndAnswersQueue) {
    WirePacer pacer(38400);
    const qint64 byte = pacer.byteTimeNs();
    pacer.received(QByteArray(11, 'a'), 0);
    EXPECT_TRUE(pacer.takeDueInput(11 * byte - 1).size() == 10);
    EXPECT_EQ(pacer.takeDueInput(11 * byte).size(), 1);
    EXPECT_EQ(pacer.inputDeliveredNs(), 11 * byte);

    // Two answers given at the same instant leave one after the other, with a gap.
    pacer.send({{QByteArray(2, 'r'), 0}}, 11 * byte);
    pacer.send({{QByteArray(1, 's'), 0}, {QByteArray(1, 't'), 5}}, 11 * byte);
    EXPECT_EQ(pacer.nextDeadline(), 12 * byte);
    EXPECT_EQ(pacer.takeDueOutput(14 * byte), QByteArray("rrs"));
    EXPECT_EQ(pacer.nextDeadline(), 15 * byte + 5 * Ms);
}

TEST(WirePacer, UnpacedSendsAtOnceExceptForGaps) {
    WirePacer pacer;
    pacer.received(QByteArray("abc"), 100);
    EXPECT_EQ(pacer.takeDueInput(100), QByteArray("abc"));
    pacer.send({{QByteArray("12"), 0}, {QByteArray("34"), 20}}, 100);
    EXPECT_EQ(pacer.takeDueOutput(100), QByteArray("12"));
    EXPECT_EQ(pacer.takeDueOutput(100 + 20 * Ms - 1), QByteArray());
    EXPECT_EQ(pacer.takeDueOutput(100 + 20 * Ms), QByteArray("34"));
}

} // namespace
