// zelctl backup as a separate process on the pseudo-terminal of an in-process simulator.
#include "CameraControllerSim.h"
#include "FaultRules.h"
#include "FileSizeLimit.h"
#include "TestFiles.h"
#include "TextHolds.h"
#include "ZelctlTest.h"

#include <QFile>
#include <QFileInfo>

using namespace zel::sim;
using namespace zel::test;

namespace {

class BackupCliTest : public ZelctlTest {
protected:
    ProgramRun run(const QStringList& args) { return ZelctlTest::run(Words("--quiet") + args); }
};

TEST_F(BackupCliTest, DownloadThenUploadWithVerification) {
    startSimulator();
    const QString file = path("cam2.bin");
    ProgramRun down = run(cmd("backup download --camera 2 --remote 7 @cam2.bin"));
    EXPECT_EQ(down.exitCode, 0) << down.err.toStdString();
    EXPECT_EQ(down.out, QStringLiteral("DOWNLOAD is completed.\n"));
    EXPECT_EQ(down.err, QStringLiteral("file written: %1\n").arg(file));
    const QByteArray image = readBytes(file);
    EXPECT_EQ(image, simulator->device().camera(2).settings());

    ProgramRun up = run(cmd("backup upload --camera=3 --remote=1 @cam2.bin"));
    EXPECT_EQ(up.exitCode, 0) << up.err.toStdString();
    EXPECT_EQ(up.out, QStringLiteral("Verification is completed.\n"));
    EXPECT_EQ(up.err, QString()) << "an upload writes no file";
    EXPECT_EQ(simulator->device().camera(3).settings(), image);
    EXPECT_EQ(simulator->device().frameCount(0xC1), 3000);
}

// A short or missing file is pinned with the other commands' in MessagesCliTest.
TEST_F(BackupCliTest, FailuresGiveExitOneWithTheMessage) {
    SimConfig config;
    config.faults.add(faultRule(FaultKind::Busy, 0xC1, 3));
    startSimulator(config);
    ASSERT_TRUE(writeBytes(path("image.bin"), QByteArray(32000, '\x11')));
    const ProgramRun busyRun =
        run(cmd("backup upload --no-verify --camera 1 --remote 1 @image.bin"));
    EXPECT_EQ(busyRun.exitCode, 1);
    // The message says which camera and block got the refusals.
    EXPECT_TRUE(Holds(QLatin1Char('\n') + busyRun.err,
                      "\nCommunication error: Receiving data error. (camera 1, block 3)\n"));
    expectRuns({{"backup upload --camera 1 --remote 1 @", 1, ": not a regular file"}},
               Words("--quiet"));
}

TEST_F(BackupCliTest, ProgressInALogIsPlainLinesEndingWithTheTotal) {
    startSimulator();
    const ProgramRun down = ZelctlTest::run(cmd("backup download --camera 2 --remote 7 @p.bin"));
    ASSERT_EQ(down.exitCode, 0) << down.err.toStdString();
    QStringList lines = down.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines.takeLast(), QStringLiteral("file written: ") + path("p.bin"));
    EXPECT_FALSE(down.err.contains(QLatin1Char('\r'))) << "no terminal redraws in a log";
    EXPECT_TRUE(StartsWith(lines.last(), "In DOWNLOAD: 1000/1000 blocks, "));
    EXPECT_TRUE(Holds(lines.last(), " elapsed"));
    for (const QString& line : lines)
        EXPECT_TRUE(StartsWith(line, "In DOWNLOAD: "));
}

TEST_F(BackupCliTest, ProgressInALogEndsBeforeTheMessageOfAFailure) {
    SimConfig config;
    config.faults.add(faultRule(FaultKind::Drop, 0xC1, 25));
    startSimulator(config);
    const ProgramRun down = ZelctlTest::run(cmd("backup download --camera 1 --remote 1 @d.bin"));
    EXPECT_EQ(down.exitCode, 1);
    const QStringList lines = down.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 2) << down.err.toStdString();
    // The last progress state (24 blocks stored) comes before the message, never after it.
    EXPECT_EQ(lines.last(),
              QStringLiteral("Communication error: Timeout error (camera 1, block 25) on ") +
                  simulator->slavePath())
        << down.err.toStdString();
    EXPECT_TRUE(StartsWith(lines[lines.size() - 2], "In DOWNLOAD: 24/1000 blocks"));
}

TEST_F(BackupCliTest, FullDiskFailsTheDownloadAndKeepsTheOldBackup) {
    startSimulator();
    const QString file = path("cam1.bin");
    ASSERT_TRUE(writeBytes(file, "old backup"));
    ProgramRun down;
    {
        FileSizeLimit disk(4096); // zelctl inherits it: its files cannot grow past 4 KB
        ASSERT_TRUE(disk.active());
        down = run(Words("backup download --camera 1 --remote 1") << file);
    }
    EXPECT_EQ(down.exitCode, 1);
    // The message says which file, why, and where the blocks received are kept.
    const QString partial = file + QStringLiteral(".partial");
    EXPECT_TRUE(Holds(down.err, QStringLiteral("File input error: Cannot be saved at the file. ") +
                                    partial + QStringLiteral(": File too large")));
    EXPECT_TRUE(Holds(down.err, partial + QStringLiteral(" holds the 128 blocks received")));
    EXPECT_EQ(QFileInfo(partial).size(), 4096);
    EXPECT_TRUE(down.out.isEmpty()) << down.out.toStdString();
    EXPECT_EQ(readBytes(file), QByteArray("old backup"));
}

TEST_F(BackupCliTest, BadNumbersAndUsageErrors) {
    expectRuns({
        {"backup download --camera 256 --remote 1 @x.bin", 2,
         "zelctl: backup: --camera must be a number from 1 to 255 (got '256')\n"},
        {"backup download --camera 1 --remote x @x.bin", 2,
         "--remote must be a number from 1 to 99"},
        {"backup", 2},
        {"backup copy", 2},
        {"backup download --camera 1 --remote 1", 2},
        {"backup download --remote 1 @x.bin", 2},
        {"backup download --no-verify --camera 1 --remote 1 @x.bin", 2},
        {"backup upload --camera 1 --remote", 2},
    });
    EXPECT_FALSE(QFile::exists(path("x.bin")));
}

} // namespace
