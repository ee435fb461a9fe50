#pragma once
// The panel's entry box `TextCtrl`: the number typed with the keyboard or the digit keys, and
// its entry-clear timer `TimerTextCtrl`. A number a command has used is cleared `TimeOutDsp`
// ms later, or at the next key press (`FlushEntryClear`), so it is never used twice.
#include <QString>
#include <functional>
#include <optional>

namespace zel {

class LanguageTables;
class MessageSink;
class Timer;

class EntryBox {
public:
    EntryBox(Timer& timerTextCtrl, MessageSink& messages, const LanguageTables& language);

    void setClearInterval(int ms) { m_clearIntervalMs = ms; }

    const QString& text() const { return m_text; }
    // The whole text is selected (after a range failure): the next digit replaces it.
    bool isSelected() const { return m_selected; }

    // A typed character; only decimal digits are taken.
    void typeCharacter(QChar c);
    void backspace();
    void clear();

    void StartEntryClearTimer();
    void StopEntryClearTimer();
    // A used number is emptied now, as when the timer fires.
    void FlushEntryClear();
    // The entry-clear timer fired.
    void clearTimerFired();

    // True when the entry holds a number in minimum..maximum; else the range message, and
    // the entry takes the focus with its text selected.
    bool ValidateEntryNumber(int minimum, int maximum);
    // The entry as a number (only after ValidateEntryNumber passed).
    int number() const { return m_text.toInt(); }

    std::function<void()> onChanged;        // text or selection changed
    std::function<void()> onFocusAndSelect; // the window focuses the box, text selected

private:
    void setText(const QString& text, bool selected);

    Timer& m_timer;
    MessageSink& m_messages;
    const LanguageTables& m_language;
    QString m_text;
    bool m_selected = false;
    int m_clearIntervalMs = 2000;
};

} // namespace zel
