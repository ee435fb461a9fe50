#include "backup/BackupFile.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <sys/stat.h>

using namespace zel;
using namespace zel::test;

namespace {

QByteArray blockOf(char fill) {
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
    EXPECT_FALSE(file.openForDownload(target));
    EXPECT_FALSE(QFile::exists(partial));
}

TEST_F(BackupFileTest, FailedCommitLeavesTheChosenFile) {
    BackupFile file;
    ASSERT_TRUE(file.openForDownload(target));
    // The chosen name became a folder that rename() cannot replace with a file.
    ASSERT_TRUE(QDir(dir.path()).mkpath(u"camera.bin/inner"_qs));
    ASSERT_TRUE(file.writeBlock(blockOf('q')));
    QString why;
    EXPECT_FALSE(file.commit(&why));
    EXPECT_FALSE(why.isEmpty());
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

} // namespace
