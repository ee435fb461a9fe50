// Whole-site zelctl operations against the simulator: several cameras on one line, one of
// them absent, one caught in a BUSY storm.
#include "CameraControllerSim.h"
#include "FaultRules.h"
#include "ZelctlTest.h"

#include <QDir>
#include <QFile>

using namespace zel::sim;
using namespace zel::test;

class SiteCliTest : public ZelctlTest {
protected:
    // Cameras 1..3 answer; the first camera to ask for block 5 meets four BUSY in a row (one
    // more than the retries allow), the next one asking for block 7 two (within them).
    void startSite() {
        SimConfig config;
        config.cameraCount = 3;
        config.faults.add(faultRule(FaultKind::Busy, 0xC1, 5, 4));
        config.faults.add(faultRule(FaultKind::Busy, 0xC1, 7, 2));
        startSimulator(config);
    }
};

TEST_F(SiteCliTest, BackupOfManyCamerasSkipsTheFailedAndKeepsTheirFiles) {
    startSite();
    const QString cam1 = path("cam001.bin");
    ASSERT_TRUE(writeBytes(cam1, "backup of last year"));
    const ProgramRun result = run(cmd("--quiet backup download --camera 1-3,9 --remote 1 @"));
    EXPECT_EQ(result.exitCode, 1) << result.err.toStdString();
    const QStringList table = result.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(table.size(), 6) << result.out.toStdString();
    EXPECT_EQ(table[0], u"camera  result           bytes  seconds"_qs);
    EXPECT_TRUE(table[1].startsWith(u"     1  receive error        0 "_qs));
    EXPECT_TRUE(table[2].startsWith(u"     2  ok               32000 "_qs));
    EXPECT_TRUE(table[3].startsWith(u"     3  ok               32000 "_qs));
    EXPECT_TRUE(table[4].startsWith(u"     9  no answer            0 "_qs));
    EXPECT_EQ(table[5], u"2 of 4 cameras done, 2 failed"_qs);
    EXPECT_TRUE(Holds(result.err, "camera 9: no answer, skipped"));
    EXPECT_TRUE(Holds(result.err, "Communication error: Timeout error"));

    EXPECT_EQ(readBytes(cam1), QByteArray("backup of last year"));
    EXPECT_EQ(readBytes(path("cam002.bin")), simulator->device().camera(2).settings());
    EXPECT_EQ(readBytes(path("cam003.bin")), simulator->device().camera(3).settings());
    EXPECT_FALSE(QFile::exists(path("cam009.bin")));
    EXPECT_FALSE(QFile::exists(path("cam009.bin.partial")));         // nothing of it to keep
    EXPECT_EQ(QFileInfo(path("cam001.bin.partial")).size(), 4 * 32); // blocks 1..4 kept
}

TEST_F(SiteCliTest, TitlesOfManyCamerasAndAllGood) {
    startSite();
    const ProgramRun result = run(cmd("--quiet titles download --camera=2,3 --remote=1 @"));
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(EndsWith(result.out, "\n2 of 2 cameras done, 0 failed\n"));
    EXPECT_TRUE(readBytes(path("cam002.ttl")).contains("\"CAM 2\""));
    EXPECT_TRUE(readBytes(path("cam003.ttl")).contains("\"CAM 3\""));
    EXPECT_TRUE(readBytes(path("cam003.ttl")).contains("\"POS 255\""));
}

TEST_F(SiteCliTest, ScanListsTheCamerasThatAnswer) {
    startSite();
    // Silence is no error here.
    EXPECT_TRUE(Succeeded(run(Words("--quiet scan --remote 1 --camera 2-5")),
                          u"camera  answer    title\n     2  data      CAM 2\n"
                          "     3  data      CAM 3\n2 of 4 cameras answer\n"_qs));
    // One title read per camera and nothing else went out.
    EXPECT_EQ(simulator->device().frameCount(0xB1), 4);
    EXPECT_EQ(simulator->device().framesReceived(), 4);
    EXPECT_EQ(run(Words("--quiet scan --remote 1 --camera 200")).exitCode, 1);
}

TEST_F(SiteCliTest, BadListsFoldersAndNumbersSendNothing) {
    startSite();
    expectRuns({
        {"backup download --camera 0-3 --remote 1 @", 2},
        {"backup download --camera 5-2 --remote 1 @", 2},
        {"titles download --camera 1,,x --remote 1 @", 2},
        {"backup download --camera 1-3 --remote 1", 2},
        {"scan --camera 1-3", 2},
        {"scan --remote 1 --camera 256", 2},
        {"scan --remote 100", 1},
        {"backup download --camera 1-3 --remote 1 @missing/deeper", 1,
         "is not a folder that can be written"},
    });
    EXPECT_FALSE(QFileInfo::exists(path("missing"))) << "a missing parent: nothing is made";
    EXPECT_EQ(simulator->device().framesReceived(), 0);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{});
}
