// The events of zelctl panel are checked before anything is sent: each good event is one
// step, the first bad one stops the whole script with a reason naming it.
#include "CliPanelScript.h"
#include "Words.h"

#include <gtest/gtest.h>

using namespace zel::cli;
using zel::test::Words;

TEST(PanelScriptTest, EveryKindOfGoodEventIsOneStep) {
    const char* events = "press:up release:up press:tele keydown:left keyup:a keydown:7 click:cam "
                         "click:aux5-on click:9 type:123 mode:step pan-speed:60 tilt-speed:1 "
                         "zoom-speed:8 focus-speed:2 preset-key:on autopan-way:4 autopan-turn:1 "
                         "position:1,2,3,4 wait:0 wait:3600000";
    const PanelScript script = ParsePanelScript(Words(events), false);
    EXPECT_TRUE(script.error.isEmpty()) << script.error.toStdString();
    ASSERT_EQ(script.steps.size(), size_t(Words(events).size()));
    for (size_t i = 0; i + 2 < script.steps.size(); ++i) {
        EXPECT_EQ(script.steps[i].waitMs, -1) << i;
        EXPECT_TRUE(bool(script.steps[i].apply)) << i;
    }
    EXPECT_EQ(script.steps[script.steps.size() - 2].waitMs, 0);
    EXPECT_EQ(script.steps.back().waitMs, 3'600'000);
}

TEST(PanelScriptTest, TheFirstBadEventStopsTheScriptWithItsReason) {
    const std::pair<const char*, const char*> cases[] = {
        {"press:sideways", "unknown movement key 'sideways'"},
        {"click:up", "unknown key 'up' for click:"},
        {"keydown:esc", "unknown keyboard key 'esc'"},
        {"keydown:", "unknown keyboard key ''"},
        {"type:12a", "type: takes decimal digits"},
        {"wait:3600001", "wait:MS takes 0..3600000 milliseconds"},
        {"wait:-1", "wait:MS takes 0..3600000 milliseconds"},
        {"pan-speed:2", "pan-speed: is not one of the speed choices"},
        {"zoom-speed:60", "zoom-speed: is not one of the speed choices"},
        {"mode:fast", "unknown mode 'fast'"},
        {"mode:test", "mode:test needs test mode ([SOFT] Mode=1)"},
        {"test-pan:5", "test-pan: needs test mode ([SOFT] Mode=1)"},
        {"preset-key:yes", "preset-key: takes on or off"},
        {"autopan-way:5", "autopan-way: takes 1..4"},
        {"autopan-turn:0", "autopan-turn: takes 1..2"},
        {"position:1,2,3", "position: takes four numbers P,T,Z,D"},
        {"position:1,2,3,x", "position: takes four numbers P,T,Z,D"},
        {"jump", "unknown event 'jump'"},
        {":up", "unknown event ':up'"},
        {"fly:up", "unknown event 'fly:up'"},
    };
    for (const auto& [event, reason] : cases) {
        const PanelScript script = ParsePanelScript({u"press:up"_qs, QLatin1String(event)}, false);
        EXPECT_EQ(script.error, QLatin1String(reason)) << event;
        EXPECT_TRUE(script.steps.empty()) << event << ": no step of a refused script runs";
    }
}

TEST(PanelScriptTest, TestModeOpensTheTestEvents) {
    const PanelScript script = ParsePanelScript(
        Words("mode:test mode:accel-off test-pan:5 test-tilt:0 test-zoom:9 test-focus:12"), true);
    EXPECT_TRUE(script.error.isEmpty()) << script.error.toStdString();
    EXPECT_EQ(script.steps.size(), 6u);
    EXPECT_EQ(ParsePanelScript({u"test-zoom:x"_qs}, true).error,
              u"test-zoom: takes decimal digits"_qs);
}

TEST(PanelScriptTest, EveryClickNameTheReferenceGivesIsTaken) {
    const QString clicks = PanelEventReference().section(u"NAME: "_qs, 2).section(u'.', 0, 0);
    const QStringList names = clicks.simplified().split(u' ');
    ASSERT_GT(names.size(), 40) << clicks.toStdString();
    for (const QString& name : names)
        EXPECT_TRUE(ParsePanelScript({u"click:"_qs + name}, false).error.isEmpty())
            << name.toStdString();
}
