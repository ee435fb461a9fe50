// The shell: menu, option dialog, message boxes, splash, Qt's translations and where windows
// open.
#include "EventLoopWait.h"
#include "NextMessageBox.h"
#include "RecordingSink.h"
#include "ReplyRecorder.h"
#include "SimulatedController.h"
#include "TestFiles.h"
#include "common/MessageNumber.h"
#include "link/LinkEngine.h"
#include "link/PortSource.h"
#include "link/PortWatch.h"
#include "shell/Application.h"
#include "shell/BesidePlacement.h"
#include "shell/DetectedPortList.h"
#include "shell/LanguageTables.h"
#include "shell/MenuState.h"
#include "shell/MenuWindow.h"
#include "shell/OptionDialog.h"
#include "shell/QMessageBoxSink.h"
#include "shell/QtTranslations.h"
#include "shell/Settings.h"
#include "shell/SplashWindow.h"
#include "shell/WindowPlacement.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTranslator>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace zel;
using namespace zel::gui;
using zel::test::SeenBox;
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
    EXPECT_FALSE(backup || m_app.menu().IsScreenInUse());
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
    EXPECT_TRUE(!watch && m_menu->CommandMenu(MenuState::ButtonOption)->isEnabled());
    EXPECT_EQ(m_sink.numbers(), (QList<int>{6, 6})); // each port re-apply fails here
}

// The menu open while the serial device goes away and comes back: the simulator's
// pseudo-terminal hangs up, a new one appears behind the same device path, and the menu's
// port is open again without a restart.
constexpr int kWaitMs = 15000;

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
    test::ReplyRecorder client(m_app.engine());
    m_app.engine().claim(&client);
    const CommSendRecord record{u"1"_qs, u"1"_qs, u"False"_qs, u"0"_qs,
                                QString::number(ScreenPanel)};
    ASSERT_EQ(m_app.engine().SendCommandFrame(record, u"200000000000"_qs), LinkEngine::kSendOk);
    ASSERT_TRUE(waitUntil([&client] { return !client.replies.isEmpty(); }, kWaitMs));
    EXPECT_EQ(client.replies, QStringList{u"06"_qs});
    EXPECT_TRUE(m_sink.shown.isEmpty());
    m_menu->SetEndProc();
}

class FakePorts : public PortSource {
public:
    QList<DetectedPort> ports() const override { return list; }
    QList<DetectedPort> list;
};

