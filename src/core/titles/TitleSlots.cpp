#include "TitleSlots.h"

namespace zel {

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
