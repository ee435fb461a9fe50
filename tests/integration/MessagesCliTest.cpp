// zelctl's messages say which port, which file and why, and what to do next.
#include "CameraControllerSim.h"
#include "ZelctlTest.h"

#include <QFile>

using namespace zel::test;
using zel::sim::SimConfig;

class MessagesCliTest : public ZelctlTest {
protected:
    void startCameras(int count) {
        SimConfig config;
        config.cameraCount = count;
        startSimulator(config);
    }
};

TEST_F(MessagesCliTest, ATimeOutNamesThePortAndOnTheFirstFrameHowToChooseAnother) {
    startCameras(1);
    const ProgramRun silent = run(Words("--quiet send --camera 9 --remote 1 00"));
    const QString port = simulator->slavePath();
    EXPECT_TRUE(Ended(silent, 1, u"Timeout error (camera 9, command 00) on "_qs + port));
    EXPECT_TRUE(Holds(silent.err, u"zelctl: nothing answered on %1; "_qs.arg(port)));
    EXPECT_TRUE(Holds(silent.err, "--port DEVICE (zelctl ports"));
    // A camera that answered before: the port is right, no hint.
    const ProgramRun site = run(cmd("--quiet backup download --camera 1,9 --remote 1 @"));
    EXPECT_TRUE(Ended(site, 1, u") on "_qs + port));
    EXPECT_FALSE(Holds(site.err, "nothing answered"));
}

TEST_F(MessagesCliTest, AWrongBackupFileIsNamedWithItsSize) {
    ASSERT_TRUE(writeBytes(path("short.bin"), QByteArray(31999, 'x')));
    startCameras(1);
    const ProgramRun up = run(cmd("--quiet backup upload --camera 1 --remote 1 @short.bin"));
    EXPECT_TRUE(Ended(up, 1, "File incorrect"));
    EXPECT_TRUE(Holds(up.err, u"zelctl: backup: %1 has 31999 bytes; a backup holds "
                              "32000"_qs.arg(path("short.bin"))));
}

TEST_F(MessagesCliTest, ASiteRunMakesAMissingFolderButNotAMissingParent) {
    startCameras(1);
    expectRuns(
        {{"--quiet backup download --camera 1-1 --remote 1 @site", 0},
         {"--quiet titles download --camera 1-1 --remote 1 @none/site", 1, "its parent folder"}});
    EXPECT_TRUE(QFile::exists(path("site/cam001.bin")));
    EXPECT_FALSE(QFileInfo::exists(path("none")));
}

TEST_F(MessagesCliTest, AJapaneseSiteBackupReportsInJapanese) {
    startCameras(2);
    const ProgramRun site = run(cmd("--lang ja backup download --camera=1-2,9 --remote=1 @site"));
    EXPECT_EQ(site.exitCode, 1) << site.err.toStdString();
    EXPECT_TRUE(Holds(site.err, "カメラ 2: 1000/1000 ブロック、経過 "));
    EXPECT_TRUE(Holds(site.err, u"ポート "_qs + simulator->slavePath()));
    EXPECT_FALSE(Holds(site.err, " blocks"));
    EXPECT_FALSE(Holds(site.err, " elapsed"));
    EXPECT_TRUE(Holds(site.err, "カメラ 9: 応答なし、スキップ"));
    EXPECT_TRUE(Holds(site.err, "(カメラ 9、ブロック 1) ポート "));
    EXPECT_TRUE(EndsWith(site.out, "3 台中 2 台完了、1 台失敗\n"));
}

// Every command says a missing input file the same way, never "File incorrect", and sends
// nothing; a screen that has a message of its own for it shows it beside.
TEST_F(MessagesCliTest, AMissingFileIsReportedOneWayByEveryCommand) {
    startCameras(1);
    ASSERT_TRUE(writeBytes(path("ZARNIPEX2633.MOT"), "S0030000FC\n")); // flash: the boot program
    const QString missing = path("missing.file");
    // The command, its arguments before the file, its screen's message.
    const std::tuple<QString, QStringList, QString> cases[] = {
        {u"backup"_qs, Words("upload --camera=1 --remote=1"), {}},
        {u"log"_qs, {u"decode"_qs}, {}},
        {u"print"_qs, cmd("log --pdf @o.pdf"), {}},
        {u"flash"_qs, {}, u"No application program exists."_qs},
        {u"srec"_qs, {u"--info"_qs}, u"No application program exists."_qs},
    };
    for (const auto& [command, args, screenMessage] : cases) {
        SCOPED_TRACE(command.toStdString());
        const ProgramRun result = run(Words("--quiet") << command << args << missing);
        EXPECT_TRUE(Ended(result, 1, screenMessage));
        EXPECT_TRUE(
            EndsWith(result.err, u"zelctl: %1: %2: no such file\n"_qs.arg(command, missing)));
        EXPECT_FALSE(Holds(result.err, "incorrect"));
    }
    const ProgramRun japanese = run(Words("--lang=ja log decode") << missing);
    EXPECT_EQ(japanese.err, u"zelctl: log: %1: ファイルがありません\n"_qs.arg(missing));
    EXPECT_EQ(simulator->device().frameCount(0xC1), 0);
}
