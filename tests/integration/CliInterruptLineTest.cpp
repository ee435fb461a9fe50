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

TEST_F(CliInterruptLineTest, SendInterruptedWhileWaitingNamesTheExchange) {
    // A long reply wait, and a camera the simulator does not have: nothing answers.
    ASSERT_TRUE(writeBytes(path("zel.ini"), "[RsWait]\nTimeOutWait=60000\n"));
    startSimulator();
    QProcess process;
    process.start(program, Words("--folder")
                               << dir.path() << Words("--port") << simulator->slavePath()
                               << Words("send --camera 200 --remote 1 200000000000"));
    ASSERT_TRUE(process.waitForStarted());
    ASSERT_TRUE(waitUntil([this] { return simulator->device().frameCount(0x20) > 0; }, kWaitMs));
    ASSERT_TRUE(SignalIfRunning(process, SIGINT));
    ASSERT_TRUE(waitUntil([&process] { return process.state() == QProcess::NotRunning; }, kWaitMs));
    EXPECT_EQ(process.exitCode(), 130);
    EXPECT_EQ(QString::fromLocal8Bit(process.readAllStandardError()),
              QStringLiteral("zelctl: interrupted while waiting for the answer (camera 200, "
                             "command 20); nothing was kept\n"));
    EXPECT_TRUE(process.readAllStandardOutput().isEmpty());
}

} // namespace
