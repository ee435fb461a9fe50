#pragma once
// The operation panel's controller (screen code 0): the panel state, the send path
// `SendPanelCommand` with its silent refusals, the movement command 20, the reply callback
// `Get_CommControl`, the entry box and the keyboard. The window and zelctl feed it events;
// every event runs through the event gate, so the documented pauses keep their order.
#include "EntryBox.h"
#include "PanelCommandData.h"
#include "PanelEventGate.h"
#include "PanelKeyboard.h"
#include "PanelOutbox.h"
#include "PanelState.h"
#include "common/NumberRange.h"
#include "link/LinkClient.h"

#include <QString>
#include <functional>
#include <optional>
#include <span>

namespace zel {

class LanguageTables;
class LinkEngine;
class MessageSink;
class Timer;

// The boxes a range failure hands the focus back to.
enum class PanelBox { Entry, RemoteNo, TestSpeed, Position };

class PanelCommands : public LinkClient {
public:
    static constexpr int kFocusPauseMs = 100;

    struct Timers {
        Timer& pause;    // the pauses of the event gate
        Timer& keyDown;  // `TimerKeyDown`
        Timer& textCtrl; // `TimerTextCtrl`
    };

    PanelCommands(LinkEngine& engine, const LanguageTables& language, MessageSink& messages,
                  Timers timers);
    ~PanelCommands() override;
    PanelCommands(const PanelCommands&) = delete;
    PanelCommands& operator=(const PanelCommands&) = delete;

    // Form load: start values (`InitPanelDefaults`), the entry-clear interval, then ready.
    void load(int entryClearMs);
    // Form unload: a movement still running is stopped first; then nothing more is sent.
    void unload();
    // Stops at once whatever the panel set moving (a signal, the end of a script): pending
    // events and held keys are dropped and the stop goes out first. False when nothing was
    // moving.
    bool stopNow();

    panel::PanelState& state() { return m_state; }
    const panel::PanelState& state() const { return m_state; }
    EntryBox& entry() { return m_entry; }
    PanelKeyboard& keyboard() { return m_keyboard; }
    PanelEventGate& gate() { return m_gate; }
    // No pause, no queued event, no panel timer running, no frame waiting to go out and no
    // reply awaited.
    bool isIdle() const;
    // A pause, a queued event or the key timer still to come (the entry-clear timer aside).
    bool keyHandlingPending() const;
    // Frames sent that awaited a reply, and replies that came (whatever they said). The
    // panel shows nothing for a reply that never comes.
    int framesAwaitingReply() const { return m_framesAwaitingReply; }
    int repliesReceived() const { return m_repliesReceived; }

    // ---- Events (each runs through the gate) ----
    // Left mouse button down / up on a movement key (direction 0..7 or a lens key).
    void pressMoveKey(int ptzCode);
    void releaseMoveKey(int ptzCode);
    void click(panel::PanelButton button);
    // Digits typed into the entry box (each one flushes a used entry first).
    void typeIntoEntry(const QString& digits);
    void entryBackspace();
    // Keyboard: the held set changes at once, the handling runs through the gate.
    void keyPressed(int key);
    void keyReleased(int key);
    void arrowPressedElsewhere(int key); // an arrow while another control has the focus
    void buttonLostFocus();
    void activated();
    // The panel is no longer the active window: key-ups will go elsewhere, so the held keys
    // are forgotten and a running movement is stopped.
    void deactivated();

    void chooseSpeedMode(int mode);
    void choosePanSpeed(int index);
    void chooseTiltSpeed(int index);
    void chooseZoomSpeed(int index);
    void chooseFocusSpeed(int index);
    void chooseAutoPanWay(int way);
    void chooseAutoPanTurn(int turn);
    void setPresetKeyActive(bool active);
    void setRemoteNoText(const QString& text);
    void leaveRemoteNo();
    void setTestSpeedText(int box, const QString& text); // a change of `TextKey`(box)
    void leaveTestSpeed(int box);
    void setTestSpeedBar(int box, int value);
    void setPositionText(int box, const QString& text); // a change of `TextPanel`(box)
    void leavePosition(int box);
    void setPositionBar(int box, int value);

    // ---- Procedures under their documented names ----
    void SendPanelCommand(const QString& data, const QString& request, const QString& code);
    void SendPtzCommand(int ptzCode);
    void Get_CommControl();
    void FocusEntryBox();
    bool ValidateSpeedText(int box);
    bool ValidatePositionText(int box);
    void ParsePositionReply(const QString& reply);

    void replyComplete() override;
    void replyAbandoned() override;

    // ---- What the window and zelctl render ----
    std::function<void()> onFocusEntryBox;                     // `TextCtrl` takes the focus
    std::function<void(PanelBox box, int index)> onBoxRefused; // focus back, text selected
    std::function<void()> onStateChanged;
    std::function<void(const QString& data)> onCommandSent;
    std::function<void()> onPositionReport; // the position boxes took a report

private:
    // Runs `event` through the gate with the keys held at this moment.
    void post(PanelEventGate::Event event);
    void handleReply(const QString& reply, int expectedKind);
    void releaseIfMoving();
    bool mayBeMoving() const;
    std::optional<panel::SpeedBytes> speedBytes() const;
    void runClick(panel::PanelButton button);
    void changed();
    void chooseSpeed(int panel::PanelState::*speed, std::span<const int> choices, int index);
    bool checkBox(PanelBox box, int index, const QString& text, NumberRange range);

    LinkEngine& m_engine;
    const LanguageTables& m_language;
    MessageSink& m_messages;
    Timers m_timers;
    PanelEventGate m_gate;
    EntryBox m_entry;
    PanelKeyboard m_keyboard;
    PanelOutbox m_outbox;
    panel::PanelState m_state;
    int m_framesAwaitingReply = 0;
    int m_repliesReceived = 0;
};

} // namespace zel
