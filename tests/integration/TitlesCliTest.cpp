// zelctl titles on files that cannot be read: a message naming the file and the reason, exit
// status 1 and not one frame on the line.
#include "CameraControllerSim.h"
#include "FileSizeLimit.h"
#include "ZelctlTest.h"
#include "common/TextFile.h"

#include <sys/stat.h>

using namespace zel::test;

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
    ASSERT_TRUE(writeBytes(path("utf8.ttl"), u"1:リモコン番号\r\n"_qs.toUtf8()));
    ASSERT_TRUE(writeBytes(path("empty.ttl"), QByteArray()));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo.ttl")).constData(), 0600), 0);
    const std::pair<QString, const char*> cases[] = {
        {path("missing.ttl"), "no such file"},
        {dir.path(), "not a regular file"},
        {path("fifo.ttl"), "not a regular file"},
        {u"/dev/zero"_qs, "not a regular file"},
        {path("random.ttl"), "not a Japanese (Shift-JIS) text file"},
        {path("utf8.ttl"), "not a Japanese (Shift-JIS) text file"},
        {path("empty.ttl"), "holds no data"},
    };
    for (const auto& [file, reason] : cases) {
        const QString expected = u"Error message: "_qs + file + u": "_qs + QLatin1String(reason);
        for (const QString& sub : Words("upload check")) {
            EXPECT_TRUE(Ended(titles(sub, file), 1, expected)) << sub.toStdString();
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
    EXPECT_TRUE(Ended(down, 1, u"Cannot be saved at the file. "_qs + file + u": "_qs, QString()));
    EXPECT_FALSE(Holds(down.err, "file written"));
    EXPECT_EQ(readBytes(file), QByteArray("old titles")); // never cut short in its place
}

TEST_F(TitlesCliTest, CarriageReturnOnlyFileUploadsItsTitles) {
    startSimulator();
    const QString file = path("cr.ttl");
    ASSERT_TRUE(writeBytes(file, "1:Controller No\r2:Camera No\r[CAMERA]\r\"GATE\"\r"));
    EXPECT_TRUE(Ended(titles(u"check"_qs, file), 0));
    ASSERT_TRUE(Ended(titles(u"upload"_qs, file), 0));
    const QString copy = path("copy.ttl");
    ASSERT_TRUE(Ended(run(Words("--quiet titles download --camera=2 --remote=1") << copy), 0,
                      u"file written: %1\n"_qs.arg(copy), u"Transmission is completed.\n"_qs));
    const auto read = zel::ReadTextFile(copy);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.lines.value(3), u"\"GATE\""_qs);
}
