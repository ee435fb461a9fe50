#include "PrintReport.h"

namespace zel {

QString PrintReport::labelValue(const QString& name) const {
    for (const QVector<ReportLabel>& line : labelLines)
        for (const ReportLabel& label : line)
            if (label.name == name)
                return label.value;
    return {};
}

int PrintReport::columnOf(const QString& field) const {
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].field == field)
            return i;
    return -1;
}

} // namespace zel
