#include "CompactPath.h"

#include <QDir>
#include <QFontMetrics>

namespace zel::gui {

namespace {
const QString kEllipsis = QStringLiteral("...");
} // namespace

QString CompactPath::fit(const QString& path, const QFontMetrics& metrics, int width) {
    const QString shown = QDir::toNativeSeparators(path);
    if (metrics.horizontalAdvance(shown) <= width)
        return shown;
    const qsizetype nameStart = shown.lastIndexOf(QDir::separator()) + 1;
    const QString name = shown.mid(nameStart);
    // Drop folder characters from the end of the folder part until the rest fits.
    for (qsizetype keep = nameStart - 1; keep > 0; --keep) {
        const QString candidate = shown.left(keep) + kEllipsis + QDir::separator() + name;
        if (metrics.horizontalAdvance(candidate) <= width)
            return candidate;
    }
    const QString bare = nameStart > 0 ? kEllipsis + QDir::separator() + name : name;
    if (metrics.horizontalAdvance(bare) <= width)
        return bare;
    return metrics.elidedText(bare, Qt::ElideRight, width);
}

} // namespace zel::gui
