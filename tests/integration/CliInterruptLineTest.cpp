// Ctrl-C while zelctl waits for an answer: one line says what was interrupted.
#include "CameraControllerSim.h"
#include "EventLoopWait.h"
#include "ProcessSignal.h"
#include "TestFiles.h"
#include "ZelctlTest.h"

#include <QProcess>
#include <csignal>

using namespace zel::test;

namespace {

constexpr int kWaitMs = 30000;

class CliInterruptLineTest : public ZelctlTest {};

TEST_F(CliInterruptLineTest, SendInterruptedWhileWaitingNamesTheExchangeInTheRunsLanguage) {
    // A long reply wait, and a camera the simulator does not have: nothing answers.
    ASSERT_TRUE(writeBytes(path("zel.ini"), "[RsWait]\nTimeOutWait=60000\n"));
    startSimulator();
    const struct {
        const char* lang;
        QString line;
    } cases[] = {
        {"en", QStringLiteral("zelctl: interrupted while waiting for the answer (camera 200, "
                              "command 20); nothing was kept\n")},
        {"ja", QStringLiteral("zelctl: 応答待ちの間に中断しました (カメラ 200、コマンド 20)。"
                              "何も保存していません\n")},
    };
    int sent = 0;
    for (const auto& c : cases) {
        QProcess process;
        process.start(program, Words("--folder")
                                   << dir.path() << Words("--port") << simulator->slavePath()
                                   << Words("--lang") << QString::fromLatin1(c.lang)
                                   << Words("send --camera 200 --remote 1 200000000000"));
        ASSERT_TRUE(process.waitForStarted());
        ++sent;
        ASSERT_TRUE(
            waitUntil([&] { return simulator->device().frameCount(0x20) >= sent; }, kWaitMs));
        ASSERT_TRUE(SignalIfRunning(process, SIGINT));
        ASSERT_TRUE(
            waitUntil([&process] { return process.state() == QProcess::NotRunning; }, kWaitMs));
        EXPECT_EQ(process.exitCode(), 130) << c.lang;
        EXPECT_EQ(QString::fromLocal8Bit(process.readAllStandardError()), c.line) << c.lang;
        EXPECT_TRUE(process.readAllStandardOutput().isEmpty()) << c.lang;
    }
}

} // namespace
