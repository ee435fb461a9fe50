// zelctl interrupted in the middle of a transfer or a wait: by SIGINT or SIGTERM, by a pulled
// port, and a second zelctl on a port that one already holds.
#include "CameraControllerSim.h"
#include "CameraUnit.h"
#include "EventLoopWait.h"
#include "MistakenTargets.h"
#include "ZelctlTest.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <csignal>

using namespace zel::test;

constexpr int kWaitMs = 30000;

class CliSignalTest : public ZelctlTest {
protected:
    void prepare() override {
        zel::sim::SimConfig config;
        config.bitRate = 9600; // about 50 ms a block: long enough to interrupt
        startSimulator(config);
    }
    void startQuiet(const QStringList& args) { startLive(Words("--quiet") + args); }
    std::function<bool()> framesSeen(int command, int count) {
        return [this, command, count] { return simulator->device().frameCount(command) >= count; };
    }
};

TEST_F(CliSignalTest, InterruptedBackupDownloadKeepsTheOldFileAndTheBlocks) {
    const QString file = path("cam.bin");
    const QString partial = file + u".partial"_qs;
    ASSERT_TRUE(writeBytes(file, "previous backup"));
    ASSERT_TRUE(writeBytes(partial, QByteArray())); // left by an earlier run
    startQuiet(cmd("backup download --camera=3 --remote=1 @cam.bin"));
    EXPECT_EQ(signalLiveWhen([&partial] { return QFileInfo(partial).size() >= 3 * 32; }, SIGINT),
              130);
    const QString err = liveErr();
    EXPECT_TRUE(Holds(err, partial + u" from an earlier download will be replaced"_qs));
    const QRegularExpression line(
        u"interrupted: (\\d+) of 1000 blocks kept in (.*); (.*) left as it was\n"_qs);
    const auto match = line.match(err);
    ASSERT_TRUE(match.hasMatch()) << err.toStdString();
    EXPECT_EQ((QStringList{match.captured(2), match.captured(3)}), (QStringList{partial, file}));
    const int blocks = match.captured(1).toInt();
    EXPECT_GE(blocks, 3);
    EXPECT_EQ(readBytes(file), QByteArray("previous backup"));
    EXPECT_EQ(readBytes(partial), simulator->device().camera(3).settings().left(blocks * 32));
}

TEST_F(CliSignalTest, TerminatedTitleDownloadLeavesTheOldFile) {
    ASSERT_TRUE(writeBytes(path("titles.ttl"), "old titles"));
    startQuiet(cmd("titles download --camera=1 --remote=1 @titles.ttl"));
    EXPECT_EQ(signalLiveWhen(framesSeen(0xB1, 3), SIGTERM), 143);
    const QString err = liveErr();
    EXPECT_TRUE(err.contains(QRegularExpression(
        u"interrupted after \\d+ of 302 titles; .*titles.ttl was not written"_qs)))
        << err.toStdString();
    EXPECT_EQ(readBytes(path("titles.ttl")), QByteArray("old titles"));
}

TEST_F(CliSignalTest, SecondZelctlOnAHeldPortNamesTheLock) {
    startQuiet(cmd("backup download --camera=1 --remote=1 @cam.bin"));
    ASSERT_TRUE(waitUntil(framesSeen(0xC1, 1), kWaitMs));
    const ProgramRun second = run(cmd("--quiet backup download --camera=1 --remote=1 @other.bin"));
    EXPECT_TRUE(
        Ended(second, 1, u"held by zelctl (process %1) through the lock"_qs.arg(live.processId())));
    EXPECT_FALSE(QFileInfo::exists(path("other.bin.partial")));
    EXPECT_EQ(signalLiveWhen([] { return true; }, SIGTERM), 143);
}

