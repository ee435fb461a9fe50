#include "EventLoopWait.h"
#include "MemoryLink.h"
#include "TestFiles.h"
#include "link/PortListing.h"
#include "link/PortWatch.h"
#include "link/SerialPortLock.h"
#include "link/SystemPortSource.h"
#include "shell/Settings.h"

#include <QCoreApplication>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zel;
using namespace zel::test;

// The engine on a memory port whose "device" is a file in a temporary folder, so the test
// can pull it and plug it back in.
class PortWatchTest : public ::testing::Test, protected MemoryLink {
protected:
    PortWatchTest() {
        settings.PortOverride = device;
        engine.SetCommPortSettings();
        watch.onChanged = [this] { changes.append(watch.statusText(0)); };
    }
    bool plugIn() { return writeBytes(device, QByteArray()); }

    QTemporaryDir dir;
    QString device = dir.filePath(u"ttyUSB0"_qs);
    ManualTimer retryTimer;
    PortWatch watch{engine, retryTimer};
    QStringList changes;
};

TEST_F(PortWatchTest, HealthyPortIsNeitherPolledNorWatched) {
    ASSERT_TRUE(plugIn());
    ASSERT_TRUE(engine.OpenCommPort());
    EXPECT_EQ(watch.state(), PortWatch::State::Open);
    EXPECT_FALSE(watch.isWaiting() || retryTimer.isActive());
    EXPECT_EQ(changes, QStringList{u"Port "_qs + device + u": open"_qs});
    EXPECT_EQ(watch.statusText(1), u"ポート "_qs + device + u": 接続中"_qs);
}

TEST_F(PortWatchTest, LostPortReopensWhenTheDeviceReturns) {
    ASSERT_TRUE(plugIn());
    ASSERT_TRUE(engine.OpenCommPort());
    ASSERT_TRUE(QFile::remove(device));
    port.loseDevice(device + u": Resource error"_qs);
    EXPECT_EQ(watch.state(), PortWatch::State::Lost);
    EXPECT_EQ(watch.reason(), device + u": Resource error"_qs);
    EXPECT_EQ(std::pair(retryTimer.isActive(), retryTimer.interval()),
              std::pair(true, PortWatch::kRetryMs));
    // No device node: the slow timer does not even try.
    retryTimer.fireNow();
    EXPECT_EQ(port.opens.size(), 1);
    // The adapter is back but not ready yet: still lost, still waiting, no message.
    port.failOpen = true;
    ASSERT_TRUE(plugIn());
    retryTimer.fireNow();
    EXPECT_EQ(port.opens.size(), 2);
    EXPECT_EQ(watch.state(), PortWatch::State::Lost);
    EXPECT_TRUE(sink.shown.isEmpty());
    // Ready: the folder watch notices the change without waiting for the timer.
    port.failOpen = false;
    ASSERT_TRUE(QFile::remove(device));
    ASSERT_TRUE(plugIn());
    EXPECT_TRUE(waitUntil([this] { return port.isOpen(); }, 10000));
    EXPECT_EQ(watch.state(), PortWatch::State::Open);
    EXPECT_FALSE(watch.isWaiting() || retryTimer.isActive());
    EXPECT_EQ(changes.last(), u"Port "_qs + device + u": open"_qs);
    EXPECT_TRUE(changes.contains(u"Port "_qs + device + u": lost, waiting for it to return"_qs));
}

TEST_F(PortWatchTest, FailedOpenWaitsButADeliberateCloseDoesNot) {
    port.failOpen = true;
    EXPECT_FALSE(engine.OpenCommPort()); // message 6, as at menu load
    EXPECT_EQ(sink.numbers(), QList<int>{6});
    EXPECT_EQ(watch.state(), PortWatch::State::OpenFailed);
    EXPECT_TRUE(retryTimer.isActive());
    port.failOpen = false;
    ASSERT_TRUE(plugIn());
    retryTimer.fireNow();
    EXPECT_EQ(watch.state(), PortWatch::State::Open);
    engine.CloseCommPort(); // settings changed, CPU writer, program end
    EXPECT_EQ(watch.state(), PortWatch::State::Closed);
    EXPECT_FALSE(watch.isWaiting() || retryTimer.isActive());
}

// Names that are not paths (COM9, a network port) have no device node to wait for: the
// timer simply tries them. An open that fails outside the watch's own retries says so.
TEST_F(PortWatchTest, NamesWithoutANodeAreRetriedAndAnOpenFailingAfterALossSaysSo) {
    settings.PortOverride = u"COM9"_qs;
    engine.SetCommPortSettings();
    port.failOpen = true;
    EXPECT_FALSE(engine.OpenCommPort());
    port.failOpen = false;
    retryTimer.fireNow();
    EXPECT_EQ(watch.state(), PortWatch::State::Open);

    port.loseDevice(u"COM9: Resource error"_qs);
    EXPECT_EQ(watch.state(), PortWatch::State::Lost);
    port.failOpen = true;
    EXPECT_FALSE(engine.OpenCommPort()); // the user chose the port again
    EXPECT_EQ(watch.state(), PortWatch::State::OpenFailed);
}

