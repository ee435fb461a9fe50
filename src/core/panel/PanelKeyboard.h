#pragma once
// Keyboard control of the panel: the arrow keys pan and tilt (two at once for a diagonal),
// E/D zoom TELE/WIDE, S/F/A focus FAR/NEAR/AF. A key-down sends the movement once, a key-up
// sends it again without that movement; auto-repeat sends nothing.
//
// Two layers keep the frames the same at any typing speed. As the key events arrive (never
// delayed by a panel pause) the held-key set changes and the key-down timer is started; each
// evaluation and each key-up then runs through the panel's event gate carrying the held set
// of the moment it arose, so a pause delays the frames but never replays or swallows one.
#include <functional>
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

    // ---- As the events arrive ----
    // Key down on the form (the entry box has the focus, or any key but an arrow or Tab).
    void keyDown(int key);
    // Key up on the form: the key's movement is cleared and the held keys evaluated again.
    void keyUp(int key);
    // An arrow key went down while another control than the entry box had the focus.
    void hookArrowDown(int key);
    // `TimerKeyDown` fired.
    void keyDownTimerFired();
    // The panel lost the keys (deactivated, closed): nothing is held, no evaluation is due.
    void releaseAll();
    void stopTimer();
    bool isHeldNow(int key) const { return m_held.count(key) != 0; }

    // Runs `event` through the gate with the held keys of this moment.
    void post(std::function<void()> event);

    // ---- In the gate, with the held keys of the event that runs ----
    // A command button lost the focus: a held arrow is evaluated, and the focus goes back to
    // the entry box.
    void CheckHeldArrowKey();
    // Turns the key last recorded and the arrows held into one movement.
    void EvaluateHeldKeys();

private:
    void startTimer(int key, int ms);
    void evaluatePendingNow();
    void evaluate(int key);
    void keyUpAfterPause(int key);
    bool isHeld(int key) const { return m_eventHeld.count(key) != 0; }
    int firstHeldArrow() const;
    int arrowCode(int key) const;

    PanelCommands& m_panel;
    Timer& m_timerKeyDown;
    std::set<int> m_held;      // held now
    std::set<int> m_eventHeld; // held when the running gate event arose
    int m_timerKey = 0;        // the key `TimerKeyDown` evaluates
};

} // namespace zel
