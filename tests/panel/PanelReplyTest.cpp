// Get_CommControl: what each answer of the camera does, and the position report.
#include "LinkStateWriter.h"
#include "PanelRig.h"
#include "ReplyRecorder.h"
#include "common/MessageNumber.h"
#include "link/FrameCodec.h"
#include "panel/PositionReply.h"

#include <gtest/gtest.h>

using namespace zel;
using namespace zel::panel;
using namespace zel::test;
using B = PanelButton;

TEST(PanelReply, AnswersToAnAckCommand) {
    const std::pair<QString, QList<int>> cases[] = {
        {u"06"_qs, {}},
        {u"15"_qs, {MessageNack}},
        {u"00"_qs, {MessageBusy}},
        {DataReplyText(QByteArray::fromHex("001001")), {MessageReceiveError}}};
    for (const auto& [reply, messages] : cases) {
        SCOPED_TRACE(reply.toStdString());
        PanelRig rig;
        rig.click(B::Stop);
        rig.reply(reply);
        EXPECT_EQ(rig.messages(), messages);
        EXPECT_EQ(rig.sent.size(), 1) << "nothing is repeated";
    }
}

TEST(PanelReply, AckWithAReleaseStillPendingSendsTheReleaseAgain) {
    PanelRig rig;
    rig.press(PtzRight);
    // The release was refused (the remote number box was being edited): StopPending stays set.
    rig.panel.state().RemoteNo = QString();
    rig.release(PtzRight);
    EXPECT_TRUE(rig.panel.state().StopPending);
    rig.panel.state().RemoteNo = u"1"_qs;
    rig.panel.state().ZoomBits = u"01"_qs; // cleared too by the resend
    rig.reply(u"06"_qs);
    EXPECT_EQ(rig.sent, Words("20043C3C0808 20003C3C0808"));
    EXPECT_FALSE(rig.panel.state().StopPending);
    rig.reply(u"06"_qs);
    EXPECT_EQ(rig.sent.size(), 2) << "the resent release does not loop";
    EXPECT_TRUE(rig.panel.isIdle());
}

TEST(PanelReply, PositionReportFillsTheBoxes) {
    PanelRig rig;
    int reports = 0;
    rig.panel.onPositionReport = [&reports] { ++reports; };
    rig.click(B::Now);
    rig.reply(PositionReplyText(0x1C20, 3800, 25600, 0x1D6));
    EXPECT_TRUE(rig.messages().isEmpty());
    const PanelState& state = rig.panel.state();
    EXPECT_EQ(state.PositionText,
              (std::array<QString, 4>{u"7200"_qs, u"3800"_qs, u"25600"_qs, u"470"_qs}));
    EXPECT_EQ(state.PositionValue, (std::array<int, 4>{7200, 3800, 25600, 470}));
    EXPECT_EQ(reports, 1);
}

TEST(PanelReply, BadFieldsBecomeZeroWithOneMessageEach) {
    PanelRig rig;
    rig.panel.setPositionText(1, u"5"_qs);
    rig.click(B::Now);
    // PAN one past its maximum, TILT negative (top bit), ZOOM in range, D-ZOOM 471 from its
    // last three digits (the first digit is not read).
    rig.reply(PositionReplyText(0x1C21, 0x8000, 100, 0xF1D7));
    EXPECT_EQ(rig.messages(),
              (QList<int>{MessageReceiveError, MessageReceiveError, MessageReceiveError}));
    EXPECT_EQ(rig.panel.state().PositionText,
              (std::array<QString, 4>{u"0"_qs, u"0"_qs, u"100"_qs, u"0"_qs}));
}

// Each rule of a data reply, broken alone: one "Receiving data error.", boxes untouched.
TEST(PanelReply, MalformedDataRepliesLeaveTheBoxesALowerCaseOneIsRead) {
    const QString good = PositionReplyText(100, 200, 300, 400);
    const QString badChecksum = QString(good).replace(good.size() - 6, 2, u"00"_qs);
    const QString badLength = QString(good).replace(2, 2, u"11"_qs);
    // Length byte, checksum and end bytes all consistent, but too short to hold the fields.
    const QString shortReply = DataReplyText(QByteArray::fromHex("00100115") + QByteArray(2, '\0'));
    // The last is the good reply in lower case: it is read.
    const QString cases[] = {badChecksum, badLength,      u"06"_qs,      good.left(30) + u"FFFE"_qs,
                             shortReply,  u"FD01FFFF"_qs, good.toLower()};
    for (const QString& reply : cases) {
        const bool accepted = reply == good.toLower();
        PanelRig rig;
        rig.panel.setPositionText(0, u"1234"_qs);
        rig.click(B::Now);
        LinkStateWriter::of(rig.engine).ScreenCode = ScreenPanel;
        LinkStateWriter::of(rig.engine).ReceiveBuffer = reply;
        rig.panel.Get_CommControl();
        EXPECT_EQ(rig.messages(), accepted ? QList<int>{} : QList<int>{MessageReceiveError})
            << reply.toStdString();
        EXPECT_EQ(rig.panel.state().PositionText[0], accepted ? u"100"_qs : u"1234"_qs)
            << reply.toStdString();
    }
}

