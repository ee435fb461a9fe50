#include "EntryBox.h"

#include "common/NumberRange.h"
#include "common/Timer.h"

namespace zel {

namespace {
// Digits beyond this are not kept: no range of the panel needs more, and a text this long
// already fails every range check.
constexpr qsizetype kMaxEntryDigits = 10;
} // namespace

EntryBox::EntryBox(Timer& timerTextCtrl, MessageSink& messages, const LanguageTables& language)
    : m_timer(timerTextCtrl), m_messages(messages), m_language(language) {}

void EntryBox::typeCharacter(QChar c) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9'))
        return;
    if (m_selected)
        setText(QString(c), false);
    else if (m_text.size() < kMaxEntryDigits)
        setText(m_text + c, false);
}

void EntryBox::backspace() {
    setText(m_selected ? QString() : m_text.left(m_text.size() - 1), false);
}

void EntryBox::clear() {
    setText({}, false);
}

void EntryBox::StartEntryClearTimer() {
    m_timer.start(m_clearIntervalMs);
}

void EntryBox::StopEntryClearTimer() {
    m_timer.stop();
}

void EntryBox::FlushEntryClear() {
    if (m_timer.isActive())
        clearTimerFired();
}

void EntryBox::clearTimerFired() {
    m_timer.stop();
    clear();
}

bool EntryBox::ValidateEntryNumber(int minimum, int maximum) {
    if (NumberRange(minimum, maximum).check(m_messages, m_language, m_text))
        return true;
    setText(m_text, true);
    if (onFocusAndSelect)
        onFocusAndSelect();
    return false;
}

void EntryBox::setText(const QString& text, bool selected) {
    m_text = text;
    m_selected = selected && !text.isEmpty();
    if (onChanged)
        onChanged();
}

} // namespace zel
