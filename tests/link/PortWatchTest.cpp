#include "link/PortWatch.h"
#include "EventLoopWait.h"
#include "MemoryLink.h"
#include "TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zel;
using namespace zel::test;

namespace {

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
    EXPECT_FALSE(watch.isWaiting());
    EXPECT_FALSE(retryTimer.isActive());
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
    EXPECT_TRUE(retryTimer.isActive());
    EXPECT_EQ(retryTimer.interval(), PortWatch::kRetryMs);
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
    EXPECT_FALSE(retryTimer.isActive());
    EXPECT_FALSE(watch.isWaiting());
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
    EXPECT_FALSE(retryTimer.isActive());
    EXPECT_FALSE(watch.isWaiting());
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

} // namespace
