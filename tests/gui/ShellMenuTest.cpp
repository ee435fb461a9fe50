#include "EventLoopWait.h"
#include "RecordingSink.h"
#include "ReplyRecorder.h"
#include "SimulatedController.h"
#include "TestFiles.h"
#include "link/LinkEngine.h"
#include "link/PortWatch.h"
#include "shell/Application.h"
#include "shell/MenuState.h"
#include "shell/MenuWindow.h"
#include "shell/OptionDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zel;
using gui::MenuWindow;
using zel::test::waitUntil;

class ShellMenuTest : public ::testing::Test {
protected:
    // Without `device` no serial device is there: the menu opens anyway after message 6.
    void startWith(const QByteArray& ini, const QString& device = {}) {
        ASSERT_TRUE(test::writeBytes(m_dir.filePath(u"zel.ini"_qs), ini));
        ASSERT_TRUE(m_app.readSettings(m_dir.path()));
        m_app.settings().PortOverride = device.isEmpty() ? m_dir.filePath(u"no-device"_qs) : device;
        m_app.start(m_sink);
        m_menu = std::make_unique<MenuWindow>(m_app);
        m_menu->load();
        EXPECT_EQ(m_sink.numbers(), device.isEmpty() ? QList<int>{6} : QList<int>{});
        m_sink.clear();
    }
    QByteArray iniText() const { return test::readBytes(m_dir.filePath(u"zel.ini"_qs)); }
    int visibleButtons() const {
        int count = 0;
        for (int i = 0; i < 8; ++i)
            count += m_menu->CommandMenu(i)->isVisibleTo(m_menu.get()) ? 1 : 0;
        return count;
    }

    QTemporaryDir m_dir;
    test::RecordingSink m_sink;
    Application m_app;
    std::unique_ptr<MenuWindow> m_menu;
};

TEST_F(ShellMenuTest, NormalModeShowsSixEvenlySpacedButtons) {
    QApplication::clipboard()->setText(u"left over"_qs);
    startWith("[SOFT]\nMode=0\n");
    EXPECT_EQ(visibleButtons(), 6);
    EXPECT_FALSE(m_menu->FrameMenuTest(0)->isVisibleTo(m_menu.get()));
    EXPECT_TRUE(QApplication::clipboard()->text().isEmpty());
    const int step = m_menu->CommandMenu(1)->y() - m_menu->CommandMenu(0)->y();
    EXPECT_EQ(m_menu->CommandMenu(3)->y(), m_menu->CommandMenu(2)->y() + step);
    EXPECT_EQ(m_menu->CommandMenu(4)->y(), m_menu->CommandMenu(3)->y() + step);
    EXPECT_LT(m_menu->CommandMenu(4)->y(), m_menu->CommandMenu(7)->y());
    EXPECT_LE(m_menu->CommandMenu(7)->geometry().bottom(), m_menu->height());
    EXPECT_EQ(m_menu->windowTitle(), u"CAMERA CONTROLLER"_qs);
}

TEST_F(ShellMenuTest, TestModeShowsEightButtonsWithJapaneseCaptions) {
    startWith("[SOFT]\nMode=1\n[LANGUAGE]\nMode=1\n");
    EXPECT_EQ(visibleButtons(), 8);
    // Top to bottom 0, 1, 2, 5, 3, 6, 4, 7, all of one height at one step.
    m_menu->show();
    QList<QRect> shown;
    for (int button : {0, 1, 2, 5, 3, 6, 4, 7}) {
        QPushButton* push = m_menu->CommandMenu(button);
        shown.append(QRect(push->mapTo(m_menu.get(), QPoint(0, 0)), push->size()));
    }
    const int step = shown[1].top() - shown[0].top();
    for (qsizetype i = 1; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i].top() - shown[i - 1].top(), step) << i;
        EXPECT_EQ(shown[i].size(), shown[0].size()) << i;
    }
    // Twice the scale on a 1024x768 screen leaves 512x384 with the caption bar: the
    // menu shrinks that far.
    constexpr int kCaptionBar = 30;
    EXPECT_LE(m_menu->minimumSizeHint().height() + kCaptionBar, 384);
    EXPECT_LE(m_menu->minimumSizeHint().width(), 512);
    EXPECT_EQ(m_menu->CommandMenu(0)->text(), u"操作パネル"_qs);
    EXPECT_EQ(m_menu->CommandMenu(5)->text(), u"通信テスト"_qs);
    EXPECT_EQ(m_menu->CommandMenu(7)->text(), u"終了"_qs);
}

