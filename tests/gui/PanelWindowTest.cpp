#include "panel/PanelWindow.h"
#include "../panel/PanelRig.h"
#include "EventLoopWait.h"
#include "MemoryLink.h"
#include "WindowSteps.h"
#include "common/MessageNumber.h"
#include "commtest/CommTestWindow.h"
#include "shell/LanguageTables.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace zel;
using namespace zel::gui;
using namespace zel::test;
using B = panel::PanelButton;

constexpr int kWaitMs = 3000; // generous: the panel's timers run on a loaded machine

class PanelWindowTest : public ::testing::Test, protected MemoryLink {
protected:
    PanelWindowTest() { openTestPort(); }
    ~PanelWindowTest() override { delete window.data(); }

    void open(bool testMode = false, int languageIndex = 0) {
        settings.SoftMode = testMode ? u"1"_qs : u"0"_qs;
        language.setLanguageIndex(languageIndex);
        window = new PanelWindow(engine, language, settings, sink);
        ASSERT_TRUE(ShowActive(window));
        settle();
    }
    // Lets the panel's pauses and key timers run out; the camera acknowledges each frame.
    void settle() {
        runEventsFor(10);
        waitUntil(
            [this] {
                answer();
                return !window->session().commands().keyHandlingPending();
            },
            kWaitMs);
    }
    void answer() {
        if (autoAnswer && engine.state().ScreenCode == ScreenPanel)
            port.receiveHex(u"06"_qs);
    }
    bool waitForFrames(int count) {
        return waitUntil(
            [this, count] {
                answer();
                return port.written.size() >= count;
            },
            kWaitMs);
    }
    static void key(QWidget* target, QEvent::Type type, int qtKey, bool autoRepeat = false,
                    const QString& text = {}) {
        QKeyEvent event(type, qtKey, Qt::NoModifier, text, autoRepeat);
        QApplication::sendEvent(target, &event);
    }

    LanguageTables language;
    QPointer<PanelWindow> window;
    bool autoAnswer = true;
};

TEST_F(PanelWindowTest, CaptionsInBothLanguagesAndTestModeFrames) {
    open();
    EXPECT_EQ((QStringList{window->windowTitle(), window->button(B::Pos)->text(),
                           window->CheckPanel()->text(), window->CommandPTZF(0)->text()}),
              (QStringList{u"Operation panel"_qs, u"POS"_qs, u"ACTIVE PRESET KEY"_qs, u"TELE"_qs}));
    EXPECT_EQ(Flags({window->FrameTestPanel(), window->OptionKey(0, 2), window->FrameKey(1),
                     window->FrameKey(0), window->FramePanel()},
                    "visible"),
              (QList<bool>{false, false, true, false, false}));
    EXPECT_TRUE(window->OptionKey(0, 0)->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), window->TextCtrl());
    delete window.data();

    open(true, 1);
    EXPECT_EQ((QStringList{window->windowTitle(), window->button(B::Pos)->text()}),
              (QStringList{u"操作パネル"_qs, u"ポジション"_qs}));
    EXPECT_EQ(Flags({window->FrameTestPanel(), window->OptionKey(0, 3)}, "visible"),
              (QList<bool>{true, true}));
    window->OptionKey(1, 2)->click();
    settle();
    EXPECT_TRUE(window->OptionKey(0, 2)->isChecked()) << "both mode groups show the same mode";
    EXPECT_EQ(Flags({window->FrameKey(0), window->FrameKey(1)}, "visible"),
              (QList<bool>{true, false}));
}

// Held with the left button, or the arrow key in the entry (auto-repeat ignored): one move, one
// stop.
TEST_F(PanelWindowTest, DirectionKeyByLeftMouseButtonOrArrowKey) {
    const QStringList moveAndStop = Words("20043C3C0808 20003C3C0808");
    open();
    QToolButton* right = window->CommandKey(0, panel::PtzRight);
    QTest::mousePress(right, Qt::RightButton);
    QTest::mouseRelease(right, Qt::RightButton);
    QTest::mousePress(right, Qt::LeftButton);
    ASSERT_TRUE(waitForFrames(1));
    QTest::mouseRelease(right, Qt::LeftButton);
    ASSERT_TRUE(waitForFrames(2));
    settle();
    EXPECT_EQ(sentData(), moveAndStop);
    EXPECT_EQ(QApplication::focusWidget(), window->TextCtrl());

    QLineEdit* entry = window->TextCtrl();
    key(entry, QEvent::KeyPress, Qt::Key_Right);
    ASSERT_TRUE(waitForFrames(3));
    for (int i = 0; i < 5; ++i)
        key(entry, QEvent::KeyPress, Qt::Key_Right, true);
    runEventsFor(150);
    key(entry, QEvent::KeyRelease, Qt::Key_Right);
    ASSERT_TRUE(waitForFrames(4));
    settle();
    EXPECT_EQ(sentData(), moveAndStop + moveAndStop);
}

