#include "BackupComparison.h"

#include "BackupFile.h"

#include <algorithm>

namespace zel {

namespace {

QString offsetText(int offset) {
    return QStringLiteral("0x") +
           QStringLiteral("%1").arg(offset, 4, 16, QLatin1Char('0')).toUpper();
}

QString byteText(quint8 value) {
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

QString summary(const BackupComparison& comparison) {
    if (comparison.identical())
        return QStringLiteral("identical: %1 blocks, %2 bytes")
            .arg(BackupFile::kBlockCount)
            .arg(BackupFile::kImageSize);
    return QStringLiteral("%1 of %2 blocks differ, %3 of %4 bytes")
        .arg(comparison.blocks.size())
        .arg(BackupFile::kBlockCount)
        .arg(comparison.bytes.size())
        .arg(BackupFile::kImageSize);
}

} // namespace

BackupComparison CompareBackupImages(const QByteArray& a, const QByteArray& b) {
    BackupComparison comparison;
    const qsizetype size = std::min(a.size(), b.size());
    for (qsizetype offset = 0; offset < size; ++offset) {
        if (a[offset] == b[offset])
            continue;
        const int at = static_cast<int>(offset);
        comparison.bytes.append({at, quint8(a[offset]), quint8(b[offset])});
        const int blockNo = at / BackupFile::kBlockSize + 1;
        if (comparison.blocks.isEmpty() || comparison.blocks.last().blockNo != blockNo)
            comparison.blocks.append({blockNo, 0, at});
        ++comparison.blocks.last().differingBytes;
    }
    return comparison;
}

QStringList BackupComparisonReport(const BackupComparison& comparison, BackupReportDetail detail) {
    QStringList lines;
    if (detail == BackupReportDetail::Bytes) {
        lines.reserve(comparison.bytes.size() + 1);
        for (const BackupByteDifference& byte : comparison.bytes)
            lines.append(offsetText(byte.offset) + QLatin1Char(' ') + byteText(byte.a) +
                         QLatin1Char(' ') + byteText(byte.b));
    } else {
        for (const BackupBlockDifference& block : comparison.blocks)
            // "bytes" also for one: scripts read these lines by their fixed words.
            lines.append(QStringLiteral("block %1: %2 bytes differ, first at offset %3")
                             .arg(block.blockNo)
                             .arg(block.differingBytes)
                             .arg(offsetText(block.firstOffset)));
    }
    lines.append(summary(comparison));
    return lines;
}

} // namespace zel
