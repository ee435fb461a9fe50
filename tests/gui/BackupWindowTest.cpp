// The backup window, the transfer dialog it opens and the guard of its number boxes.
#include "backup/BackupWindow.h"
#include "DataReplyText.h"
#include "MemoryLink.h"
#include "TestFiles.h"
#include "WindowSteps.h"
#include "backup/CompactPath.h"
#include "common/HexText.h"
#include "common/NumberBoxGuard.h"
#include "link/LinkClient.h"
#include "link/TransferDialog.h"
#include "link/TransferDialogModel.h"
#include "shell/LanguageTables.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace zel;
using namespace zel::gui;
using namespace zel::test;

class BackupWindowTest : public ::testing::Test, protected MemoryLink {
protected:
    BackupWindowTest() {
        openTestPort();
        window = new BackupWindow(engine, language, settings, sink);
        EXPECT_TRUE(ShowActive(window));
    }
    ~BackupWindowTest() override { delete window.data(); }

    LanguageTables language;
    QPointer<BackupWindow> window;
    QTemporaryDir dir;
};

TEST_F(BackupWindowTest, OpensWithItsCaptionsDefaultsAndVerifyTicked) {
    EXPECT_EQ((QStringList{window->windowTitle(), window->TextHostNo()->text(),
                           window->TextCamNo()->text(), window->CheckVerify()->text(),
                           window->CommandDL()->text(), window->CommandUL()->text(),
                           window->CommandEnd()->text()}),
              (QStringList{u"Data Back Up"_qs, u"1"_qs, u"1"_qs, u"Verification after UPLOAD"_qs,
                           u"DOWNLOAD"_qs, u"UPLOAD"_qs, u"Exit"_qs}));
    EXPECT_TRUE(window->CheckVerify()->isChecked());
    QStringList labels;
    for (const QLabel* label : window->findChildren<QLabel*>())
        labels.append(label->text());
    for (const char* text : {"CAMERA No.", "CAMERA to PC", "PC to CAMERA"})
        EXPECT_TRUE(labels.contains(QString::fromLatin1(text))) << text;
    EXPECT_EQ(QApplication::focusWidget(), window->TextHostNo());
}

TEST_F(BackupWindowTest, BoxesTakeDigitsOnlyAndReturnToAValueOutOfRange) {
    TypeAndLeave(window->TextCamNo(), u"1a.2 -3"_qs);
    EXPECT_EQ(window->TextCamNo()->text(), u"123"_qs);
    TypeAndLeave(window->TextHostNo(), u"x9"_qs);
    EXPECT_EQ(window->TextHostNo()->text(), u"9"_qs);
    EXPECT_TRUE(sink.shown.isEmpty());
    // Left out of range: the range is shown and the focus returns.
    TypeAndLeave(window->TextHostNo(), u"0"_qs);
    ASSERT_EQ(sink.numbers(), QList<int>{4});
    EXPECT_EQ(sink.shown[0].extra, u"1 to 99 Setting data is beyond the setting range"_qs);
    EXPECT_EQ(QApplication::focusWidget(), window->TextHostNo());
    EXPECT_EQ(window->TextHostNo()->selectedText(), u"0"_qs);
    TypeAndLeave(window->TextHostNo(), u"99"_qs);

    // Both boxes wrong: one message per leave, no ping-pong between them.
    window->TextHostNo()->setText(u"0"_qs);
    sink.clear();
    TypeAndLeave(window->TextCamNo(), u"0"_qs);
    ASSERT_EQ(sink.numbers(), QList<int>{4});
    EXPECT_EQ(sink.shown[0].extra, u"1 to 255 Setting data is beyond the setting range"_qs);
    EXPECT_EQ(QApplication::focusWidget(), window->TextCamNo());
}

