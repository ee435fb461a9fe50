// The simulator attached to an existing line through QSerialPort (zelsim --device): here the
// slave of a pseudo-terminal made by the test, whose master plays the PC.
#include "SerialDeviceHost.h"
#include "CameraControllerSim.h"
#include "PtyMaster.h"
#include "SimFrames.h"

#include <gtest/gtest.h>

using namespace zel::sim;
using namespace zel::test;

namespace {

TEST(SerialDeviceHost, ServesALineItDidNotCreate) {
    PtyMaster pc;
    ASSERT_TRUE(pc.isOpen());
    CameraControllerSim device;
    SerialDeviceHost host(device);
    QString error;
    ASSERT_TRUE(host.open(pc.slavePath(), 38400, &error)) << error.toStdString();

    pc.write(commandFrame(2, 0, 1, hex("8901"))); // alarm reset takes no parameter
    pc.write(commandFrame(2, 0, 1, hex("89")));
    EXPECT_EQ(pc.read(2, 2000), hex("1506"));
    pc.write(commandFrame(2, 1, 1, hex("B1020000")));
    const QByteArray title = pc.read(28, 2000);
    ASSERT_EQ(title.size(), 28);
    EXPECT_EQ(title.mid(9, 16), CameraUnit::encodeTitle("CAM 2"));
    EXPECT_EQ(device.frameCount(0x89), 2);
    host.stop();
    EXPECT_FALSE(host.isOpen());
}

TEST(SerialDeviceHost, ReportsAPathThatCannotBeOpened) {
    CameraControllerSim device;
    SerialDeviceHost host(device);
    QString error;
    EXPECT_FALSE(host.open(u"/dev/zel-no-such-port"_qs, 38400, &error));
    EXPECT_TRUE(error.contains(u"zel-no-such-port"_qs));
}

} // namespace
