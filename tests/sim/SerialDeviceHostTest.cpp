// The simulator attached to an existing line through QSerialPort (zelsim --device): here the
// slave of a pseudo-terminal made by the test, whose master plays the PC.
#include "SerialDeviceHost.h"
#include "CameraControllerSim.h"
#include "PtySlave.h"
#include "SimFrames.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

using namespace zel::sim;
using namespace zel::test;

namespace {

// A pseudo-terminal master owned by the test.
class MasterEnd {
public:
    MasterEnd() {
        m_fd = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (m_fd >= 0 && (::grantpt(m_fd) != 0 || ::unlockpt(m_fd) != 0)) {
            ::close(m_fd);
            m_fd = -1;
        }
    }
    ~MasterEnd() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool ok() const { return m_fd >= 0; }
    QString slavePath() const { return QString::fromLocal8Bit(::ptsname(m_fd)); }
    void write(const QByteArray& bytes) {
        [[maybe_unused]] const auto put = ::write(m_fd, bytes.constData(), size_t(bytes.size()));
    }
    QByteArray read(qsizetype count, int timeoutMs) {
        QByteArray got;
        QElapsedTimer clock;
        clock.start();
        while (got.size() < count && clock.elapsed() < timeoutMs) {
            QCoreApplication::processEvents();
            pollfd watch{m_fd, POLLIN, 0};
            if (::poll(&watch, 1, 1) <= 0)
                continue;
            char chunk[256];
            const ssize_t n = ::read(m_fd, chunk, sizeof chunk);
            if (n > 0)
                got.append(chunk, n);
        }
        return got;
    }

private:
    int m_fd = -1;
};

TEST(SerialDeviceHost, ServesALineItDidNotCreate) {
    MasterEnd pc;
    ASSERT_TRUE(pc.ok());
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
    EXPECT_FALSE(host.open(QStringLiteral("/dev/zel-no-such-port"), 38400, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("zel-no-such-port")));
}

} // namespace
