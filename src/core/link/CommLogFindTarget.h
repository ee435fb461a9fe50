#pragma once
// Find context 6: the rows of the communication log as lines, each the unit and the data of
// one entry joined (unit first). Line n is log entry n - 1, shown in grid row n.
#include "find/FindTarget.h"

#include <functional>

namespace zel {

class CommLogStore;

class CommLogFindTarget : public FindTarget {
public:
    // `shownCount`: how many entries the grid shows (the rows that can be searched).
    CommLogFindTarget(const CommLogStore& store, std::function<int()> shownCount);

    int lineCount() const override;
    QString lineText(int line) const override;
    void showHit(int line) override;

    std::function<void(int line)> onHit; // the window selects and scrolls to the row

private:
    const CommLogStore& m_store;
    std::function<int()> m_shownCount;
};

} // namespace zel
