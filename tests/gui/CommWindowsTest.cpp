// The communication test window, and the log window: recording, columns, filters, print, find
// (context 6).
#include "MemoryLink.h"
#include "RecordingSink.h"
#include "TestFiles.h"
#include "WindowSteps.h"
#include "common/Cp932.h"
#include "common/MessageNumber.h"
#include "commtest/CommTestWindow.h"
#include "commtest/TestRowsPanel.h"
#include "find/FindReplaceDialog.h"
#include "find/FindState.h"
#include "link/CommLogFilterBar.h"
#include "link/CommLogModel.h"
#include "link/CommLogStore.h"
#include "link/CommLogWindow.h"
#include "link/FrameCodec.h"
#include "link/MeaningJapanese.h"
#include "printing/ReportPreviewDialog.h"
#include "shell/LanguageTables.h"
#include "titletable/TitleCharTable.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSplitter>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

using namespace zel;
using namespace zel::gui;
using namespace zel::test;

class CommLogWindowTest : public ::testing::Test {
protected:
    QPushButton* button(const char* name) {
        return window.findChild<QPushButton*>(QLatin1String(name));
    }
    QMenu* menu(const char* name) { return window.findChild<QMenu*>(QLatin1String(name)); }
    QString cell(int row, int column, int role = Qt::DisplayRole) {
        return window.model().index(row, column).data(role).toString();
    }
    // Find wired to `findState` and its dialog opened from the menu; null when none came.
    FindReplaceDialog* openFind() {
        window.model().View_MsFlexGridCommLog();
        window.enableFind(findState, language, titleTable);
        window.show();
        window.findChild<QAction*>(u"mnuFind"_qs)->trigger();
        return window.findChild<FindReplaceDialog*>(u"frmFind"_qs);
    }

    CommLogStore store;
    RecordingSink sink;
    LanguageTables language;
    FindState findState;
    const TitleCharTable titleTable{0};
    CommLogWindow window{store, sink};
};

TEST_F(CommLogWindowTest, CaptionsAndARecordingThatShowsAtItsStop) {
    EXPECT_EQ((QStringList{window.windowTitle(), button("CommandStart")->text(),
                           menu("mnuFile")->title()}),
              (QStringList{u"通信ログ"_qs, u"LOG START"_qs, u"ファイル(&F)"_qs}));
    EXPECT_EQ(window.model().rowCount(), 3000);
    store.Add_MsFlexGrid(u"OLD:"_qs, u"00"_qs);
    window.model().View_MsFlexGridCommLog();
    EXPECT_EQ(cell(0, 1), u"OLD:"_qs);

    button("CommandStart")->click();
    EXPECT_EQ((QList<bool>{button("CommandStart")->isEnabled(), button("CommandStop")->isEnabled(),
                           menu("mnuFile")->isEnabled(), menu("mnuSearch")->isEnabled()}),
              (QList<bool>{false, true, false, false}));
    EXPECT_TRUE(cell(0, 1).isEmpty());

    store.Add_MsFlexGrid_Host(u"1"_qs, u"FE080010012038FFFF"_qs);
    store.Add_MsFlexGrid_Cam(u"1"_qs, u"06"_qs);
    EXPECT_TRUE(cell(0, 1).isEmpty()); // shown only after the stop

    button("CommandStop")->click();
    EXPECT_TRUE(menu("mnuFile")->isEnabled());
    EXPECT_EQ((QStringList{cell(0, 1), cell(0, 2), cell(1, 1), cell(2, 1)}),
              (QStringList{u"HOST1:"_qs, u"FE080010012038FFFF"_qs, u"CAMERA1:"_qs, QString()}));
}

