#include "ReportPagination.h"

namespace zel {

QVector<PageRows> PaginateRows(const QVector<double>& rowHeights, double bodyHeight) {
    QVector<PageRows> pages;
    PageRows page;
    double used = 0;
    for (int row = 0; row < rowHeights.size(); ++row) {
        const double height = rowHeights[row];
        if (page.count > 0 && used + height > bodyHeight) {
            pages.append(page);
            page = {row, 0};
            used = 0;
        }
        ++page.count;
        used += height;
    }
    pages.append(page);
    return pages;
}

} // namespace zel
