// The panel session: which parts show, the address zelctl starts with, and the stop that goes
// out when the panel is dropped while a camera moves.
#include "PanelRig.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

using namespace zel;
using namespace zel::panel;
using namespace zel::test;
using B = PanelButton;

TEST(PanelSession, PartsShowByModeSpeedModeAndPresetKey) {
    struct Case {
        bool testMode;
        int speedMode;
        bool presetKey;
        PanelControls shown;
    };
    const Case cases[] = {
        {false, ModeNormal, false, {false, false, false, true, false}},
        {false, ModeStep, true, {false, false, false, true, true}},
        {true, ModeTest, false, {true, true, true, false, false}},
        {true, ModeAccelOff, true, {true, true, false, true, true}},
    };
    const auto parts = [](const PanelControls& c) {
        return std::tuple{c.testPanel, c.testSpeedModes, c.testSpeeds, c.normalSpeeds,
                          c.autoPanChoices};
    };
    for (const Case& c : cases) {
        PanelRig rig;
        rig.settings.SoftMode = c.testMode ? u"1"_qs : u"0"_qs;
        PanelSession session{rig.engine, rig.language, rig.settings, rig.sink,
                             PanelCommands::Timers{rig.pause, rig.keyDown, rig.textCtrl}};
        session.open();
        session.commands().chooseSpeedMode(c.speedMode);
        session.commands().setPresetKeyActive(c.presetKey);
        rig.endPauses();
        EXPECT_EQ(parts(session.controls()), parts(c.shown)) << c.testMode << " " << c.speedMode;
        EXPECT_TRUE(session.showsSpeedMode(ModeStep));
        EXPECT_EQ(session.showsSpeedMode(ModeTest), c.testMode);
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
