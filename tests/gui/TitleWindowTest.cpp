#include "titles/TitleWindow.h"

#include "CameraControllerSim.h"
#include "CameraUnit.h"
#include "EventLoopWait.h"
#include "RecordingSink.h"
#include "SimulatedController.h"
#include "TestFiles.h"
#include "WindowSteps.h"
#include "common/MessageNumber.h"
#include "find/FindReplaceDialog.h"
#include "printing/ReportPreviewDialog.h"
#include "shell/Application.h"
#include "shell/LanguageTables.h"
#include "shell/MenuState.h"
#include "shell/MenuWindow.h"
#include "shell/QMessageBoxSink.h"
#include "titles/TitleCheck.h"
#include "titles/TitleDocument.h"
#include "titles/TitleEditor.h"
#include "titles/TitleFileWriter.h"
#include "titles/TitleGridView.h"
#include "titles/TitleSession.h"
#include "titletable/TitleCategory.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace zel;
using namespace zel::gui;
using zel::test::RecordingSink;

constexpr int kTitleCommand = 0xB1;

class TitleWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            test::writeBytes(m_dir.filePath(u"zel.ini"_qs), "[SOFT]\nMode=0\nAutoSave=1\n"));
        ASSERT_TRUE(m_app.readSettings(m_dir.path()));
        QString error;
        ASSERT_TRUE(m_sim.start(&error)) << error.toStdString();
        m_app.settings().PortOverride = m_sim.slavePath();
        m_app.start(m_sink);
        ASSERT_TRUE(m_app.openPort());
        m_window = new TitleWindow(m_app, 1);
        ASSERT_TRUE(test::ShowActive(m_window));
    }
    void TearDown() override {
        if (m_window)
            m_window->document().TitleModified = false;
        delete m_window.data();
        m_app.closePort();
    }

    TitleGridView* showGrid(int category) {
        m_window->TabStripID()->setCurrentIndex(category);
        return m_window->MSFlexGridID(category);
    }
    QString title(int category, int number) const {
        return m_window->document().title(category, number);
    }
    void trigger(const char* name) { m_window->action(QLatin1String(name))->trigger(); }
    bool enabled(const char* name) const {
        return m_window->action(QLatin1String(name))->isEnabled();
    }
    QString writeSample(const char* name) {
        TitleDocument document;
        document.CameraNo = u"2"_qs; // two HOME titles of camera 2
        document.setTitle(CategoryHome, 1, u"HOME A"_qs);
        document.setTitle(CategoryHome, 3, u"HOME C"_qs);
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        RecordingSink sink;
        EXPECT_TRUE(WriteTitleFile(path, document, TitleFileLabelsFor(m_app.language()), sink));
        return path;
    }
    // Runs the events until the transfer has ended; the completed dialog is closed.
    bool waitForTransferEnd() {
        const bool ended =
            test::waitUntil([this] { return !m_window->session().isTransferring(); }, 20000);
        if (m_window->transferDialog())
            m_window->transferDialog()->close();
        return ended;
    }

    QTemporaryDir m_dir;
    RecordingSink m_sink;
    sim::SimulatedController m_sim;
    Application m_app;
    QPointer<TitleWindow> m_window;
};

// Opens the find (or replace) dialog of `window`; null when none came.
static FindReplaceDialog* openFind(TitleWindow& window, bool replace) {
    window.openFindDialog(replace);
    return window.findChild<FindReplaceDialog*>(replace ? u"frmChange"_qs : u"frmFind"_qs);
}

// The shell of a run without a serial device (message 6 when the port is opened).
struct OfflineShell {
    explicit OfflineShell(const QByteArray& ini = "[SOFT]\nMode=0\n") {
        EXPECT_TRUE(test::writeBytes(dir.filePath(u"zel.ini"_qs), ini));
        EXPECT_TRUE(app.readSettings(dir.path()));
        app.settings().PortOverride = dir.filePath(u"no-device"_qs);
        app.start(sink);
    }
    QTemporaryDir dir;
    RecordingSink sink; // outlives the shell that shows its messages
    Application app;
};

