// zelctl's messages say which port, which file and why, and what to do next.
#include "CameraControllerSim.h"
#include "SimConfig.h"
#include "TestFiles.h"
#include "TextHolds.h"
#include "ZelctlTest.h"

#include <QFile>

using namespace zel::test;
using zel::sim::SimConfig;

namespace {

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
    EXPECT_EQ(silent.exitCode, 1);
    const QString port = simulator->slavePath();
    EXPECT_TRUE(
        Holds(silent.err, QStringLiteral("Timeout error (camera 9, command 00) on ") + port));
    EXPECT_TRUE(Holds(silent.err, QStringLiteral("zelctl: nothing answered on %1; ").arg(port)));
    EXPECT_TRUE(Holds(silent.err, "--port DEVICE (zelctl ports"));
    // A camera that answered before: the port is right, no hint.
    const ProgramRun site = run(cmd("--quiet backup download --camera 1,9 --remote 1 @"));
    EXPECT_EQ(site.exitCode, 1);
    EXPECT_TRUE(Holds(site.err, QStringLiteral(") on ") + port));
    EXPECT_FALSE(Holds(site.err, "nothing answered"));
}

TEST_F(MessagesCliTest, AWrongBackupFileIsNamedWithItsSize) {
    ASSERT_TRUE(writeBytes(path("short.bin"), QByteArray(31999, 'x')));
    startCameras(1);
    const ProgramRun up = run(cmd("--quiet backup upload --camera 1 --remote 1 @short.bin"));
    EXPECT_EQ(up.exitCode, 1);
    EXPECT_TRUE(Holds(up.err, "File incorrect"));
    EXPECT_TRUE(Holds(up.err, QStringLiteral("zelctl: backup: %1 has 31999 bytes; a backup holds "
                                             "32000")
                                  .arg(path("short.bin"))));
}

TEST_F(MessagesCliTest, ASiteRunMakesAMissingFolderButNotAMissingParent) {
    startCameras(1);
    const ProgramRun list = run(cmd("--quiet backup download --camera 1-1 --remote 1 @site"));
    EXPECT_EQ(list.exitCode, 0) << list.err.toStdString();
    EXPECT_TRUE(QFile::exists(path("site/cam001.bin")));
    const ProgramRun refused =
        run(cmd("--quiet titles download --camera 1-1 --remote 1 @none/site"));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(Holds(refused.err, "its parent folder"));
    EXPECT_FALSE(QFileInfo::exists(path("none")));
}

// With --lang ja the progress, the port hint and the answers taken are Japanese too.
TEST_F(MessagesCliTest, AJapaneseSiteBackupReportsInJapanese) {
    startCameras(2);
    const ProgramRun site = run(cmd("--lang ja backup download --camera=1-2,9 --remote=1 @site"));
    EXPECT_EQ(site.exitCode, 1) << site.err.toStdString();
    EXPECT_TRUE(Holds(site.err, "カメラ 2: 1000/1000 ブロック、経過 "));
    EXPECT_TRUE(Holds(site.err, QStringLiteral("ポート ") + simulator->slavePath()));
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
    const struct {
        QString command;
        QStringList args;
        QString screenMessage;
    } cases[] = {
        {QStringLiteral("backup"), Words("upload --camera=1 --remote=1"), {}},
        {QStringLiteral("log"), {QStringLiteral("decode")}, {}},
        {QStringLiteral("print"), cmd("log --pdf @o.pdf"), {}},
        {QStringLiteral("flash"), {}, QStringLiteral("No application program exists.")},
        {QStringLiteral("srec"),
         {QStringLiteral("--info")},
         QStringLiteral("No application program exists.")},
    };
    for (const auto& c : cases) {
        const ProgramRun result =
            run(Words("--quiet") + QStringList{c.command} + c.args + QStringList{missing});
        EXPECT_EQ(result.exitCode, 1) << c.command.toStdString();
        EXPECT_TRUE(EndsWith(
            result.err, QStringLiteral("zelctl: %1: %2: no such file\n").arg(c.command, missing)));
        EXPECT_FALSE(Holds(result.err, "incorrect"));
        if (!c.screenMessage.isEmpty()) {
            EXPECT_TRUE(Holds(result.err, c.screenMessage));
        }
    }
    const ProgramRun japanese = run(Words("--lang=ja log decode") << missing);
    EXPECT_EQ(japanese.err, QStringLiteral("zelctl: log: %1: ファイルがありません\n").arg(missing));
    EXPECT_EQ(simulator->device().frameCount(0xC1), 0);
}

} // namespace
