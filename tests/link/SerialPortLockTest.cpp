#include "link/SerialPortLock.h"

#include <QCoreApplication>
#include <QLockFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zel;

TEST(SerialPortLock, FindsTheHolderOfTheDevicesLockFile) {
    EXPECT_EQ(SerialLockFileName(QStringLiteral("/dev/ttyUSB0")), QStringLiteral("LCK..ttyUSB0"));
    EXPECT_EQ(SerialLockFileName(QStringLiteral("/dev/pts/3")), QStringLiteral("LCK..pts_3"));
    QTemporaryDir empty;
    QTemporaryDir locks;
    const QStringList folders{empty.path(), locks.path()};
    EXPECT_FALSE(FindSerialLockHolder(QStringLiteral("/dev/pts/3"), folders));
    QLockFile lock(locks.filePath(QStringLiteral("LCK..pts_3")));
    ASSERT_TRUE(lock.tryLock());
    const auto holder = FindSerialLockHolder(QStringLiteral("/dev/pts/3"), folders);
    ASSERT_TRUE(holder);
    EXPECT_EQ(holder->pid, QCoreApplication::applicationPid());
    EXPECT_EQ(holder->lockPath, locks.filePath(QStringLiteral("LCK..pts_3")));
    EXPECT_EQ(DescribeSerialLockHolder(
                  {QStringLiteral("/run/lock/LCK..pts_3"), 42, QStringLiteral("zelctl")}),
              QStringLiteral("held by zelctl (process 42) through the lock /run/lock/LCK..pts_3"));
    EXPECT_FALSE(FindSerialLockHolder(QStringLiteral("/dev/pts/4"), folders));
}
