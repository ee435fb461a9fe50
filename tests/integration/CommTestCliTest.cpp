// zelctl test as a separate process on the pseudo-terminal of an in-process simulator.
#include "CameraControllerSim.h"
#include "TrfText.h"
#include "ZelctlTest.h"
#include "common/Cp932.h"

#include <QFile>
#include <sys/stat.h>

using namespace zel::test;

class CommTestCliTest : public ZelctlTest {
protected:
    void writeTrf(const char* name, const QString& text) {
        ASSERT_TRUE(writeBytes(path(name), zel::TextToCp932(text).value()));
    }
};

TEST_F(CommTestCliTest, RunSendsEachRowOnceAndWritesTheResults) {
    startSimulator();
    writeTrf("rows.trf", settingLines("7", "2") + rowLines({u"W\t2000\t"_qs, u"W\t012\t"_qs,
                                                            u"R\t15\t"_qs, u"r 99"_qs}));
    const ProgramRun done = run(cmd("test run @rows.trf --rsl @out.rsl"));
    EXPECT_EQ(done.exitCode, 0) << done.err.toStdString();
    EXPECT_TRUE(StartsWith(done.out, "1\tW\t2000\tACK\n3\tR\t15\tFD"));
    EXPECT_TRUE(EndsWith(done.out, "\n4\tR\t99\tNACK\n"));
    EXPECT_EQ(done.out.count(u'\n'), 3);
    const QString rsl = zel::Cp932ToText(readBytes(path("out.rsl"))).value_or(QString());
    EXPECT_TRUE(Holds(rsl, "W\t送信データ\t2000\r\n\t受信データ\tACK\r\n"));
    EXPECT_EQ(simulator->device().frameCount(0x20), 1);
}

TEST_F(CommTestCliTest, TimeOutGoesOnInASingleRunAndEndsAContinuousOne) {
    startSimulator();
    const QString rows = rowLines({u"W 2000"_qs, u"W 2000"_qs});
    writeTrf("silent.trf", settingLines("1", "9") + rows);
    const ProgramRun single = run(cmd("test run @silent.trf"));
    EXPECT_TRUE(Ended(single, 1, "", "1\tW\t2000\t\n2\tW\t2000\t\n"));
    EXPECT_EQ(single.err.count(u"Timeout error"_qs), 2) << single.err.toStdString();

    writeTrf("loop.trf", settingLines("1", "9", "1", "0.100") + rows);
    EXPECT_TRUE(Ended(run(cmd("test run @loop.trf --rounds 3")), 1, "", "1\tW\t2000\t\n"));
}

TEST_F(CommTestCliTest, ContinuousRunStopsAfterItsRounds) {
    startSimulator();
    const QString rows = rowLines({u"W 2000"_qs, u"R 15"_qs});
    for (const char* interval : {"0", "0.050"}) {
        writeTrf("loop.trf", settingLines("1", "3", "1", interval) + rows);
        simulator->device().resetCounters();
        const ProgramRun done = run(cmd("test run @loop.trf --rounds=3"));
        EXPECT_EQ(done.exitCode, 0) << interval << done.err.toStdString();
        EXPECT_EQ(done.out.count(u'\n'), 6) << done.out.toStdString();
        EXPECT_EQ(simulator->device().frameCount(0x20), 3);
        EXPECT_EQ(simulator->device().frameCount(0x15), 3);
    }
}

TEST_F(CommTestCliTest, CheckPrintsAndRewritesTheFile) {
    writeTrf("in.trf", settingLines("5", "12", "0", "1.5") + rowLines({u"r 0a0b :x"_qs}));
    const ProgramRun done = run(cmd("test check @in.trf -o @out.trf"));
    EXPECT_EQ(done.exitCode, 0) << done.err.toStdString();
    const QStringList lines = done.out.split(u'\n');
    EXPECT_EQ((QStringList{lines.value(0), lines.value(3), lines.value(5), lines.value(6)}),
              (QStringList{u"REMOTE No.\t5"_qs, u"INTERVAL\t1.500"_qs, u"1\tR\t0A0B\tUSED"_qs,
                           u"2\tW\t\tUNUSED"_qs}));

    const QString expected = settingLines("5", "12", "0", "1.500") + u":書/呼 送信データ\r\n"_qs +
                             rowLines({u"R\t0A0B\t"_qs});
    EXPECT_EQ(readBytes(path("out.trf")), zel::TextToCp932(expected).value());
}

TEST_F(CommTestCliTest, BadFilesAndValuesSendAndWriteNothing) {
    startSimulator();
    writeTrf("bad.trf", settingLines("150", "1") + rowLines({u"W 2000"_qs}));
    expectRuns({{"test check @bad.trf -o @o.trf", 1,
                 "REMOTE No. incorrect Keep file reading ? [answered No; --yes answers Yes]", ""},
                {"test run @bad.trf", 1}});
    EXPECT_FALSE(QFile::exists(path("o.trf")));
    const ProgramRun yes = run(cmd("--yes test check @bad.trf"));
    EXPECT_TRUE(Ended(yes, 0, "Keep file reading ? [answered Yes: --yes]"));
    EXPECT_TRUE(StartsWith(yes.out, "REMOTE No.\t1\n"));

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
