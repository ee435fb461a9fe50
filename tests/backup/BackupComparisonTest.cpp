#include "backup/BackupComparison.h"
#include "backup/BackupFile.h"

#include <gtest/gtest.h>

using namespace zel;

namespace {

QByteArray image(char fill) {
    return QByteArray(BackupFile::kImageSize, fill);
}

TEST(BackupComparisonTest, IdenticalImagesGiveOnlyTheSummary) {
    const BackupComparison comparison = CompareBackupImages(image('\x5A'), image('\x5A'));
    EXPECT_TRUE(comparison.identical());
    EXPECT_EQ(BackupComparisonReport(comparison, BackupReportDetail::Blocks),
              QStringList{u"identical: 1000 blocks, 32000 bytes"_qs});
    EXPECT_EQ(BackupComparisonReport(comparison, BackupReportDetail::Bytes),
              QStringList{u"identical: 1000 blocks, 32000 bytes"_qs});
}

TEST(BackupComparisonTest, DifferingBytesAreCountedInTheirTransferBlock) {
    QByteArray a = image('\0');
    QByteArray b = a;
    b[0] = '\x01';           // block 1, first byte
    b[31] = '\x02';          // block 1, last byte
    b[32 * 11 + 4] = '\xFF'; // block 12
    b[31999] = '\x7F';       // block 1000, last byte of the file
    const BackupComparison comparison = CompareBackupImages(a, b);
    EXPECT_EQ(BackupComparisonReport(comparison, BackupReportDetail::Blocks),
              (QStringList{u"block 1: 2 bytes differ, first at offset 0x0000"_qs,
                           u"block 12: 1 bytes differ, first at offset 0x0164"_qs,
                           u"block 1000: 1 bytes differ, first at offset 0x7CFF"_qs,
                           u"3 of 1000 blocks differ, 4 of 32000 bytes"_qs}));
    EXPECT_EQ(BackupComparisonReport(comparison, BackupReportDetail::Bytes),
              (QStringList{u"0x0000 00 01"_qs, u"0x001F 00 02"_qs, u"0x0164 00 FF"_qs,
                           u"0x7CFF 00 7F"_qs, u"3 of 1000 blocks differ, 4 of 32000 bytes"_qs}));
}

TEST(BackupComparisonTest, AllDifferentImagesListEveryBlockAndByte) {
    const BackupComparison comparison = CompareBackupImages(image('\xAA'), image('\x55'));
    const QStringList blocks = BackupComparisonReport(comparison, BackupReportDetail::Blocks);
    ASSERT_EQ(blocks.size(), 1001);
    EXPECT_EQ(blocks[999], u"block 1000: 32 bytes differ, first at offset 0x7CE0"_qs);
    EXPECT_EQ(blocks.last(), u"1000 of 1000 blocks differ, 32000 of 32000 bytes"_qs);
    const QStringList bytes = BackupComparisonReport(comparison, BackupReportDetail::Bytes);
    ASSERT_EQ(bytes.size(), 32001);
    EXPECT_EQ(bytes[31999], u"0x7CFF AA 55"_qs);
}

} // namespace
