#pragma once
// Two backup images (32000 bytes each) compared block by block, as the transfer numbers the
// blocks (1..1000, 32 bytes each), and the report both zelctl and the backup window show:
//
//   block 12: 3 bytes differ, first at offset 0x0164
//   ...
//   2 of 1000 blocks differ, 7 of 32000 bytes
//
// or, byte by byte, "0x0164 1A 00" (offset in the file, A's byte, B's byte) for every
// differing byte, followed by the same summary. Identical images give only the summary line.
#include <QByteArray>
#include <QStringList>
#include <QVector>

namespace zel {

struct BackupBlockDifference {
    int blockNo = 0;        // 1..1000
    int differingBytes = 0; // 1..32
    int firstOffset = 0;    // offset in the file of the first differing byte
};

struct BackupByteDifference {
    int offset = 0;
    quint8 a = 0;
    quint8 b = 0;
};

struct BackupComparison {
    QVector<BackupBlockDifference> blocks;
    QVector<BackupByteDifference> bytes;
    bool identical() const { return bytes.isEmpty(); }
};

// Both images must be BackupFile::kImageSize bytes; bytes past the shorter one are not
// compared (callers refuse other sizes first).
BackupComparison CompareBackupImages(const QByteArray& a, const QByteArray& b);

enum class BackupReportDetail { Blocks, Bytes };

QStringList BackupComparisonReport(const BackupComparison& comparison, BackupReportDetail detail);

} // namespace zel