TEST_F(PanelWindowTest, ArrowOnAButtonIsCaughtAndTheFocusComesBack) {
    open();
    QToolButton* menu = window->button(B::Menu);
    menu->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), menu);
    key(menu, QEvent::KeyPress, Qt::Key_Up);
    ASSERT_TRUE(waitForFrames(1));
    EXPECT_EQ(sentData(), QStringList{u"20013C3C0808"_qs});
    EXPECT_TRUE(
        waitUntil([this] { return QApplication::focusWidget() == window->TextCtrl(); }, kWaitMs));
    key(window->TextCtrl(), QEvent::KeyRelease, Qt::Key_Up);
    ASSERT_TRUE(waitForFrames(2));

    // Tab stays with the panel; Ctrl+Tab moves through the controls.
    menu->setFocus(Qt::TabFocusReason);
    QTest::keyClick(menu, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), menu);
    QTest::keyClick(menu, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_NE(QApplication::focusWidget(), menu);
}

// A refused entry stays selected for the next try.
TEST_F(PanelWindowTest, EntryFromKeysAndButtonsReachesPosAndCam) {
    open();
    QLineEdit* entry = window->TextCtrl();
    QTest::keyClicks(entry, u"1x2"_qs);
    QTest::mouseClick(window->button(B::Digit3), Qt::LeftButton);
    settle();
    EXPECT_EQ(entry->text(), u"123"_qs);
    QTest::mouseClick(window->button(B::Pos), Qt::LeftButton);
    ASSERT_TRUE(waitForFrames(1));
    settle();
    EXPECT_EQ(sentData().last(), u"101230"_qs);
    EXPECT_EQ(sink.numbers(), QList<int>{});

    QTest::keyClicks(entry, u"300"_qs);
    QTest::mouseClick(window->button(B::Cam), Qt::LeftButton);
    settle();
    EXPECT_EQ(sink.numbers(), QList<int>{MessageError});
    EXPECT_EQ(window->LabelCamNo()->text(), u"1"_qs);
    EXPECT_EQ(entry->selectedText(), u"300"_qs);
    QTest::keyClicks(entry, u"7"_qs);
    QTest::mouseClick(window->button(B::Cam), Qt::LeftButton);
    settle();
    EXPECT_EQ(window->LabelCamNo()->text(), u"7"_qs);
}

TEST_F(PanelWindowTest, RemoteNumberBoxSpinAndRangeCheck) {
    open();
    auto* up = window->findChild<QToolButton*>(u"UpDownHostNoUp"_qs);
    ASSERT_NE(up, nullptr);
    QTest::mouseClick(up, Qt::LeftButton);
    QTest::mouseClick(window->button(B::Stop), Qt::LeftButton);
    ASSERT_TRUE(waitForFrames(1));
    EXPECT_EQ(window->TextHostNo()->text(), u"2"_qs);
    EXPECT_EQ(port.written.last().toHex().toUpper().mid(8, 2), "02") << "sent for remote 2";
    settle();

    QLineEdit* host = window->TextHostNo();
    host->setFocus();
    host->selectAll();
    QTest::keyClicks(host, u"0"_qs);
    QTest::keyClick(host, Qt::Key_Tab, Qt::ControlModifier); // leaves the box
    settle();
    EXPECT_EQ(sink.numbers(), QList<int>{MessageError});
    EXPECT_TRUE(waitUntil([host] { return QApplication::focusWidget() == host; }, kWaitMs));
}

TEST_F(PanelWindowTest, TestSpeedBoxComplainsAsSoonAsTheTextIsOutOfRange) {
    open(true);
    window->OptionKey(0, 2)->click();
    settle();
    QLineEdit* pan = window->TextKey(panel::TestPan);
    pan->setFocus();
    pan->selectAll();
    QTest::keyClicks(pan, u"200"_qs);
    settle();
    EXPECT_EQ(sink.numbers(), QList<int>{MessageError});
    EXPECT_EQ(QApplication::focusWidget(), pan);
}