TEST_F(CommLogWindowTest, SizeRules) {
    QTableView& grid = window.grid();
    window.show();
    window.resize(100, 50);
    EXPECT_GE(window.width(), CommLogWindow::kMinWidth);
    EXPECT_GE(window.height(), CommLogWindow::kMinHeight);
    for (const int width : {800, 640, 1000}) {
        window.resize(width, 600);
        QTableView& meanings = window.meanings();
        // The grid and the meanings after the splitter share the grid's place.
        EXPECT_EQ(grid.parentWidget()->width(), width - CommLogWindow::kGridWidthMargin);
        EXPECT_EQ(grid.columnWidth(1), CommLogWindow::kUnitColumnWidth);
        // The data column takes the rest of the grid's width, to the pixel.
        EXPECT_EQ(grid.columnWidth(2),
                  grid.viewport()->width() - grid.columnWidth(1) - grid.columnWidth(3))
            << width;
        EXPECT_TRUE(grid.isColumnHidden(4));
        EXPECT_GT(meanings.width(), 150); // the meaning is readable
        for (int column = 0; column < 4; ++column)
            EXPECT_TRUE(meanings.isColumnHidden(column));
    }
    // Dragging the splitter gives the data column what the meanings give up.
    auto* splitter = window.findChild<QSplitter*>(u"SplitterCommLog"_qs);
    ASSERT_NE(splitter, nullptr);
    const int before = grid.columnWidth(2);
    const QList<int> sizes = splitter->sizes();
    splitter->setSizes({sizes[0] + 100, sizes[1] - 100});
    emit splitter->splitterMoved(sizes[0] + 100, 1);
    EXPECT_EQ(grid.columnWidth(2), before + 100);
    EXPECT_LE(grid.geometry().bottom(), window.centralWidget()->height());
    EXPECT_TRUE(grid.isColumnHidden(0) && !grid.verticalHeader()->isVisible());
}

TEST_F(CommLogWindowTest, HeadersCaptionsAndMeaningsInBothLanguages) {
    const auto header = [this](int column) {
        return window.model().headerData(column, Qt::Horizontal).toString();
    };
    store.Add_MsFlexGrid(u"HOST1:"_qs, u"FE07255099EAFFFF"_qs);
    window.model().View_MsFlexGridCommLog();
    const QString english = cell(0, CommLogModel::ColumnMeaning);
    EXPECT_EQ((QStringList{header(CommLogModel::ColumnTime), header(CommLogModel::ColumnMeaning)}),
              (QStringList{u"Time"_qs, u"Meaning"_qs}));
    window.setLanguageIndex(1);
    EXPECT_NE(cell(0, CommLogModel::ColumnMeaning), english);
    EXPECT_EQ(cell(0, CommLogModel::ColumnMeaning), MeaningInJapanese(english));
    EXPECT_EQ((QStringList{header(CommLogModel::ColumnUnit), header(CommLogModel::ColumnMeaning),
                           window.filterBar().exportButton().text(),
                           window.filterBar().directionBox().itemText(0)}),
              (QStringList{u"ユニット"_qs, u"意味"_qs, u"CSV出力(&E)"_qs, u"すべて"_qs}));
}

TEST_F(CommLogWindowTest, RecordingSaysWhereTheRowsAreAndClosingEndsIt) {
    window.setLanguageIndex(1);
    window.show();
    auto* note = window.findChild<QLabel*>(u"LabelRecording"_qs);
    ASSERT_NE(note, nullptr);
    EXPECT_FALSE(note->isVisible());
    button("CommandStart")->click();
    EXPECT_TRUE(note->isVisible());
    EXPECT_TRUE(note->text().startsWith(u"記録中"_qs) && note->text().contains(u"LOG STOP"_qs))
        << note->text().toStdString();
    store.Add_MsFlexGrid_Host(u"1"_qs, u"FE07255099EAFFFF"_qs);
    QSignalSpy closed(&window, &CommLogWindow::closed);
    window.close();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(store.isRecording()); // nothing records behind a closed window

    CommLogWindow reopened(store, sink);
    reopened.show();
    EXPECT_TRUE(reopened.findChild<QPushButton*>(u"CommandStart"_qs)->isEnabled());
    EXPECT_FALSE(reopened.findChild<QLabel*>(u"LabelRecording"_qs)->isVisible());
    EXPECT_EQ(reopened.model().index(0, 2).data().toString(), u"FE07255099EAFFFF"_qs);
}

