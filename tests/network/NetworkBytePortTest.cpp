// The network port against scripted servers on loopback: what a server that answers the
// Telnet negotiation wrongly (or not at all) does to the connection, and the bytes on the
// wire for line data with 0xFF in it.
#include "link/NetworkBytePort.h"
#include "ByteList.h"
#include "EventLoopWait.h"
#include "TextHolds.h"
#include "link/TelnetCodec.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>

using namespace zel;
using namespace zel::test;

// The server's answers confirming 38400 8E1.
static QByteArray confirmations(quint32 rate = 38400, int dataSize = 8) {
    using namespace telnet;
    const auto answer = [](int command, const QByteArray& value) {
        return comPortCommand(static_cast<std::uint8_t>(command + kServerReplyOffset), value);
    };
    return answer(SetBaudRate, setBaudRate(rate).mid(4, 4)) +
           answer(SetDataSize, bytes({dataSize})) + answer(SetParity, bytes({ParityEven})) +
           answer(SetStopSize, bytes({1}));
}

class NetworkBytePortTest : public ::testing::Test {
protected:
    NetworkBytePortTest() {
        server.listen(QHostAddress::LocalHost, 0);
        line.device = u"rfc2217://127.0.0.1:%1"_qs.arg(server.serverPort());
        line.connectTimeoutMs = 1500;
        port.onLost = [this](const QString& why) { lost = why; };
        port.onConnected = [this] { connected = true; };
        port.onReceived = [this](const QByteArray& data) { received += data; };
    }
    // Opens the port and returns the server's end once the client has connected.
    QTcpSocket* openAndAccept() {
        EXPECT_TRUE(port.open(line, nullptr));
        EXPECT_TRUE(waitUntil([this] { return server.hasPendingConnections(); }, 10000));
        QTcpSocket* peer = server.nextPendingConnection();
        EXPECT_TRUE(waitUntil([peer] { return peer->bytesAvailable() > 0; }, 10000));
        return peer;
    }
    bool settled() {
        return waitUntil([this] { return connected || !lost.isEmpty(); }, 10000);
    }

    QTcpServer server;
    PortLineSettings line;
    NetworkBytePort port;
    QString lost;
    bool connected = false;
    QByteArray received;
};

TEST_F(NetworkBytePortTest, WrongOrMissingAnswersAreReportedNotWaitedFor) {
    using namespace telnet;
    const struct {
        QByteArray answer; // sent by the server after the client's offers
        const char* reason;
    } cases[] = {
        {negotiation(DONT, OptionComPort), "the server refuses COM-PORT-CONTROL"},
        {negotiation(DO, OptionComPort) + confirmations(9600),
         "the server set the line to 9600 bit/s instead of 38400"},
        {negotiation(DO, OptionComPort) + confirmations(38400, 7), "7 data bits instead of 8"},
        {bytes({IAC, SB, OptionComPort, 101, IAC, 'x'}), "broken Telnet subnegotiation"},
        {negotiation(DO, OptionComPort), "did not confirm the line settings (bit rate, data size"},
        {QByteArray("login: "), "no answer to the Telnet COM-PORT-CONTROL offer"},
    };
    for (const auto& c : cases) {
        lost.clear();
        connected = false;
        QTcpSocket* peer = openAndAccept();
        peer->write(c.answer);
        ASSERT_TRUE(settled()) << c.reason;
        EXPECT_FALSE(connected) << c.reason;
        EXPECT_TRUE(StartsWith(lost, u"cannot connect to "_qs + line.device));
        EXPECT_TRUE(Holds(lost, c.reason));
        EXPECT_FALSE(port.isOpen());
        delete peer;
    }
}

TEST_F(NetworkBytePortTest, LineDataIsEscapedBothWaysAndPurgedBeforeEachFrame) {
    using namespace telnet;
    QTcpSocket* peer = openAndAccept();
    // Written while the line is not set up yet: kept until it is.
    port.discardInput();
    ASSERT_TRUE(port.write(bytes({0xFE, 0xFF, 0x01})));
    peer->readAll();
    peer->write(negotiation(DO, OptionComPort) + negotiation(WILL, OptionBinary) + confirmations());
    ASSERT_TRUE(settled());
    EXPECT_TRUE(connected) << lost.toStdString();
    // The line settings first, then what was kept: the purge and the frame, 0xFF doubled.
    const QByteArray kept = purgeReceiveBuffer() + bytes({0xFE, 0xFF, 0xFF, 0x01});
    QByteArray sent;
    ASSERT_TRUE(waitUntil(
        [&] {
            sent += peer->readAll();
            return sent.endsWith(kept);
        },
        10000))
        << sent.toHex().toStdString();
    EXPECT_TRUE(sent.startsWith(setBaudRate(38400)));

    peer->write(bytes({0x06, IAC, IAC, 0x0D, 0x00}) +
                comPortCommand(PurgeData + kServerReplyOffset, bytes({1})));
    ASSERT_TRUE(waitUntil([this] { return received.size() >= 4; }, 10000));
    EXPECT_EQ(received, bytes({0x06, 0xFF, 0x0D, 0x00})); // binary: CR NUL stays as it is
    delete peer;
    ASSERT_TRUE(waitUntil([this] { return !lost.isEmpty(); }, 10000));
    EXPECT_EQ(lost, line.device + u": the server closed the connection"_qs);
}