TEST_F(CliSignalTest, PulledPortEndsWithExitOneNamingTheDevice) {
    const QString device = simulator->slavePath();
    startLive(cmd("backup download --camera=1 --remote=1 @cam.bin")); // with progress lines
    // Past the first progress line, so a later state waits for its line.
    ASSERT_TRUE(waitUntil(framesSeen(0xC1, 25), kWaitMs));
    simulator->stop();
    EXPECT_EQ(liveExit(), 1);
    const QString err = liveErr();
    EXPECT_TRUE(Holds(err, u"zelctl: the serial port went away: "_qs + device));
    // One event, one message: no time-out reported for the same loss.
    EXPECT_FALSE(Holds(err, "Timeout error"));
    // No progress line follows the message: the last state comes before it.
    EXPECT_LT(err.lastIndexOf(u"In DOWNLOAD: "_qs),
              err.indexOf(u"zelctl: the serial port went away"_qs))
        << err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(path("cam.bin")));
    EXPECT_TRUE(QFileInfo::exists(path("cam.bin.partial")));
}

TEST_F(CliSignalTest, InterruptedSiteBackupEndsAtTheCameraInFlight) {
    ASSERT_TRUE(writeBytes(path("cam002.bin"), "previous backup"));
    startQuiet(cmd("backup download --camera=2-4 --remote=1 @"));
    const QString partial = path("cam002.bin.partial");
    EXPECT_EQ(signalLiveWhen([&partial] { return QFileInfo(partial).size() >= 3 * 32; }, SIGINT),
              130);
    const QString out = QString::fromUtf8(live.readAllStandardOutput());
    EXPECT_TRUE(Holds(out, "     2  stopped "));
    EXPECT_TRUE(EndsWith(out, "0 of 1 cameras done, 1 failed\n"));
    EXPECT_TRUE(liveErr().contains(u"interrupted: 2 of 3 cameras not reached"_qs));
    EXPECT_EQ(readBytes(path("cam002.bin")), QByteArray("previous backup"));
    EXPECT_FALSE(QFileInfo::exists(path("cam003.bin.partial"))); // never started
}

TEST_F(CliSignalTest, InterruptedTestRunKeepsTheEarlierResultFile) {
    ASSERT_TRUE(writeBytes(path("rows.trf"), SendDataFileBytes(true)));
    ASSERT_TRUE(writeBytes(path("out.rsl"), "earlier result"));
    startQuiet(cmd("test run @rows.trf --rounds 100000 --rsl @out.rsl"));
    EXPECT_EQ(signalLiveWhen(framesSeen(0x20, 3), SIGINT), 130);
    EXPECT_TRUE(Holds(liveErr(), path("out.rsl") + u" was not written"_qs));
    EXPECT_EQ(readBytes(path("out.rsl")), QByteArray("earlier result"));
    EXPECT_EQ(QDir(dir.path()).entryList({u"out.rsl*"_qs}, QDir::Files),
              QStringList{u"out.rsl"_qs}); // no temporary left beside it
}

TEST_F(CliSignalTest, SendInterruptedWhileWaitingNamesTheExchangeInTheRunsLanguage) {
    // A long reply wait, and a camera the simulator does not have: nothing answers.
    ASSERT_TRUE(writeBytes(path("zel.ini"), "[RsWait]\nTimeOutWait=60000\n"));
    const std::pair<const char*, QString> cases[] = {
        {"--lang en send --camera 200 --remote 1 200000000000",
         u"zelctl: interrupted while waiting for the answer (camera 200, "
         "command 20); nothing was kept\n"_qs},
        {"--lang ja send --camera 200 --remote 1 200000000000",
         u"zelctl: 応答待ちの間に中断しました (カメラ 200、コマンド 20)。"
         "何も保存していません\n"_qs},
    };
    int sent = 0;
    for (const auto& [args, line] : cases) {
        SCOPED_TRACE(args);
        startLive(cmd(args));
        EXPECT_EQ(signalLiveWhen(framesSeen(0x20, ++sent), SIGINT), 130);
        EXPECT_EQ(liveErr(), line);
        EXPECT_TRUE(live.readAllStandardOutput().isEmpty());
    }
}
