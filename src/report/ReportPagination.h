#pragma once
// Splits the rows of a report into pages: as many whole rows as fit under the page header on
// each page, at least one row per page so a row taller than a page cannot stop the report.
#include <QVector>

namespace zel {

struct PageRows {
    int first = 0; // index of the first row on the page
    int count = 0; // rows on the page
};

// `rowHeights` in any unit; `bodyHeight`: room for rows on every page, same unit. No rows
// still give one page (it shows the header alone).
QVector<PageRows> PaginateRows(const QVector<double>& rowHeights, double bodyHeight);

} // namespace zel