TEST_F(CommLogWindowTest, SaveAndLoadShowTheFile) {
    QTemporaryDir dir;
    store.Add_MsFlexGrid(u"HOST1:"_qs, u"FE07255099EAFFFF"_qs);
    const QString path = dir.filePath(u"x.log"_qs);
    window.saveTo(path);
    store.clear();
    window.loadFrom(path);
    EXPECT_EQ((QStringList{cell(0, 1), cell(0, 2)}),
              (QStringList{u"HOST1"_qs, u"FE07255099EAFFFF"_qs}));
}

TEST_F(CommLogWindowTest, PrintMenuOpensThePreviewOfTheLog) {
    store.Add_MsFlexGrid(u"HOST1:"_qs, u"FE07255099EAFFFF"_qs);
    window.show();
    QAction* print = window.findChild<QAction*>(u"mnuPrint"_qs);
    ASSERT_NE(print, nullptr);
    EXPECT_FALSE(print->isEnabled());
    window.enablePrint(language);
    ASSERT_TRUE(print->isEnabled());
    print->trigger();
    auto* preview = window.findChild<ReportPreviewDialog*>();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->report().reportName, u"DataRepCommLog"_qs);
    ASSERT_EQ(preview->report().rows.size(), 1);
    EXPECT_EQ(preview->report().rows[0][1], u"FE07255099EAFFFF "_qs);
    EXPECT_EQ(preview->pageCount(), 1); // the preview has laid the pages out
    EXPECT_EQ(preview->printer()->pageLayout().pageSize().id(), QPageSize::A4);
    preview->close();
}

static QString frameText(int camera, const char* data, bool request = false) {
    const CommSendRecord record{QString::number(camera), u"1"_qs,
                                request ? u"True"_qs : u"False"_qs, u"0"_qs, u"0"_qs};
    return BuildCommandFrame(record, QString::fromLatin1(data)).value();
}

// Rows of the grid a user sees among the shown entries.
static QList<int> visibleRows(CommLogWindow& window) {
    QList<int> rows;
    for (int row = 0; row < window.model().shownCount(); ++row)
        if (!window.grid().isRowHidden(row))
            rows.append(row);
    return rows;
}

static void choose(QComboBox& box, int value) {
    const int index = box.findData(value);
    ASSERT_GE(index, 0) << value;
    box.setCurrentIndex(index);
}

TEST_F(CommLogWindowTest, TimeAndMeaningColumns) {
    qint64 steady = 0;
    store.setClock({[&] { return steady; }, [] { return qint64(1'800'000'000'000); }});
    button("CommandStart")->click();
    steady = 1234;
    store.Add_MsFlexGrid_Host(u"1"_qs, frameText(3, "20093C3C0808"));
    steady = 1301;
    store.Add_MsFlexGrid_Cam(u"3"_qs, u"06"_qs);
    button("CommandStop")->click();
    EXPECT_EQ(cell(0, CommLogModel::ColumnTime), u"00:01.234"_qs);
    EXPECT_EQ(cell(0, CommLogModel::ColumnMeaning),
              u"CAM 3 ← REMOTE 1: pan left, tilt up, speeds 60/60/8/8"_qs);
    EXPECT_EQ(cell(1, CommLogModel::ColumnMeaning), u"ACK"_qs);
    EXPECT_FALSE(cell(0, CommLogModel::ColumnTime, Qt::ToolTipRole).isEmpty()); // the wall clock
    // The time is the first column a user sees.
    EXPECT_EQ(window.grid().horizontalHeader()->visualIndex(CommLogModel::ColumnTime), 1);
}

