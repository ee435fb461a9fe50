#include "TitleCsvWriter.h"

#include "TitleDocument.h"
#include "TitleFileWriter.h"
#include "common/CsvRecords.h"
#include "common/FileBytes.h"
#include "titletable/TitleCategory.h"

#include <QStringList>

namespace zel {

namespace {
const QString kLineEnd = QStringLiteral("\r\n");
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
} // namespace

QString TitleCsvCategoryName(int category) {
    const QLatin1StringView header = TitleCategoryAt(category).sectionHeader;
    return QString(header.mid(1, header.size() - 2));
}

QString TitleFromFileLine(const QString& title) {
    QString text = title;
    text.replace(QStringLiteral("{073}"), QStringLiteral("\""));
    return text;
}

QByteArray TitleCsvBytes(const TitleDocument& document) {
    QString text;
    text += QString::fromUtf16(kTitleCsvRemoteKey) + QLatin1Char(',') +
            CsvField(document.RemoteNo) + kLineEnd;
    text += QString::fromUtf16(kTitleCsvCameraKey) + QLatin1Char(',') +
            CsvField(document.CameraNo) + kLineEnd;
    text += QString::fromUtf16(kTitleCsvHeader) + kLineEnd;
    for (int category = 0; category < kTitleCategoryCount; ++category) {
        const QString name = TitleCsvCategoryName(category);
        // By number, so a sorted grid is written in number order.
        for (int number = 1; number <= TitleCategoryAt(category).titleCount; ++number)
            text +=
                name + QLatin1Char(',') + QString::number(number) + QLatin1Char(',') +
                CsvField(TitleFromFileLine(TitleForFileLine(document.title(category, number)))) +
                kLineEnd;
    }
    return QByteArray(kByteOrderMark) + text.toUtf8();
}

bool WriteTitleCsvFile(const QString& path, const TitleDocument& document, QString* error) {
    return WriteFileBytes(path, TitleCsvBytes(document), error);
}

} // namespace zel
