#include "link/SerialPortLock.h"

#include <QCoreApplication>
#include <QLockFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zel;

TEST(SerialPortLock, FindsTheHolderOfTheDevicesLockFile) {
    EXPECT_EQ(SerialLockFileName(u"/dev/ttyUSB0"_qs), u"LCK..ttyUSB0"_qs);
    EXPECT_EQ(SerialLockFileName(u"/dev/pts/3"_qs), u"LCK..pts_3"_qs);
    QTemporaryDir empty;
    QTemporaryDir locks;
    const QStringList folders{empty.path(), locks.path()};
    EXPECT_FALSE(FindSerialLockHolder(u"/dev/pts/3"_qs, folders));
    QLockFile lock(locks.filePath(u"LCK..pts_3"_qs));
    ASSERT_TRUE(lock.tryLock());
    const auto holder = FindSerialLockHolder(u"/dev/pts/3"_qs, folders);
    ASSERT_TRUE(holder);
    EXPECT_EQ(holder->pid, QCoreApplication::applicationPid());
    EXPECT_EQ(holder->lockPath, locks.filePath(u"LCK..pts_3"_qs));
    EXPECT_EQ(DescribeSerialLockHolder({u"/run/lock/LCK..pts_3"_qs, 42, u"zelctl"_qs}),
              u"held by zelctl (process 42) through the lock /run/lock/LCK..pts_3"_qs);
    EXPECT_FALSE(FindSerialLockHolder(u"/dev/pts/4"_qs, folders));
}