class ShellOptionDialogTest : public ::testing::Test {
protected:
    void startWith(const QByteArray& ini) {
        ASSERT_TRUE(test::writeBytes(iniPath(), ini));
        ASSERT_TRUE(m_app.readSettings(m_dir.path()));
        m_app.start(m_sink);
        m_ports.list = {
            {u"/dev/ttyS0"_qs, u"ttyS0"_qs, {}, {}, false},
            {u"/dev/ttyUSB0"_qs, u"USB-Serial Controller"_qs, u"Prolific"_qs, u"A1B2"_qs, true}};
        m_dialog = std::make_unique<OptionDialog>(m_app, nullptr, &m_ports);
        m_dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    QString iniPath() const { return m_dir.filePath(u"zel.ini"_qs); }
    QListWidget* list() const { return m_dialog->detectedPorts()->list(); }
    QStringList rows() const {
        QStringList texts;
        for (int row = 0; row < list()->count(); ++row)
            texts << list()->item(row)->text();
        return texts;
    }

    QTemporaryDir m_dir;
    test::RecordingSink m_sink;
    Application m_app;
    FakePorts m_ports;
    std::unique_ptr<OptionDialog> m_dialog;
};

TEST_F(ShellOptionDialogTest, ListsDetectedPortsWithTheChosenComPortsDeviceSelected) {
    startWith("[RS232C]\nComPort=2\nDevice2=/dev/ttyUSB0\n");
    EXPECT_EQ(rows(), (QStringList{u"/dev/ttyS0  ttyS0"_qs,
                                   QStringLiteral("/dev/ttyUSB0  USB-Serial Controller, "
                                                  "Prolific, A1B2  (in use)")}));
    EXPECT_EQ(m_dialog->detectedPorts()->selectedDevice(), u"/dev/ttyUSB0"_qs);
    EXPECT_TRUE(m_dialog->detectedPorts()->title().endsWith(u"(COM2)"_qs));

    // COM1 has no DeviceN: its default device is selected.
    m_dialog->portOption(1)->click();
    EXPECT_EQ(m_dialog->detectedPorts()->selectedDevice(), u"/dev/ttyS0"_qs);
    // COM4's default device is not there now: it is listed as such and selected.
    m_dialog->portOption(4)->click();
    EXPECT_EQ(list()->currentItem()->text(), u"/dev/ttyS3 (not detected now)"_qs);
    EXPECT_TRUE(m_sink.numbers().isEmpty());
}

TEST_F(ShellOptionDialogTest, ChoosingAPortWritesDeviceNOnlyAndRefreshSeesNewPorts) {
    const QByteArray original = "; comment\r\n[RS232C]\r\nComPort=3\r\nRate=3\r\n";
    startWith(original);
    list()->setCurrentRow(1);
    EXPECT_EQ(test::readBytes(iniPath()), original + "Device3=/dev/ttyUSB0\r\n");
    EXPECT_EQ(m_app.settings().portDevice(), u"/dev/ttyUSB0"_qs);

    m_ports.list.append({u"/dev/ttyACM0"_qs, {}, {}, {}, false});
    m_dialog->detectedPorts()->refreshButton()->click();
    EXPECT_EQ(list()->count(), 3);
    EXPECT_EQ(m_dialog->detectedPorts()->selectedDevice(), u"/dev/ttyUSB0"_qs);

    m_ports.list.clear();
    m_dialog->detectedPorts()->refreshButton()->click();
    EXPECT_EQ(rows(),
              (QStringList{u"No serial port found"_qs, u"/dev/ttyUSB0 (not detected now)"_qs}));
}

TEST_F(ShellOptionDialogTest, FirstFocusIsTheTickedPortAndAnOverrideIsNamed) {
    startWith("[RS232C]\nComPort=3\n");
    EXPECT_TRUE(m_dialog->overrideNote()->isHidden());
    m_dialog->show();
    EXPECT_EQ(m_dialog->focusWidget(), m_dialog->portOption(3));

    m_app.settings().PortOverride = u"/dev/pts/9"_qs;
    OptionDialog overridden(m_app, nullptr, &m_ports);
    EXPECT_FALSE(overridden.overrideNote()->isHidden());
    EXPECT_TRUE(overridden.overrideNote()->text().contains(u"/dev/pts/9"_qs));
}

TEST_F(ShellOptionDialogTest, NetworkPortFieldWritesAWellFormedNameOnly) {
    startWith("[RS232C]\r\nComPort=2\r\nDevice1=rfc2217://site-a:4001\r\n");
    gui::DetectedPortList& ports = *m_dialog->detectedPorts();
    EXPECT_TRUE(ports.networkField()->text().isEmpty());

    ports.networkField()->setText(u"tcp://10.0.0.5"_qs);
    ports.useNetworkButton()->click();
    EXPECT_FALSE(ports.networkProblem()->isHidden());
    EXPECT_TRUE(ports.networkProblem()->text().contains(u"port number is missing"_qs));
    EXPECT_EQ(m_app.settings().deviceOfPort(2), u"/dev/ttyS1"_qs);

    ports.networkField()->setText(u" TCP://10.0.0.5:2001 "_qs);
    ports.useNetworkButton()->click();
    EXPECT_TRUE(ports.networkProblem()->isHidden());
    EXPECT_EQ(m_app.settings().deviceOfPort(2), u"tcp://10.0.0.5:2001"_qs);
    EXPECT_TRUE(test::readBytes(iniPath()).contains("Device2=tcp://10.0.0.5:2001\r\n"));
    EXPECT_EQ(list()->currentItem(), nullptr);

    // COM1 stands for a network port: the field shows it, no list row is selected.
    m_dialog->portOption(1)->click();
    EXPECT_EQ(ports.networkField()->text(), u"rfc2217://site-a:4001"_qs);
    EXPECT_EQ(list()->currentItem(), nullptr);
    // A detected port chosen again replaces it.
    list()->setCurrentRow(0);
    EXPECT_EQ(m_app.settings().deviceOfPort(1), u"/dev/ttyS0"_qs);
    EXPECT_TRUE(m_sink.numbers().isEmpty());
}

class MessageBoxSinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&m_raiser);
        layout->addWidget(m_first);
        layout->addWidget(m_second);
        m_raiser.show();
        m_other.show();
        m_raiser.activateWindow();
        QApplication::setActiveWindow(&m_raiser);
        m_second->setFocus();
    }
    // Shows `number` and returns what the box looked like; it is answered at once.
    SeenBox show(QMessageBoxSink& sink, int number, int& result) {
        const auto seen = test::AnswerNextBox();
        result = sink.ShowMessage(number);
        EXPECT_TRUE(seen->shown) << number;
        return *seen;
    }

    LanguageTables m_language;
    QWidget m_raiser;
    QWidget m_other; // the menu, say
    QLineEdit* m_first = new QLineEdit(&m_raiser);
    QLineEdit* m_second = new QLineEdit(&m_raiser);
};