TEST_F(BackupWindowTest, ButtonsRefuseInvalidBoxesBeforeAskingForAFile) {
    window->TextCamNo()->setText(u"300"_qs);
    for (QPushButton* button : {window->CommandDL(), window->CommandUL()}) {
        button->click();
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(sink.numbers(), (QList<int>{4, 4}));
    EXPECT_EQ(QApplication::focusWidget(), window->TextCamNo());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(port.written.isEmpty());
}

TEST_F(BackupWindowTest, DownloadShowsTheTransferDialogAndWindowClosesAfterCancel) {
    window->TextHostNo()->setText(u"12"_qs);
    window->TextCamNo()->setText(u"34"_qs);
    const QString path = dir.filePath(QString(120, QLatin1Char('d')) + u"/cam.bin"_qs);
    QDir().mkpath(QFileInfo(path).path());
    window->startDownloadTo(path);

    ASSERT_EQ(port.written.size(), 1);
    EXPECT_EQ(BytesToHexText(port.written[0]).left(16), u"FE0A034112C10001"_qs);
    TransferDialog* dialog = window->transferDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(std::tuple(dialog->isVisible(), dialog->windowModality(), dialog->windowTitle()),
              std::tuple(true, Qt::ApplicationModal, u"In DOWNLOAD"_qs));
    const QString shownPath = window->session().transfer().dialog().state().labels1[3];
    EXPECT_TRUE(shownPath.endsWith(u"cam.bin"_qs) && shownPath.contains(u"..."_qs));
    EXPECT_LE(window->fontMetrics().horizontalAdvance(shownPath), CompactPath::kTransferLabelWidth);

    QSignalSpy closed(window.data(), &BackupWindow::closed);
    window->close(); // refused while the transfer runs
    EXPECT_EQ(closed.count(), 0);
    dialog->reject(); // Esc / Cancel
    EXPECT_FALSE(window->session().transfer().isRunning() || dialog->isVisible());

    window->CommandEnd()->click();
    EXPECT_EQ(closed.count(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

TEST_F(BackupWindowTest, DownloadSaysInTheWindowThatAnEarlierPartialIsReplaced) {
    const QString path = dir.filePath(u"cam.bin"_qs);
    EXPECT_TRUE(window->LabelStatus()->text().isEmpty());
    ASSERT_TRUE(writeBytes(path + u".partial"_qs, "earlier"));
    window->startDownloadTo(path);
    EXPECT_TRUE(window->LabelStatus()->text().endsWith(
        u"cam.bin.partial from an earlier download will be replaced"_qs));
    EXPECT_EQ(window->LabelStatus()->toolTip(), path + u".partial"_qs);
    EXPECT_FALSE(window->CommandDL()->isEnabled()); // the controls follow the session
    window->transferDialog()->reject();
    EXPECT_TRUE(window->CommandDL()->isEnabled());
}

TEST(CompactPathTest, KeepsShortPathsAndTheFileNameOfLongOnes) {
    const QFontMetrics metrics(QApplication::font());
    EXPECT_EQ(CompactPath::fit(u"/tmp/a.bin"_qs, metrics), u"/tmp/a.bin"_qs);
    const QString longPath =
        u"/home/installer/"_qs + QString(200, QLatin1Char('x')) + u"/site/camera1.bin"_qs;
    const QString shown = CompactPath::fit(longPath, metrics);
    EXPECT_LE(metrics.horizontalAdvance(shown), CompactPath::kTransferLabelWidth);
    EXPECT_TRUE(shown.startsWith(u"/home/"_qs) && shown.endsWith(u".../camera1.bin"_qs));
    const QString hugeName = CompactPath::fit(QString(400, QLatin1Char('n')), metrics);
    EXPECT_LE(metrics.horizontalAdvance(hugeName), CompactPath::kTransferLabelWidth);
}

TEST_F(BackupWindowTest, CompareShowsTheReportOfTheFileAgainstTheCamera) {
    EXPECT_EQ(window->CommandCompare()->text(), u"Compare…"_qs);
    const QString path = dir.filePath(u"cam.bin"_qs);
    QByteArray image(32000, '\0');
    image[40] = '\x01'; // block 2
    ASSERT_TRUE(writeBytes(path, image));

    window->startCompareWith(path);
    // The camera answers every read with zeros.
    for (int block = 1; block <= 1000 && window->session().transfer().isRunning(); ++block) {
        ASSERT_EQ(port.written.size(), block);
        const QByteArray request = port.written.last();
        ASSERT_EQ(request.size(), 11) << "a read request, never a write";
        port.receiveHex(
            DataReplyText(request.mid(2, 3) + request.mid(5, 3) + QByteArray(32, '\0')));
    }
    EXPECT_TRUE(window->session().transfer().completed());
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->transferDialog()->isVisible()) << "the modal dialog gives way";
    QDialog* report = window->compareReport();
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(report->isVisible());
    EXPECT_EQ(report->windowTitle(), u"cam.bin compared with the camera"_qs);
    EXPECT_EQ(report->findChild<QPlainTextEdit*>()->toPlainText(),
              QStringLiteral("block 2: 1 bytes differ, first at offset 0x0028\n"
                             "1 of 1000 blocks differ, 1 of 32000 bytes"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the report can be closed";

    // A file that is no backup: "File incorrect", nothing sent.
    const qsizetype sent = port.written.size();
    ASSERT_TRUE(writeBytes(path, "short"));
    window->startCompareWith(path);
    EXPECT_EQ(sink.numbers().last(), 25);
    EXPECT_EQ(port.written.size(), sent);
}

struct BackupLikeClient : LinkClient {
    void replyComplete() override {}
    void transferDialogClosed() override { ++fileClosed; }
    int fileClosed = 0;
};

class TransferDialogTest : public ::testing::Test, protected MemoryLink {
protected:
    TransferDialogTest() {
        model.load(language);
        engine.claim(&client);
        engine.armRetry(ScreenBackup); // a backup waits to send again
        dialog.open();
    }
    template <typename T> T* child(const char* name) {
        return dialog.findChild<T*>(QString::fromLatin1(name));
    }

    LanguageTables language;
    TransferDialogModel model{engine};
    BackupLikeClient client;
    gui::TransferDialog dialog{model};
};

TEST_F(TransferDialogTest, RendersTheModel) {
    const auto frames = [this] {
        return QList<bool>{child<QGroupBox>("frameTransMit_0")->isVisible(),
                           child<QGroupBox>("frameTransMit_1")->isVisible()};
    };
    EXPECT_EQ((QStringList{dialog.windowTitle(), child<QPushButton>("CommandCancel")->text(),
                           child<QLabel>("LabelTransMit1_1")->text()}),
              (QStringList{u"In transmission"_qs, u"Cancel"_qs, u"File name"_qs}));
    EXPECT_EQ(dialog.windowModality(), Qt::WindowModal);
    EXPECT_EQ(frames(), (QList<bool>{true, false}));

    model.state().progressMax = 1000;
    model.state().progressValue = 250;
    model.state().labels1[3] = u"camera.bin"_qs;
    model.changed();
    EXPECT_EQ(child<QProgressBar>("ProgressBarTransMit")->value(), 250);
    EXPECT_EQ(child<QLabel>("LabelTransMit1_3")->text(), u"camera.bin"_qs);

    model.state().visibleFrame = 1;
    model.changed();
    EXPECT_EQ(frames(), (QList<bool>{false, true}));
    EXPECT_EQ(child<QPushButton>("CommandEnd")->text(), u"Close"_qs);
}

TEST_F(TransferDialogTest, ShowsElapsedAndTimeLeftOfThePhaseInTheLanguageLoaded) {
    qint64 now = 5000;
    model.clock = [&now] { return now; };
    const auto times = [this] { return child<QLabel>("LabelTransMitTimes")->text(); };
    const auto show = [this](const QString& phase, int done) {
        model.state().phase = phase;
        model.state().progressMax = 1000;
        model.state().progressValue = done;
        model.changed();
    };
    EXPECT_EQ(times(), QString()) << "nothing before the phase has its total";
    show(u"In DOWNLOAD"_qs, 0);
    EXPECT_EQ(times(), u"0:00 elapsed"_qs);
    now += 10000;
    show(u"In DOWNLOAD"_qs, 250);
    EXPECT_EQ(times(), u"0:10 elapsed, 0:30 left"_qs);

    language.setLanguageIndex(1);
    model.load(language);
    show(u"DOWNLOAD中"_qs, 0);
    now += 4000;
    show(u"DOWNLOAD中"_qs, 500);
    EXPECT_EQ(times(), u"経過 0:04、残り 0:04"_qs);
}

TEST_F(TransferDialogTest, EachWayOutClosesTheModelOnce) {
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Cancel", [this] { child<QPushButton>("CommandCancel")->click(); }},
        {"close box", [this] { dialog.close(); }},
        {"Escape", [this] { dialog.reject(); }},
        {"transfer ended", [this] { model.close(); }},
    };
    for (const auto& [way, leave] : ways) {
        SCOPED_TRACE(way);
        client.fileClosed = 0;
        model.load(language);
        engine.claim(&client);
        engine.armRetry(ScreenBackup);
        dialog.open();
        leave();
        EXPECT_FALSE(dialog.isVisible() || model.isOpen());
        EXPECT_EQ(engine.state().ScreenCode, ScreenIdle);
        dialog.close();
        EXPECT_EQ(client.fileClosed, 1);
    }
}

// A window with a number box, an interval box with a point and a plain box to leave to.
class NumberBoxGuardTest : public ::testing::Test {
protected:
    NumberBoxGuardTest() {
        auto* layout = new QVBoxLayout(window.get());
        for (QLineEdit* box : {number, interval, other})
            layout->addWidget(box);
        guard = new NumberBoxGuard(window.get());
        guard->watch(number, [this] {
            ++checks;
            return kRemoteNoRange.contains(number->text());
        });
        guard->watch(
            interval, [] { return true; }, KeyFilterMode::DecimalWithPoint);
        guard->setSteps(
            number, kRemoteNoRange, [this](const QString& text) { steppedTo.append(text); }, true);
        EXPECT_TRUE(ShowActive(window.get()));
    }

    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    QLineEdit* number = new QLineEdit(window.get());
    QLineEdit* interval = new QLineEdit(window.get());
    QLineEdit* other = new QLineEdit(window.get());
    NumberBoxGuard* guard = nullptr;
    int checks = 0;
    QStringList steppedTo;
};

TEST_F(NumberBoxGuardTest, KeysPassTheBoxFilterAndOnePointAtMost) {
    TypeAndLeave(number, u"4.2a"_qs);
    EXPECT_EQ(number->text(), u"42"_qs);
    TypeAndLeave(interval, u"1.5.0x"_qs);
    EXPECT_EQ(interval->text(), u"1.50"_qs);
}

TEST_F(NumberBoxGuardTest, ArrowKeysStepWithinTheRangeAndReport) {
    number->setText(u"98"_qs);
    number->setFocus();
    QTest::keyClick(number, Qt::Key_Up);
    QTest::keyClick(number, Qt::Key_Up);
    EXPECT_EQ(number->text(), u"99"_qs);
    number->setText(u"abc"_qs);
    QTest::keyClick(number, Qt::Key_Down);
    EXPECT_EQ(number->text(), u"1"_qs);
    EXPECT_EQ(steppedTo, (QStringList{u"99"_qs, u"99"_qs, u"1"_qs}));
    QTest::keyClick(interval, Qt::Key_Up); // no steps there: the box keeps its text
    EXPECT_TRUE(interval->text().isEmpty());
}

TEST_F(NumberBoxGuardTest, RefusalReturnsTheFocusOnceAndADisabledBoxPasses) {
    TypeAndLeave(number, u"0"_qs);
    EXPECT_EQ(checks, 1); // the focus move back is no second leave
    EXPECT_EQ(QApplication::focusWidget(), number);
    EXPECT_EQ(number->selectedText(), u"0"_qs);
    EXPECT_FALSE(guard->isChecking());

    number->setEnabled(false);
    EXPECT_TRUE(guard->check(number));
    EXPECT_EQ(checks, 1);
    number->setEnabled(true);

    other->setFocus();
    guard->refuse(number); // decided elsewhere, e.g. by the panel's core
    EXPECT_TRUE(guard->isChecking());
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), number);
    EXPECT_FALSE(guard->isChecking());
}
