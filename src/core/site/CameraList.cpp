#include "CameraList.h"

#include <algorithm>

namespace zel {

namespace {

constexpr int kFirstCamera = 1;
constexpr int kLastCamera = 255;

std::optional<int> cameraNumber(const QString& text) {
    if (text.isEmpty() || text.size() > 3 || !std::all_of(text.begin(), text.end(), [](QChar c) {
            return c.isDigit() && c.unicode() < 128;
        }))
        return std::nullopt;
    const int value = text.toInt();
    if (value < kFirstCamera || value > kLastCamera)
        return std::nullopt;
    return value;
}

bool fail(QString* why, const QString& text) {
    if (why)
        *why = text;
    return false;
}

bool addItem(const QString& item, QList<int>& cameras, QString* why) {
    const QStringList ends = item.split(QLatin1Char('-'));
    if (ends.size() > 2)
        return fail(why, QStringLiteral("'%1' is not a camera or a range").arg(item));
    const std::optional<int> first = cameraNumber(ends.first().trimmed());
    const std::optional<int> last = cameraNumber(ends.last().trimmed());
    if (!first || !last)
        return fail(why, QStringLiteral("'%1': cameras are 1 to 255").arg(item));
    if (*first > *last)
        return fail(why, QStringLiteral("'%1' runs backwards").arg(item));
    for (int camera = *first; camera <= *last; ++camera)
        cameras.append(camera);
    return true;
}

} // namespace

std::optional<QList<int>> ParseCameraList(const QString& text, QString* why) {
    QList<int> cameras;
    if (text.trimmed().isEmpty()) {
        fail(why, QStringLiteral("no camera given"));
        return std::nullopt;
    }
    for (const QString& item : text.split(QLatin1Char(',')))
        if (!addItem(item.trimmed(), cameras, why))
            return std::nullopt;
    std::sort(cameras.begin(), cameras.end());
    cameras.erase(std::unique(cameras.begin(), cameras.end()), cameras.end());
    return cameras;
}

bool IsCameraListText(const QString& text) {
    return text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('-'));
}

} // namespace zel
