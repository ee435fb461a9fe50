// The link engine on a real QSerialPort over a pseudo-terminal, against the simulated
// camera controller.
#include "EventLoopWait.h"
#include "FaultRules.h"
#include "PtyLink.h"
#include "PtyMaster.h"
#include "PtySlave.h"
#include "ReplyRecorder.h"
#include "Words.h"
#include "link/FrameCodec.h"
#include "link/LinkClient.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <memory>
#include <thread>

using namespace zel;
using namespace zel::test;

static double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

using Client = test::ReplyRecorder;

class LinkPtyTest : public ::testing::Test {
protected:
    void start(const sim::SimConfig& config = {}) {
        m_link = std::make_unique<PtyLink>(config);
        m_link->settings.TimeOutWait = u"300"_qs;
        m_link->settings.CurrentWriteWait = 100;
        client = std::make_unique<Client>(engine());
        QString error;
        ASSERT_TRUE(m_link->open(&error)) << error.toStdString();
    }

    LinkEngine& engine() { return m_link->engine; }
    RecordingSink& sink() { return m_link->sink; }
    sim::SimulatedController& simulator() { return m_link->sim; }

    int send(const QString& data, bool request, int camera = 1) {
        engine().claim(client.get());
        const CommSendRecord record{QString::number(camera), u"1"_qs,
                                    request ? u"True"_qs : u"False"_qs, u"0"_qs,
                                    QString::number(ScreenCommTest)};
        return engine().SendCommandFrame(record, data);
    }

    bool waitIdle(int timeoutMs = 3000) {
        return waitUntil([this] { return engine().state().ScreenCode == ScreenIdle; }, timeoutMs);
    }

    std::unique_ptr<PtyLink> m_link;
    std::unique_ptr<Client> client;
};

// Each kind of reply on a real port, the data reply in fragments; the engine's rules (a gap
// longer than the wait, camera 0 awaiting nothing) are pinned in LinkEngineTest.
TEST_F(LinkPtyTest, AckNackBusyAndAFragmentedDataReply) {
    sim::SimConfig config;
    config.faults.add(faultRule(sim::FaultKind::Nack, 0x40));
    config.faults.add(faultRule(sim::FaultKind::Busy, 0x30));
    sim::FaultRule fragments = faultRule(sim::FaultKind::Fragment, 0xC1);
    fragments.fragmentSize = 10;
    fragments.gapMs = 30; // shorter than the 100 ms wait between fragments
    config.faults.add(fragments);
    start(config);
    for (const auto& [data, request] : {std::pair{"200000000000", false}, std::pair{"3001", false},
                                        std::pair{"40", false}, std::pair{"C10005", true}}) {
        ASSERT_EQ(send(QLatin1String(data), request), 0) << data;
        ASSERT_TRUE(waitIdle()) << data;
    }
    ASSERT_EQ(client->replies.size(), 4);
    EXPECT_EQ(client->replies.mid(0, 3), Words("06 00 15"));
    EXPECT_EQ(ReplyByteCount(client->replies[3]), 43);
    EXPECT_EQ(ReplyByteAt(client->replies[3], 1), 42);
    EXPECT_TRUE(engine().CheckReplyChecksum());
    EXPECT_EQ(client->timeOuts, 0);
    EXPECT_TRUE(sink().shown.isEmpty());
}

TEST_F(LinkPtyTest, SilenceTimesOutAndRecyclesThePort) {
    sim::SimConfig config;
    sim::FaultRule drop = faultRule(sim::FaultKind::Drop, 0x20);
    drop.remaining = 1;
    config.faults.add(drop);
    start(config);
    QElapsedTimer clock;
    clock.start();
    send(u"200000000000"_qs, false);
    ASSERT_TRUE(waitIdle());
    EXPECT_GE(clock.elapsed(), 290);
    EXPECT_EQ(sink().numbers(), QList<int>{2});
    EXPECT_EQ(client->timeOuts, 1);
    EXPECT_TRUE(engine().isPortOpen());
    // The reopened port carries the next transaction.
    send(u"200000000000"_qs, false);
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(client->replies, QStringList{u"06"_qs});
}

