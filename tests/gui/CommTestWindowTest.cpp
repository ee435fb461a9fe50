#include "commtest/CommTestWindow.h"
#include "commtest/TestRowsPanel.h"

#include "MemoryLink.h"
#include "TestFiles.h"
#include "WindowSteps.h"
#include "common/Cp932.h"
#include "common/MessageNumber.h"
#include "find/FindReplaceDialog.h"
#include "find/FindState.h"
#include "link/CommLogModel.h"
#include "link/CommLogStore.h"
#include "link/CommLogWindow.h"
#include "shell/LanguageTables.h"
#include "titletable/TitleCharTable.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace zel;
using namespace zel::gui;
using namespace zel::test;

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
