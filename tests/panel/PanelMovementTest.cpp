// Command 20 from the mouse: one frame on press, one on release, speeds by mode; the send
// path's silent refusals; the release that goes out when the panel loses the keys or is dropped.
// The panel session: which parts show and the address zelctl starts with.
#include "PanelRig.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

using namespace zel;
using namespace zel::panel;
using namespace zel::test;
using B = PanelButton;

TEST(PanelMovement, PressAndReleaseSendOneFrameEach) {
    PanelRig rig;
    rig.press(PtzRight);
    EXPECT_EQ(rig.sent, QStringList{u"20043C3C0808"_qs});
    EXPECT_EQ(rig.entryFocused, 0) << "a press does not move the focus";
    rig.release(PtzRight);
    rig.reply(u"06"_qs);
    EXPECT_EQ(rig.sent, Words("20043C3C0808 20003C3C0808"));
    EXPECT_EQ(rig.entryFocused, 1);
    EXPECT_EQ(CommandDataHex(rig.port.written.last()), u"20003C3C0808"_qs);
}

TEST(PanelMovement, EveryDirectionAndLensKeySetsItsBits) {
    const std::pair<int, const char*> cases[] = {
        {PtzUpRight, "05"},  {PtzRight, "04"}, {PtzDownRight, "06"}, {PtzDown, "02"},
        {PtzDownLeft, "0A"}, {PtzLeft, "08"},  {PtzUpLeft, "09"},    {PtzUp, "01"},
        {PtzTele, "10"},     {PtzWide, "20"},  {PtzFar, "40"},       {PtzNear, "80"},
        {PtzAf, "C0"},       {PtzNone, ""}}; // no key: nothing sent
    for (const auto& [code, bitByte] : cases) {
        PanelRig rig;
        rig.press(code);
        EXPECT_EQ(rig.sent.value(0).mid(2, 2), QString::fromLatin1(bitByte)) << code;
    }
}

TEST(PanelMovement, ReleasingOneKindOfKeyKeepsTheOther) {
    PanelRig rig(CameraAcks::AtOnce);
    rig.panel.pressMoveKey(PtzRight);
    rig.panel.pressMoveKey(PtzTele);
    rig.release(PtzTele);
    rig.release(PtzRight);
    EXPECT_EQ(rig.bits(), Words("04 14 04 00"));
}

TEST(PanelMovement, SpeedBytesFollowTheMode) {
    PanelRig rig(CameraAcks::AtOnce);
    rig.panel.choosePanSpeed(4);   // 30
    rig.panel.chooseTiltSpeed(0);  // 1
    rig.panel.chooseZoomSpeed(1);  // 4
    rig.panel.chooseFocusSpeed(2); // 6
    rig.endPauses();
    rig.sent.clear();
    const auto moveRight = [&rig] {
        rig.press(PtzRight);
        return rig.sent.last();
    };
    EXPECT_EQ(moveRight(), u"20041E010406"_qs);
    rig.panel.chooseSpeedMode(ModeStep);
    EXPECT_EQ(moveRight(), u"200400000406"_qs);
    rig.panel.chooseSpeedMode(ModeAccelOff);
    EXPECT_EQ(moveRight(), u"200480800406"_qs);
    rig.panel.chooseSpeedMode(ModeTest);
    rig.panel.setTestSpeedText(TestPan, u"100"_qs);
    rig.panel.setTestSpeedBar(TestTilt, 5);
    rig.panel.setTestSpeedText(TestZoom, u"3"_qs);
    rig.panel.setTestSpeedText(TestFocus, u"2"_qs);
    rig.endPauses();
    EXPECT_EQ(moveRight(), u"200464050302"_qs);
    rig.panel.chooseSpeedMode(ModeNone);
    EXPECT_EQ(moveRight(), u"2004"_qs);
}

TEST(PanelMovement, SpeedChoiceReEvaluatesTheHeldKey) {
    PanelRig rig(CameraAcks::AtOnce);
    rig.hold(KeyRight);
    rig.panel.choosePanSpeed(0);
    rig.endPauses();
    EXPECT_EQ(rig.sent, Words("20043C3C0808 2004013C0808"));
}

TEST(PanelMovement, TestSpeedBoxesCheckTheirRangeAsTheTextChanges) {
    PanelRig rig;
    for (const QString& text : {u"2"_qs, u"20"_qs, u"200"_qs})
        rig.panel.setTestSpeedText(TestPan, text);
    rig.panel.setTestSpeedText(TestZoom, u"9"_qs);
    rig.panel.setTestSpeedText(TestFocus, u"0"_qs);
    rig.panel.setTestSpeedText(TestTilt, QString());
    rig.endPauses();
    ASSERT_EQ(rig.sink.shown.size(), 4);
    EXPECT_TRUE(rig.sink.shown[0].extra.startsWith(u"1 to 127"_qs));
    EXPECT_TRUE(rig.sink.shown[1].extra.startsWith(u"1 to 8"_qs));
    EXPECT_EQ(rig.refused.value(PanelBox::TestSpeed),
              (QList<int>{TestPan, TestZoom, TestFocus, TestTilt}));
    EXPECT_EQ(rig.panel.state().TestSpeedValue[TestPan], 20) << "the bar keeps the last good value";
    EXPECT_EQ(rig.panel.state().TestSpeedText[TestPan], u"200"_qs);
}

