// zelctl interrupted in the middle of a transfer: by SIGINT or SIGTERM, by a pulled port, and
// a second zelctl on a port that one already holds.
#include "CameraControllerSim.h"
#include "CameraUnit.h"
#include "EventLoopWait.h"
#include "MistakenTargets.h"
#include "ProcessSignal.h"
#include "TestFiles.h"
#include "ZelctlTest.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <csignal>

using namespace zel::test;

namespace {

constexpr int kWaitMs = 30000;

class CliSignalTest : public ZelctlTest {
protected:
    void SetUp() override {
        ZelctlTest::SetUp();
        if (IsSkipped())
            return;
        zel::sim::SimConfig config;
        config.bitRate = 9600; // about 50 ms a block: long enough to interrupt
        startSimulator(config);
    }
    void TearDown() override {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    void start(const QStringList& args, bool quiet = true) {
        QStringList options = Words("--folder")
                              << dir.path() << Words("--port") << simulator->slavePath();
        if (quiet)
            options.append(QStringLiteral("--quiet"));
        m_process.start(program, options + args);
        ASSERT_TRUE(m_process.waitForStarted());
    }
    // Sends `signalNumber` once `ready` holds; the exit status, -1 when it did not end.
    int interruptWhen(const std::function<bool()>& ready, int signalNumber) {
        EXPECT_TRUE(waitUntil(ready, kWaitMs));
        if (!SignalIfRunning(m_process, signalNumber)) {
            ADD_FAILURE() << "zelctl ended before the signal";
            return -1;
        }
        if (!waitUntil([this] { return m_process.state() == QProcess::NotRunning; }, kWaitMs))
            return -1;
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }
    QString errors() { return QString::fromLocal8Bit(m_process.readAllStandardError()); }

    QProcess m_process;
};

TEST_F(CliSignalTest, InterruptedBackupDownloadKeepsTheOldFileAndTheBlocks) {
    const QString file = path("cam.bin");
    const QString partial = file + QStringLiteral(".partial");
    ASSERT_TRUE(writeBytes(file, "previous backup"));
    ASSERT_TRUE(writeBytes(partial, QByteArray())); // left by an earlier run
    start(Words("backup download --camera=3 --remote=1") << file);
    const int exitCode =
        interruptWhen([&partial] { return QFileInfo(partial).size() >= 3 * 32; }, SIGINT);
    EXPECT_EQ(exitCode, 130);
    const QString err = errors();
    EXPECT_TRUE(
        err.contains(partial + QStringLiteral(" from an earlier download will be replaced")))
        << err.toStdString();
    const QRegularExpression line(
        QStringLiteral("interrupted: (\\d+) of 1000 blocks kept in (.*); (.*) left as it was\n"));
    const auto match = line.match(err);
    ASSERT_TRUE(match.hasMatch()) << err.toStdString();
    EXPECT_EQ(match.captured(2), partial);
    EXPECT_EQ(match.captured(3), file);
    const int blocks = match.captured(1).toInt();
    EXPECT_GE(blocks, 3);
    EXPECT_EQ(readBytes(file), QByteArray("previous backup"));
    EXPECT_EQ(readBytes(partial), simulator->device().camera(3).settings().left(blocks * 32));
}

TEST_F(CliSignalTest, TerminatedTitleDownloadLeavesTheOldFile) {
    const QString file = path("titles.ttl");
    ASSERT_TRUE(writeBytes(file, "old titles"));
    start(Words("titles download --camera=1 --remote=1") << file);
    const auto titleFrames = [this] { return simulator->device().frameCount(0xB1) >= 3; };
    EXPECT_EQ(interruptWhen(titleFrames, SIGTERM), 143);
    const QString err = errors();
    EXPECT_TRUE(err.contains(QRegularExpression(
        QStringLiteral("interrupted after \\d+ of 302 titles; .*titles.ttl was not written"))))
        << err.toStdString();
    EXPECT_EQ(readBytes(file), QByteArray("old titles"));
}

TEST_F(CliSignalTest, SecondZelctlOnAHeldPortNamesTheLock) {
    const QString file = path("cam.bin");
    start(Words("backup download --camera=1 --remote=1") << file);
    ASSERT_TRUE(waitUntil([this] { return simulator->device().frameCount(0xC1) >= 1; }, kWaitMs));
    const ProgramRun second =
        run(Words("--quiet backup download --camera=1 --remote=1") << path("other.bin"));
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_TRUE(second.err.contains(
        QStringLiteral("held by zelctl (process %1) through the lock").arg(m_process.processId())))
        << second.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(path("other.bin.partial")));
    EXPECT_EQ(interruptWhen([] { return true; }, SIGTERM), 143);
}

TEST_F(CliSignalTest, PulledPortEndsWithExitOneNamingTheDevice) {
    const QString file = path("cam.bin");
    const QString device = simulator->slavePath();
    start(Words("backup download --camera=1 --remote=1") << file, false);
    // Past the first progress line, so a later state waits for its line.
    ASSERT_TRUE(waitUntil([this] { return simulator->device().frameCount(0xC1) >= 25; }, kWaitMs));
    simulator->stop();
    ASSERT_TRUE(waitUntil([this] { return m_process.state() == QProcess::NotRunning; }, kWaitMs));
    EXPECT_EQ(m_process.exitCode(), 1);
    const QString err = errors();
    EXPECT_TRUE(err.contains(QStringLiteral("zelctl: the serial port went away: ") + device))
        << err.toStdString();
    // One event, one message: no time-out reported for the same loss.
    EXPECT_FALSE(err.contains(QStringLiteral("Timeout error"))) << err.toStdString();
    // No progress line follows the message: the last state comes before it.
    const QStringList lines = err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    qsizetype lostAt = -1, lastProgressAt = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].startsWith(QStringLiteral("zelctl: the serial port went away")))
            lostAt = i;
        if (lines[i].startsWith(QStringLiteral("In DOWNLOAD: ")))
            lastProgressAt = i;
    }
    EXPECT_LT(lastProgressAt, lostAt) << err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_TRUE(QFileInfo::exists(file + QStringLiteral(".partial")));
}

} // namespace

