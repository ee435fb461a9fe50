#include "CommLogFindTarget.h"

#include "CommLogStore.h"

namespace zel {

CommLogFindTarget::CommLogFindTarget(const CommLogStore& store, std::function<int()> shownCount)
    : m_store(store), m_shownCount(std::move(shownCount)) {}

int CommLogFindTarget::lineCount() const {
    return qMin(m_shownCount ? m_shownCount() : 0, m_store.count());
}

QString CommLogFindTarget::lineText(int line) const {
    if (line < 1 || line > lineCount())
        return {};
    const CommLogEntry& entry = m_store.entry(line - 1);
    return entry.unit + entry.data;
}

void CommLogFindTarget::showHit(int line) {
    if (onHit)
        onHit(line);
}

} // namespace zel