static DetectedPort usbAdapter() {
    return {u"/dev/ttyUSB0"_qs, u"USB-Serial Controller"_qs, u"Prolific"_qs, u"A1B2"_qs, false};
}

TEST(PortListingTest, ListingLineHasFiveTabFieldsAndTheMappedComPort) {
    Settings settings;
    settings.Device[2] = u"/dev/ttyUSB0"_qs;
    EXPECT_EQ(portListingLine(usbAdapter(), settings),
              u"/dev/ttyUSB0\tUSB-Serial Controller\tProlific\tA1B2\tCOM3"_qs);

    // A built-in port without details, mapped by the default device names; fields that
    // would break the line are flattened.
    const DetectedPort builtIn{u"/dev/ttyS1"_qs, u"ttyS1\tbuilt\nin"_qs, {}, {}, false};
    EXPECT_EQ(portListingLine(builtIn, settings), u"/dev/ttyS1\tttyS1 built in\t\t\tCOM2"_qs);
    const DetectedPort unmapped{u"/dev/ttyACM0"_qs, {}, {}, {}, false};
    EXPECT_EQ(portListingLine(unmapped, settings).count(QLatin1Char('\t')), 4);
    EXPECT_TRUE(portListingLine(unmapped, settings).endsWith(QLatin1Char('\t')));
}

TEST(PortListingTest, DisplayTextJoinsTheDetailsAndMarksABusyPort) {
    DetectedPort port = usbAdapter();
    EXPECT_EQ(portDisplayText(port, u"(in use)"_qs),
              u"/dev/ttyUSB0  USB-Serial Controller, Prolific, A1B2"_qs);
    port.busy = true;
    port.manufacturer.clear();
    EXPECT_EQ(portDisplayText(port, u"(in use)"_qs),
              u"/dev/ttyUSB0  USB-Serial Controller, A1B2  (in use)"_qs);
    EXPECT_EQ(portDisplayText({u"/dev/ttyS0"_qs, {}, {}, {}, false}, {}), u"/dev/ttyS0"_qs);
}

TEST(PortListingTest, LockFileOfALiveProcessMarksThePortBusy) {
    QTemporaryDir locks;
    const SystemPortSource source(QStringList{locks.path()});
    const QString lockPath = locks.filePath(u"LCK..ttyUSB0"_qs);
    EXPECT_FALSE(source.isLocked(u"/dev/ttyUSB0"_qs));

    const QByteArray ownPid = QByteArray::number(QCoreApplication::applicationPid());
    ASSERT_TRUE(test::writeBytes(lockPath, "    " + ownPid + "\nzel\nhost\n"));
    EXPECT_TRUE(source.isLocked(u"/dev/ttyUSB0"_qs));
    EXPECT_FALSE(source.isLocked(u"/dev/ttyUSB1"_qs));

    // A stale lock (no such process), garbage, or a pid of 0 leaves the port free.
    for (const QByteArray& content : {QByteArray("2147483646\n"), QByteArray("\xff\xfe junk"),
                                      QByteArray("0\n"), QByteArray()}) {
        ASSERT_TRUE(test::writeBytes(lockPath, content));
        EXPECT_FALSE(source.isLocked(u"/dev/ttyUSB0"_qs)) << content.toStdString();
    }
}

TEST(PortListingTest, ConfiguredNetworkPortsAreListedOnceWithTheirComPort) {
    Settings settings;
    settings.Device[0] = u"rfc2217://site-a:4001"_qs;
    settings.Device[1] = u"/dev/ttyUSB0"_qs;
    settings.Device[2] = u"tcp://10.0.0.5"_qs; // malformed: not a port to list
    settings.Device[3] = u"rfc2217://site-a:4001"_qs;
    settings.PortOverride = u"tcp://10.0.0.5:2001"_qs;
    const QList<DetectedPort> ports = configuredNetworkPorts(settings);
    ASSERT_EQ(ports.size(), 2);
    EXPECT_EQ(portListingLine(ports[0], settings),
              u"rfc2217://site-a:4001\tnetwork port (RFC 2217)\t\t\tCOM1"_qs);
    EXPECT_EQ(portListingLine(ports[1], settings),
              u"tcp://10.0.0.5:2001\tnetwork port (raw TCP)\t\t\t"_qs);
}

TEST(SerialPortLock, FindsTheHolderOfTheDevicesLockFile) {
    EXPECT_EQ(SerialLockFileName(u"/dev/ttyUSB0"_qs), u"LCK..ttyUSB0"_qs);
    EXPECT_EQ(SerialLockFileName(u"/dev/pts/3"_qs), u"LCK..pts_3"_qs);
    QTemporaryDir empty, locks;
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