TEST_F(ShellMenuTest, OpenerWindowMarksItsButtonUntilDestroyed) {
    startWith("[SOFT]\nMode=1\n");
    QPointer<QWidget> backup;
    m_menu->setScreenOpener(MenuState::ButtonBackup, [&] {
        backup = new QWidget;
        return backup.data();
    });
    m_menu->CommandMenu(MenuState::ButtonBackup)->click();
    ASSERT_TRUE(backup);
    EXPECT_FALSE(m_menu->CommandMenu(MenuState::ButtonBackup)->isEnabled());

    m_menu->show();
    QApplication::setActiveWindow(m_menu.get());
    m_menu->CommandMenu(MenuState::ButtonExit)->setFocus();
    m_menu->CommandMenu(MenuState::ButtonExit)->click(); // message 8, the menu stays
    EXPECT_EQ(m_sink.numbers(), QList<int>{8});
    EXPECT_TRUE(m_menu->isVisible());
    EXPECT_EQ(m_menu->focusWidget(), m_menu->CommandMenu(MenuState::ButtonExit));

    delete backup.data();
    EXPECT_TRUE(m_menu->CommandMenu(MenuState::ButtonBackup)->isEnabled());
}

TEST_F(ShellMenuTest, ScreensOpenFullyOnScreenCascadedAndRemembered) {
    startWith("[SOFT]\nMode=1\n");
    m_menu->show();
    QList<QPointer<QWidget>> screens;
    for (int button : {MenuState::ButtonBackup, MenuState::ButtonCommLog, MenuState::ButtonPanel}) {
        m_menu->setScreenOpener(button, [&screens, button] {
            auto* screen = new QWidget;
            screen->setObjectName(u"screen%1"_qs.arg(button));
            screen->resize(640, 480);
            screens.append(screen);
            return screen;
        });
        m_menu->CommandMenu(button)->click();
    }
    ASSERT_EQ(screens.size(), 3);
    const QRect available = m_menu->screen()->availableGeometry();
    for (qsizetype i = 0; i < screens.size(); ++i) {
        EXPECT_TRUE(available.contains(screens[i]->frameGeometry())) << i;
        for (qsizetype j = 0; j < i; ++j)
            EXPECT_NE(screens[i]->pos(), screens[j]->pos()) << i << " over " << j;
    }
    screens[0]->move(screens[0]->pos() + QPoint(5, 7));
    const QRect moved = screens[0]->geometry();
    screens[0]->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_menu->CommandMenu(MenuState::ButtonBackup)->click();
    ASSERT_TRUE(screens.last());
    EXPECT_EQ(screens.last()->geometry(), moved);
    EXPECT_TRUE(iniText().contains("[WINDOWS]"));
    for (const QPointer<QWidget>& screen : screens) // top-level: nothing else deletes them
        delete screen.data();
}

TEST_F(ShellMenuTest, MenuGoingWithScreensStillOpenTakesThemAlongSafely) {
    startWith("[SOFT]\nMode=1\n");
    QPointer<QWidget> backup;
    m_menu->setScreenOpener(MenuState::ButtonBackup, [&] {
        backup = new QWidget(m_menu.get(), Qt::Window); // as the screens are made
        return backup.data();
    });
    m_menu->CommandMenu(MenuState::ButtonBackup)->click();
    ASSERT_TRUE(backup);
    m_menu.reset(); // the end forced from the transfer dialog leaves screens open
    EXPECT_FALSE(backup);
    EXPECT_FALSE(m_app.menu().IsScreenInUse());
}

TEST_F(ShellMenuTest, UnwiredScreenSaysSoAndLeavesNoOpenMark) {
    startWith("[SOFT]\nMode=1\n");
    m_menu->CommandMenu(MenuState::ButtonPanel)->click();
    EXPECT_TRUE(m_menu->CommandMenu(MenuState::ButtonPanel)->isEnabled());
    EXPECT_NE(m_menu->findChild<QMessageBox*>(u"NotAvailableBox"_qs), nullptr);
    m_menu->CommandMenu(MenuState::ButtonTitle)->click();
    EXPECT_FALSE(m_app.menu().IsScreenInUse());
}

