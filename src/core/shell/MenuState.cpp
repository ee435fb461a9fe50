#include "MenuState.h"

#include "common/MessageNumber.h"
#include "common/MessageSink.h"

namespace zel {

MenuState::MenuState(MessageSink& messages) : m_messages(messages) {
    reset();
}

void MenuState::reset() {
    m_enabled.fill(true);
    TitleSlotInUse.fill(0);
    CurrentTitleSlot = 0;
    changed();
}

bool MenuState::isEnabled(int button) const {
    return button >= 0 && button < kButtonCount && m_enabled[static_cast<size_t>(button)];
}

void MenuState::setEnabled(int button, bool enabled) {
    if (button < 0 || button >= kButtonCount)
        return;
    m_enabled[static_cast<size_t>(button)] = enabled;
    changed();
}

bool MenuState::IsScreenInUse() const {
    for (int button = ButtonPanel; button <= ButtonCommLog; ++button)
        if (!isEnabled(button))
            return true;
    return freeSlotCount() < kTitleSlots;
}

bool MenuState::isSlotTaken(int slot) const {
    return slot >= 1 && slot <= kTitleSlots &&
           TitleSlotInUse[static_cast<size_t>(slot)] == kSlotTaken;
}

int MenuState::freeSlotCount() const {
    int free = 0;
    for (int slot = 1; slot <= kTitleSlots; ++slot)
        free += isSlotTaken(slot) ? 0 : 1;
    return free;
}

int MenuState::firstFreeSlot() const {
    for (int slot = 1; slot <= kTitleSlots; ++slot)
        if (!isSlotTaken(slot))
            return slot;
    return 0;
}

MenuState::ClickAction MenuState::click(int button) {
    if (!isEnabled(button))
        return ClickAction::None;
    switch (button) {
    case ButtonTitle:
        return clickTitle();
    case ButtonCpuWriter:
        return clickCpuWriter();
    case ButtonExit:
        setEnabled(button, false);
        return ClickAction::Exit;
    default:
        setEnabled(button, false); // the screen counts as open from now on
        return ClickAction::OpenScreen;
    }
}

MenuState::ClickAction MenuState::clickTitle() {
    const int slot = firstFreeSlot();
    if (slot == 0)
        return ClickAction::None;
    TitleSlotInUse[static_cast<size_t>(slot)] = kSlotTaken;
    CurrentTitleSlot = slot;
    if (freeSlotCount() == 0)
        m_enabled[ButtonTitle] = false;
    changed();
    return ClickAction::OpenTitle;
}

MenuState::ClickAction MenuState::clickCpuWriter() {
    // The CPU writer takes the line for itself: only when nothing else is open.
    if (IsScreenInUse()) {
        m_messages.ShowMessage(MessageOtherWindowInAction);
        return ClickAction::Refused;
    }
    setEnabled(ButtonCpuWriter, false);
    return ClickAction::OpenCpuWriter;
}

void MenuState::screenClosed(int button) {
    setEnabled(button, true);
}

void MenuState::titleWindowClosed(int slot) {
    if (slot >= 1 && slot <= kTitleSlots)
        TitleSlotInUse[static_cast<size_t>(slot)] = 0;
    m_enabled[ButtonTitle] = true;
    changed();
}

MenuState::CloseDecision MenuState::requestClose(bool endForced) {
    if (m_endBlocker && m_endBlocker()) {
        m_messages.ShowMessage(MessageInProgramming);
        setEnabled(ButtonExit, true);
        return CloseDecision::Cancel;
    }
    if (!IsScreenInUse())
        return CloseDecision::Close;
    m_messages.ShowMessage(MessageEndCurrentWindow);
    setEnabled(ButtonExit, true);
    return endForced ? CloseDecision::ForceEnd : CloseDecision::Cancel;
}

void MenuState::changed() {
    if (onChanged)
        onChanged();
}

} // namespace zel