TEST_F(CommLogWindowTest, FiltersHideRowsAndKeepTheRecording) {
    button("CommandStart")->click();
    store.Add_MsFlexGrid_Host(u"1"_qs, frameText(1, "2004"));
    store.Add_MsFlexGrid_Cam(u"1"_qs, u"06"_qs);
    store.Add_MsFlexGrid_Host(u"1"_qs, frameText(2, "C10001", true));
    store.Add_MsFlexGrid_Cam(u"2"_qs, u"00"_qs);
    button("CommandStop")->click();
    CommLogFilterBar& bar = window.filterBar();
    EXPECT_EQ(bar.cameraBox().count(), 3);  // all, 1, 2
    EXPECT_EQ(bar.commandBox().count(), 3); // all, 20, C1
    choose(bar.cameraBox(), 2);
    EXPECT_EQ(visibleRows(window), (QList<int>{2, 3}));
    choose(bar.directionBox(), int(FrameDirection::Received));
    EXPECT_EQ(visibleRows(window), (QList<int>{3}));
    EXPECT_TRUE(window.grid().isRowHidden(2999)); // empty grid rows are not shown either
    choose(bar.cameraBox(), -1);
    choose(bar.directionBox(), int(FrameDirection::Unknown));
    choose(bar.commandBox(), 0x20);
    EXPECT_EQ(visibleRows(window), (QList<int>{0, 1}));
    EXPECT_EQ(store.count(), 4);

    // Export writes what is shown: header and the two movement rows.
    QTemporaryDir dir;
    const QString csv = dir.filePath(u"log.csv"_qs);
    ASSERT_TRUE(window.exportCsvTo(csv));
    const QStringList lines =
        QString::fromUtf8(readBytes(csv)).split(u"\r\n"_qs, Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[1].contains(u",sent,HOST1:,"_qs)) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].endsWith(u",received,CAMERA1:,06,ACK"_qs));

    // A new recording keeps the chosen command while it still occurs.
    button("CommandStart")->click();
    store.Add_MsFlexGrid_Host(u"1"_qs, frameText(4, "40"));
    button("CommandStop")->click();
    EXPECT_EQ(bar.commandBox().currentData().toInt(), -1); // command 20 is gone: all again
    EXPECT_EQ(visibleRows(window), QList<int>{0});
}

TEST_F(CommLogWindowTest, FiltersAreReachedFromTheKeyboard) {
    ASSERT_TRUE(zel::test::ShowActive(&window));
    QTest::keyClick(&window, Qt::Key_M, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), &window.filterBar().commandBox());
    QTest::keyClick(&window, Qt::Key_D, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), &window.filterBar().directionBox());
}

TEST_F(CommLogWindowTest, FramesInAFixedWidthFontWithTheWholeFrameOnHover) {
    // Whatever else the machine has (a desktop's font set may make the system's fixed font a
    // proportional one), one fixed-pitch family is enough.
    const QStringList families = QFontDatabase::families();
    if (std::none_of(families.begin(), families.end(),
                     [](const QString& family) { return QFontDatabase::isFixedPitch(family); }))
        GTEST_SKIP() << "no fixed-pitch font installed";
    const QString longReply = u"FD2A"_qs + QString(80, QLatin1Char('A')) + u"FFFF"_qs;
    store.Add_MsFlexGrid(u"CAMERA1:"_qs, longReply);
    window.model().View_MsFlexGridCommLog();
    const QModelIndex data = window.model().index(0, CommLogModel::ColumnData);
    EXPECT_EQ(data.data(Qt::ToolTipRole).toString(), longReply);
    const QFont font = data.data(Qt::FontRole).value<QFont>();
    EXPECT_TRUE(QFontInfo(font).fixedPitch());
    const QFontMetrics metrics(font);
    EXPECT_EQ(metrics.horizontalAdvance(u"11"_qs), metrics.horizontalAdvance(u"FD"_qs));
    // Empty rows of the fixed grid have no tooltip.
    EXPECT_FALSE(window.model().index(5, CommLogModel::ColumnData).data(Qt::ToolTipRole).isValid());
}

