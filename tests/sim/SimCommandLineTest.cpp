// The zelsim command line.
#include "SimCommandLine.h"
#include "ProgramRun.h"
#include "PtySlave.h"
#include "SimFrames.h"
#include "Words.h"

#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

using namespace zel::sim;
using namespace zel::test;

namespace {

SimCommandLine::Outcome parse(SimCommandLine& line, const char* text) {
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
    EXPECT_TRUE(options.bootCpu);
    EXPECT_EQ(options.config.bitRate, 19200);
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
    EXPECT_EQ(zelsim.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(zelsim.exitCode(), 0);
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

} // namespace
