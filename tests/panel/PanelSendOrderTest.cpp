// The panel's frames on the link: one awaits its answer at a time and the next goes out when
// the answer came or the wait ended; a stop refused while another screen's transaction holds
// the link goes out as soon as the link is free, a refused press never.
#include "PanelRig.h"
#include "ReplyRecorder.h"

#include <gtest/gtest.h>

using namespace zel;
using namespace zel::panel;
using namespace zel::test;
using B = PanelButton;

namespace {

const QString kRight = u"20043C3C0808"_qs;
const QString kStop = u"20003C3C0808"_qs;
const QString kLeft = u"20083C3C0808"_qs;

// Another screen's transaction on the same link (screen code 2, a backup block).
struct BusyLinkRig : PanelRig {
    void otherScreenSends() {
        sink.shown.clear();
        engine.claim(&other);
        engine.SendCommandFrame(
            {u"1"_qs, u"1"_qs, u"False"_qs, u"0"_qs, QString::number(ScreenBackup)}, u"99"_qs);
    }
    // `code` pressed and answered, then released while the other screen's block is out.
    void releaseWhileBusy(int code) {
        panel.pressMoveKey(code);
        reply(u"06"_qs);
        otherScreenSends();
        panel.releaseMoveKey(code);
        endPauses();
    }
    ReplyRecorder other{engine};
};

TEST(PanelSendOrder, BackToBackFramesGoOutInOrderEachAfterItsAnswer) {
    PanelRig rig;
    rig.panel.pressMoveKey(PtzRight);
    rig.panel.releaseMoveKey(PtzRight);
    EXPECT_EQ(rig.sentData(), QStringList{kRight}) << "the release waits for the press's answer";
    EXPECT_FALSE(rig.panel.isIdle());
    rig.port.receiveHex(u"06"_qs);
    EXPECT_EQ(rig.sentData(), (QStringList{kRight, kStop}));
    rig.port.receiveHex(u"06"_qs);
    rig.endPauses();
    EXPECT_EQ(rig.panel.repliesReceived(), 2);
    EXPECT_EQ(rig.panel.framesAwaitingReply(), 2);
    EXPECT_TRUE(rig.panel.isIdle());
    EXPECT_TRUE(rig.messages().isEmpty());
}

TEST(PanelSendOrder, SilentCameraLetsTheNextFrameGoAfterTheWait) {
    PanelRig rig;
    rig.panel.pressMoveKey(PtzRight);
    rig.panel.releaseMoveKey(PtzRight);
    rig.panel.click(B::Stop);
    ASSERT_TRUE(rig.timerMenu.fireNow());
    EXPECT_EQ(rig.sentData(), (QStringList{kRight, kStop}));
    ASSERT_TRUE(rig.timerMenu.fireNow());
    rig.endPauses();
    ASSERT_TRUE(rig.timerMenu.fireNow());
    EXPECT_EQ(rig.sentData(), (QStringList{kRight, kStop, u"40"_qs}));
    EXPECT_TRUE(rig.messages().isEmpty()) << "the panel reports no time-out";
    EXPECT_TRUE(rig.panel.isIdle());
}

TEST(PanelSendOrder, RefusedReleaseGoesOutWhenTheOtherScreenIsAnswered) {
    BusyLinkRig rig;
    rig.releaseWhileBusy(PtzRight);
    rig.panel.pressMoveKey(PtzLeft); // refused: it could not be stopped
    rig.endPauses();
    EXPECT_EQ(rig.sentData(), (QStringList{kRight, u"99"_qs}));
    rig.port.receiveHex(u"06"_qs); // the other screen's answer
    EXPECT_EQ(rig.other.replies, QStringList{u"06"_qs});
    EXPECT_EQ(rig.sentData().value(2), kStop) << "the release as it was; the refused left never";
    rig.reply(u"06"_qs);
    EXPECT_TRUE(rig.panel.isIdle());
}

TEST(PanelSendOrder, RefusedReleaseGoesOutAfterTheOtherScreenTimedOut) {
    BusyLinkRig rig;
    rig.releaseWhileBusy(PtzTele);
    ASSERT_TRUE(rig.timerMenu.fireNow()); // the other screen's wait ends, the port recycles
    EXPECT_EQ(rig.other.timeOuts, 1);
    EXPECT_EQ(rig.sentData().last(), kStop);
    EXPECT_EQ(rig.engine.state().ScreenCode, ScreenPanel);
}

TEST(PanelSendOrder, RefusedPressIsNeverSent) {
    BusyLinkRig rig;
    rig.otherScreenSends();
    rig.press(PtzRight);
    rig.port.receiveHex(u"06"_qs);
    rig.endPauses();
    EXPECT_EQ(rig.sentData(), QStringList{u"99"_qs});
    rig.panel.releaseMoveKey(PtzRight); // nothing moved: a plain release, sent as usual
    rig.endPauses();
    EXPECT_EQ(rig.sentData().last(), kStop);
}

// Closing or deactivating the panel after a refused release: the stop still goes out, once.
TEST(PanelSendOrder, HeldStopOutlivesThePanelAndDeactivation) {
    for (const bool close : {true, false}) {
        BusyLinkRig rig;
        rig.releaseWhileBusy(PtzRight);
        if (close)
            rig.panel.unload();
        else
            rig.panel.deactivated();
        rig.endPauses();
        rig.port.receiveHex(u"06"_qs);
        rig.endPauses();
        EXPECT_EQ(rig.sentData(), (QStringList{kRight, u"99"_qs, kStop})) << close;
        rig.port.receiveHex(u"06"_qs);
        rig.endPauses();
        EXPECT_TRUE(rig.messages().isEmpty()) << close;
    }
}

// A pulled adapter: the stop waits, without a message, and goes out when the port is back.
TEST(PanelSendOrder, StopWithThePortAwayGoesOutWhenItIsBack) {
    PanelRig rig;
    rig.panel.pressMoveKey(PtzRight);
    rig.reply(u"06"_qs);
    rig.port.loseDevice(u"pulled"_qs);
    rig.release(PtzRight);
    EXPECT_TRUE(rig.messages().isEmpty());
    EXPECT_EQ(rig.port.written.size(), 1);
    ASSERT_TRUE(rig.engine.tryOpenCommPort());
    EXPECT_EQ(rig.sentData(), (QStringList{kRight, kStop}));
}

// Closing the panel while its own frame awaits an answer: the queued stop is not lost.
TEST(PanelSendOrder, StopQueuedBehindTheFrameInFlightSurvivesTheClose) {
    PanelRig rig;
    rig.panel.pressMoveKey(PtzDown);
    rig.panel.unload();
    EXPECT_EQ(rig.port.written.size(), 1);
    rig.port.receiveHex(u"06"_qs);
    EXPECT_EQ(rig.sentData().last(), kStop);
}

// A signal or the end of a script: pending events are dropped and the stop goes first.
TEST(PanelSendOrder, StopNowStopsWhatMoves) {
    PanelRig rig;
    EXPECT_FALSE(rig.panel.stopNow());
    rig.hold(KeyLeft);
    rig.reply(u"06"_qs);
    rig.panel.click(B::Stop); // still pausing when the signal comes
    ASSERT_TRUE(rig.pause.isActive());
    rig.panel.click(B::Menu);
    EXPECT_TRUE(rig.panel.stopNow());
    rig.reply(u"06"_qs);
    EXPECT_EQ(rig.sentData(), (QStringList{kLeft, u"40"_qs, kStop}));
    rig.reply(u"06"_qs);
    EXPECT_TRUE(rig.panel.isIdle());
    EXPECT_FALSE(rig.panel.stopNow()) << "stopped already";
}

} // namespace
