// The menu open while the serial device goes away and comes back: the simulator's
// pseudo-terminal hangs up, a new one appears behind the same device path, and the menu's
// port is open again without a restart.
#include "EventLoopWait.h"
#include "RecordingSink.h"
#include "ReplyRecorder.h"
#include "SimulatedController.h"
#include "TestFiles.h"
#include "link/LinkClient.h"
#include "link/LinkEngine.h"
#include "link/PortWatch.h"
#include "shell/Application.h"
#include "shell/MenuWindow.h"

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zel;
using zel::test::waitUntil;

namespace {

constexpr int kWaitMs = 15000;

using test::ReplyRecorder;

class PortReturnTest : public ::testing::Test {
protected:
    // Points the device link at `simulator`'s pseudo-terminal, replacing an older link.
    bool linkDevice(sim::SimulatedController& simulator) {
        QFile::remove(m_device);
        return QFile::link(simulator.slavePath(), m_device);
    }
    QString statusLine() const { return m_menu->portStatusLine()->accessibleName(); }
    int sendPanelStop(ReplyRecorder& client) {
        m_app.engine().claim(&client);
        const CommSendRecord record{u"1"_qs, u"1"_qs, u"False"_qs, u"0"_qs,
                                    QString::number(ScreenPanel)};
        return m_app.engine().SendCommandFrame(record, u"200000000000"_qs);
    }

    QTemporaryDir m_dir;
    QString m_device = m_dir.filePath(u"ttyCAM"_qs);
    test::RecordingSink m_sink;
    Application m_app;
    std::unique_ptr<gui::MenuWindow> m_menu;
};

TEST_F(PortReturnTest, MenuReopensThePortWhenTheDeviceReturns) {
    ASSERT_TRUE(test::writeBytes(m_dir.filePath(u"zel.ini"_qs), "[SOFT]\nMode=0\n"));
    ASSERT_TRUE(m_app.readSettings(m_dir.path()));
    auto first = std::make_unique<sim::SimulatedController>();
    ASSERT_TRUE(first->start(nullptr));
    ASSERT_TRUE(linkDevice(*first));
    m_app.settings().PortOverride = m_device;
    m_app.start(m_sink);
    m_menu = std::make_unique<gui::MenuWindow>(m_app);
    m_menu->load();
    ASSERT_TRUE(m_app.engine().isPortOpen());
    EXPECT_EQ(statusLine(), u"Port "_qs + m_device + u": open"_qs);
    EXPECT_LT(m_menu->portStatusLine()->geometry().bottom(), m_menu->height());

    // Pulled: the simulator hangs up and its pseudo-terminal is gone.
    first->stop();
    first.reset();
    ASSERT_TRUE(
        waitUntil([this] { return m_app.portWatch().state() == PortWatch::State::Lost; }, kWaitMs));
    EXPECT_EQ(statusLine(), u"Port "_qs + m_device + u": lost, waiting for it to return"_qs);
    EXPECT_FALSE(m_app.engine().isPortOpen());
    EXPECT_TRUE(m_sink.shown.isEmpty()); // nothing was waiting: no message box

    // Plugged in again: a new pseudo-terminal behind the same path.
    sim::SimulatedController second;
    ASSERT_TRUE(second.start(nullptr));
    ASSERT_TRUE(linkDevice(second));
    ASSERT_TRUE(waitUntil([this] { return m_app.engine().isPortOpen(); }, kWaitMs));
    EXPECT_EQ(statusLine(), u"Port "_qs + m_device + u": open"_qs);
    ReplyRecorder client(m_app.engine());
    ASSERT_EQ(sendPanelStop(client), LinkEngine::kSendOk);
    ASSERT_TRUE(waitUntil([&client] { return !client.replies.isEmpty(); }, kWaitMs));
    EXPECT_EQ(client.replies, QStringList{u"06"_qs});
    EXPECT_TRUE(m_sink.shown.isEmpty());
    m_menu->SetEndProc();
}

} // namespace
