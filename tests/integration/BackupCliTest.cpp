// zelctl backup as a separate process on the pseudo-terminal of an in-process simulator.
#include "CameraControllerSim.h"
#include "FaultRules.h"
#include "FileSizeLimit.h"
#include "ZelctlTest.h"

#include <QFile>
#include <QFileInfo>

using namespace zel::sim;
using namespace zel::test;

class BackupCliTest : public ZelctlTest {
protected:
    ProgramRun run(const QStringList& args) { return ZelctlTest::run(Words("--quiet") + args); }
};

TEST_F(BackupCliTest, DownloadThenUploadWithVerification) {
    startSimulator();
    const QString file = path("cam2.bin");
    EXPECT_TRUE(Ended(run(cmd("backup download --camera 2 --remote 7 @cam2.bin")), 0,
                      u"file written: %1\n"_qs.arg(file), u"DOWNLOAD is completed.\n"_qs));
    const QByteArray image = readBytes(file);
    EXPECT_EQ(image, simulator->device().camera(2).settings());

    EXPECT_TRUE(Succeeded(run(cmd("backup upload --camera=3 --remote=1 @cam2.bin")),
                          u"Verification is completed.\n"_qs))
        << "an upload writes no file";
    EXPECT_EQ(simulator->device().camera(3).settings(), image);
    EXPECT_EQ(simulator->device().frameCount(0xC1), 3000);
}

// A short or missing file is pinned with the other commands' in MessagesCliTest.
TEST_F(BackupCliTest, FailuresGiveExitOneWithTheMessage) {
    SimConfig config;
    config.faults.add(faultRule(FaultKind::Busy, 0xC1, 3));
    startSimulator(config);
    ASSERT_TRUE(writeBytes(path("image.bin"), QByteArray(32000, '\x11')));
    expectRuns({{"backup upload --no-verify --camera 1 --remote 1 @image.bin", 1,
                 "Communication error: Receiving data error. (camera 1, block 3)\n"},
                {"backup upload --camera 1 --remote 1 @", 1, ": not a regular file"}},
               Words("--quiet"));
}

TEST_F(BackupCliTest, ProgressInALogIsPlainLinesEndingWithTheTotal) {
    startSimulator();
    const ProgramRun down = ZelctlTest::run(cmd("backup download --camera 2 --remote 7 @p.bin"));
    ASSERT_EQ(down.exitCode, 0) << down.err.toStdString();
    QStringList lines = down.err.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines.takeLast(), u"file written: "_qs + path("p.bin"));
    EXPECT_FALSE(down.err.contains(u'\r')) << "no terminal redraws in a log";
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
    const QStringList lines = down.err.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 2) << down.err.toStdString();
    // The last progress state (24 blocks stored) comes before the message, never after it.
    EXPECT_EQ(lines.last(), u"Communication error: Timeout error (camera 1, block 25) on "_qs +
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
    const QString partial = file + u".partial"_qs;
    EXPECT_TRUE(Ended(down, 1,
                      u"File input error: Cannot be saved at the file. "_qs + partial +
                          u": File too large"_qs,
                      QString()));
    EXPECT_TRUE(Holds(down.err, partial + u" holds the 128 blocks received"_qs));
    EXPECT_EQ(QFileInfo(partial).size(), 4096);
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