TEST_F(CommLogWindowTest, FindTurnsTypedLettersUpperAndWalksTheShownRows) {
    store.Add_MsFlexGrid(u"HOST1:"_qs, u"FE0511AB"_qs);
    store.Add_MsFlexGrid(u"CAMERA1:"_qs, u"06"_qs);
    store.Add_MsFlexGrid(u"HOST1:"_qs, u"FE05AB12"_qs);
    findState.FindContext = FindContextTitle;
    findState.LastFindText = u"left from a title window"_qs;
    EXPECT_FALSE(window.findChild<QAction*>(u"mnuFind"_qs)->isEnabled()) << "no find state yet";
    FindReplaceDialog* dialog = openFind();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(findState.FindContext, FindContextLog);
    EXPECT_TRUE(dialog->TextFind()->text().isEmpty()); // the log starts empty
    EXPECT_EQ(dialog->TextFind()->maxLength(), 504);
    QTest::keyClicks(dialog->TextFind(), u"ab"_qs);
    EXPECT_EQ(dialog->TextFind()->text(), u"AB"_qs);
    dialog->CommandFind()->click();
    EXPECT_EQ(window.grid().currentIndex().row(), 0);
    dialog->CommandFind()->click();
    EXPECT_EQ(window.grid().currentIndex().row(), 2);
    EXPECT_TRUE(sink.shown.isEmpty());
    dialog->CommandFind()->click();
    EXPECT_EQ(sink.numbers(), QList<int>{MessageReachedLastLine});
    EXPECT_EQ(findState.FindStartLine, 1);
    // The unit is searched too, joined before the data.
    dialog->TextFind()->setText(u"CAMERA1:06"_qs);
    dialog->CommandFind()->click();
    EXPECT_EQ(window.grid().currentIndex().row(), 1);
    dialog->CommandCancel()->click();
}

TEST_F(CommLogWindowTest, FindHitTheFilterHidesIsShownWithEveryRow) {
    store.Add_MsFlexGrid(u"HOST1:"_qs, u"06"_qs);
    store.Add_MsFlexGrid(u"CAMERA1:"_qs, u"15"_qs);
    FindReplaceDialog* dialog = openFind();
    ASSERT_NE(dialog, nullptr);
    choose(window.filterBar().directionBox(), int(FrameDirection::Sent));
    ASSERT_TRUE(window.grid().isRowHidden(1));
    dialog->TextFind()->setText(u"15"_qs);
    dialog->CommandFind()->click();
    EXPECT_EQ(window.grid().currentIndex().row(), 1);
    EXPECT_FALSE(window.grid().isRowHidden(1));
    EXPECT_EQ(window.filterBar().directionBox().currentIndex(), 0);
    dialog->CommandCancel()->click();
}

class CommTestWindowTest : public ::testing::Test, protected MemoryLink {
protected:
    CommTestWindowTest() {
        openTestPort();
        window = new CommTestWindow(engine, language, sink);
        EXPECT_TRUE(ShowActive(window));
    }
    ~CommTestWindowTest() override { delete window.data(); }

    TestRowsPanel& rows() { return window->rows(); }
    QAction* action(const char* name) const {
        return window->findChild<QAction*>(QLatin1String(name));
    }

    // Find wired to `findState`, `texts` in their rows, the caret in row `focusRow`.
    void prepareFind(std::initializer_list<std::pair<int, const char*>> texts, int focusRow) {
        window->enableFind(findState, titleTable);
        for (const auto& [row, text] : texts)
            rows().TextSend(row)->setText(QString::fromLatin1(text));
        rows().TextSend(focusRow)->setFocus();
        QCoreApplication::processEvents();
    }

    LanguageTables language;
    FindState findState;
    const TitleCharTable titleTable{0};
    QPointer<CommTestWindow> window;
    QTemporaryDir dir;
};

TEST_F(CommTestWindowTest, RowBoxTakesUpperHexTypedOrPastedAndShowsTheByteCount) {
    QLineEdit* box = rows().TextSend(3);
    box->setFocus();
    QTest::keyClicks(box, u"0a1g2b3"_qs);
    EXPECT_EQ((QStringList{box->text(), window->session().screen().row(3).text,
                           rows().LabelSendLen(3)->text()}),
              (QStringList{u"0A12B3"_qs, u"0A12B3"_qs, u"3"_qs}));
    EXPECT_TRUE(rows().CommandSend(3)->isEnabled());
    rows().CheckValid(3)->setChecked(false);
    EXPECT_FALSE(rows().CommandSend(3)->isEnabled()); // not in use
    EXPECT_EQ(box->maxLength(), 494);
    // Pasted text too.
    box = rows().TextSend(1);
    box->setFocus();
    QApplication::clipboard()->setText(u"01 zz"_qs);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(box->text().isEmpty());
    ASSERT_EQ(sink.numbers(), QList<int>{MessageError});
    QApplication::clipboard()->setText(u"0A0B"_qs);
    ASSERT_TRUE(action("mnuPaste")->isEnabled());
    action("mnuPaste")->trigger();
    EXPECT_EQ(box->text(), u"0A0B"_qs);
}

