// Scripted runs of the loaded rows (what zelctl test run drives).
#include "commtest/TestRun.h"

#include "EventLoopWait.h"
#include "MemoryLink.h"
#include "common/MessageNumber.h"

#include <gtest/gtest.h>

using namespace zel;
using namespace zel::test;

namespace {

class TestRunTest : public ::testing::Test, protected MemoryLink {
protected:
    void SetUp() override {
        ASSERT_TRUE(openTestPort());
        test.screen().setRowText(1, u"01"_qs);
        test.screen().setRowText(2, u"020"_qs); // odd: skipped
        test.screen().setRowText(3, u"03"_qs);
        test.screen().row(3).read = true;
        for (int row = 4; row <= 16; ++row)
            test.screen().row(row).valid = false;
        run.onLine = [this](const TestRun::Line& line) {
            lines.append(u"%1 %2 %3 %4"_qs.arg(line.rowNo).arg(line.letter, line.sent, line.reply));
            const TransferProgress progress = run.progress();
            counts.append(u"%1/%2"_qs.arg(progress.done).arg(progress.total));
            EXPECT_EQ(progress.unit, ProgressUnit::Rows);
        };
        run.onFinished = [this](bool allReplied) { result = allReplied ? 1 : 0; };
    }
    // Lets the queued next send of a single run go out.
    void settle() { runEventsFor(0); }

    ManualTimer timerCommTest;
    ManualTimer timerPace;
    CommTest test{engine, timerCommTest, timerPace, sink};
    TestRun run{test, sink};
    QStringList lines;
    QStringList counts; // the run's progress at each line
    int result = -1;
};

TEST_F(TestRunTest, SingleRunGoesOnAfterATimeOut) {
    ASSERT_TRUE(run.start(5));        // rounds are for a continuous run: each row goes once
    ASSERT_TRUE(timerMenu.fireNow()); // row 1 answers nothing
    settle();
    ASSERT_EQ(port.written.size(), 2);
    port.receiveHex(u"06"_qs);
    settle();
    EXPECT_EQ(lines, (QStringList{u"1 W 01 "_qs, u"3 R 03 ACK"_qs}));
    EXPECT_EQ(sink.numbers(), QList<int>{MessageTimeout});
    EXPECT_EQ(result, 0);
    EXPECT_EQ(counts, Words("1/2 2/2"));
}

TEST_F(TestRunTest, ContinuousRunStopsAfterItsRounds) {
    test.screen().continuous = true;
    ASSERT_TRUE(run.start(2));
    for (int i = 0; i < 4; ++i)
        port.receiveHex(u"06"_qs);
    EXPECT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[2], u"1 W 01 ACK"_qs);
    EXPECT_EQ(counts, Words("1/4 2/4 3/4 4/4"));
    EXPECT_EQ(result, 1);
    EXPECT_FALSE(test.isRunning());
    EXPECT_EQ(port.written.size(), 4);
    EXPECT_EQ(engine.state().ScreenCode, ScreenIdle);
}

TEST_F(TestRunTest, CameraZeroRunCountsFramesThatLeft) {
    test.screen().camNo = u"0"_qs;
    test.screen().continuous = true;
    ASSERT_TRUE(run.start(3));
    while (timerPace.fireNow())
        ;
    EXPECT_EQ(port.written.size(), 6);
    EXPECT_EQ(lines.last(), u"3 R 03 "_qs);
    EXPECT_EQ(result, 1); // no reply was awaited
}

TEST_F(TestRunTest, NothingToSendShowsMessageFive) {
    test.screen().row(1).valid = false;
    test.screen().row(3).valid = false;
    EXPECT_FALSE(run.start(1));
    EXPECT_EQ(sink.numbers(), QList<int>{MessageNoContinuousData});
    EXPECT_TRUE(port.written.isEmpty());
}

} // namespace
