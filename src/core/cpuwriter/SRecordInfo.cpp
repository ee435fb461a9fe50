#include "SRecordInfo.h"

#include "SRecordParser.h"

#include <algorithm>

namespace zel {

namespace {

QList<SRecordRange> merged(QList<SRecordRange> ranges) {
    std::sort(ranges.begin(), ranges.end(),
              [](const SRecordRange& a, const SRecordRange& b) { return a.first < b.first; });
    QList<SRecordRange> result;
    for (const SRecordRange& range : ranges) {
        if (!result.isEmpty() && range.first <= result.last().last + 1)
            result.last().last = std::max(result.last().last, range.last);
        else
            result.append(range);
    }
    return result;
}

QString hexAddress(quint64 address) {
    return QStringLiteral("0x") +
           QString::number(address, 16).toUpper().rightJustified(6, QLatin1Char('0'));
}

} // namespace

SRecordSummary SummarizeSRecords(const QStringList& lines) {
    SRecordSummary summary;
    QList<SRecordRange> ranges;
    for (const QString& line : lines) {
        const SRecord record = ParseSRecord(line);
        const bool counted = record.kind != SRecordKind::NotRecord &&
                             record.kind != SRecordKind::Malformed && record.type >= 0;
        if (!counted) {
            ++summary.otherLines;
            continue;
        }
        ++summary.typeCounts[size_t(record.type)];
        if (record.kind == SRecordKind::Data && !record.data.isEmpty())
            ranges.append(
                {record.address, quint64(record.address) + quint64(record.data.size()) - 1});
    }
    summary.ranges = merged(ranges);
    return summary;
}

bool ConvertsInto(const QStringList& lines, const SRecordWindow& window) {
    QByteArray image(window.size + window.indexOffset, char(0xFF));
    return Convert(lines, window, image);
}

QString FormatSRecordRange(const SRecordRange& range) {
    return hexAddress(range.first) + QLatin1Char('-') + hexAddress(range.last);
}

} // namespace zel