TEST_F(CommTestWindowTest, EditMenusFollowTheFocus) {
    const auto edits = [this] {
        QCoreApplication::processEvents();
        return Flags({action("mnuCut"), action("mnuCopy"), action("mnuPaste")});
    };
    window->TextCamNo()->setFocus();
    EXPECT_EQ(edits(), (QList<bool>{false, false, false}));
    rows().TextSend(5)->setFocus();
    EXPECT_EQ(edits(), (QList<bool>{true, true, true}));
}

TEST_F(CommTestWindowTest, SendShowsTheReplyInTheRow) {
    window->TextCamNo()->setText(u"4"_qs);
    rows().TextSend(2)->setText(u"2000"_qs);
    rows().OptionTypeR(2)->setChecked(true);
    rows().CommandSend(2)->click();
    ASSERT_EQ(port.written.size(), 1);
    EXPECT_EQ(static_cast<quint8>(port.written[0].at(3)), 0x41); // camera 4, read
    port.receiveHex(u"15"_qs);
    EXPECT_EQ(rows().TextReceive(2)->text(), u"NACK"_qs);
}

TEST_F(CommTestWindowTest, IntervalBoxRules) {
    window->CheckCommTest()->setChecked(true);
    QLineEdit* box = window->TextCommTime();
    ASSERT_TRUE(box->isEnabled());
    TypeAndLeave(box, u"1.5.2"_qs);
    EXPECT_EQ(box->text(), u"1.520"_qs); // a second point is refused
    TypeAndLeave(box, u"601"_qs);
    EXPECT_EQ(sink.numbers(), QList<int>{MessageError});
    EXPECT_TRUE(box->hasFocus());
    EXPECT_EQ(box->selectedText(), u"601"_qs);
}

TEST_F(CommTestWindowTest, ControlsAndCloseFollowTheSession) {
    EXPECT_FALSE(window->CommandStart()->isEnabled());
    window->CheckCommTest()->setChecked(true);
    ASSERT_TRUE(window->CommandStart()->isEnabled());
    rows().TextSend(1)->setText(u"2000"_qs);
    window->CommandStart()->click();
    ASSERT_TRUE(window->session().isRunning());
    EXPECT_EQ(Flags({window->CommandStart(), window->TextCommTime(), window->CheckCommTest(),
                     window->TextCamNo(), window->TextHostNo(), rows().CommandSend(1),
                     window->mnuFile()->menuAction(), window->CommandStop()}),
              (QList<bool>{false, false, false, false, false, false, false, true}));
    EXPECT_FALSE(window->close());
    EXPECT_EQ(sink.numbers(), QList<int>{MessageContinuousSending});
    window->CommandStop()->click();
    EXPECT_EQ(Flags({window->CommandStart(), rows().CommandSend(1)}), (QList<bool>{true, true}));
    window->CheckFreeFormat()->setChecked(true);
    EXPECT_EQ(Flags({window->TextHostNo(), window->TextCamNo(), rows().OptionTypeW(1),
                     rows().OptionTypeR(16)}),
              (QList<bool>{false, false, false, false}));
    EXPECT_TRUE(window->close());
}

