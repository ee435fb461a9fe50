// The shared port on a real TCP connection: a server that is not there, goes away and comes
// back. The watch tries again with a growing wait and reopens the port when the server
// answers; a transfer waiting for a reply ends at once when the connection drops.
#include "EventLoopWait.h"
#include "ManualTimer.h"
#include "RecordingSink.h"
#include "Ser2netServer.h"
#include "TextHolds.h"
#include "common/MessageNumber.h"
#include "common/QtTimer.h"
#include "link/AnyBytePort.h"
#include "link/LinkEngine.h"
#include "link/PortWatch.h"
#include "shell/Settings.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>

using namespace zel;
using namespace zel::test;

class NetworkPortWatchTest : public ::testing::Test {
protected:
    NetworkPortWatchTest() {
        settings.PortOverride = u"tcp://127.0.0.1:%1"_qs.arg(serverPort);
        settings.ConnectWait = u"3000"_qs;
        engine.SetCommPortSettings();
    }
    // Fires the retry timer and lets the connection attempt end.
    void retryAndSettle() {
        ASSERT_TRUE(retryTimer.fireNow());
        ASSERT_TRUE(waitUntil([this] { return !engine.isPortConnecting(); }, 10000));
    }

    quint16 serverPort = FreeLoopbackPort();
    Settings settings;
    AnyBytePort port;
    QtTimer timerMenu;
    QtTimer timerReTry;
    RecordingSink sink;
    LinkEngine engine{port, timerMenu, timerReTry, settings, sink};
    ManualTimer retryTimer;
    PortWatch watch{engine, retryTimer};
};

TEST_F(NetworkPortWatchTest, AbsentServerIsRetriedWithBackOffUntilItAnswers) {
    ASSERT_TRUE(engine.OpenCommPort()); // connecting in the background
    EXPECT_TRUE(engine.isPortConnecting());
    ASSERT_TRUE(waitUntil([this] { return watch.state() == PortWatch::State::OpenFailed; }, 10000));
    EXPECT_TRUE(Holds(watch.reason(), "connection refused"));
    EXPECT_EQ(sink.numbers(), QList<int>{MessagePortOpenError}); // the open was asked for
    QList<int> waits{retryTimer.interval()};
    for (int attempt = 0; attempt < 6; ++attempt) {
        retryAndSettle();
        waits << retryTimer.interval();
    }
    EXPECT_EQ(waits, (QList<int>{1000, 2000, 4000, 8000, 16000, 30000, 30000}));
    EXPECT_EQ(sink.numbers().size(), 1); // attempts of the watch show nothing

    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, serverPort));
    retryAndSettle();
    EXPECT_EQ(watch.state(), PortWatch::State::Open);
    EXPECT_FALSE(retryTimer.isActive());
}

TEST_F(NetworkPortWatchTest, DroppedConnectionEndsTheWaitAndIsReopened) {
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, serverPort));
    ASSERT_TRUE(engine.OpenCommPort());
    ASSERT_TRUE(waitUntil([this] { return watch.state() == PortWatch::State::Open; }, 10000));
    ASSERT_TRUE(waitUntil([&] { return server.hasPendingConnections(); }, 10000));
    QTcpSocket* peer = server.nextPendingConnection();

    const CommSendRecord record{u"1"_qs, u"1"_qs, {}, {}, u"5"_qs};
    ASSERT_EQ(engine.SendCommandFrame(record, u"15"_qs), LinkEngine::kSendOk);
    ASSERT_TRUE(waitUntil([&] { return peer->bytesAvailable() > 0; }, 10000));
    peer->abort(); // the server goes away mid-transaction
    ASSERT_TRUE(waitUntil([this] { return watch.state() == PortWatch::State::Lost; }, 10000));
    EXPECT_EQ(engine.state().ScreenCode, ScreenIdle);
    EXPECT_TRUE(EndsWith(watch.reason(), "the server closed the connection"));
    EXPECT_EQ(retryTimer.interval(), PortWatch::kNetworkRetryFirstMs);

    retryAndSettle();
    EXPECT_EQ(watch.state(), PortWatch::State::Open);
}
