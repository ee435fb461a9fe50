// The zelsim program as other programs and scripts use it: first stdout line names the
// slave, the line answers, a signal ends it cleanly, bad usage exits 2.
#include "ProgramRun.h"
#include "PtySlave.h"
#include "SimFrames.h"
#include "Words.h"

#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

using namespace zel::test;

namespace {

class ZelsimProgram : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QFileInfo::exists(zelsimPath))
            GTEST_SKIP() << "zelsim not built";
    }
    const QString zelsimPath = BuiltProgram(u"zelsim"_qs);
    QProcess zelsim;
};

TEST_F(ZelsimProgram, PrintsTheSlaveAnswersAndEndsOnSigterm) {
    zelsim.start(zelsimPath, Words("--cameras 2 --nack 40x1 --seed 5"));
    ASSERT_TRUE(zelsim.waitForStarted(5000));
    ASSERT_TRUE(zelsim.waitForReadyRead(5000));
    const QString first = QString::fromLocal8Bit(zelsim.readLine()).trimmed();
    ASSERT_TRUE(first.startsWith(u"zelsim: /dev/"_qs)) << first.toStdString();

    PtySlave port;
    ASSERT_TRUE(port.open(first.mid(8)));
    port.write(commandFrame(2, 0, 1, hex("40")));
    EXPECT_EQ(port.read(1, 3000), hex("15"));
    port.write(commandFrame(2, 0, 1, hex("40")));
    EXPECT_EQ(port.read(1, 3000), hex("06"));
    port.write(commandFrame(3, 0, 1, hex("40")));
    EXPECT_TRUE(port.readUntilQuiet(150).isEmpty());

    zelsim.terminate(); // SIGTERM
    ASSERT_TRUE(zelsim.waitForFinished(5000));
    EXPECT_EQ(zelsim.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(zelsim.exitCode(), 0);
    EXPECT_TRUE(QString::fromLocal8Bit(zelsim.readAllStandardError()).contains(u"seed 5"_qs));
    EXPECT_TRUE(port.waitForHangUp(2000));
}

TEST_F(ZelsimProgram, BadUsageExitsTwoWithAReason) {
    zelsim.start(zelsimPath, Words("--busy C1:x"));
    ASSERT_TRUE(zelsim.waitForFinished(5000));
    EXPECT_EQ(zelsim.exitCode(), 2);
    EXPECT_TRUE(zelsim.readAllStandardOutput().isEmpty());
    EXPECT_TRUE(zelsim.readAllStandardError().contains("--busy"));
}

} // namespace
