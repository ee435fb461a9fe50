// The communication test on a real serial port over a pseudo-terminal, against the simulated
// controller paced at a real bit rate.
#include "EventLoopWait.h"
#include "PtyHost.h"
#include "PtyLink.h"
#include "commtest/CommTest.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <memory>

using namespace zel;
using namespace zel::test;

constexpr int kBitRate = 9600;
constexpr int kRateIndex9600 = 1;

class CommTestPtyTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim::SimConfig config;
        config.bitRate = kBitRate;
        link = std::make_unique<PtyLink>(config);
        link->settings.Rate = QString::number(kRateIndex9600);
        link->settings.recomputeCurrentWriteWait();
        link->settings.TimeOutWait = u"1000"_qs;
        QString error;
        ASSERT_TRUE(link->open(&error)) << error.toStdString();
        test = std::make_unique<CommTest>(link->engine, timerCommTest, timerPace, link->sink);
    }
    qint64 bytesAtDevice() { return link->sim.host().bytesReceived(); }

    std::unique_ptr<PtyLink> link;
    QtTimer timerCommTest;
    QtTimer timerPace;
    std::unique_ptr<CommTest> test;
};

// Camera 0 answers nothing: the run is paced by the line, never faster, whole frames only,
// and STOP ends it at once. How much of the line it uses and how free the event loop stays
// are measured by bench_commtest.
TEST_F(CommTestPtyTest, CameraZeroRunKeepsToTheLineAndStops) {
    test->screen().camNo = u"0"_qs;
    for (int row = 1; row <= 16; ++row)
        test->screen().setRowText(row, u"2000"_qs); // 10-byte frames

    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(test->CommandStart());
    ASSERT_TRUE(waitUntil([this] { return bytesAtDevice() >= 30; }, 10000));
    runEventsFor(200);
    const qint64 sent = bytesAtDevice();
    const double seconds = double(clock.elapsed()) / 1000;
    test->CommandStop();
    const double lineBytesPerSecond = double(kBitRate) / 11;
    // Never faster than the line (one frame of slack): the clock started before the first
    // byte, so a slow machine only makes this looser.
    EXPECT_LE(double(sent), lineBytesPerSecond * seconds + 10) << sent << " bytes";
    EXPECT_EQ(sent % 10, 0);

    runEventsFor(50);
    const qint64 afterStop = bytesAtDevice();
    runEventsFor(300);
    EXPECT_EQ(bytesAtDevice(), afterStop);
    EXPECT_FALSE(test->isRunning());
    EXPECT_TRUE(link->sink.shown.isEmpty());
}

TEST_F(CommTestPtyTest, ReplyDrivenRunShowsRepliesAndStopDropsTheLateOne) {
    test->screen().camNo = u"2"_qs;
    test->screen().setRowText(1, u"2000"_qs);
    test->screen().setRowText(2, u"15"_qs);
    test->screen().row(2).read = true;
    for (int row = 3; row <= 16; ++row)
        test->screen().row(row).valid = false;
    ASSERT_TRUE(test->CommandStart());
    ASSERT_TRUE(waitUntil([&] { return link->framesSent().size() >= 5; }, 10000));
    test->CommandStop(); // a reply is awaited now
    const int sent = int(link->framesSent().size());
    runEventsFor(200);
    EXPECT_EQ(link->framesSent().size(), sent);
    EXPECT_EQ(test->screen().row(1).reply, u"ACK"_qs);
    EXPECT_TRUE(test->screen().row(2).reply.startsWith(u"FD"_qs));
    EXPECT_TRUE(link->sink.shown.isEmpty());
}
