// zelctl backup as a separate process on the pseudo-terminal of an in-process simulator.
#include "CameraControllerSim.h"
#include "FaultRules.h"
#include "FileSizeLimit.h"
#include "TestFiles.h"
#include "ZelctlTest.h"

#include <QFile>
#include <QFileInfo>

using namespace zel::sim;
using namespace zel::test;

namespace {

bool hasLine(const QString& output, const char* line) {
    return output.split(QLatin1Char('\n')).contains(QString::fromUtf8(line));
}

class BackupCliTest : public ZelctlTest {
protected:
    ProgramRun run(const QStringList& args) {
        return ZelctlTest::run(QStringList{QStringLiteral("--quiet")} + args);
    }
};

TEST_F(BackupCliTest, DownloadThenUploadWithVerification) {
    startSimulator();
    const QString file = path("cam2.bin");
    ProgramRun down = run(Words("backup download --camera 2 --remote 7") << file);
    EXPECT_EQ(down.exitCode, 0) << down.err.toStdString();
    EXPECT_EQ(down.out, QStringLiteral("DOWNLOAD is completed.\n"));
    EXPECT_EQ(down.err, QStringLiteral("file written: %1\n").arg(file));
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray image = saved.readAll();
    EXPECT_EQ(image, simulator->device().camera(2).settings());

    ProgramRun up = run(Words("backup upload --camera=3 --remote=1") << file);
    EXPECT_EQ(up.exitCode, 0) << up.err.toStdString();
    EXPECT_EQ(up.out, QStringLiteral("Verification is completed.\n"));
    EXPECT_EQ(up.err, QString()) << "an upload writes no file";
    EXPECT_EQ(simulator->device().camera(3).settings(), image);
    EXPECT_EQ(simulator->device().frameCount(0xC1), 3000);
}

TEST_F(BackupCliTest, FailuresGiveExitOneWithTheMessage) {
    SimConfig config;
    config.faults.add(faultRule(FaultKind::Busy, 0xC1, 3));
    startSimulator(config);
    const QString image = path("image.bin");
    ASSERT_TRUE(writeBytes(image, QByteArray(32000, '\x11')));

    const ProgramRun busyRun =
        run(Words("backup upload --no-verify --camera 1 --remote 1") << image);
    EXPECT_EQ(busyRun.exitCode, 1);
    // The message says which camera and block got the refusals.
    EXPECT_TRUE(
        hasLine(busyRun.err, "Communication error: Receiving data error. (camera 1, block 3)"))
        << busyRun.err.toStdString();

    const QString shortImage = path("short.bin");
    ASSERT_TRUE(writeBytes(shortImage, QByteArray(31999, '\x11')));
    const ProgramRun shortRun = run(Words("backup upload --camera 1 --remote 1") << shortImage);
    EXPECT_EQ(shortRun.exitCode, 1);
    EXPECT_TRUE(hasLine(shortRun.err, "File input error: File incorrect"))
        << shortRun.err.toStdString();

    // A file that is not there is named and said to be missing, not "incorrect".
    const QString missing = path("missing.bin");
    const ProgramRun missingRun = run(Words("backup upload --camera 1 --remote 1") << missing);
    EXPECT_EQ(missingRun.exitCode, 1);
    EXPECT_EQ(missingRun.err, QStringLiteral("zelctl: backup: %1: no such file\n").arg(missing));
    const ProgramRun folderRun = run(Words("backup upload --camera 1 --remote 1") << dir.path());
    EXPECT_EQ(folderRun.exitCode, 1);
    EXPECT_TRUE(folderRun.err.contains(QStringLiteral(": not a regular file")));
}

TEST_F(BackupCliTest, ProgressInALogIsPlainLinesEndingWithTheTotal) {
    startSimulator();
    const ProgramRun down =
        ZelctlTest::run(Words("backup download --camera 2 --remote 7") << path("p.bin"));
    ASSERT_EQ(down.exitCode, 0) << down.err.toStdString();
    QStringList lines = down.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines.takeLast(), QStringLiteral("file written: ") + path("p.bin"));
    EXPECT_FALSE(down.err.contains(QLatin1Char('\r'))) << "no terminal redraws in a log";
    EXPECT_TRUE(lines.last().startsWith(QStringLiteral("In DOWNLOAD: 1000/1000 blocks, ")))
        << lines.last().toStdString();
    EXPECT_TRUE(lines.last().contains(QStringLiteral(" elapsed")));
    for (const QString& line : lines)
        EXPECT_TRUE(line.startsWith(QStringLiteral("In DOWNLOAD: "))) << line.toStdString();
}

TEST_F(BackupCliTest, ProgressInALogEndsBeforeTheMessageOfAFailure) {
    SimConfig config;
    config.faults.add(faultRule(FaultKind::Drop, 0xC1, 25));
    startSimulator(config);
    const ProgramRun down =
        ZelctlTest::run(Words("backup download --camera 1 --remote 1") << path("d.bin"));
    EXPECT_EQ(down.exitCode, 1);
    const QStringList lines = down.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 2) << down.err.toStdString();
    // The last progress state (24 blocks stored) comes before the message, never after it.
    EXPECT_EQ(lines.last(),
              QStringLiteral("Communication error: Timeout error (camera 1, block 25) on ") +
                  simulator->slavePath())
        << down.err.toStdString();
    EXPECT_TRUE(lines[lines.size() - 2].startsWith(QStringLiteral("In DOWNLOAD: 24/1000 blocks")))
        << down.err.toStdString();
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
    EXPECT_TRUE(
        down.err.contains(QStringLiteral("File input error: Cannot be saved at the file. ") +
                          partial + QStringLiteral(": File too large")))
        << down.err.toStdString();
    EXPECT_TRUE(down.err.contains(partial + QStringLiteral(" holds the 128 blocks received")))
        << down.err.toStdString();
    EXPECT_EQ(QFileInfo(partial).size(), 4096);
    EXPECT_TRUE(down.out.isEmpty()) << down.out.toStdString();
    EXPECT_EQ(readBytes(file), QByteArray("old backup"));
}

TEST_F(BackupCliTest, BadNumbersAndUsageErrors) {
    const ProgramRun range = run(Words("backup download --camera 256 --remote 1") << path("x.bin"));
    EXPECT_EQ(range.exitCode, 2);
    EXPECT_EQ(
        range.err,
        QStringLiteral("zelctl: backup: --camera must be a number from 1 to 255 (got '256')\n"));
    const ProgramRun remote = run(Words("backup download --camera 1 --remote x") << path("x.bin"));
    EXPECT_EQ(remote.exitCode, 2);
    EXPECT_TRUE(remote.err.contains(QStringLiteral("--remote must be a number from 1 to 99")))
        << remote.err.toStdString();

    const QList<QStringList> usage{
        {QStringLiteral("backup")},
        Words("backup copy"),
        Words("backup download --camera 1 --remote 1"),
        Words("backup download --remote 1") << path("x.bin"),
        Words("backup download --no-verify --camera 1 --remote 1") << path("x.bin"),
        Words("backup upload --camera 1 --remote"),
    };
    for (const QStringList& args : usage)
        EXPECT_EQ(run(args).exitCode, 2) << args.join(QLatin1Char(' ')).toStdString();
    EXPECT_FALSE(QFile::exists(path("x.bin")));
}

} // namespace
