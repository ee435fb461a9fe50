#pragma once
// Keyboard control of the panel: the arrow keys pan and tilt (two at once for a diagonal),
// E/D zoom TELE/WIDE, S/F/A focus FAR/NEAR/AF. A key-down sends the movement once, a key-up
// sends it again without that movement; auto-repeat sends nothing.
//
// Which keys are held is a set the caller feeds from press and release events as they
// arrive (never delayed by a panel pause), so the evaluation sees the keys held "now".
// The events themselves run through the panel's event gate.
#include <set>

namespace zel {

class PanelCommands;
class Timer;

class PanelKeyboard {
public:
    static constexpr int kKeyDownDelayMs = 20; // lets a second arrow be seen as held
    static constexpr int kHookDelayMs = 150;   // arrow caught while another control had focus
    static constexpr int kKeyUpPauseMs = 10;

    PanelKeyboard(PanelCommands& panel, Timer& timerKeyDown);
    ~PanelKeyboard();
    PanelKeyboard(const PanelKeyboard&) = delete;
    PanelKeyboard& operator=(const PanelKeyboard&) = delete;

    // The held-key set, updated as the events arrive.
    void press(int key) { m_held.insert(key); }
    void release(int key) { m_held.erase(key); }
    bool isHeld(int key) const { return m_held.count(key) != 0; }
    void releaseAll() { m_held.clear(); }

    // Key down on the form (the entry box has the focus, or any key but an arrow or Tab).
    void formKeyDown(int key);
    // Key up on the form: after a 10 ms pause, the held arrows are read again.
    void formKeyUp(int key);
    // An arrow key went down while another control than the entry box had the focus.
    void hookArrowDown(int key);
    // A command button lost the focus: a held arrow is evaluated, and the focus goes back to
    // the entry box.
    void CheckHeldArrowKey();
    // Turns the key last recorded and the arrows held now into one movement.
    void EvaluateHeldKeys();
    // `TimerKeyDown` fired.
    void keyDownTimerFired();
    void stopTimer();

private:
    void keyUpAfterPause(int key);
    int firstHeldArrow() const;
    int arrowCode(int key) const;

    PanelCommands& m_panel;
    Timer& m_timerKeyDown;
    std::set<int> m_held;
};

} // namespace zel