namespace {

TEST_F(CliSignalTest, InterruptedSiteBackupEndsAtTheCameraInFlight) {
    ASSERT_TRUE(writeBytes(path("cam002.bin"), "previous backup"));
    start(Words("backup download --camera=2-4 --remote=1") << dir.path());
    const QString partial = path("cam002.bin.partial");
    EXPECT_EQ(interruptWhen([&partial] { return QFileInfo(partial).size() >= 3 * 32; }, SIGINT),
              130);
    const QString out = QString::fromUtf8(m_process.readAllStandardOutput());
    EXPECT_TRUE(out.contains(QStringLiteral("     2  stopped "))) << out.toStdString();
    EXPECT_TRUE(out.endsWith(QStringLiteral("0 of 1 cameras done, 1 failed\n")))
        << out.toStdString();
    EXPECT_TRUE(errors().contains(QStringLiteral("interrupted: 2 of 3 cameras not reached")));
    EXPECT_EQ(readBytes(path("cam002.bin")), QByteArray("previous backup"));
    EXPECT_FALSE(QFileInfo::exists(path("cam003.bin.partial"))); // never started
}

} // namespace

namespace {

TEST_F(CliSignalTest, InterruptedTestRunKeepsTheEarlierResultFile) {
    const QString trf = path("rows.trf");
    ASSERT_TRUE(writeBytes(trf, SendDataFileBytes(true)));
    const QString rsl = path("out.rsl");
    ASSERT_TRUE(writeBytes(rsl, "earlier result"));
    start(Words("test run") << trf << Words("--rounds 100000 --rsl") << rsl);
    EXPECT_EQ(interruptWhen([this] { return simulator->device().frameCount(0x20) >= 3; }, SIGINT),
              130);
    const QString err = errors();
    EXPECT_TRUE(err.contains(rsl + QStringLiteral(" was not written"))) << err.toStdString();
    EXPECT_EQ(readBytes(rsl), QByteArray("earlier result"));
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("out.rsl*")}, QDir::Files),
              QStringList{QStringLiteral("out.rsl")}); // no temporary left beside it
}

} // namespace
