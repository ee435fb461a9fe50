// The entry box: digits, the entry-clear timer and the flush at the next key.
#include "PanelRig.h"
#include "common/MessageNumber.h"

#include <gtest/gtest.h>

using namespace zel;
using namespace zel::panel;
using namespace zel::test;
using B = PanelButton;

TEST(PanelEntry, UsedNumberIsFlushedByTheNextKey) {
    PanelRig rig;
    rig.type(u"12"_qs);
    rig.click(B::Pos);
    rig.click(B::Pos); // finds the entry flushed
    EXPECT_EQ(rig.messages(), QList<int>{MessageError});
    rig.type(u"3"_qs);
    EXPECT_EQ(rig.panel.entry().text(), u"3"_qs);
    EXPECT_EQ(rig.sent, QStringList{u"100120"_qs});
    rig.click(B::Cam);
    EXPECT_EQ(rig.panel.state().CameraNo, u"3"_qs);
    rig.down('Q'); // a keyboard key flushes a used entry too
    EXPECT_EQ(rig.panel.entry().text(), QString());
}

TEST(PanelEntry, ClearTimerEmptiesTheEntryAndDigitKeysAppend) {
    PanelRig rig;
    rig.click(B::Digit4);
    rig.click(B::Digit2);
    EXPECT_EQ(rig.panel.entry().text(), u"42"_qs);
    rig.click(B::Tour); // 42 is out of range: not used, no timer
    EXPECT_FALSE(rig.textCtrl.isActive());
    rig.click(B::Digit1); // replaces the selected text
    rig.click(B::Tour);
    EXPECT_EQ(rig.sent, QStringList{u"4D01"_qs});
    ASSERT_TRUE(rig.textCtrl.isActive());
    EXPECT_EQ(rig.textCtrl.interval(), 2000);
    rig.textCtrl.fireNow();
    rig.endPauses();
    EXPECT_EQ(rig.panel.entry().text(), QString());
    EXPECT_FALSE(rig.textCtrl.isActive());
}

TEST(PanelEntry, RecordStopDoesNotUseTheEntry) {
    PanelRig rig;
    rig.type(u"1"_qs);
    rig.click(B::TraceRecStop);
    EXPECT_EQ(rig.sent, QStringList{u"4A"_qs});
    EXPECT_EQ(rig.panel.entry().text(), u"1"_qs);
    EXPECT_FALSE(rig.textCtrl.isActive());
}

TEST(PanelEntry, OnlyDigitsAreTakenAndTheEntryStaysBounded) {
    PanelRig rig;
    rig.type(u"1a2"_qs);
    EXPECT_EQ(rig.panel.entry().text(), u"12"_qs);
    rig.type(QString(40, QLatin1Char('9')));
    EXPECT_LE(rig.panel.entry().text().size(), 10);
    rig.click(B::Pos);
    EXPECT_TRUE(rig.sent.isEmpty());
}

TEST(PanelEntry, RemoteNumberBoxChecksItsRangeWhenLeft) {
    PanelRig rig;
    for (const char* text : {"", "0", "100", "5"}) {
        rig.panel.setRemoteNoText(QString::fromLatin1(text));
        rig.panel.leaveRemoteNo();
    }
    rig.endPauses();
    EXPECT_EQ(rig.refused.value(PanelBox::RemoteNo).size(), 3);
    EXPECT_EQ(rig.sink.shown.value(0).extra.left(7), u"1 to 99"_qs);
}

TEST(PanelEntry, LoadGivesTheStartValues) {
    PanelRig rig;
    PanelState& state = rig.panel.state();
    state.PanSpeed = 1;
    state.MenuState = u"2"_qs;
    state.CameraNo = u"9"_qs;
    rig.panel.load(500);
    // The other speeds show in every movement frame (3C3C0808), the TEST speeds in TEST mode.
    EXPECT_EQ((QList<int>{state.PanSpeed, state.AutoPanWay, state.AutoPanLR}),
              (QList<int>{60, 1, 2}));
    EXPECT_EQ(state.MenuState, u"1"_qs);
    EXPECT_EQ(state.CameraNo, u"9"_qs) << "the number boxes keep their values";
    rig.type(u"1"_qs);
    rig.click(B::Cam);
    EXPECT_EQ(rig.textCtrl.interval(), 500);
}
