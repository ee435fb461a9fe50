// zelctl titles on files that cannot be read: a message naming the file and the reason, exit
// status 1 and not one frame on the line.
#include "CameraControllerSim.h"
#include "FileSizeLimit.h"
#include "TestFiles.h"
#include "TextHolds.h"
#include "ZelctlTest.h"
#include "common/TextFile.h"

#include <sys/stat.h>

using namespace zel::test;

namespace {

constexpr int kTitleCommand = 0xB1;

class TitlesCliTest : public ZelctlTest {
protected:
    ProgramRun titles(const QString& sub, const QString& file) {
        return run(Words("--quiet titles") << sub << file);
    }
};

TEST_F(TitlesCliTest, UnreadableFilesAreNeitherCheckedNorUploaded) {
    startSimulator();
    ASSERT_TRUE(writeBytes(path("random.ttl"), QByteArray::fromHex("00ff8f13fe2b7c0d9e41a0")));
    ASSERT_TRUE(writeBytes(path("utf8.ttl"), QStringLiteral("1:リモコン番号\r\n").toUtf8()));
    ASSERT_TRUE(writeBytes(path("empty.ttl"), QByteArray()));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo.ttl")).constData(), 0600), 0);
    const std::pair<QString, const char*> cases[] = {
        {path("missing.ttl"), "no such file"},
        {dir.path(), "not a regular file"},
        {path("fifo.ttl"), "not a regular file"},
        {QStringLiteral("/dev/zero"), "not a regular file"},
        {path("random.ttl"), "not a Japanese (Shift-JIS) text file"},
        {path("utf8.ttl"), "not a Japanese (Shift-JIS) text file"},
        {path("empty.ttl"), "holds no data"},
    };
    for (const auto& [file, reason] : cases) {
        const QString expected =
            QStringLiteral("Error message: ") + file + QStringLiteral(": ") + QLatin1String(reason);
        for (const QString& sub : Words("upload check")) {
            const ProgramRun result = titles(sub, file);
            EXPECT_EQ(result.exitCode, 1) << sub.toStdString() << ' ' << file.toStdString();
            EXPECT_TRUE(Holds(result.err, expected));
        }
    }
    EXPECT_EQ(simulator->device().frameCount(kTitleCommand), 0);
}

TEST_F(TitlesCliTest, FailedSaveAfterDownloadIsNotReportedAsDone) {
    startSimulator();
    const QString file = path("cam1.ttl");
    ASSERT_TRUE(writeBytes(file, "old titles"));
    ProgramRun down;
    {
        FileSizeLimit disk(200); // zelctl inherits it: the title file cannot be written
        ASSERT_TRUE(disk.active());
        down = run(Words("--quiet titles download --camera=1 --remote=1") << file);
    }
    EXPECT_EQ(down.exitCode, 1);
    EXPECT_TRUE(down.out.isEmpty()) << down.out.toStdString();
    EXPECT_TRUE(Holds(down.err, QStringLiteral("Cannot be saved at the file. ") + file +
                                    QStringLiteral(": ")));
    EXPECT_FALSE(Holds(down.err, "file written"));
    EXPECT_EQ(readBytes(file), QByteArray("old titles")); // never cut short in its place
}

TEST_F(TitlesCliTest, CarriageReturnOnlyFileUploadsItsTitles) {
    startSimulator();
    const QString file = path("cr.ttl");
    ASSERT_TRUE(writeBytes(file, "1:Controller No\r2:Camera No\r[CAMERA]\r\"GATE\"\r"));
    const ProgramRun check = titles(QStringLiteral("check"), file);
    EXPECT_EQ(check.exitCode, 0) << check.err.toStdString();
    const ProgramRun upload = titles(QStringLiteral("upload"), file);
    ASSERT_EQ(upload.exitCode, 0) << upload.err.toStdString();
    const QString copy = path("copy.ttl");
    const ProgramRun download = run(Words("--quiet titles download --camera=2 --remote=1") << copy);
    ASSERT_EQ(download.exitCode, 0) << download.err.toStdString();
    EXPECT_EQ(download.out, QStringLiteral("Transmission is completed.\n"));
    EXPECT_EQ(download.err, QStringLiteral("file written: %1\n").arg(copy));
    const auto read = zel::ReadTextFile(copy);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.lines.value(3), QStringLiteral("\"GATE\""));
}

} // namespace
