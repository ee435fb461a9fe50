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

void PanelKeyboard::post(std::function<void()> event) {
    m_panel.gate().post([this, held = m_held, event = std::move(event)] {
        m_eventHeld = held;
        event();
    });
}

void PanelKeyboard::keyDown(int key) {
    const bool repeat = isHeldNow(key);
    // Two arrows within the delay make one diagonal; any other key first has its own
    // evaluation of the key before it.
    if (!repeat && m_timerKeyDown.isActive() && !(IsArrowKey(key) && IsArrowKey(m_timerKey)))
        evaluatePendingNow();
    post([this] { m_panel.entry().FlushEntryClear(); });
    if (repeat)
        return; // auto-repeat
    m_held.insert(key);
    startTimer(key, kKeyDownDelayMs);
}

void PanelKeyboard::hookArrowDown(int key) {
    if (isHeldNow(key))
        return;
    if (m_timerKeyDown.isActive() && !IsArrowKey(m_timerKey))
        evaluatePendingNow();
    m_held.insert(key);
    startTimer(key, kHookDelayMs);
}

void PanelKeyboard::keyUp(int key) {
    if (!isHeldNow(key))
        return; // its key-down went elsewhere, or the panel already let the keys go
    if (m_timerKeyDown.isActive())
        evaluatePendingNow(); // a tap shorter than the delay still sends its press first
    m_held.erase(key);
    post([this, key] {
        const std::set<int> held = m_eventHeld;
        m_panel.gate().pause(kKeyUpPauseMs, [this, key, held] {
            m_eventHeld = held;
            keyUpAfterPause(key);
        });
    });
}

void PanelKeyboard::startTimer(int key, int ms) {
    m_timerKey = key;
    m_timerKeyDown.start(ms);
}

void PanelKeyboard::evaluatePendingNow() {
    m_timerKeyDown.stop();
    const int key = m_timerKey;
    post([this, key] { evaluate(key); });
}

void PanelKeyboard::keyDownTimerFired() {
    evaluatePendingNow();
}

void PanelKeyboard::evaluate(int key) {
    m_panel.state().LastHeldKey = key;
    EvaluateHeldKeys();
}

void PanelKeyboard::releaseAll() {
    m_held.clear();
    m_timerKeyDown.stop();
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

void PanelKeyboard::CheckHeldArrowKey() {
    const int held = firstHeldArrow();
    PanelState& state = m_panel.state();
    if (held != state.LastHeldKey) {
        state.LastHeldKey = held;
        startTimer(held, kKeyDownDelayMs);
    }
    if (held != KeyNone)
        m_panel.FocusEntryBox();
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
