// The communication log's find dialog (context 6).
#include "RecordingSink.h"
#include "common/MessageNumber.h"
#include "find/FindReplaceDialog.h"
#include "find/FindState.h"
#include "link/CommLogFilterBar.h"
#include "link/CommLogModel.h"
#include "link/CommLogStore.h"
#include "link/CommLogWindow.h"
#include "shell/LanguageTables.h"
#include "titletable/TitleCharTable.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

using namespace zel;
using namespace zel::gui;

TEST(CommLogFind, TypedLettersTurnUpperAndSearchWalksTheShownRows) {
    CommLogStore store;
    store.Add_MsFlexGrid(u"HOST1:"_qs, u"FE0511AB"_qs);
    store.Add_MsFlexGrid(u"CAMERA1:"_qs, u"06"_qs);
    store.Add_MsFlexGrid(u"HOST1:"_qs, u"FE05AB12"_qs);
    test::RecordingSink sink;
    LanguageTables language;
    const TitleCharTable table(0);
    FindState state;
    state.FindContext = FindContextTitle;
    state.LastFindText = u"left from a title window"_qs;
    CommLogWindow window(store, sink);
    window.model().View_MsFlexGridCommLog();
    auto* find = window.findChild<QAction*>(u"mnuFind"_qs);
    EXPECT_FALSE(find->isEnabled()); // no dialog without the find state
    window.enableFind(state, language, table);
    EXPECT_TRUE(find->isEnabled());
    window.show();
    find->trigger();
    auto* dialog = window.findChild<FindReplaceDialog*>(u"frmFind"_qs);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(state.FindContext, FindContextLog);
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
    EXPECT_EQ(state.FindStartLine, 1);
    // The unit is searched too, joined before the data.
    dialog->TextFind()->setText(u"CAMERA1:06"_qs);
    dialog->CommandFind()->click();
    EXPECT_EQ(window.grid().currentIndex().row(), 1);
    dialog->CommandCancel()->click();
}

TEST(CommLogFind, AHitTheFilterHidesIsShownWithEveryRow) {
    CommLogStore store;
    store.Add_MsFlexGrid(u"HOST1:"_qs, u"06"_qs);
    store.Add_MsFlexGrid(u"CAMERA1:"_qs, u"15"_qs);
    test::RecordingSink sink;
    LanguageTables language;
    const TitleCharTable table(0);
    FindState state;
    CommLogWindow window(store, sink);
    window.model().View_MsFlexGridCommLog();
    window.enableFind(state, language, table);
    window.show();
    auto& direction = window.filterBar().directionBox();
    direction.setCurrentIndex(direction.findData(int(FrameDirection::Sent)));
    ASSERT_TRUE(window.grid().isRowHidden(1));
    window.findChild<QAction*>(u"mnuFind"_qs)->trigger();
    auto* dialog = window.findChild<FindReplaceDialog*>(u"frmFind"_qs);
    ASSERT_NE(dialog, nullptr);
    dialog->TextFind()->setText(u"15"_qs);
    dialog->CommandFind()->click();
    EXPECT_EQ(window.grid().currentIndex().row(), 1);
    EXPECT_FALSE(window.grid().isRowHidden(1));
    EXPECT_EQ(direction.currentIndex(), 0);
    dialog->CommandCancel()->click();
}
