// Keyboard control: arrows, lens letters, the 20 ms and 150 ms key timers, the 10 ms pause
// before a key-up is read, auto-repeat, focus recovery, and typing in time.
#include "PanelRig.h"

#include <gtest/gtest.h>

#include <vector>

using namespace zel;
using namespace zel::panel;
using namespace zel::test;
using B = PanelButton;

namespace {

struct KeyboardRig : PanelRig {
    KeyboardRig() : PanelRig(CameraAcks::AtOnce) {}
};

TEST(PanelKeyboard, TwoArrowsWithinTheKeyDelayGiveTheDiagonal) {
    const std::tuple<int, int, const char*> cases[] = {
        {KeyLeft, KeyUp, "09"},    {KeyUp, KeyLeft, "09"},   {KeyRight, KeyUp, "05"},
        {KeyRight, KeyDown, "06"}, {KeyDown, KeyLeft, "0A"}, {KeyDown, KeyRight, "06"}};
    for (const auto& [first, second, bits] : cases) {
        KeyboardRig rig;
        rig.down(first);
        rig.down(second); // before the 20 ms timer fired
        rig.fireKeyTimer();
        EXPECT_EQ(rig.bits(), QStringList{QString::fromLatin1(bits)}) << first << "+" << second;
    }
}

TEST(PanelKeyboard, OppositeArrowSendsNothingUntilReleased) {
    KeyboardRig rig;
    rig.hold(KeyLeft);
    rig.hold(KeyRight);
    EXPECT_EQ(rig.bits(), QStringList{u"08"_qs});
    EXPECT_GE(rig.entryFocused, 2)
        << "the focus goes back to the entry box although nothing was sent";
    rig.up(KeyRight);
    EXPECT_EQ(rig.bits(), Words("08 08"));
    rig.up(KeyLeft);
    EXPECT_EQ(rig.bits().last(), u"00"_qs);
}

TEST(PanelKeyboard, OtherKeysAndTabSendNothing) {
    for (const int key : {int(KeyTab), int('Q'), int('7'), 16 /* shift */}) {
        KeyboardRig rig;
        rig.hold(key);
        rig.up(key);
        EXPECT_EQ(std::tuple(rig.sent.size(), rig.entryFocused),
                  std::tuple(0, key == KeyTab ? 1 : 0))
            << key;
    }
}

// The key-up runs 10 ms later but reads the keys held when it arrived: an arrow released
// during that pause has its own key-up, which follows.
TEST(PanelKeyboard, KeyUpReadsTheArrowsHeldWhenItArrived) {
    KeyboardRig rig;
    rig.down(KeyLeft);
    rig.down(KeyUp);
    rig.fireKeyTimer(); // up-left
    rig.panel.keyReleased(KeyUp);
    ASSERT_TRUE(rig.pause.isActive());
    rig.panel.keyReleased(KeyLeft); // while the first key-up pauses
    rig.endPauses();
    EXPECT_EQ(rig.bits(), Words("09 08 00"));
}

// An arrow while a button has the focus is caught and sent after 150 ms.
TEST(PanelKeyboard, ArrowCaughtElsewhereWaitsLonger) {
    KeyboardRig rig;
    rig.panel.arrowPressedElsewhere(KeyDown);
    rig.endPauses();
    EXPECT_EQ(std::tuple(rig.keyDown.interval(), rig.sent.size()), std::tuple(150, 0));
    rig.fireKeyTimer();
    EXPECT_EQ(std::tuple(rig.bits(), rig.entryFocused), std::tuple(QStringList{u"02"_qs}, 1));
}

TEST(PanelKeyboard, ButtonLosingTheFocusPicksUpAHeldArrow) {
    KeyboardRig rig;
    rig.panel.arrowPressedElsewhere(KeyUp); // held, its key-down went to the button
    rig.panel.buttonLostFocus();
    rig.endPauses();
    EXPECT_EQ(std::tuple(rig.keyDown.interval(), rig.entryFocused), std::tuple(20, 1));
    rig.fireKeyTimer();
    EXPECT_EQ(rig.bits(), QStringList{u"01"_qs});

    KeyboardRig idle;
    idle.panel.buttonLostFocus();
    idle.endPauses();
    EXPECT_EQ(std::tuple(idle.keyDown.isActive(), idle.entryFocused), std::tuple(false, 0));
}

// Events that arrive during the 100 ms pause after a key run afterwards, in order.
TEST(PanelKeyboard, PauseKeepsTheOrderOfEvents) {
    KeyboardRig rig;
    rig.panel.click(B::Stop);
    rig.panel.pressMoveKey(PtzUp);
    rig.panel.click(B::Menu);
    EXPECT_EQ(rig.sent, QStringList{u"40"_qs});
    rig.pause.fireNow();
    rig.port.receiveHex(u"06"_qs); // each frame goes out after the last one's answer
    rig.port.receiveHex(u"06"_qs);
    EXPECT_EQ(rig.sent, Words("40 20013C3C0808 A802"))
        << "the press, then the click that pauses again";
    EXPECT_TRUE(rig.pause.isActive());
}

// Keyboard sequences typed slowly (300 ms between key events) and quickly (60 ms, a tap)
// give the same frames: the 100 ms pause after each key delays frames, never replays or
// swallows them. Time runs on a manual clock; the camera answers every frame at once.
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

using KeyEvent = std::pair<bool, int>; // pressed, key

// The bit bytes sent for `events` with `spacingMs` between them.
QStringList typed(const std::vector<KeyEvent>& events, int spacingMs) {
    TimedRig rig;
    int time = 0;
    for (const auto& [pressed, key] : events) {
        rig.runUntil(time);
        if (pressed)
            rig.panel.keyPressed(key);
        else
            rig.panel.keyReleased(key);
        rig.answer();
        time += spacingMs;
    }
    rig.runUntil(time + 1000);
    EXPECT_TRUE(rig.panel.isIdle());
    return rig.bits();
}

const auto down = [](int key) { return KeyEvent{true, key}; };
const auto up = [](int key) { return KeyEvent{false, key}; };

TEST(PanelKeyboardTiming, QuickAndSlowTypingGiveTheSameFrames) {
    const std::tuple<const char*, std::vector<KeyEvent>, const char*> cases[] = {
        {"left, E pressed and released, left released",
         {down(KeyLeft), down(KeyE), up(KeyE), up(KeyLeft)},
         "08 18 08 00"},
        {"a tap of D, then of F", {down(KeyD), up(KeyD), down(KeyF), up(KeyF)}, "20 00 80 00"},
        {"right held through auto-repeat",
         {down(KeyRight), down(KeyRight), down(KeyRight), up(KeyRight)},
         "04 00"},
        {"left, then up on top, up released, left released",
         {down(KeyLeft), down(KeyUp), up(KeyUp), up(KeyLeft)},
         "08 09 08 00"},
        {"A then S overlapping", {down(KeyA), down(KeyS), up(KeyA), up(KeyS)}, "C0 40 00 00"},
        {"keys outside the nine", {down('X'), up('X'), down(KeyTab), up(KeyTab)}, ""},
    };
    for (const auto& [name, events, frames] : cases) {
        EXPECT_EQ(typed(events, 300), Words(frames)) << name << " at 300 ms";
        EXPECT_EQ(typed(events, 60), Words(frames)) << name << " at 60 ms";
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
    EXPECT_EQ(typed({down(KeyE), up(KeyE)}, 5), Words("10 00"));
}

} // namespace