TEST_F(CommTestWindowTest, FilesLoadIntoTheControlsAndSave) {
    const QString trf = dir.filePath(u"in.trf"_qs);
    const QString text =
        QStringLiteral("7:リモコン番号\r\n0:カメラ番号\r\n1:連続送信チェック\r\n0.5:時間間隔\r\n"
                       "1:フリーフォーマット\r\nr 0a0b :c\r\n");
    ASSERT_TRUE(writeBytes(trf, TextToCp932(text).value()));
    window->loadFrom(trf);
    EXPECT_EQ((QStringList{window->TextHostNo()->text(), window->TextCommTime()->text(),
                           rows().LabelSendLen(1)->text()}),
              (QStringList{u"7"_qs, u"0.500"_qs, u"2"_qs}));
    EXPECT_TRUE(window->CheckFreeFormat()->isChecked() && window->CheckCommTest()->isChecked() &&
                rows().OptionTypeR(1)->isChecked());

    const QString saved = dir.filePath(u"out.trf"_qs);
    window->saveSendDataTo(saved);
    action("mnuNew")->trigger();
    window->loadFrom(saved);
    EXPECT_EQ(rows().TextSend(1)->text(), u"0A0B"_qs);
    EXPECT_FALSE(rows().CheckValid(2)->isChecked()); // saved empty: out of use
    window->saveResultsTo(dir.path());               // a folder cannot be written
    EXPECT_EQ(sink.numbers(), QList<int>{MessageCannotSave});
    action("mnuNew")->trigger();
    EXPECT_TRUE(rows().TextSend(1)->text().isEmpty());
    EXPECT_EQ(window->TextHostNo()->text(), u"1"_qs);
}

TEST_F(CommTestWindowTest, ReplaceDialogWorksOnTheRowsAndLeavesTheCaretOnTheLastHit) {
    prepareFind({{2, "0A1B"}, {3, "A1A1"}}, 1);
    ASSERT_TRUE(action("mnuRePlace")->isEnabled());
    action("mnuRePlace")->trigger();
    auto* dialog = window->findChild<FindReplaceDialog*>(u"frmChange"_qs);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(findState.FindContext, FindContextTest);
    QTest::keyClicks(dialog->TextFind(), u"a1"_qs);
    QTest::keyClicks(dialog->TextChange(), u"ff"_qs);
    EXPECT_EQ(dialog->TextFind()->text(), u"A1"_qs);
    dialog->CommandChange()->click();
    EXPECT_EQ((QStringList{rows().TextSend(3)->text(), window->session().screen().row(3).text,
                           rows().TextSend(2)->text()}),
              (QStringList{u"FFFF"_qs, u"FFFF"_qs, u"0A1B"_qs}));
    EXPECT_EQ(rows().TextSend(3)->palette().color(QPalette::Base), QColor(0, 0, 128));
    dialog->CommandCancel()->click();
    QCoreApplication::processEvents();
    EXPECT_NE(rows().TextSend(3)->palette().color(QPalette::Base), QColor(0, 0, 128));
    EXPECT_EQ(window->focusWidget(), rows().TextSend(3));
    EXPECT_EQ(rows().TextSend(3)->cursorPosition(), 0);
}

// One find dialog in the whole program; the one closed takes its highlight off first.
TEST_F(CommTestWindowTest, FindInAnotherWindowClosesTheDialogOpenHere) {
    CommLogStore store;
    store.Add_MsFlexGrid(u"HOST1:"_qs, u"FE0511AB"_qs);
    CommLogWindow log(store, sink);
    log.enableFind(findState, language, titleTable);
    log.model().View_MsFlexGridCommLog();
    log.show();

    prepareFind({{4, "A1"}}, 4);
    action("mnuFind")->trigger();
    QPointer<FindReplaceDialog> testDialog = window->findChild<FindReplaceDialog*>(u"frmFind"_qs);
    ASSERT_FALSE(testDialog.isNull());
    QTest::keyClicks(testDialog->TextFind(), u"A1"_qs);
    testDialog->CommandFind()->click();
    EXPECT_EQ(rows().TextSend(4)->palette().color(QPalette::Base), QColor(0, 0, 128));

    log.openFindDialog();
    EXPECT_TRUE(testDialog.isNull() || !testDialog->isVisible());
    EXPECT_NE(rows().TextSend(4)->palette().color(QPalette::Base), QColor(0, 0, 128));
    QPointer<FindReplaceDialog> logDialog = log.findChild<FindReplaceDialog*>(u"frmFind"_qs);
    ASSERT_FALSE(logDialog.isNull());
    EXPECT_TRUE(logDialog->isVisible());
    EXPECT_EQ(findState.FindContext, FindContextLog);
    // And back: the log's dialog goes when the test opens its own.
    window->openFindDialog(false);
    EXPECT_TRUE(logDialog.isNull() || !logDialog->isVisible());
    EXPECT_EQ(findState.FindContext, FindContextTest);
}
