#include "PanelKeyboard.h"

#include "PanelCommands.h"
#include "common/Timer.h"

#include <array>

namespace zel {

using namespace panel;

namespace {

// What a held arrow sends: nothing while its opposite is held; with a crossing arrow held
// (up before down for left/right, left before right for up/down) the diagonal; alone its
// own direction.
struct ArrowRule {
    int key;
    int opposite;
    int firstCross;
    int firstCode;
    int secondCross;
    int secondCode;
    int aloneCode;
};

constexpr std::array<ArrowRule, 4> kArrowRules{{
    {KeyLeft, KeyRight, KeyUp, PtzUpLeft, KeyDown, PtzDownLeft, PtzLeft},
    {KeyRight, KeyLeft, KeyUp, PtzUpRight, KeyDown, PtzDownRight, PtzRight},
    {KeyUp, KeyDown, KeyLeft, PtzUpLeft, KeyRight, PtzUpRight, PtzUp},
    {KeyDown, KeyUp, KeyLeft, PtzDownLeft, KeyRight, PtzDownRight, PtzDown},
}};

// The lens keys and the movement they send.
int lensCode(int key) {
    switch (key) {
    case KeyE:
        return PtzTele;
    case KeyD:
        return PtzWide;
    case KeyS:
        return PtzFar;
    case KeyF:
        return PtzNear;
    case KeyA:
        return PtzAf;
    default:
        return PtzNone;
    }
}

} // namespace

PanelKeyboard::PanelKeyboard(PanelCommands& panel, Timer& timerKeyDown)
    : m_panel(panel), m_timerKeyDown(timerKeyDown) {}

PanelKeyboard::~PanelKeyboard() {
    m_timerKeyDown.stop();
}

void PanelKeyboard::formKeyDown(int key) {
    m_panel.entry().FlushEntryClear();
    PanelState& state = m_panel.state();
    if (key == state.LastHeldKey)
        return; // auto-repeat
    m_timerKeyDown.start(kKeyDownDelayMs);
    state.LastHeldKey = key;
}

void PanelKeyboard::formKeyUp(int key) {
    m_panel.gate().pause(kKeyUpPauseMs, [this, key] { keyUpAfterPause(key); });
}

void PanelKeyboard::keyUpAfterPause(int key) {
    PanelState& state = m_panel.state();
    state.LastHeldKey = firstHeldArrow();
    if (IsArrowKey(key)) {
        state.PanBits = state.TiltBits = kFieldStop;
    } else if (key == KeyE || key == KeyD) {
        state.ZoomBits = kFieldStop;
    } else if (key == KeyS || key == KeyF || key == KeyA) {
        state.FocusBits = kFieldStop;
    } else {
        return;
    }
    EvaluateHeldKeys();
}

void PanelKeyboard::hookArrowDown(int key) {
    m_timerKeyDown.start(kHookDelayMs);
    m_panel.state().LastHeldKey = key;
}

void PanelKeyboard::CheckHeldArrowKey() {
    const int held = firstHeldArrow();
    PanelState& state = m_panel.state();
    if (held != state.LastHeldKey) {
        state.LastHeldKey = held;
        m_timerKeyDown.start(kKeyDownDelayMs);
    }
    if (held != KeyNone)
        m_panel.FocusEntryBox();
}

void PanelKeyboard::keyDownTimerFired() {
    m_timerKeyDown.stop();
    EvaluateHeldKeys();
}

void PanelKeyboard::stopTimer() {
    m_timerKeyDown.stop();
}

void PanelKeyboard::EvaluateHeldKeys() {
    const int key = m_panel.state().LastHeldKey;
    if (key == KeyNone) {
        m_panel.SendPtzCommand(PtzRelease);
        return;
    }
    int code = PtzNone;
    if (IsArrowKey(key))
        code = arrowCode(key);
    else if (key != KeyTab)
        code = lensCode(key);
    if (code == PtzNone && !IsArrowKey(key) && key != KeyTab)
        return; // a key of no movement: nothing, and the focus stays
    if (code != PtzNone)
        m_panel.SendPtzCommand(code);
    m_panel.FocusEntryBox();
}

int PanelKeyboard::arrowCode(int key) const {
    for (const ArrowRule& rule : kArrowRules) {
        if (rule.key != key)
            continue;
        if (isHeld(rule.opposite))
            return PtzNone;
        if (isHeld(rule.firstCross))
            return rule.firstCode;
        if (isHeld(rule.secondCross))
            return rule.secondCode;
        return rule.aloneCode;
    }
    return PtzNone;
}

int PanelKeyboard::firstHeldArrow() const {
    for (const int key : {KeyLeft, KeyRight, KeyUp, KeyDown})
        if (isHeld(key))
            return key;
    return KeyNone;
}

} // namespace zel