TEST_F(MessageBoxSinkTest, BoxBelongsToTheRaisingWindowAndFocusComesBack) {
    QMessageBoxSink sink(m_language, &m_other);
    int result = -1;
    const SeenBox seen = show(sink, MessageTimeout, result);
    EXPECT_EQ(result, ButtonOk);
    EXPECT_EQ(seen.parent, &m_raiser);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &m_raiser);
    EXPECT_EQ(QApplication::focusWidget(), m_second);
}

TEST_F(MessageBoxSinkTest, BoxIsWideEnoughForItsTitleAndShowsTheDetail) {
    m_language.setLanguageIndex(1);
    QMessageBoxSink sink(m_language, &m_other);
    sink.setDetailSource([](int number) {
        return number == MessagePortOpenError ? u"cannot open /dev/ttyUSB0: busy"_qs : QString();
    });
    int result = -1;
    const SeenBox seen = show(sink, MessagePortOpenError, result);
    EXPECT_EQ(seen.informativeText, u"cannot open /dev/ttyUSB0: busy"_qs);
    EXPECT_GT(seen.width, seen.titleWidth);
    // Message 36 has a short text under a title longer than it.
    const SeenBox confirm = show(sink, MessageOtherWindowInAction, result);
    EXPECT_GT(confirm.width, confirm.titleWidth + 100);
    EXPECT_TRUE(confirm.informativeText.isEmpty());
}

TEST(ShellSplashTest, ShowsTitleAndVersionThenHandsOverAfterThreeSeconds) {
    const LanguageTables language;
    SplashWindow splash(language);
    QSignalSpy finished(&splash, &SplashWindow::finished);
    splash.start();
    EXPECT_TRUE(splash.TimerFirst().isSingleShot());
    EXPECT_EQ(splash.TimerFirst().interval(), 3000);
    EXPECT_EQ(splash.findChild<QLabel*>(u"LabelTitle"_qs)->text(), u"CAMERA CONTROLLER"_qs);
    EXPECT_EQ(splash.findChild<QLabel*>(u"LabelVersion"_qs)->text(), u"1.1"_qs);
    splash.TimerFirst().setInterval(1);
    splash.TimerFirst().start();
    EXPECT_TRUE(finished.wait(2000) && !splash.isVisible());
}

