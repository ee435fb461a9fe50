// What each key of the panel puts on the wire; the entry box: digits, the entry-clear timer
// and the flush at the next key.
#include "PanelRig.h"
#include "common/MessageNumber.h"
#include "panel/PanelCommandData.h"

#include <gtest/gtest.h>

using namespace zel;
using namespace zel::panel;
using namespace zel::test;
using B = PanelButton;

TEST(PanelKeyCommand, EveryFixedKeySendsItsData) {
    // clang-format off
    const std::pair<B, const char*> cases[] = {
        {B::Aux1Off, "300101"}, {B::Aux1On, "300102"}, {B::Aux2Off, "300201"},
        {B::Aux2On, "300202"}, {B::Aux3Off, "300301"}, {B::Aux3On, "300302"},
        {B::Aux4Off, "300401"}, {B::Aux4On, "300402"}, {B::Aux5Off, "300501"},
        {B::Aux5On, "300502"}, {B::WdrReset, "6E0100"}, {B::Now, "15"}, {B::WdrOff, "6E0101"},
        {B::WdrOn, "6E0102"}, {B::BwReset, "6E0200"}, {B::BwOff, "6E0201"}, {B::BwOn, "6E0202"},
        {B::IrsReset, "6200"}, {B::IrsDark, "6201"}, {B::IrsBright, "6202"}, {B::AlarmReset, "89"},
        {B::AlarmAction, "88"}, {B::Stop, "40"}, {B::AutoP, "410000"}, {B::TraceRecStop, "4A"},
        {B::TurnLeftSet, "2201"}, {B::TurnRightSet, "2202"}, {B::TurnUpSet, "2203"},
        {B::TurnDownSet, "2204"}, {B::TurnClear, "2100"}, {B::TurnOff, "2101"}, {B::TurnOn, "2102"},
        {B::AutoPanRightSet, "4201"}, {B::AutoPanLeftSet, "4202"}, {B::AutoPanRightClear, "4301"},
        {B::AutoPanLeftClear, "4302"}, {B::Go, "140000000000000000"}};
    // clang-format on
    for (const auto& [button, data] : cases) {
        PanelRig rig;
        rig.click(button);
        EXPECT_EQ(rig.sent, QStringList{QString::fromLatin1(data)}) << "button " << int(button);
        EXPECT_TRUE(rig.messages().isEmpty());
        EXPECT_GE(rig.entryFocused, 1) << "every click ends with the entry box focused";
    }
}

TEST(PanelKeyCommand, NowAsksForDataAndOtherKeysForAnAck) {
    PanelRig rig;
    rig.click(B::Now);
    EXPECT_EQ(rig.engine.state().ExpectedReplyKind, 15);
    EXPECT_EQ(rig.port.written.last().toHex().toUpper().mid(6, 2), "11"); // camera 001, request 1
    rig.timerMenu.fireNow(); // no report: the next key goes out after the wait
    rig.click(B::Stop);
    EXPECT_EQ(rig.engine.state().ExpectedReplyKind, 0);
}

TEST(PanelKeyCommand, MenuFlipsAndSetAndCancelFollowIt) {
    PanelRig rig(CameraAcks::AtOnce);
    rig.click(B::Set); // menu closed: nothing
    rig.click(B::Cancel);
    EXPECT_TRUE(rig.sent.isEmpty());
    rig.click(B::Menu);
    rig.click(B::Set); // empty entry
    rig.type(u"12"_qs);
    rig.click(B::Set);
    rig.type(u"3"_qs);
    rig.click(B::Cancel); // empties the entry, sends nothing
    EXPECT_EQ(rig.panel.entry().text(), QString());
    rig.click(B::Cancel); // an empty entry: cancels the menu item
    rig.click(B::Menu);
    EXPECT_EQ(rig.sent, Words("A802 A901FFFF A9010012 A9000000 A801"));
    EXPECT_EQ(rig.panel.state().MenuState, u"1"_qs);
}

// Refused silently (a bad address) or with a message (a closed port): the menu flips anyway.
TEST(PanelKeyCommand, MenuFlipsEvenWhenTheFrameIsRefused) {
    for (const bool portClosed : {false, true}) {
        PanelRig rig;
        if (portClosed)
            rig.engine.CloseCommPort();
        else
            rig.panel.state().RemoteNo = u"0"_qs;
        rig.click(B::Menu);
        EXPECT_EQ(std::tuple(rig.sent, rig.panel.state().MenuState, rig.messages()),
                  std::tuple(QStringList(), u"2"_qs,
                             portClosed ? QList<int>{MessagePortOpenError} : QList<int>{}));
    }
}

TEST(PanelKeyCommand, AutoPanSendsWayAndTurnOnlyWithThePresetKeyActive) {
    PanelRig rig(CameraAcks::AtOnce);
    rig.panel.chooseAutoPanWay(3);
    rig.panel.chooseAutoPanTurn(1);
    rig.click(B::AutoP);
    rig.panel.setPresetKeyActive(true);
    rig.click(B::AutoP);
    EXPECT_EQ(rig.sent, Words("410000 410301"));
}

