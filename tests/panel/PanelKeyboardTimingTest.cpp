// Keyboard sequences typed slowly (300 ms between key events) and quickly (60 ms, a tap)
// give the same frames: the 100 ms pause after each key delays frames, never replays or
// swallows them. Time runs on a manual clock; the camera answers every frame at once.
#include "PanelRig.h"

#include <gtest/gtest.h>

#include <vector>

using namespace zel;
using namespace zel::panel;
using namespace zel::test;

namespace {

struct ClockAtZero {
    ClockAtZero() { ManualTimer::now = 0; }
};

struct TimedRig : ClockAtZero, PanelRig {
    // The camera acknowledges whatever the panel sent.
    void answer() {
        while (engine.state().ScreenCode == ScreenPanel)
            port.receiveHex(u"06"_qs);
    }
    // Fires the panel's timers in the order they fall due, up to `time`.
    void runUntil(int time) {
        answer();
        for (;;) {
            ManualTimer* next = nullptr;
            for (ManualTimer* timer : {&pause, &keyDown, &textCtrl})
                if (timer->isActive() && timer->dueAt <= time &&
                    (!next || timer->dueAt < next->dueAt))
                    next = timer;
            if (!next)
                break;
            ManualTimer::now = next->dueAt;
            next->fireNow();
            answer();
        }
        ManualTimer::now = time;
    }
};

struct KeyEvent {
    bool down;
    int key;
};

// The bit bytes sent for `events` with `spacingMs` between them.
QStringList typed(const std::vector<KeyEvent>& events, int spacingMs) {
    TimedRig rig;
    int time = 0;
    for (const KeyEvent& event : events) {
        rig.runUntil(time);
        if (event.down)
            rig.panel.keyPressed(event.key);
        else
            rig.panel.keyReleased(event.key);
        rig.answer();
        time += spacingMs;
    }
    rig.runUntil(time + 1000);
    EXPECT_TRUE(rig.panel.isIdle());
    return rig.bits();
}

KeyEvent down(int key) {
    return {true, key};
}
KeyEvent up(int key) {
    return {false, key};
}

TEST(PanelKeyboardTiming, QuickAndSlowTypingGiveTheSameFrames) {
    const auto s = [](const char* text) { return QString::fromLatin1(text); };
    const struct {
        const char* name;
        std::vector<KeyEvent> events;
        QStringList frames;
    } cases[] = {
        {"left, E pressed and released, left released",
         {down(KeyLeft), down(KeyE), up(KeyE), up(KeyLeft)},
         {s("08"), s("18"), s("08"), s("00")}},
        {"a tap of D, then of F",
         {down(KeyD), up(KeyD), down(KeyF), up(KeyF)},
         {s("20"), s("00"), s("80"), s("00")}},
        {"right held through auto-repeat",
         {down(KeyRight), down(KeyRight), down(KeyRight), up(KeyRight)},
         {s("04"), s("00")}},
        {"left, then up on top, up released, left released",
         {down(KeyLeft), down(KeyUp), up(KeyUp), up(KeyLeft)},
         {s("08"), s("09"), s("08"), s("00")}},
        {"A then S overlapping",
         {down(KeyA), down(KeyS), up(KeyA), up(KeyS)},
         {s("C0"), s("40"), s("00"), s("00")}},
        {"keys outside the nine", {down('X'), up('X'), down(KeyTab), up(KeyTab)}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(typed(c.events, 300), c.frames) << c.name << " at 300 ms";
        EXPECT_EQ(typed(c.events, 60), c.frames) << c.name << " at 60 ms";
    }
}

TEST(PanelKeyboardTiming, OtherKeyRightAfterAClickSendsNothing) {
    TimedRig rig;
    rig.panel.click(PanelButton::Menu);
    rig.answer();
    rig.panel.keyPressed('X');
    rig.runUntil(30);
    rig.panel.keyReleased('X');
    rig.runUntil(1000);
    EXPECT_EQ(rig.bits(), QStringList{u"A802"_qs});
}

TEST(PanelKeyboardTiming, TapShorterThanTheKeyDelay) {
    TimedRig rig;
    rig.panel.keyPressed(KeyE);
    rig.runUntil(5);
    rig.panel.keyReleased(KeyE);
    rig.runUntil(1000);
    EXPECT_EQ(rig.bits(), Words("10 00"));
}

} // namespace