// Every reply a panel command gets reaches the panel's reply handler, also one that arrives
// while the panel pauses after a key, and in the order the replies came.
TEST(PanelReply, EveryReplyReachesTheReplyHandler) {
    PanelRig rig;
    rig.log.startRecording();
    const QStringList replies = Words("06 15 00 06") << PositionReplyText(9, 8, 7, 6);
    const B keys[] = {B::Stop, B::WdrOn, B::BwOn, B::Menu, B::Now};
    for (int i = 0; i < replies.size(); ++i) {
        rig.panel.click(keys[i]); // the pause after the key is still running
        ASSERT_TRUE(rig.pause.isActive());
        rig.port.receiveHex(replies[i]);
        rig.endPauses();
    }
    EXPECT_EQ(rig.messages(), (QList<int>{MessageNack, MessageBusy}));
    EXPECT_EQ(rig.panel.state().PositionText[0], u"9"_qs);
    EXPECT_EQ(rig.log.count(), 10) << "five frames and five replies";
}

// Replies of every length, hex or not, to NOW and to an ACK command: at most one message
// each per field, never a read past the end (the sanitizer build watches).
TEST(PanelReply, AnyReplyTextIsReadWithinItsBounds) {
    const QString good = PositionReplyText(1, 2, 3, 4);
    for (const int kind : {0, 15}) {
        for (qsizetype length = 0; length <= good.size() + 2; ++length) {
            for (const QString& text : {good.left(length), QString(length, QLatin1Char('G')),
                                        u"FD"_qs + QString(length, QLatin1Char('F'))}) {
                PanelRig rig;
                LinkStateWriter::of(rig.engine).ReceiveBuffer = text;
                LinkStateWriter::of(rig.engine).ExpectedReplyKind = kind;
                rig.panel.Get_CommControl();
                EXPECT_LE(rig.sink.shown.size(), 4) << text.toStdString();
                const bool accepted = kind == 0 ? text == kReplyAck : text == good;
                EXPECT_TRUE(accepted || !rig.messages().isEmpty())
                    << kind << " " << text.toStdString();
            }
        }
    }
}

// Each field up to its maximum; D-ZOOM read from the last three hex digits of its word.
TEST(PanelReply, PositionFieldsWithinTheirMaxima) {
    // PAN, TILT, ZOOM and D-ZOOM words as they stand on the wire; the fields read from them.
    const std::tuple<int, int, int, int, PositionFields> cases[] = {
        {7200, 3800, 25600, 470, {7200, 3800, 25600, 470}},
        {7201, 3801, 25601, 471, {std::nullopt, std::nullopt, std::nullopt, std::nullopt}},
        {0, 0xFFFF, 0x8000, 0xF1D6, {0, std::nullopt, std::nullopt, 470}}, // D-ZOOM: 1D6
        {0, 0, 0, 0x09D6, {0, 0, 0, std::nullopt}},                        // D-ZOOM: 9D6
    };
    for (const auto& [pan, tilt, zoom, dZoom, expected] : cases) {
        const auto fields = ParsePositionFields(PositionReplyText(pan, tilt, zoom, dZoom));
        ASSERT_TRUE(fields.has_value());
        EXPECT_EQ(*fields, expected) << pan << " " << tilt << " " << zoom << " " << dZoom;
    }
    EXPECT_EQ(ParsePositionFields(PositionReplyText(0, 0, 0, 0).chopped(8)), std::nullopt);
}

// The panel's frames on the link: one awaits its answer at a time and the next goes out when
// the answer came or the wait ended; a stop refused while another screen's transaction holds
// the link goes out as soon as the link is free, a refused press never.

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
    EXPECT_EQ(std::tuple(rig.panel.repliesReceived(), rig.panel.framesAwaitingReply(),
                         rig.panel.isIdle(), rig.messages().size()),
              std::tuple(2, 2, true, 0));
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
    EXPECT_EQ(std::tuple(rig.other.timeOuts, rig.sentData().last(), rig.engine.state().ScreenCode),
              std::tuple(1, kStop, ScreenPanel));
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
