// The simulator on a real pseudo-terminal, driven from the slave side with plain system calls.
#include "PtyHost.h"
#include "CameraControllerSim.h"
#include "PtySlave.h"
#include "SimConfig.h"
#include "SimFrames.h"
#include "SimulatedController.h"

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

} // namespace