TEST_F(LinkPtyTest, PulledPortEndsOrderlyWithoutBusyLoop) {
    sim::SimConfig config;
    config.faults.add(faultRule(sim::FaultKind::Drop, 0x20));
    start(config);
    send(u"200000000000"_qs, false);
    runEventsFor(50);
    simulator().stop();
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(client->timeOuts, 1);
    EXPECT_TRUE(sink().numbers().contains(2));
    const double before = cpuSeconds();
    runEventsFor(1000);
    EXPECT_LT(cpuSeconds() - before, 0.2);
    // Sending afterwards reports the port instead of hanging.
    sink().clear();
    if (!engine().isPortOpen()) {
        EXPECT_EQ(send(u"200000000000"_qs, false), 6);
        EXPECT_EQ(sink().numbers(), QList<int>{6});
    }
}

TEST_F(LinkPtyTest, PulledPortWhileIdleIsQuiet) {
    start();
    simulator().stop();
    const double before = cpuSeconds();
    runEventsFor(1000);
    EXPECT_LT(cpuSeconds() - before, 0.2);
    EXPECT_TRUE(sink().shown.isEmpty());
}

TEST_F(LinkPtyTest, MissingDeviceNamesTheDeviceInTheLinesLanguage) {
    const QString device = u"/dev/zel-no-such-port"_qs;
    const QString expected[] = {u"cannot open %1: no such device"_qs.arg(device),
                                u"%1 を開けません: デバイスがありません"_qs.arg(device)};
    for (const int language : {0, 1}) {
        SerialBytePort missing;
        QString why;
        PortLineSettings line;
        line.device = device;
        line.languageIndex = language;
        EXPECT_FALSE(missing.open(line, &why));
        EXPECT_EQ(why, expected[language]);
    }
}

TEST(LinkStaleInput, BytesLeftOverBeforeASendAreNeverTakenAsItsReply) {
    // The test plays the device on the master side of a pty; a second descriptor on the
    // program's side shows what waits in the port without reading it.
    PtyMaster device;
    ASSERT_TRUE(device.isOpen());
    PtySlave queue;
    ASSERT_TRUE(queue.open(device.slavePath())); // before the port takes the line for itself
    PtyLink link;
    link.settings.PortOverride = device.slavePath();
    link.settings.TimeOutWait = u"3000"_qs;
    link.engine.SetCommPortSettings();
    ASSERT_TRUE(link.engine.OpenCommPort());
    Client client(link.engine);
    // Waits, without running the event loop, until `count` bytes wait in the port.
    const auto waitQueued = [&](qsizetype count) {
        for (int i = 0; i < 2000 && queue.queuedInput() < count; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return queue.queuedInput() >= count;
    };
    const auto transact = [&](const char* replyHex) {
        link.engine.claim(&client);
        const CommSendRecord record{u"1"_qs, u"1"_qs, u"True"_qs, u"0"_qs,
                                    QString::number(ScreenCommTest)};
        ASSERT_EQ(link.engine.SendCommandFrame(record, u"C10001"_qs), 0);
        ASSERT_EQ(device.read(11, 3000).size(), 11); // the event loop runs meanwhile
        device.write(QByteArray::fromHex(replyHex));
        ASSERT_TRUE(waitUntil([&] { return link.engine.state().ScreenCode == ScreenIdle; }, 5000));
    };
    const char* first = "FD050106FFFF";  // FD ^ 05 ^ 01 ^ FF = 06
    const char* second = "FD050204FFFF"; // FD ^ 05 ^ 02 ^ FF = 04
    transact(first);

    // A late NACK arrives while nothing waits: read and dropped.
    device.write(QByteArray::fromHex("15"), false);
    ASSERT_TRUE(waitQueued(1));
    ASSERT_TRUE(waitUntil([&] { return queue.queuedInput() == 0; }, 3000));
    // A stray ACK arrives while the program is busy: it is still in the port at the send.
    device.write(QByteArray::fromHex("06"), false);
    ASSERT_TRUE(waitQueued(1));
    transact(second);

    EXPECT_EQ(client.replies.join(u' ').toStdString(), std::string(first) + ' ' + second);
    EXPECT_EQ(client.timeOuts, 0);
    EXPECT_TRUE(link.sink.shown.isEmpty());
}
