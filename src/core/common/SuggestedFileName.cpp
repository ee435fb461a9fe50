#include "SuggestedFileName.h"

namespace zel {

namespace {
constexpr int kHighestCamera = 255;
}

QString cameraFileName(const QString& cameraNo, const QString& suffix) {
    bool ok = false;
    const int number = cameraNo.trimmed().toInt(&ok);
    const QString stem = ok && number >= 0 && number <= kHighestCamera
                             ? QStringLiteral("cam%1").arg(number, 3, 10, QLatin1Char('0'))
                             : QStringLiteral("cam");
    return stem + QLatin1Char('.') + suffix;
}

QString datedFileName(const QDate& date, const QString& suffix) {
    return date.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('.') + suffix;
}

} // namespace zel
