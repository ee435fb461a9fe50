#include "link/PortListing.h"
#include "TestFiles.h"
#include "link/SystemPortSource.h"
#include "shell/Settings.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zel;

namespace {

DetectedPort usbAdapter() {
    return {QStringLiteral("/dev/ttyUSB0"), QStringLiteral("USB-Serial Controller"),
            QStringLiteral("Prolific"), QStringLiteral("A1B2"), false};
}

TEST(PortListingTest, ListingLineHasFiveTabFieldsAndTheMappedComPort) {
    Settings settings;
    settings.Device[2] = QStringLiteral("/dev/ttyUSB0");
    EXPECT_EQ(portListingLine(usbAdapter(), settings),
              QStringLiteral("/dev/ttyUSB0\tUSB-Serial Controller\tProlific\tA1B2\tCOM3"));

    // A built-in port without details, mapped by the default device names; fields that
    // would break the line are flattened.
    const DetectedPort builtIn{
        QStringLiteral("/dev/ttyS1"), QStringLiteral("ttyS1\tbuilt\nin"), {}, {}, false};
    EXPECT_EQ(portListingLine(builtIn, settings),
              QStringLiteral("/dev/ttyS1\tttyS1 built in\t\t\tCOM2"));
    const DetectedPort unmapped{QStringLiteral("/dev/ttyACM0"), {}, {}, {}, false};
    EXPECT_EQ(portListingLine(unmapped, settings).count(QLatin1Char('\t')), 4);
    EXPECT_TRUE(portListingLine(unmapped, settings).endsWith(QLatin1Char('\t')));
}

TEST(PortListingTest, DisplayTextJoinsTheDetailsAndMarksABusyPort) {
    DetectedPort port = usbAdapter();
    EXPECT_EQ(portDisplayText(port, QStringLiteral("(in use)")),
              QStringLiteral("/dev/ttyUSB0  USB-Serial Controller, Prolific, A1B2"));
    port.busy = true;
    port.manufacturer.clear();
    EXPECT_EQ(portDisplayText(port, QStringLiteral("(in use)")),
              QStringLiteral("/dev/ttyUSB0  USB-Serial Controller, A1B2  (in use)"));
    EXPECT_EQ(portDisplayText({QStringLiteral("/dev/ttyS0"), {}, {}, {}, false}, {}),
              QStringLiteral("/dev/ttyS0"));
}

TEST(PortListingTest, LockFileOfALiveProcessMarksThePortBusy) {
    QTemporaryDir locks;
    const SystemPortSource source(QStringList{locks.path()});
    const QString lockPath = locks.filePath(QStringLiteral("LCK..ttyUSB0"));
    EXPECT_FALSE(source.isLocked(QStringLiteral("/dev/ttyUSB0")));

    const QByteArray ownPid = QByteArray::number(QCoreApplication::applicationPid());
    ASSERT_TRUE(test::writeBytes(lockPath, "    " + ownPid + "\nzel\nhost\n"));
    EXPECT_TRUE(source.isLocked(QStringLiteral("/dev/ttyUSB0")));
    EXPECT_FALSE(source.isLocked(QStringLiteral("/dev/ttyUSB1")));

    // A stale lock (no such process), garbage, or a pid of 0 leaves the port free.
    for (const QByteArray& content : {QByteArray("2147483646\n"), QByteArray("\xff\xfe junk"),
                                      QByteArray("0\n"), QByteArray()}) {
        ASSERT_TRUE(test::writeBytes(lockPath, content));
        EXPECT_FALSE(source.isLocked(QStringLiteral("/dev/ttyUSB0"))) << content.toStdString();
    }
}

} // namespace

TEST(PortListingTest, ConfiguredNetworkPortsAreListedOnceWithTheirComPort) {
    Settings settings;
    settings.Device[0] = QStringLiteral("rfc2217://site-a:4001");
    settings.Device[1] = QStringLiteral("/dev/ttyUSB0");
    settings.Device[2] = QStringLiteral("tcp://10.0.0.5"); // malformed: not a port to list
    settings.Device[3] = QStringLiteral("rfc2217://site-a:4001");
    settings.PortOverride = QStringLiteral("tcp://10.0.0.5:2001");
    const QList<DetectedPort> ports = configuredNetworkPorts(settings);
    ASSERT_EQ(ports.size(), 2);
    EXPECT_EQ(portListingLine(ports[0], settings),
              QStringLiteral("rfc2217://site-a:4001\tnetwork port (RFC 2217)\t\t\tCOM1"));
    EXPECT_EQ(portListingLine(ports[1], settings),
              QStringLiteral("tcp://10.0.0.5:2001\tnetwork port (raw TCP)\t\t\t"));
}