TEST(PanelKeyCommand, NumberedKeysEncodeTheEntryOrRefuseItWithTheRangeMessage) {
    // clang-format off
    // Entry, key, data sent or the range the message names, sent.
    const std::tuple<const char*, B, const char*, bool> cases[] = {
        {"123", B::Pos, "101230", true}, {"7", B::Pos, "100070", true},
        {"0", B::Pos, "100000", true}, {"255", B::PositionSet, "112550", true},
        {"12", B::PositionClear, "120120", true}, {"16", B::Tour, "4D10", true},
        {"1", B::Tour, "4D01", true}, {"2", B::Trace, "4802", true}, {"01", B::Trace, "4801", true},
        {"1", B::TraceRec, "4901", true}, {"2", B::TraceClear, "4C02", true},
        {"9999", B::Set, "A9019999", true},
        {"", B::Pos, "0 to 255", false}, {"256", B::Pos, "0 to 255", false},
        {"3", B::Trace, "1 to 2", false}, {"0", B::TraceRec, "1 to 2", false},
        {"17", B::Tour, "1 to 16", false}, {"0", B::Tour, "1 to 16", false},
        {"256", B::Cam, "0 to 255", false}, {"99999999999", B::PositionSet, "0 to 255", false},
        {"10000", B::Set, "0 to 9999", false}}; // the menu checks its range only with a number
    // clang-format on
    for (const auto& [entry, button, data, sent] : cases) {
        SCOPED_TRACE(entry);
        PanelRig rig;
        if (button == B::Set)
            rig.panel.state().MenuState = u"2"_qs;
        rig.type(QString::fromLatin1(entry));
        rig.click(button);
        EXPECT_EQ(rig.textCtrl.isActive(), sent) << "a used entry is cleared later";
        if (sent) {
            EXPECT_EQ(rig.sent, QStringList{QString::fromLatin1(data)});
            continue;
        }
        EXPECT_TRUE(rig.sent.isEmpty());
        ASSERT_EQ(rig.messages(), QList<int>{MessageError});
        EXPECT_TRUE(rig.sink.shown[0].extra.startsWith(QString::fromLatin1(data)))
            << rig.sink.shown[0].extra.toStdString();
        EXPECT_EQ(rig.panel.entry().isSelected(), !rig.panel.entry().text().isEmpty());
    }
}

TEST(PanelKeyCommand, CameraKeySetsTheCameraNumberAndZeroNeedsNoReply) {
    PanelRig rig;
    rig.type(u"0"_qs);
    rig.click(B::Cam);
    EXPECT_EQ(rig.panel.state().CameraNo, u"0"_qs);
    EXPECT_TRUE(rig.sent.isEmpty());
    rig.click(B::Stop);
    EXPECT_EQ(rig.sent, QStringList{u"40"_qs});
    EXPECT_EQ(rig.engine.state().ScreenCode, ScreenIdle) << "camera 0 is fire-and-forget";
    EXPECT_FALSE(rig.timerMenu.isActive());
    rig.panel.pressMoveKey(PtzRight);
    rig.panel.releaseMoveKey(PtzRight); // no frame awaits an answer: both go out at once
    EXPECT_EQ(rig.sentData(), Words("40 20043C3C0808 20003C3C0808"));
}

TEST(PanelKeyCommand, GoEncodesPanAndTiltPackedAndZoomBinary) {
    EXPECT_EQ(GoData(3600, 100, 25600, 470), u"1436000100640001D6"_qs);
    EXPECT_EQ(GoData(7200, 3800, 0, 0), u"147200380000000000"_qs);
    EXPECT_EQ(GoData(9999, 9999, 0xFFFF, 0xFFFF), u"1499999999FFFFFFFF"_qs);
    for (const auto& [pan, tilt, zoom, dZoom] :
         {std::tuple{10000, 0, 0, 0}, {0, 0, 0x10000, 0}, {0, 0, 0, 0x10000}, {0, -1, 0, 0}})
        EXPECT_EQ(GoData(pan, tilt, zoom, dZoom), std::nullopt)
            << pan << " " << tilt << " " << zoom;

    PanelRig rig;
    rig.panel.setPositionText(0, u"3600"_qs);
    rig.panel.setPositionText(1, u"100"_qs);
    rig.panel.setPositionBar(2, 25600);
    rig.panel.setPositionText(3, u"470"_qs);
    rig.click(B::Go);
    EXPECT_EQ(rig.sent, QStringList{u"1436000100640001D6"_qs});
}

// A box left out of range would put five digits into a four-digit field: GO refuses it.
TEST(PanelKeyCommand, GoRefusesABoxOutOfRange) {
    PanelRig rig;
    rig.panel.setPositionText(2, u"99999"_qs);
    rig.endPauses();
    rig.sink.clear();
    rig.click(B::Go);
    EXPECT_EQ(std::tuple(rig.sent, rig.messages(), rig.sink.shown.value(0).extra.left(10)),
              std::tuple(QStringList(), QList<int>{MessageError}, u"0 to 25600"_qs));
    EXPECT_EQ(rig.refused.value(PanelBox::Position), (QList<int>{2, 2}));
}

TEST(PanelKeyCommand, BitByteReadsTheFourFieldsAsOneBinaryNumber) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"00000100", "04"}, {"11000000", "C0"}, {"00010100", "14"}, {"10101010", "AA"},
        {"1", "01"}};
    // clang-format on
    for (const auto& [bits, hex] : cases)
        EXPECT_EQ(BitsToHexByte(QString::fromLatin1(bits)), QString::fromLatin1(hex)) << bits;
}

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
    EXPECT_EQ(std::tuple(rig.panel.entry().text(), rig.textCtrl.isActive()),
              std::tuple(QString(), false));
}

TEST(PanelEntry, RecordStopDoesNotUseTheEntry) {
    PanelRig rig;
    rig.type(u"1"_qs);
    rig.click(B::TraceRecStop);
    EXPECT_EQ(std::tuple(rig.sent, rig.panel.entry().text(), rig.textCtrl.isActive()),
              std::tuple(QStringList{u"4A"_qs}, u"1"_qs, false));
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