// Every change of a TEST-mode box evaluates the held key again, a refused value too: the held
// movement goes out again at the speeds the bars hold.
TEST(PanelMovement, TestSpeedChangeReEvaluatesTheHeldKeyValidOrNot) {
    PanelRig rig(CameraAcks::AtOnce);
    rig.panel.chooseSpeedMode(ModeTest);
    rig.hold(KeyRight);
    rig.panel.setTestSpeedText(TestPan, u"100"_qs);
    rig.endPauses();
    rig.panel.setTestSpeedText(TestPan, u"200"_qs); // refused with the message
    rig.endPauses();
    EXPECT_EQ(rig.sent, Words("20047F7F0808 2004647F0808 2004647F0808"));
    EXPECT_EQ(rig.messages().size(), 1);
}

TEST(PanelMovement, SendPathRefusesSilently) {
    const std::pair<const char*, const char*> refused[] = {
        {"256", "1"}, {"1", "0"}, {"1", "100"}, {"1", ""}, {"1", "x"}};
    for (const auto& [camera, remote] : refused) { // camera and remote numbers
        PanelRig rig;
        rig.panel.state().CameraNo = QString::fromLatin1(camera);
        rig.panel.state().RemoteNo = QString::fromLatin1(remote);
        rig.press(PtzUp);
        EXPECT_EQ(std::tuple(rig.port.written.size(), rig.messages().size()), std::tuple(0, 0))
            << camera << "/" << remote;
    }
    PanelRig loading;
    loading.panel.unload();
    loading.panel.click(B::Stop);
    loading.endPauses();
    EXPECT_TRUE(loading.port.written.isEmpty());
}

// The panel loses the keys (another window becomes active, or it closes) while the camera
// moves: the release goes out at once, so the camera does not keep turning.
TEST(PanelMovement, DeactivationAndUnloadStopARunningMovement) {
    PanelRig rig(CameraAcks::AtOnce);
    rig.hold(KeyLeft);
    rig.press(PtzWide);
    rig.panel.deactivated();
    rig.endPauses();
    EXPECT_EQ(rig.sent, Words("20083C3C0808 20283C3C0808 20003C3C0808"));
    EXPECT_FALSE(rig.panel.keyboard().isHeldNow(KeyLeft));
    rig.up(KeyLeft); // the key-up arrives after the panel is active again
    EXPECT_EQ(rig.sent.size(), 3) << "stopped already: no second stop";

    rig.panel.deactivated(); // nothing moves: nothing sent
    rig.endPauses();
    EXPECT_EQ(rig.sent.size(), 3);

    rig.press(PtzUp);
    rig.autoAck = false;
    rig.panel.unload();
    EXPECT_EQ(rig.sent.last(), u"20003C3C0808"_qs);
    EXPECT_EQ(rig.engine.state().WaitingForm, nullptr) << "no call back into a closed panel";
    rig.reply(u"06"_qs);
    EXPECT_TRUE(rig.messages().isEmpty());
}

TEST(PanelSession, PartsShowByModeSpeedModeAndPresetKey) {
    // Test mode, speed mode, preset key active; the parts shown.
    const std::tuple<bool, int, bool, PanelControls> cases[] = {
        {false, ModeNormal, false, {false, false, false, true, false}},
        {false, ModeStep, true, {false, false, false, true, true}},
        {true, ModeTest, false, {true, true, true, false, false}},
        {true, ModeAccelOff, true, {true, true, false, true, true}},
    };
    const auto parts = [](const PanelControls& c) {
        return std::tuple{c.testPanel, c.testSpeedModes, c.testSpeeds, c.normalSpeeds,
                          c.autoPanChoices};
    };
    for (const auto& [testMode, speedMode, presetKey, shown] : cases) {
        PanelRig rig;
        rig.settings.SoftMode = testMode ? u"1"_qs : u"0"_qs;
        PanelSession session{rig.engine, rig.language, rig.settings, rig.sink,
                             PanelCommands::Timers{rig.pause, rig.keyDown, rig.textCtrl}};
        session.open();
        session.commands().chooseSpeedMode(speedMode);
        session.commands().setPresetKeyActive(presetKey);
        rig.endPauses();
        EXPECT_EQ(parts(session.controls()), parts(shown)) << testMode << " " << speedMode;
        EXPECT_TRUE(session.showsSpeedMode(ModeStep));
        EXPECT_EQ(session.showsSpeedMode(ModeTest), testMode);
        session.close();
    }
}

TEST(PanelSession, StartsWithTheAddressGivenAndStopsTheCameraWhenItGoes) {
    PanelRig rig;
    rig.session.close();
    auto session =
        std::make_unique<PanelSession>(rig.engine, rig.language, rig.settings, rig.sink,
                                       PanelCommands::Timers{rig.pause, rig.keyDown, rig.textCtrl});
    session->setAddress(12, 34);
    session->open();
    EXPECT_EQ((QStringList{session->state().CameraNo, session->state().RemoteNo}), Words("12 34"));
    session->commands().pressMoveKey(PtzLeft);
    rig.endPauses();
    ASSERT_EQ(rig.port.written.size(), 1);
    rig.port.receiveHex(u"06"_qs);
    session.reset(); // the window or zelctl goes while the camera turns
    ASSERT_EQ(rig.port.written.size(), 2);
    EXPECT_EQ(CommandDataHex(rig.port.written.last()), u"20003C3C0808"_qs);
    EXPECT_EQ(rig.engine.state().WaitingForm, nullptr);
}
