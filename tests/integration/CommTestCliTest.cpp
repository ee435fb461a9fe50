// zelctl test as a separate process on the pseudo-terminal of an in-process simulator.
#include "CameraControllerSim.h"
#include "TestFiles.h"
#include "TextHolds.h"
#include "TrfText.h"
#include "ZelctlTest.h"
#include "common/Cp932.h"

#include <QFile>
#include <sys/stat.h>

using namespace zel::test;

namespace {

class CommTestCliTest : public ZelctlTest {
protected:
    void writeTrf(const char* name, const QString& text) {
        ASSERT_TRUE(writeBytes(path(name), zel::TextToCp932(text).value()));
    }
};

TEST_F(CommTestCliTest, RunSendsEachRowOnceAndWritesTheResults) {
    startSimulator();
    writeTrf("rows.trf", settingLines("7", "2") +
                             rowLines({QStringLiteral("W\t2000\t"), QStringLiteral("W\t012\t"),
                                       QStringLiteral("R\t15\t"), QStringLiteral("r 99")}));
    const ProgramRun done = run(cmd("test run @rows.trf --rsl @out.rsl"));
    EXPECT_EQ(done.exitCode, 0) << done.err.toStdString();
    const QStringList lines = done.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << done.out.toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("1\tW\t2000\tACK"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("3\tR\t15\tFD"))) << lines[1].toStdString();
    EXPECT_EQ(lines[2], QStringLiteral("4\tR\t99\tNACK"));
    const QString rsl = zel::Cp932ToText(readBytes(path("out.rsl"))).value_or(QString());
    EXPECT_TRUE(Holds(rsl, "W\t送信データ\t2000\r\n\t受信データ\tACK\r\n"));
    EXPECT_EQ(simulator->device().frameCount(0x20), 1);
}

TEST_F(CommTestCliTest, TimeOutGoesOnInASingleRunAndEndsAContinuousOne) {
    startSimulator();
    const QString rows = rowLines({QStringLiteral("W 2000"), QStringLiteral("W 2000")});
    writeTrf("silent.trf", settingLines("1", "9") + rows);
    const ProgramRun single = run(cmd("test run @silent.trf"));
    EXPECT_EQ(single.exitCode, 1);
    EXPECT_EQ(single.out, QStringLiteral("1\tW\t2000\t\n2\tW\t2000\t\n"));
    EXPECT_EQ(single.err.count(QStringLiteral("Timeout error")), 2) << single.err.toStdString();

    writeTrf("loop.trf", settingLines("1", "9", "1", "0.100") + rows);
    const ProgramRun continuous = run(cmd("test run @loop.trf --rounds 3"));
    EXPECT_EQ(continuous.exitCode, 1);
    EXPECT_EQ(continuous.out, QStringLiteral("1\tW\t2000\t\n"));
}

TEST_F(CommTestCliTest, ContinuousRunStopsAfterItsRounds) {
    startSimulator();
    const QString rows = rowLines({QStringLiteral("W 2000"), QStringLiteral("R 15")});
    for (const char* interval : {"0", "0.050"}) {
        writeTrf("loop.trf", settingLines("1", "3", "1", interval) + rows);
        simulator->device().resetCounters();
        const ProgramRun done = run(cmd("test run @loop.trf --rounds=3"));
        EXPECT_EQ(done.exitCode, 0) << interval << done.err.toStdString();
        EXPECT_EQ(done.out.count(QLatin1Char('\n')), 6) << done.out.toStdString();
        EXPECT_EQ(simulator->device().frameCount(0x20), 3);
        EXPECT_EQ(simulator->device().frameCount(0x15), 3);
    }
}

TEST_F(CommTestCliTest, CheckPrintsAndRewritesTheFile) {
    writeTrf("in.trf",
             settingLines("5", "12", "0", "1.5") + rowLines({QStringLiteral("r 0a0b :x")}));
    const ProgramRun done = run(cmd("test check @in.trf -o @out.trf"));
    EXPECT_EQ(done.exitCode, 0) << done.err.toStdString();
    const QStringList lines = done.out.split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 6);
    EXPECT_EQ(lines[0], QStringLiteral("REMOTE No.\t5"));
    EXPECT_EQ(lines[3], QStringLiteral("INTERVAL\t1.500"));
    EXPECT_EQ(lines[5], QStringLiteral("1\tR\t0A0B\tUSED"));
    EXPECT_EQ(lines[6], QStringLiteral("2\tW\t\tUNUSED"));

    const QString expected = settingLines("5", "12", "0", "1.500") +
                             QStringLiteral(":書/呼 送信データ\r\n") +
                             rowLines({QStringLiteral("R\t0A0B\t")});
    EXPECT_EQ(readBytes(path("out.trf")), zel::TextToCp932(expected).value());
}

TEST_F(CommTestCliTest, BadFilesAndValuesSendAndWriteNothing) {
    startSimulator();
    writeTrf("bad.trf", settingLines("150", "1") + rowLines({QStringLiteral("W 2000")}));
    const ProgramRun no = run(cmd("test check @bad.trf -o @o.trf"));
    EXPECT_EQ(no.exitCode, 1);
    // The question says which answer was taken.
    EXPECT_TRUE(Holds(no.err, "REMOTE No. incorrect Keep file reading ? [answered No; --yes "
                              "answers Yes]"));
    EXPECT_TRUE(no.out.isEmpty());
    EXPECT_FALSE(QFile::exists(path("o.trf")));
    EXPECT_EQ(run(cmd("test run @bad.trf")).exitCode, 1);

    const ProgramRun yes = run(cmd("--yes test check @bad.trf"));
    EXPECT_EQ(yes.exitCode, 0) << yes.err.toStdString();
    EXPECT_TRUE(StartsWith(yes.out, "REMOTE No.\t1\n"));
    EXPECT_TRUE(Holds(yes.err, "Keep file reading ? [answered Yes: --yes]"));

    ASSERT_EQ(mkfifo(QFile::encodeName(path("pipe.trf")).constData(), 0600), 0);
    expectRuns({
        {"test run @pipe.trf", 1, "pipe.trf"},
        {"test run /dev/zero", 1, "/dev/zero"},
        {"test run @", 1, "not a regular file"},
        {"test run @missing.trf", 1, "missing.trf"},
        {"test", 2},
        {"test send", 2},
        {"test check", 2},
        {"test check @bad.trf @bad.trf", 2},
        {"test check @bad.trf -o", 2},
        {"test run @bad.trf --rounds 0", 2},
        {"test run @bad.trf --rounds x", 2},
        {"test run @bad.trf -o @o.trf", 2},
    });
    EXPECT_EQ(simulator->device().framesReceived(), 0);
}

} // namespace