TEST(ShellSplashTest, JapaneseNoticeBreaksOnlyBetweenPhrasesInsideTheWindow) {
    LanguageTables language;
    language.setLanguageIndex(1);
    SplashWindow splash(language);
    splash.show();
    const auto* notice = splash.findChild<QLabel*>(u"LabelNotice"_qs);
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->text().contains(u"ツール"_qs));
    EXPECT_FALSE(notice->wordWrap()); // no break inside a word
    const QFontMetrics metrics = notice->fontMetrics();
    for (const QString& line : notice->text().split(QLatin1Char('\n'))) {
        EXPECT_GE(notice->width(), metrics.horizontalAdvance(line));
        // Broken into short lines, in whatever font is installed: 22 full-width characters
        // at most; the whole notice on one line would be about 30.
        EXPECT_LE(metrics.horizontalAdvance(line), 26 * metrics.horizontalAdvance(u"ツ"_qs));
    }
    EXPECT_LE(notice->mapTo(&splash, QPoint(notice->width(), 0)).x(), splash.width());
}

TEST(ShellSplashTest, MessageBoxSinkShowsTheTableAndReturnsTheButton) {
    LanguageTables language;
    QMessageBoxSink sink(language);
    const auto keepReading = test::AnswerNextBox(QMessageBox::No);
    EXPECT_EQ(sink.ShowMessage(1, u"LINE 12"_qs), ButtonNo);
    EXPECT_EQ((QStringList{keepReading->title, keepReading->text}),
              (QStringList{u"File input error"_qs, u"LINE 12\nKeep file reading ?"_qs}));
    EXPECT_EQ(keepReading->icon, QMessageBox::Warning);

    language.setLanguageIndex(1);
    const auto save = test::AnswerNextBox(QMessageBox::Cancel);
    EXPECT_EQ(sink.ShowMessage(19), ButtonCancel);
    EXPECT_EQ(save->title, u"タイトル設定"_qs);

    EXPECT_EQ(sink.ShowMessage(37), ButtonNone); // no box at all
}

TEST(QtTranslationsTest, JapaneseRunTranslatesQtsStandardButtons) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QDir(folder).exists(u"qtbase_ja.qm"_qs))
        GTEST_SKIP() << "Qt's Japanese translations are not installed";
    {
        QObject english;
        EXPECT_TRUE(QtTranslations::install(0, &english));
        EXPECT_TRUE(english.findChildren<QTranslator*>().isEmpty());
    }
    QObject owner;
    ASSERT_TRUE(QtTranslations::install(1, &owner));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"キャンセル"_qs);
    EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "&Yes"), u"&Yes"_qs);
    delete owner.findChild<QTranslator*>(); // English again for the other tests
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"Cancel"_qs);
}

// Where windows open: fitted to the screen, beside the menu, remembered between runs.
const QRect kScreen(0, 0, 1024, 768);
const QMargins kFrame(4, 30, 4, 4);

