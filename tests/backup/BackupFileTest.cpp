#include "backup/BackupFile.h"
#include "TestFiles.h"
#include "backup/BackupComparison.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace zel;
using namespace zel::test;

static QByteArray blockOf(char fill) {
    return QByteArray(BackupFile::kBlockSize, fill);
}

class BackupFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString target = dir.filePath(u"camera.bin"_qs);
    QString partial = BackupFile::partialPath(target);
};

TEST_F(BackupFileTest, DownloadReplacesTheChosenFileOnlyAtCommit) {
    ASSERT_TRUE(writeBytes(target, "previous good backup"));
    BackupFile file;
    ASSERT_TRUE(file.openForDownload(target));
    ASSERT_TRUE(file.writeBlock(blockOf('a')));
    ASSERT_TRUE(file.writeBlock(blockOf('b')));
    EXPECT_EQ(readBytes(target), QByteArray("previous good backup"));
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(readBytes(target), blockOf('a') + blockOf('b'));
    EXPECT_FALSE(QFile::exists(partial));
}

TEST_F(BackupFileTest, ClosedDownloadKeepsOldFileAndPartialBlocks) {
    ASSERT_TRUE(writeBytes(target, "previous good backup"));
    ASSERT_TRUE(writeBytes(partial, "stale partial from an older run"));
    {
        BackupFile file;
        ASSERT_TRUE(file.openForDownload(target));
        EXPECT_TRUE(file.replacedPartial());
        ASSERT_TRUE(file.writeBlock(blockOf('x')));
        // Each block is on disk as soon as it is written: a killed run keeps it.
        EXPECT_EQ(readBytes(partial), blockOf('x'));
        ASSERT_TRUE(file.writeBlock(blockOf('y')));
        EXPECT_EQ(file.blocksWritten(), 2);
        EXPECT_EQ(readBytes(partial), blockOf('x') + blockOf('y'));
        file.close();
        file.close(); // closing twice is harmless
    }
    EXPECT_EQ(readBytes(target), QByteArray("previous good backup"));
    EXPECT_EQ(readBytes(partial), blockOf('x') + blockOf('y'));
}

TEST_F(BackupFileTest, DownloadRefusesNamesThatAreNotRegularFiles) {
    ASSERT_TRUE(writeBytes(target, "previous good backup"));
    BackupFile file;
    ASSERT_TRUE(file.openForDownload(target));
    EXPECT_FALSE(file.replacedPartial());
    file.close(); // no block arrived: the empty partial is gone, the old backup stays
    EXPECT_EQ(readBytes(target), QByteArray("previous good backup"));
    ASSERT_TRUE(QFile::remove(target));
    // A FIFO as the partial file would block the open; a folder as the chosen name would only
    // fail after the whole transfer.
    ASSERT_FALSE(QFile::exists(partial));
    ASSERT_EQ(::mkfifo(QFile::encodeName(partial).constData(), 0600), 0);
    QString why;
    EXPECT_FALSE(file.openForDownload(target, &why));
    EXPECT_TRUE(why.contains(u"not a regular file"_qs)) << why.toStdString();
    ASSERT_TRUE(QFile::remove(partial));
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"camera.bin"_qs));
    EXPECT_FALSE(file.openForDownload(target) || QFile::exists(partial));
}

TEST_F(BackupFileTest, FailedCommitLeavesTheChosenFile) {
    BackupFile file;
    ASSERT_TRUE(file.openForDownload(target));
    // The chosen name became a folder that rename() cannot replace with a file.
    ASSERT_TRUE(QDir(dir.path()).mkpath(u"camera.bin/inner"_qs));
    ASSERT_TRUE(file.writeBlock(blockOf('q')));
    QString why;
    EXPECT_FALSE(file.commit(&why) || why.isEmpty());
    EXPECT_EQ(readBytes(partial), blockOf('q'));
}

TEST_F(BackupFileTest, UploadReadsWholeBlocksInOrderAndStopsAtAShortOne) {
    ASSERT_TRUE(writeBytes(target, blockOf('1') + blockOf('2') + QByteArray(5, '3')));
    BackupFile file;
    ASSERT_TRUE(file.openForUpload(target));
    EXPECT_EQ(file.readBlock().value_or(QByteArray()), blockOf('1'));
    EXPECT_EQ(file.readBlock().value_or(QByteArray()), blockOf('2'));
    EXPECT_FALSE(file.readBlock().has_value());
    ASSERT_TRUE(file.seekStart());
    EXPECT_EQ(file.readBlock().value_or(QByteArray()), blockOf('1'));
    EXPECT_FALSE(file.writeBlock(blockOf('z')));
    EXPECT_FALSE(file.openForUpload(dir.filePath(u"missing.bin"_qs)));
}

static QByteArray image(char fill) {
    return QByteArray(BackupFile::kImageSize, fill);
}

TEST(BackupComparisonTest, IdenticalImagesGiveOnlyTheSummary) {
    const BackupComparison comparison = CompareBackupImages(image('\x5A'), image('\x5A'));
    EXPECT_TRUE(comparison.identical());
    for (const auto detail : {BackupReportDetail::Blocks, BackupReportDetail::Bytes})
        EXPECT_EQ(BackupComparisonReport(comparison, detail),
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
