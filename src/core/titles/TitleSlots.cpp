#include "TitleSlots.h"

namespace zel {

int TitleSlots::acquireSlot() {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (!m_taken[size_t(slot)]) {
            m_taken[size_t(slot)] = true;
            m_fileNames[size_t(slot)].clear();
            return slot;
        }
    }
    return 0;
}

void TitleSlots::releaseSlot(int slot) {
    if (!isSlot(slot))
        return;
    m_taken[size_t(slot)] = false;
    m_fileNames[size_t(slot)].clear();
}

bool TitleSlots::isTaken(int slot) const {
    return isSlot(slot) && m_taken[size_t(slot)];
}

bool TitleSlots::hasFreeSlot() const {
    for (int slot = 1; slot <= kSlotCount; ++slot)
        if (!m_taken[size_t(slot)])
            return true;
    return false;
}

QString TitleSlots::TitleFileName(int slot) const {
    return isSlot(slot) ? m_fileNames[size_t(slot)] : QString();
}

void TitleSlots::setTitleFileName(int slot, const QString& path) {
    if (isSlot(slot))
        m_fileNames[size_t(slot)] = path;
}

bool TitleSlots::isOpenInOtherSlot(const QString& path, int slot) const {
    if (path.isEmpty())
        return false;
    for (int other = 1; other <= kSlotCount; ++other)
        if (other != slot && m_fileNames[size_t(other)] == path)
            return true;
    return false;
}

} // namespace zel
