#include "CommLogCsv.h"

#include "common/MessageNumber.h"
#include "common/MessageSink.h"

#include <QDateTime>
#include <QSaveFile>

namespace zel {

namespace {

QString csvField(const QString& text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QString CommLogCsv::header() {
    return QStringLiteral("time_ms,wall_clock,direction,unit,data,meaning");
}

QString CommLogCsv::line(const CommLogRow& row) {
    const QStringList fields{row.entry.elapsedMs < 0 ? QString()
                                                     : QString::number(row.entry.elapsedMs),
                             wallClockText(row.entry.wallClockMs),
                             FrameDecoder::directionText(row.decoded.direction),
                             row.entry.unit,
                             row.entry.data,
                             row.decoded.meaning};
    QStringList quoted;
    for (const QString& field : fields)
        quoted.append(csvField(field));
    return quoted.join(QLatin1Char(','));
}

QString CommLogCsv::elapsedText(qint64 elapsedMs) {
    if (elapsedMs < 0)
        return {};
    const qint64 hours = elapsedMs / 3'600'000;
    const QString minutesOn = QStringLiteral("%1:%2.%3")
                                  .arg(elapsedMs / 60'000 % 60, 2, 10, QLatin1Char('0'))
                                  .arg(elapsedMs / 1000 % 60, 2, 10, QLatin1Char('0'))
                                  .arg(elapsedMs % 1000, 3, 10, QLatin1Char('0'));
    return hours > 0 ? QString::number(hours) + QLatin1Char(':') + minutesOn : minutesOn;
}

QString CommLogCsv::wallClockText(qint64 wallClockMs) {
    if (wallClockMs < 0)
        return {};
    return QDateTime::fromMSecsSinceEpoch(wallClockMs)
        .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
}

bool CommLogCsv::write(const QString& path, const QVector<CommLogRow>& rows,
                       MessageSink& messages) {
    QString text = header() + QStringLiteral("\r\n");
    for (const CommLogRow& row : rows)
        text += line(row) + QStringLiteral("\r\n");
    QSaveFile file(path);
    const QByteArray bytes = text.toUtf8();
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    messages.ShowMessage(MessageCannotSave);
    return false;
}

} // namespace zel