TEST_F(ShellMenuTest, OptionDialogWritesTheFileAndFreesItsButton) {
    startWith("[SOFT]\nMode=0\n[RS232C]\nComPort=1\nRate=3\nAutoSave=0\n");
    m_menu->CommandMenu(MenuState::ButtonOption)->click();
    auto* dialog = m_menu->findChild<gui::OptionDialog*>(u"frmOption"_qs);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(m_menu->CommandMenu(MenuState::ButtonOption)->isEnabled());
    EXPECT_TRUE(dialog->rateOption(3)->isChecked());
    dialog->rateOption(0)->click();
    dialog->saveOption(2)->click();
    dialog->settingButton()->click();
    EXPECT_TRUE(iniText().contains("Rate=0\n") && iniText().contains("AutoSave=2\n"))
        << iniText().toStdString();
    EXPECT_EQ(m_app.settings().baudRate(), 4800);

    QPointer<gui::OptionDialog> watch(dialog);
    dialog->reject(); // Escape
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(watch);
    EXPECT_TRUE(m_menu->CommandMenu(MenuState::ButtonOption)->isEnabled());
    EXPECT_EQ(m_sink.numbers(), (QList<int>{6, 6})); // each port re-apply fails here
}

// The menu open while the serial device goes away and comes back: the simulator's
// pseudo-terminal hangs up, a new one appears behind the same device path, and the menu's
// port is open again without a restart.
constexpr int kWaitMs = 15000;

using test::ReplyRecorder;

// Points the device link `path` at `simulator`'s pseudo-terminal, replacing an older link.
static bool linkDevice(const QString& path, sim::SimulatedController& simulator) {
    QFile::remove(path);
    return QFile::link(simulator.slavePath(), path);
}

TEST_F(ShellMenuTest, MenuReopensThePortWhenTheDeviceReturns) {
    const QString device = m_dir.filePath(u"ttyCAM"_qs);
    const auto statusLine = [this] { return m_menu->portStatusLine()->accessibleName(); };
    auto first = std::make_unique<sim::SimulatedController>();
    ASSERT_TRUE(first->start(nullptr));
    ASSERT_TRUE(linkDevice(device, *first));
    startWith("[SOFT]\nMode=0\n", device);
    ASSERT_TRUE(m_app.engine().isPortOpen());
    EXPECT_EQ(statusLine(), u"Port "_qs + device + u": open"_qs);
    EXPECT_LT(m_menu->portStatusLine()->geometry().bottom(), m_menu->height());

    // Pulled: the simulator hangs up and its pseudo-terminal is gone.
    first->stop();
    first.reset();
    ASSERT_TRUE(
        waitUntil([this] { return m_app.portWatch().state() == PortWatch::State::Lost; }, kWaitMs));
    EXPECT_EQ(statusLine(), u"Port "_qs + device + u": lost, waiting for it to return"_qs);
    EXPECT_FALSE(m_app.engine().isPortOpen());
    EXPECT_TRUE(m_sink.shown.isEmpty()); // nothing was waiting: no message box

    // Plugged in again: a new pseudo-terminal behind the same path.
    sim::SimulatedController second;
    ASSERT_TRUE(second.start(nullptr));
    ASSERT_TRUE(linkDevice(device, second));
    ASSERT_TRUE(waitUntil([this] { return m_app.engine().isPortOpen(); }, kWaitMs));
    EXPECT_EQ(statusLine(), u"Port "_qs + device + u": open"_qs);
    ReplyRecorder client(m_app.engine());
    m_app.engine().claim(&client);
    const CommSendRecord record{u"1"_qs, u"1"_qs, u"False"_qs, u"0"_qs,
                                QString::number(ScreenPanel)};
    ASSERT_EQ(m_app.engine().SendCommandFrame(record, u"200000000000"_qs), LinkEngine::kSendOk);
    ASSERT_TRUE(waitUntil([&client] { return !client.replies.isEmpty(); }, kWaitMs));
    EXPECT_EQ(client.replies, QStringList{u"06"_qs});
    EXPECT_TRUE(m_sink.shown.isEmpty());
    m_menu->SetEndProc();
}