TEST_F(TitleWindowTest, LoadsWithItsCaptionsAndEverythingDisabled) {
    const QVariant positionHeader =
        m_window->MSFlexGridID(CategoryPosition)->model()->headerData(0, Qt::Horizontal);
    EXPECT_EQ(
        (QStringList{m_window->windowTitle(), m_window->TabStripID()->tabText(8),
                     m_window->action(u"mnuAllUpLoad"_qs)->text(), positionHeader.toString()}),
        (QStringList{u"ID setting"_qs, u"AUX ID"_qs, u"All ID are uploaded."_qs,
                     u"POSITION No."_qs}));
    EXPECT_EQ(QApplication::focusWidget(), m_window->TextCamera());
    EXPECT_EQ(m_window->MSFlexGridID(CategoryCamera), nullptr);
}

TEST_F(TitleWindowTest, KeyboardOnlyUse) {
    QTest::keyClick(m_window, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(m_window->TabStripID()->currentIndex(), CategoryPosition);
    EXPECT_EQ(QApplication::focusWidget(), m_window->MSFlexGridID(CategoryPosition));
    QTest::keyClick(m_window, Qt::Key_PageUp, Qt::ControlModifier);
    QTest::keyClick(m_window, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(m_window->TabStripID()->currentIndex(), CategoryAux);
    m_window->TextCamNo()->setFocus();
    QTest::keyClick(m_window->TextCamNo(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), m_window->CommandDL());
    // The Tool commands have their keys; from a number box they act on the titles.
    m_window->MSFlexGridID(CategoryAux)->setFocus();
    m_window->editor().setTitle(CategoryAux, 0, u"AUX"_qs);
    m_window->TextHostNo()->setFocus();
    QTest::keyClick(m_window->TextHostNo(), Qt::Key_F7); // Check
    EXPECT_EQ(m_sink.numbers(), QList<int>{MessageCheckPassed});
}

TEST_F(TitleWindowTest, InCellEditorKeys) {
    TitleGridView* grid = showGrid(CategoryPosition);
    EXPECT_TRUE(enabled("mnuSort"));
    QTest::keyClicks(grid, u"xy"_qs); // typing on the grid edits nothing
    EXPECT_EQ(title(CategoryPosition, 1), QString());
    QTest::keyClick(grid, Qt::Key_F2);
    ASSERT_TRUE(grid->isEditorOpen());
    QLineEdit* editor = grid->TextWorkText();
    QTest::keyClicks(editor, u"GATE"_qs);
    EXPECT_EQ(title(CategoryPosition, 1), u"GATE"_qs); // written at once
    EXPECT_TRUE(m_window->document().TitleModified);
    QTest::keyClick(editor, Qt::Key_Return); // next row, editor again
    ASSERT_TRUE(grid->isEditorOpen());
    EXPECT_EQ(grid->currentRow(), 1);
    QTest::keyClicks(editor, u"B"_qs);
    QTest::keyClick(editor, Qt::Key_Down); // the grid again, one row further
    EXPECT_FALSE(grid->isEditorOpen());
    EXPECT_EQ(grid->currentRow(), 2);
    EXPECT_EQ(title(CategoryPosition, 2), u"B"_qs);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(grid->currentRow(), 3);
    // Undo removes the last editing session's text only.
    trigger("mnuReturns");
    EXPECT_EQ(title(CategoryPosition, 1) + u"|"_qs + title(CategoryPosition, 2), u"GATE|"_qs);
    EXPECT_FALSE(enabled("mnuReturns"));
    // Delete empties the selected rows.
    grid->setCurrentRow(0);
    QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_EQ(title(CategoryPosition, 1), QString());
    // Escape leaves the editor; the tab change hides it and Sort goes off.
    QTest::keyClick(grid, Qt::Key_F2);
    QTest::keyClick(grid->TextWorkText(), Qt::Key_Escape);
    EXPECT_EQ(QApplication::focusWidget(), grid);
    showGrid(CategoryTrace);
    EXPECT_FALSE(enabled("mnuSort"));
}

TEST_F(TitleWindowTest, NumberBoxesGuardCutCopy) {
    m_window->TextHostNo()->setFocus();
    EXPECT_FALSE(enabled("mnuCut") || enabled("mnuCopy"));
    QTest::keyClicks(m_window->TextHostNo(), u"x5"_qs);
    EXPECT_EQ(m_window->TextHostNo()->text(), u"15"_qs);
    EXPECT_EQ(m_window->document().RemoteNo, u"15"_qs);
    m_window->TextCamera()->setFocus();
    EXPECT_TRUE(enabled("mnuCut"));
}

TEST_F(TitleWindowTest, CopyAndPasteRowsThroughTheClipboard) {
    TitleGridView* grid = showGrid(CategoryTour);
    for (int number = 1; number <= 3; ++number)
        m_window->editor().setTitle(CategoryTour, number - 1, u"T%1"_qs.arg(number));
    grid->setCurrentRow(0);
    grid->selectRow(0);
    QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
    trigger("mnuCopy");
    EXPECT_EQ(QApplication::clipboard()->text(), u"T1\r\nT2\r\n"_qs);
    grid->setCurrentRow(14);
    trigger("mnuPaste");
    EXPECT_EQ(title(CategoryTour, 15) + u"|"_qs + title(CategoryTour, 16), u"T1|T2"_qs);
    // Into a box only the first line goes.
    showGrid(CategoryAutoPan);
    QApplication::clipboard()->setText(u"PAN 1\r\nPAN 2\r\n"_qs);
    trigger("mnuPaste");
    EXPECT_EQ(title(CategoryAutoPan, 1), u"PAN 1"_qs);
}

// UPLOAD renders the session's controls: off with its reason until a file read is checked.
TEST_F(TitleWindowTest, UploadButtonFollowsTheSessionAndSendsTheCategory) {
    showGrid(CategoryHome);
    EXPECT_FALSE(m_window->CommandUL()->isEnabled());
    EXPECT_EQ(m_window->CommandUL()->toolTip(), u"Download, open or type titles first"_qs);
    m_window->CommandUL()->click();
    ASSERT_TRUE(m_window->openFile(writeSample("home.ttl")));
    EXPECT_EQ(m_window->CommandUL()->toolTip(), u"Run Tool > Check without errors first"_qs);
    EXPECT_TRUE(m_window->windowTitle().endsWith(u"home.ttl"_qs));
    EXPECT_EQ(m_window->TextCamNo()->text(), u"2"_qs);
    EXPECT_EQ(m_sim.device().frameCount(kTitleCommand), 0);
    trigger("mnuCheck");
    ASSERT_TRUE(m_window->CommandUL()->isEnabled());
    EXPECT_TRUE(m_window->CommandUL()->toolTip().isEmpty());
    m_window->CommandUL()->click();
    ASSERT_TRUE(waitForTransferEnd());
    EXPECT_EQ(m_sim.device().frameCount(kTitleCommand), 3);
}

TEST_F(TitleWindowTest, DownloadFillsTheGrid) {
    m_sim.device().camera(1).setTitleCodes(0x07, 2, sim::CameraUnit::encodeTitle("DOCK"));
    showGrid(CategoryHome);
    m_window->CommandDL()->click();
    ASSERT_TRUE(waitForTransferEnd());
    EXPECT_EQ(title(CategoryHome, 2), u"DOCK"_qs);
    EXPECT_FALSE(m_window->CommandUL()->isEnabled()); // to be checked first
}

TEST_F(TitleWindowTest, FindAndReplaceOnTheGrid) {
    TitleGridView* grid = showGrid(CategoryAlarm);
    for (int number : {2, 5, 7})
        m_window->editor().setTitle(CategoryAlarm, number - 1, u"DOOR%1"_qs.arg(number));
    grid->setCurrentRow(0);
    FindReplaceDialog* find = openFind(*m_window, false);
    ASSERT_NE(find, nullptr);
    EXPECT_FALSE(find->CommandFind()->isEnabled());
    QTest::keyClicks(find->TextFind(), u"DOOR"_qs);
    EXPECT_TRUE(find->CommandFind()->isEnabled());
    find->CommandFind()->click();
    EXPECT_EQ(grid->currentRow(), 1);
    EXPECT_EQ(grid->palette().color(QPalette::Highlight), QColor(0, 0, 128));
    find->CommandCancel()->click();
    EXPECT_NE(grid->palette().color(QPalette::Highlight), QColor(0, 0, 128));

    FindReplaceDialog* replace = openFind(*m_window, true);
    ASSERT_NE(replace, nullptr);
    QTest::keyClicks(replace->TextFind(), u"DOOR"_qs);
    QTest::keyClicks(replace->TextChange(), u"EXIT"_qs);
    replace->CommandAllChange()->click();
    EXPECT_EQ(m_sink.shown.last().extra, u"3 pieces replaced."_qs);
    EXPECT_EQ(title(CategoryAlarm, 7), u"EXIT7"_qs);
    replace->CommandCancel()->click();
}

TEST_F(TitleWindowTest, WindowGoesWithItsFindDialogOpenAndFocused) {
    showGrid(CategoryAlarm);
    FindReplaceDialog* replace = openFind(*m_window, true);
    ASSERT_NE(replace, nullptr);
    QTest::keyClicks(replace->TextFind(), u"DOOR"_qs);
    replace->CommandFind()->click();
    QTest::qWait(20);
    delete m_window.data(); // the focus moves while the widgets go
    EXPECT_TRUE(m_window.isNull());
}

TEST_F(TitleWindowTest, CameraChangeAsksToSave) {
    m_window->TextCamNo()->setFocus();
    m_window->TextCamNo()->selectAll();
    m_sink.answers = {ButtonNo};
    QTest::keyClicks(m_window->TextCamNo(), u"7"_qs);
    EXPECT_EQ(m_sink.numbers(), QList<int>{MessageSaveInEdit});
    EXPECT_EQ(m_window->document().CameraNo, u"7"_qs);
}

TEST_F(TitleWindowTest, ClosingAModifiedWindowAsksAndCancelKeepsIt) {
    m_window->editor().setTitle(CategoryCamera, 0, u"CAM"_qs);
    m_sink.answers = {ButtonCancel};
    EXPECT_TRUE(!m_window->close() && m_window->isVisible());
    m_sink.answers = {ButtonNo};
    EXPECT_TRUE(m_window->close());
}

TEST(TitleWindowSlots, EightWindowsAndTheNinthRefused) {
    OfflineShell shell;
    MenuWindow menu(shell.app);
    menu.load();
    QList<QPointer<TitleWindow>> windows;
    menu.setTitleOpener([&](int slot) {
        windows.append(TitleWindow::openFromMenu(menu, shell.app, slot));
        return windows.last().data();
    });
    for (int i = 0; i < 9; ++i)
        menu.clickButton(MenuState::ButtonTitle);
    ASSERT_EQ(windows.size(), 8);
    EXPECT_FALSE(shell.app.menu().isEnabled(MenuState::ButtonTitle));
    EXPECT_EQ(windows[7]->slot(), 8);
    // A file open in one window is refused in another.
    const QString shared = shell.dir.filePath(u"shared.ttl"_qs);
    ASSERT_TRUE(windows[0]->session().files().saveAs(shared));
    shell.sink.clear();
    EXPECT_FALSE(windows[1]->openFile(shared));
    EXPECT_EQ(shell.sink.numbers(), QList<int>{MessageAlreadyOpened});
    // File > New: the window goes and a fresh one takes the first free slot.
    windows[0]->editor().setTitle(CategoryCamera, 0, u"CAM"_qs);
    shell.sink.answers = {ButtonNo}; // do not save
    windows[0]->action(u"mnuNew"_qs)->trigger();
    EXPECT_EQ(shell.sink.numbers().last(), int(MessageSaveInEdit));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(windows[0].isNull());
    test::runEventsFor(20); // the queued click
    ASSERT_EQ(windows.size(), 9);
    EXPECT_EQ(windows[8]->slot(), 1);
    EXPECT_EQ(windows[8]->document().title(CategoryCamera, 1), QString());
    for (const QPointer<TitleWindow>& window : windows)
        delete window.data();
}

TEST(TitleWindowJapanese, CaptionsAndTypedKeysFollowTheLanguage) {
    OfflineShell shell("[SOFT]\nMode=0\n[LANGUAGE]\nMode=1\n");
    shell.app.openPort(); // no device: the table of the language is built all the same
    TitleWindow window(shell.app, 1);
    window.show();
    EXPECT_EQ(window.windowTitle(), u"ID入力画面"_qs);
    EXPECT_EQ(window.menuBar()->actions().first()->text(), u"ファイル(&F)"_qs);
    window.TextCamera()->setFocus();
    QTest::keyClicks(window.TextCamera(), u"a 1"_qs);
    EXPECT_EQ(window.document().title(CategoryCamera, 1), u"ａ\u3000１"_qs);
    // Text the input method commits takes the same rule.
    QInputMethodEvent commit;
    commit.setCommitString(u"\uFF71b\\"_qs);
    QCoreApplication::sendEvent(window.TextCamera(), &commit);
    EXPECT_EQ(window.document().title(CategoryCamera, 1), u"ａ\u3000１\u30A2ｂ￥"_qs);
    window.action(u"mnuReturns"_qs)->trigger();
    EXPECT_EQ(window.document().title(CategoryCamera, 1), u"ａ\u3000１"_qs);
    window.TabStripID()->setCurrentIndex(CategoryTrace);
    TitleGridView* grid = window.MSFlexGridID(CategoryTrace);
    QTest::keyClick(grid, Qt::Key_F2);
    QTest::keyClicks(grid->TextWorkText(), u"B\\"_qs);
    EXPECT_EQ(window.document().title(CategoryTrace, 1), u"Ｂ￥"_qs);
    FindReplaceDialog* find = openFind(window, false);
    ASSERT_NE(find, nullptr);
    EXPECT_EQ(find->windowTitle(), u"文字列の検索"_qs);
    QTest::keyClicks(find->TextFind(), u"B"_qs);
    EXPECT_EQ(find->TextFind()->text(), u"Ｂ"_qs);
    find->CommandFind()->click();
    EXPECT_EQ(grid->currentRow(), 0);
    find->reject();
    window.document().TitleModified = false;
}

TEST(TitleWindowSlots, MenuGoingAwayWithWindowsOpenEndsCleanly) {
    OfflineShell shell;
    auto menu = std::make_unique<MenuWindow>(shell.app);
    menu->load();
    QPointer<TitleWindow> window;
    menu->setTitleOpener([&](int slot) {
        window = TitleWindow::openFromMenu(*menu, shell.app, slot);
        return window.data();
    });
    menu->clickButton(MenuState::ButtonTitle);
    ASSERT_FALSE(window.isNull());
    menu.reset(); // the window's close handler focuses a menu button that must still exist
    EXPECT_TRUE(window.isNull() && !shell.app.menu().IsScreenInUse());
}

TEST(TitleCheckMessage, BothCountsStandOnTheirOwnLinesInTheBox) {
    LanguageTables language;
    const QStringList lines =
        QMessageBoxSink::displayText(CheckResultText(language, {2, 1})).split(u'\n');
    ASSERT_EQ(lines.size(), 3); // the two CRs leave an empty line between the counts
    EXPECT_TRUE(lines[0].endsWith(u"2 titles "_qs) && lines[1].isEmpty());
    EXPECT_TRUE(lines[2].endsWith(u"1 titles "_qs));
    EXPECT_EQ(QMessageBoxSink::displayText(u"a\r\nb"_qs), u"a\nb"_qs);
}

TEST_F(TitleWindowTest, CsvImportAndExportThroughTheWindow) {
    ASSERT_TRUE(m_window->openFile(writeSample("home.ttl")));

    const QString bad = m_dir.filePath(u"bad.csv"_qs);
    ASSERT_TRUE(test::writeBytes(bad, "category,number,title\nHOME,4,X\nHOME,1,NINECHARS\n"));
    m_sink.clear();
    EXPECT_FALSE(m_window->importCsv(bad));
    ASSERT_EQ(m_sink.shown.size(), 1);
    EXPECT_EQ(m_sink.shown[0].extra, bad + u":\n2: HOME number must be 1 to 3, not '4'\n"
                                           "3: title 'NINECHARS' is longer than 8 characters"_qs);
    EXPECT_EQ(title(CategoryHome, 1), u"HOME A"_qs) << "the document as it was";

    const QString good = m_dir.filePath(u"site.csv"_qs);
    ASSERT_TRUE(test::writeBytes(good, "#CAMERA,9\ncategory,number,title\nHOME,2,\"GATE, N\"\n"));
    m_sink.clear();
    ASSERT_TRUE(m_window->importCsv(good));
    EXPECT_TRUE(m_sink.shown.isEmpty());
    // The file replaces the document; a document held in no .ttl keeps the plain caption.
    EXPECT_EQ(title(CategoryHome, 1) + u"|"_qs + title(CategoryHome, 2), u"|GATE, N"_qs);
    EXPECT_EQ((QStringList{m_window->TextCamNo()->text(), m_window->windowTitle()}),
              (QStringList{u"9"_qs, u"ID setting"_qs}));
    EXPECT_TRUE(m_window->document().TitleModified) << "closing asks to save it";

    const QString exported = m_dir.filePath(u"out.csv"_qs);
    ASSERT_TRUE(m_window->exportCsv(exported));
    EXPECT_TRUE(test::readBytes(exported).contains("\r\nHOME,2,\"GATE, N\"\r\n"));
    EXPECT_FALSE(m_window->exportCsv(m_dir.path())); // a folder: message 24, nothing written
    EXPECT_EQ(m_sink.numbers().last(), int(MessageCannotSave));
}

TEST(TitleWindowJapanese, PrintMenuPrintsTheCategoryOnShowWithTheNumbersOfTheBoxes) {
    OfflineShell shell("[LANGUAGE]\nMode=1\n");
    TitleWindow window(shell.app, 1);
    window.show();
    const auto print = [&window] { // the preview opened last; closed here
        window.action(u"mnuPrint"_qs)->trigger();
        const QList<ReportPreviewDialog*> previews = window.findChildren<ReportPreviewDialog*>();
        return previews.isEmpty() ? nullptr : previews.last();
    };
    window.document().setTitle(CategoryPosition, 3, u"GATE"_qs);
    window.document().setTitle(CategoryCamera, 1, u"CAM"_qs);
    window.TextHostNo()->selectAll();
    QTest::keyClicks(window.TextHostNo(), u"12"_qs);
    window.TabStripID()->setCurrentIndex(CategoryPosition);

    ReportPreviewDialog* grid = print();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->report().reportName, u"DataRepTitleGrid"_qs);
    EXPECT_EQ(grid->report().title, u"タイトル設定"_qs);
    EXPECT_EQ(grid->report().labelValue(u"LabelRemoteNo"_qs), u"12"_qs);
    ASSERT_EQ(grid->report().rows.size(), 255);
    EXPECT_EQ(grid->report().rows[2], (QStringList{u"3 "_qs, u"GATE "_qs}));
    grid->close();

    window.TabStripID()->setCurrentIndex(CategoryCamera);
    ReportPreviewDialog* text = print();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->report().reportName, u"DataRepTitleText"_qs);
    EXPECT_EQ(text->report().rows, (QVector<QStringList>{{u"CAM "_qs}}));
    text->close();
}