TEST(WindowPlacementTest, FittedWindowLiesFullyOnTheScreenFrameIncluded) {
    const struct {
        const char* what;
        QRect wanted, screen, expected;
    } cases[] = {
        // clang-format off
        {"300 px past the right edge: back whole", {700, 100, 640, 480}, kScreen, {1024 - 4 - 640, 100, 640, 480}},
        {"above the top: the caption bar reachable", {-50, -50, 200, 100}, kScreen, {4, 30, 200, 100}},
        {"larger than the screen: shrunk to it", {10, 10, 2000, 1000}, kScreen, {4, 30, 1016, 734}},
        {"a second screen keeps its own offsets", {0, 0, 300, 200}, {1024, 0, 800, 600}, {1028, 30, 300, 200}},
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(WindowPlacement::fitted(c.wanted, c.screen, kFrame), c.expected) << c.what;
}

TEST(WindowPlacementTest, CascadeStepsPastOpenWindowsAndWrapsAtTheEdge) {
    const QRect wanted(400, 100, 300, 200);
    EXPECT_EQ(WindowPlacement::cascaded(wanted, {}, kScreen, kFrame), wanted);
    const QList<QPoint> open{QPoint(400, 100), QPoint(428, 128)};
    EXPECT_EQ(WindowPlacement::cascaded(wanted, open, kScreen, kFrame).topLeft(), QPoint(456, 156));
    // Near the bottom-right every step is clamped to the same corner: start over top-left.
    const QRect corner(1024 - 4 - 300, 768 - 4 - 200, 300, 200);
    const QRect again = WindowPlacement::cascaded(corner, {corner.topLeft()}, kScreen, kFrame);
    EXPECT_EQ(again.topLeft(), QPoint(4, 30));
    EXPECT_TRUE(kScreen.contains(again.marginsAdded(kFrame)));
}

// The menu as it opens in test mode: 329 x 520 with its caption bar, a status line at its foot.
static QRect menuAt(int x, int y) {
    return {x, y, 329, 520};
}
static PlacementScene sceneWithMenu(const QRect& menu, const QList<QPoint>& taken = {}) {
    return {kScreen, menu, {menu.left() + 4, menu.bottom() - 30, menu.width() - 8, 26}, taken};
}

// Outer rectangles on a 1024 x 768 screen. The menu at the right edge (where a window manager
// may put it): the backup screen goes to its left instead of back over its buttons.
TEST(BesidePlacementTest, OpensOnTheFirstSideWithRoomAndNeverOverTheMenu) {
    struct Case {
        const char* what;
        QRect menu;
        QSize window;
        QRect expected;
    };
    // clang-format off
    const Case cases[] = {
        {"backup right of a centred menu", menuAt(347, 124), {208, 400}, QRect(347 + 329 + 12, 124, 208, 400)},
        {"backup left of a menu at the right edge", menuAt(690, 100), {208, 400}, QRect(690 - 12 - 208, 100, 208, 400)},
        {"slid up to stay on the screen", menuAt(0, 400), {300, 500}, QRect(341, 768 - 500, 300, 500)},
        {"below a wide short menu", QRect(0, 0, 1024, 200), {400, 300}, QRect(0, 212, 400, 300)},
        {"above a wide menu at the foot", QRect(0, 468, 1024, 300), {400, 300}, QRect(0, 468 - 12 - 300, 400, 300)},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QRect placed = BesidePlacement::place(c.window, sceneWithMenu(c.menu));
        EXPECT_EQ(placed, c.expected);
        EXPECT_TRUE(kScreen.contains(placed) && !placed.intersects(c.menu));
    }
}

TEST(BesidePlacementTest, SecondWindowOnTheSameSideStepsAwayFromTheMenu) {
    const QRect menu = menuAt(690, 100);
    const QRect first = BesidePlacement::place({208, 400}, sceneWithMenu(menu));
    const QRect second = BesidePlacement::place({208, 400}, sceneWithMenu(menu, {first.topLeft()}));
    EXPECT_EQ(second.topLeft(), first.topLeft() + QPoint(-28, 28));
    EXPECT_FALSE(second.intersects(menu));
}

TEST(BesidePlacementTest, LogWindowTooLargeForAnySideLeavesTheStatusLineVisible) {
    // The log window (648 x 514 framed) beside a centred menu: no side has room.
    const QRect menu = menuAt((1024 - 329) / 2, (768 - 520) / 2);
    const PlacementScene scene = sceneWithMenu(menu);
    const QSize log(648, 514);
    ASSERT_TRUE(BesidePlacement::besideAnchor(log, scene).isNull());
    const QRect placed = BesidePlacement::place(log, scene);
    EXPECT_TRUE(kScreen.contains(placed) && !placed.intersects(scene.keepVisible));
    // It covers no more of the menu than the best of the screen's corners would.
    const auto covered = [&menu](const QRect& r) {
        const QRect part = r.intersected(menu);
        return part.isValid() ? part.width() * part.height() : 0;
    };
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(1024 - 648, 0), QPoint(0, 768 - 514), QPoint(1024 - 648, 768 - 514)})
        EXPECT_LE(covered(placed), covered(QRect(corner, log))) << corner.x() << "," << corner.y();
}

TEST(BesidePlacementTest, WindowTallerThanTheRoomAboveTheStatusLineCoversTheLeast) {
    // 740 high: whatever the place, the status line at 600..626 is covered; the least of
    // the menu goes under it.
    const QRect menu = menuAt(0, 106);
    const QRect placed = BesidePlacement::place({800, 740}, sceneWithMenu(menu));
    EXPECT_TRUE(kScreen.contains(placed));
    EXPECT_EQ(placed.right(), 1023); // pushed as far from the menu as the screen allows
}

