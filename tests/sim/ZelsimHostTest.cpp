// zelsim: its command line, and the simulator on a real pseudo-terminal driven from the slave
// side with plain system calls.
#include "CameraControllerSim.h"
#include "ProgramRun.h"
#include "PtyHost.h"
#include "PtyMaster.h"
#include "PtySlave.h"
#include "SerialDeviceHost.h"
#include "SimCommandLine.h"
#include "SimConfig.h"
#include "SimFrames.h"
#include "SimulatedController.h"
#include "WirePacer.h"
#include "Words.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

using namespace zel::sim;
using namespace zel::test;

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
    EXPECT_TRUE(port.waitForHangUp(2000) && !sim.host().isOpen());
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
    const double byteMs = 11 * 1000.0 / Rate; // one byte of 8E1
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
        taken += pacer.takeDueOutput(now).size();
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
    EXPECT_EQ(pacer.takeDueInput(11 * byte - 1).size(), 10);
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

// The zelsim command line.

static SimCommandLine::Outcome parse(SimCommandLine& line, const char* text) {
    return line.parse(QStringList{u"zelsim"_qs} + Words(text));
}

TEST(SimCommandLine, ReadsEveryOption) {
    SimCommandLine line;
    ASSERT_EQ(parse(line, "--cameras 3 --rate=38400 --seed 99 --verbose --busy C1:7x3 "
                          "--busy-probability 0.1 --nack 20 --bad-checksum B1:4 --bad-length 15 "
                          "--drop C1 --fragment 8:20 --garbage 2@C1"),
              SimCommandLine::Outcome::Run)
        << line.error().toStdString();
    const SimOptions& options = line.options();
    EXPECT_EQ((QList<qint64>{options.config.cameraCount, options.config.bitRate,
                             options.config.seed, options.seedGiven, options.verbose}),
              (QList<qint64>{3, 38400, 99, true, true}));
    EXPECT_TRUE(options.device.isEmpty());
    ASSERT_EQ(options.config.faults.rules().size(), 8);
    EXPECT_EQ(options.config.faults.rules()[2].kind, FaultKind::Nack);
    EXPECT_EQ(options.config.faults.rules()[5].kind, FaultKind::Drop);

    ASSERT_EQ(parse(line, "--device /dev/ttyUSB0"), SimCommandLine::Outcome::Run);
    EXPECT_EQ(line.options().device, u"/dev/ttyUSB0"_qs);
    // The pty is unpaced by default.
    EXPECT_EQ((QList<int>{line.options().deviceRate, line.options().config.bitRate,
                          line.options().seedGiven}),
              (QList<int>{38400, 0, false}));
    EXPECT_EQ(parse(line, "--verbose --help"), SimCommandLine::Outcome::Help);
}

TEST(SimCommandLine, RefusesBadUsageWithAReason) {
    const char* bad[] = {"--cameras 256", "--cameras", "--rate 0",   "--seed -1",
                         "--busy QQ",     "--frob",    "extra",      "--fragment 8",
                         "--garbage x",   "--device=", "--rate fast"};
    for (const char* text : bad) {
        SimCommandLine line;
        EXPECT_EQ(parse(line, text), SimCommandLine::Outcome::Error) << text;
        EXPECT_FALSE(line.error().isEmpty()) << text;
    }
}

TEST(SimCommandLine, BootCpuOptions) {
    SimCommandLine line;
    ASSERT_EQ(parse(line, "--boot-cpu --rate 19200 --busy-block 7x3 --write-error 9 "
                          "--bad-reply-checksum=4 --silent-after 2047 --erase-error --no-cpu "
                          "--save-image /tmp/f.bin"),
              SimCommandLine::Outcome::Run)
        << line.error().toStdString();
    const SimOptions& options = line.options();
    EXPECT_EQ(std::pair(options.bootCpu, options.config.bitRate), std::pair(true, 19200));
    const auto& faults = options.bootFaults;
    EXPECT_EQ((QList<int>{faults.busyBlock, faults.busyCount, faults.writeErrorBlock,
                          faults.badChecksumBlock, faults.silentAfterBlock}),
              (QList<int>{7, 3, 9, 4, 2047}));
    EXPECT_TRUE(options.bootFaults.eraseError && options.bootFaults.noCpu);
    EXPECT_EQ(options.saveImage, u"/tmp/f.bin"_qs);
    ASSERT_EQ(parse(line, "--boot-cpu --device /dev/ttyS0"), SimCommandLine::Outcome::Run);
    EXPECT_EQ(line.options().deviceRate, 19200);

    // Out of range, without --boot-cpu, or mixed with the controller's faults.
    for (const char* text : {"--boot-cpu --write-error 2048", "--boot-cpu --busy-block 3x0",
                             "--boot-cpu --silent-after 5x2", "--erase-error", "--save-image f.bin",
                             "--boot-cpu --nack 20", "--boot-cpu --save-image="}) {
        EXPECT_EQ(parse(line, text), SimCommandLine::Outcome::Error) << text;
        EXPECT_FALSE(line.error().isEmpty()) << text;
    }
}

// The zelsim program as other programs and scripts use it: first stdout line names the
// slave, the line answers, a signal ends it cleanly, bad usage exits 2.

class ZelsimProgram : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QFileInfo::exists(zelsimPath))
            GTEST_SKIP() << "zelsim not built";
    }
    const QString zelsimPath = BuiltProgram(u"zelsim"_qs);
    QProcess zelsim;
};

TEST_F(ZelsimProgram, PrintsTheSlaveAnswersAndEndsOnSigterm) {
    zelsim.start(zelsimPath, Words("--cameras 2 --nack 40x1 --seed 5"));
    ASSERT_TRUE(zelsim.waitForStarted(5000));
    ASSERT_TRUE(zelsim.waitForReadyRead(5000));
    const QString first = QString::fromLocal8Bit(zelsim.readLine()).trimmed();
    ASSERT_TRUE(first.startsWith(u"zelsim: /dev/"_qs)) << first.toStdString();

    PtySlave port;
    ASSERT_TRUE(port.open(first.mid(8)));
    for (const char* answer : {"15", "06"}) { // the one NACK asked for, then ACK
        port.write(commandFrame(2, 0, 1, hex("40")));
        EXPECT_EQ(port.read(1, 3000), hex(answer));
    }
    port.write(commandFrame(3, 0, 1, hex("40")));
    EXPECT_TRUE(port.readUntilQuiet(150).isEmpty());

    zelsim.terminate(); // SIGTERM
    ASSERT_TRUE(zelsim.waitForFinished(5000));
    EXPECT_EQ(std::pair(zelsim.exitStatus(), zelsim.exitCode()),
              std::pair(QProcess::NormalExit, 0));
    EXPECT_TRUE(QString::fromLocal8Bit(zelsim.readAllStandardError()).contains(u"seed 5"_qs));
    EXPECT_TRUE(port.waitForHangUp(2000));
}

TEST_F(ZelsimProgram, BadUsageExitsTwoWithAReason) {
    zelsim.start(zelsimPath, Words("--busy C1:x"));
    ASSERT_TRUE(zelsim.waitForFinished(5000));
    EXPECT_EQ(zelsim.exitCode(), 2);
    EXPECT_TRUE(zelsim.readAllStandardOutput().isEmpty());
    EXPECT_TRUE(zelsim.readAllStandardError().contains("--busy"));
}