TEST_F(PanelWindowTest, LosingActivationOrClosingStopsTheCamera) {
    open();
    key(window->TextCtrl(), QEvent::KeyPress, Qt::Key_Left);
    ASSERT_TRUE(waitForFrames(1));
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    ASSERT_TRUE(waitForFrames(2));
    EXPECT_EQ(sentData().last(), u"20003C3C0808"_qs);

    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::mousePress(window->CommandPTZF(0), Qt::LeftButton); // TELE, held
    ASSERT_TRUE(waitForFrames(3));
    window->close();
    ASSERT_TRUE(waitForFrames(4));
    EXPECT_EQ(sentData().last(), u"20003C3C0808"_qs);
    EXPECT_EQ(engine.state().WaitingForm, nullptr);
}

// Neither Tab nor Ctrl+Tab reaches an option button, so arrow keys can never change a speed.
TEST_F(PanelWindowTest, OptionButtonsTakeNoFocusAndTheTiltBarStandsUpright) {
    open(true);
    const auto radios = window->findChildren<QRadioButton*>();
    ASSERT_GE(radios.size(), 20);
    for (QRadioButton* radio : radios)
        EXPECT_EQ(radio->focusPolicy(), Qt::NoFocus) << radio->text().toStdString();
    for (const Qt::KeyboardModifier modifier : {Qt::NoModifier, Qt::ControlModifier})
        for (int step = 0; step < 60; ++step) {
            QWidget* focus = QApplication::focusWidget();
            ASSERT_NE(focus, nullptr);
            QTest::keyClick(focus, Qt::Key_Tab, modifier);
            EXPECT_EQ(qobject_cast<QRadioButton*>(QApplication::focusWidget()), nullptr);
        }
    // The TEST-mode tilt bar stands upright.
    auto* tilt = window->findChild<QScrollBar*>(u"ScrollKey%1"_qs.arg(panel::TestTilt));
    auto* pan = window->findChild<QScrollBar*>(u"ScrollKey%1"_qs.arg(panel::TestPan));
    ASSERT_TRUE(tilt && pan);
    EXPECT_EQ((QList<int>{tilt->orientation(), pan->orientation(), tilt->value()}),
              (QList<int>{Qt::Vertical, Qt::Horizontal, 127}));
}

// A position report arriving while a position box has the focus still shows there, so GO
// never sends values the screen does not show.
TEST_F(PanelWindowTest, PositionReportShowsInAFocusedBox) {
    open();
    autoAnswer = false;
    window->session().commands().click(B::Now);
    ASSERT_TRUE(waitForFrames(1));
    settle();
    QLineEdit* box = window->TextPanel(0);
    box->setFocus();
    QTest::keyClicks(box, u"12"_qs);
    ASSERT_EQ(QApplication::focusWidget(), box);
    port.receiveHex(PositionReplyText(3600, 100, 25600, 470));
    settle();
    EXPECT_EQ((QStringList{box->text(), window->TextPanel(1)->text(),
                           window->session().commands().state().PositionText[0]}),
              (QStringList{u"3600"_qs, u"100"_qs, u"3600"_qs}));
}

// The window's height below the lowest control on show.
static int bandBelowControls(QWidget& window) {
    int lowest = 0;
    for (QWidget* control : window.findChildren<QWidget*>())
        if ((qobject_cast<QAbstractButton*>(control) || qobject_cast<QLineEdit*>(control)) &&
            control->isVisibleTo(&window))
            lowest = std::max(lowest, control->mapTo(&window, QPoint(0, control->height())).y());
    return window.height() - lowest;
}

// No empty band below the last control beyond the margins of the layout and last group box.
TEST_F(PanelWindowTest, ScreensEndBelowTheirLastControlsInBothLanguages) {
    for (const int languageIndex : {0, 1}) {
        SCOPED_TRACE(languageIndex);
        open(true, languageIndex); // the larger panel
        const int panelBand = bandBelowControls(*window);
        EXPECT_TRUE(panelBand >= 0 && panelBand <= 40) << panelBand;
        delete window.data();
        CommTestWindow test(engine, language, sink);
        test.show();
        runEventsFor(20);
        EXPECT_LE(bandBelowControls(test), 40);
    }
}