TEST(BesidePlacementTest, WindowLargerThanTheScreenIsShrunkToIt) {
    EXPECT_EQ(BesidePlacement::place({1600, 900}, sceneWithMenu(menuAt(0, 0))), kScreen);
}

class WindowMemoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::writeBytes(m_dir.filePath(u"zel.ini"_qs), "[RS232C]\r\nComPort=1\r\n"));
        ASSERT_TRUE(m_settings.ReadSettings(m_dir.path()));
    }
    QByteArray ini() const { return test::readBytes(m_settings.SettingsFilePath); }
    QRect available() const { return QGuiApplication::primaryScreen()->availableGeometry(); }

    QTemporaryDir m_dir;
    Settings m_settings;
};

TEST_F(WindowMemoryTest, ClosedWindowIsReopenedWhereItWas) {
    const QRect where(available().topLeft() + QPoint(60, 70), QSize(220, 140));
    {
        QWidget window;
        window.setObjectName(u"frmBackUp"_qs);
        new QVBoxLayout(&window); // children made before placement must not hide the keeper
        WindowPlacement::place(window, m_settings);
        window.show();
        window.setGeometry(where);
        window.close();
    }
    EXPECT_TRUE(ini().startsWith("[RS232C]\r\nComPort=1\r\n")) << ini().toStdString();
    EXPECT_EQ(WindowPlacement::savedGeometry(m_settings, u"frmBackUp"_qs), where);

    QWidget reopened;
    reopened.setObjectName(u"frmBackUp"_qs);
    WindowPlacement::place(reopened, m_settings);
    EXPECT_EQ(reopened.geometry(), where);
}

// A new screen of the menu opens beside it: with the menu against the right edge, to its left.
TEST_F(WindowMemoryTest, NewScreenOpensBesideItsMenuNotOverIt) {
    QWidget menu;
    menu.setObjectName(u"frmMenu"_qs);
    menu.setGeometry(QRect(available().right() - 330, available().top() + 40, 300, 400));
    menu.show();
    auto* screen = new QWidget(&menu, Qt::Window);
    screen->setObjectName(u"frmBackUp"_qs);
    screen->resize(200, 260);
    WindowPlacement::place(*screen, m_settings);
    EXPECT_FALSE(screen->geometry().intersects(menu.frameGeometry()));
    EXPECT_LT(screen->geometry().right(), menu.frameGeometry().left());
    EXPECT_TRUE(available().contains(screen->geometry()));
}

TEST_F(WindowMemoryTest, SavedPlaceOffTheScreenOrMalformedIsIgnored) {
    const QRect screen = available();
    for (const QString& value : {u"%1,10,200,100"_qs.arg(screen.right() + 50), u"10,10,-5,100"_qs,
                                 u"a,b,c,d"_qs, u"10,10,200"_qs}) {
        ASSERT_TRUE(test::writeBytes(m_settings.SettingsFilePath,
                                     "[WINDOWS]\nfrmFind=" + value.toLatin1() + "\n"));
        QWidget window;
        window.setObjectName(u"frmFind"_qs);
        window.resize(200, 100);
        WindowPlacement::place(window, m_settings, u"frmFind"_qs);
        EXPECT_TRUE(screen.contains(window.geometry())) << value.toStdString();
        EXPECT_EQ(window.size(), QSize(200, 100)) << value.toStdString();
    }
}

TEST_F(WindowMemoryTest, NoSettingsFileNoWrite) {
    Settings nowhere;
    nowhere.setFolder(m_dir.filePath(u"absent"_qs));
    EXPECT_FALSE(WindowPlacement::saveGeometry(nowhere, u"frmMenu"_qs, QRect(1, 2, 3, 4)));
    EXPECT_FALSE(QFile::exists(nowhere.SettingsFilePath));
}
