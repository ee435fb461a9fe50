#include "titles/TitleEditor.h"

#include "RecordingSink.h"
#include "TitleTexts.h"
#include "Words.h"
#include "common/ClipboardLines.h"
#include "common/MessageNumber.h"
#include "find/FindState.h"
#include "find/TextFinder.h"
#include "shell/LanguageTables.h"
#include "titles/TitleCheck.h"
#include "titles/TitleDocument.h"
#include "titles/TitleFindTarget.h"
#include "titles/TitleSlots.h"
#include "titletable/TitleCategory.h"
#include "titletable/TitleCharTable.h"

#include <gtest/gtest.h>

using namespace zel;
using zel::test::RecordingSink;
using zel::test::TitlesAt;
using zel::test::Words;

class TitleEditorTest : public ::testing::Test {
protected:
    QString titleAt(int category, int number) const { return document.title(category, number); }
    void setPosition(int number, const char* text) {
        document.setTitle(CategoryPosition, number, QString::fromUtf8(text));
    }

    TitleDocument document;
    TitleCharTable table{0};
    LanguageTables language;
    RecordingSink sink;
    TitleEditor editor{document, table, language, sink};
    FindState state;
    TextFinder finder{state, sink, language};
    TitleFindTarget target{editor};
};

TEST_F(TitleEditorTest, CopyRowsFiveToSevenAndPasteAtTheLastRowsDropsTheRest) {
    editor.changeTab(CategoryPosition);
    for (const auto& [number, text] : {std::pair{5, "E"}, {6, "F"}, {7, "G"}})
        setPosition(number, text);
    const QStringList copied = editor.copyRows(CategoryPosition, 6, 4); // either direction
    EXPECT_EQ(copied, (QStringList{u"E"_qs, u"F"_qs, u"G"_qs}));
    EXPECT_EQ(editor.pasteRows(CategoryPosition, 253, copied), 2);
    EXPECT_EQ(TitlesAt(document, {{CategoryPosition, 254}, {CategoryPosition, 255}}), Words("E F"));
    EXPECT_EQ(std::tuple(editor.undoRecord().Count, document.TitleModified), std::tuple(2, true));
    // Through the clipboard text: "A" CR LF "B" pastes only "A".
    EXPECT_EQ(editor.pasteRows(CategoryPosition, 0, ClipboardTextToLines(u"A\r\nB"_qs, false)), 1);
    EXPECT_EQ(TitlesAt(document, {{CategoryPosition, 1}, {CategoryPosition, 2}}),
              (QStringList{u"A"_qs, {}}));
}

TEST_F(TitleEditorTest, CutEmptiesTheRowsAndUndoBringsThemBack) {
    editor.changeTab(CategoryTour);
    for (int number = 1; number <= 4; ++number)
        document.setTitle(CategoryTour, number, u"T%1"_qs.arg(number));
    EXPECT_EQ(editor.cutRows(CategoryTour, 1, 2), (QStringList{u"T2"_qs, u"T3"_qs}));
    EXPECT_EQ(TitlesAt(document, {{CategoryTour, 2}, {CategoryTour, 4}}),
              (QStringList{{}, u"T4"_qs}));
    editor.changeTab(CategoryCamera); // undo shows the category it restores
    ASSERT_TRUE(editor.undoEnabled());
    editor.Undo();
    EXPECT_EQ(editor.currentTab(), CategoryTour);
    EXPECT_EQ(TitlesAt(document, {{CategoryTour, 2}, {CategoryTour, 3}}), Words("T2 T3"));
    EXPECT_FALSE(editor.undoEnabled());     // one level only
    editor.deleteRows(CategoryTour, 40, 3); // clamped to the last row
    EXPECT_EQ(std::tuple(titleAt(CategoryTour, 4), editor.undoRecord().Count),
              std::tuple(QString(), 13));
}

TEST_F(TitleEditorTest, UndoOfTypingRemovesOnlyTheLastKey) {
    // The window snapshots the box before each key, then stores the new text.
    for (const QString& text : {u"A"_qs, u"AB"_qs, u"ABC"_qs}) {
        editor.snapshotTitle(CategoryCamera, 0);
        editor.setTitle(CategoryCamera, 0, text);
    }
    editor.Undo();
    EXPECT_EQ(titleAt(CategoryCamera, 1), u"AB"_qs);
}

TEST_F(TitleEditorTest, UndoAfterSortPutsTextsBackOnTheirOwnTitles) {
    editor.changeTab(CategoryPosition);
    setPosition(9, "\u30A2"); // kana fails in English
    editor.snapshotTitle(CategoryPosition, 1);
    editor.setTitle(CategoryPosition, 1, u"NEW2"_qs);
    editor.check();
    editor.sort(); // title 9 moves to the top, title 2 to the third row
    ASSERT_EQ(document.row(CategoryPosition, 0).numberValue(), 9);
    editor.Undo();
    EXPECT_EQ(TitlesAt(document, {{CategoryPosition, 2}, {CategoryPosition, 9}}),
              (QStringList{{}, u"\u30A2"_qs}));
}

TEST_F(TitleEditorTest, SortThenCheckRestoresNumberOrderAndCountsRedRows) {
    editor.changeTab(CategoryPosition);
    setPosition(3, "\u30A2");        // character error
    setPosition(7, "LONGTITLE");     // length error
    setPosition(9, "\u3000LONGER9"); // both
    EXPECT_FALSE(editor.check());
    ASSERT_EQ(sink.numbers(), QList<int>{MessageCheckErrors});
    EXPECT_EQ(sink.shown[0].extra, CheckResultText(language, TitleCheckCounts{2, 1}));
    editor.sort();
    for (const auto& [row, number] : {std::pair{0, 3}, {1, 7}, {2, 9}, {3, 1}, {7, 6}, {8, 8}})
        EXPECT_EQ(document.row(CategoryPosition, row).numberValue(), number) << row;
    EXPECT_TRUE(document.row(CategoryPosition, 0).failedCheck());
    // A new check puts the rows back in number order; fixed titles get their mark back.
    setPosition(3, "A");
    EXPECT_FALSE(editor.check());
    EXPECT_EQ(sink.shown[1].extra, CheckResultText(language, TitleCheckCounts{1, 1}));
    EXPECT_EQ(std::tuple(document.isInNumberOrder(CategoryPosition),
                         document.row(CategoryPosition, 2).failedCheck(),
                         document.row(CategoryPosition, 6).failedCheck()),
              std::tuple(true, false, true));
    // Sort works on POSITION only.
    editor.changeTab(CategoryTrace);
    EXPECT_FALSE(editor.sortEnabled());
}

TEST_F(TitleEditorTest, UploadNeedsAPassingCheckOfTitlesThatCameFromSomewhere) {
    editor.changeTab(CategoryHome);
    EXPECT_TRUE(editor.check());          // empty titles pass...
    EXPECT_FALSE(editor.uploadEnabled()); // ...but nothing was read or typed
    EXPECT_EQ(editor.uploadOffHint(), u"Download, open or type titles first"_qs);
    editor.setHasContent(true); // a file was read: the check of the empty titles is void
    EXPECT_EQ(editor.uploadOffHint(), u"Run Tool > Check without errors first"_qs);
    EXPECT_TRUE(editor.check() && editor.uploadOffHint().isEmpty());
    editor.changeTab(CategoryAlarm); // another category must be checked itself
    EXPECT_FALSE(editor.uploadEnabled());
    editor.changeTab(CategoryHome);
    editor.setTitle(CategoryHome, 1, u"\u30A2"_qs);
    EXPECT_FALSE(editor.check() || editor.uploadEnabled());
    language.setLanguageIndex(1);
    EXPECT_EQ(editor.uploadOffHint(), u"先に ツール > チェック をエラーなしで実行してください"_qs);
}

TEST_F(TitleEditorTest, ReplaceAllOverThreeRowsCountsAndUndoes) {
    editor.changeTab(CategoryAlarm);
    for (int number : {2, 4, 8})
        document.setTitle(CategoryAlarm, number, u"DOOR%1"_qs.arg(number));
    document.setTitle(CategoryAlarm, 5, u"GATE"_qs);
    QList<int> hits;
    target.onHit = [&hits](int line) { hits.append(line); };
    const FindOptions door = FindRulesFor(FindContextTitle).options(u"DOOR"_qs, false);
    EXPECT_EQ(finder.find(target, door), 2);
    EXPECT_EQ(finder.replaceNext(target, door, u"EXIT"_qs), 4);
    EXPECT_EQ(titleAt(CategoryAlarm, 4), u"EXIT4"_qs);
    editor.Undo();
    EXPECT_EQ(titleAt(CategoryAlarm, 4), u"DOOR4"_qs);
    EXPECT_EQ(finder.replaceAll(target, door, u"EXIT"_qs), 3);
    EXPECT_EQ(sink.shown.last().extra, u"3 pieces replaced."_qs);
    const std::initializer_list<std::pair<int, int>> rows{
        {CategoryAlarm, 2}, {CategoryAlarm, 4}, {CategoryAlarm, 5}, {CategoryAlarm, 8}};
    EXPECT_EQ(TitlesAt(document, rows), Words("EXIT2 EXIT4 GATE EXIT8"));
    EXPECT_TRUE(document.TitleModified);
    editor.Undo();
    EXPECT_EQ(TitlesAt(document, rows), Words("DOOR2 DOOR4 GATE DOOR8"));
    EXPECT_EQ(hits, (QList<int>{2, 4}));
}

TEST_F(TitleEditorTest, TextBoxCategoryIsOneLine) {
    editor.changeTab(CategoryAutoPan);
    editor.setTitle(CategoryAutoPan, 0, u"PAN PAN"_qs);
    EXPECT_EQ(finder.replaceAll(target, FindRulesFor(1).options(u"PAN"_qs, false), u"X"_qs), 1);
    EXPECT_EQ(titleAt(CategoryAutoPan, 1), u"X X"_qs);
    editor.Undo();
    EXPECT_EQ(titleAt(CategoryAutoPan, 1), u"PAN PAN"_qs);
}

TEST(TitleDocument, NewDocumentHasTheDocumentedCategories) {
    // The 302 titles and their order show in the written file and the all-download walk.
    TitleDocument document;
    const TitleRow& last = document.row(CategoryPosition, 254);
    EXPECT_EQ((QStringList{last.number, last.numberKey, last.checkMark, document.RemoteNo}),
              (QStringList{u"255"_qs, u"255"_qs, u"FFFF"_qs, u"1"_qs}));
    // Unknown numbers and categories read empty and are not written.
    document.setTitle(CategoryTrace, 3, u"x"_qs);
    document.setTitle(9, 1, u"x"_qs);
    EXPECT_EQ(std::pair(document.title(CategoryTrace, 3), document.rowCount(9)),
              std::pair(QString(), 0));
}

TEST(TitleDocument, ClearCategoryRebuildsInNumberOrder) {
    TitleDocument document;
    document.setTitle(CategoryPosition, 4, u"x"_qs);
    document.setTitle(CategoryHome, 2, u"h"_qs);
    document.row(CategoryPosition, 9).checkMark.clear();
    document.sortByCheckMark(CategoryPosition);
    EXPECT_FALSE(document.isInNumberOrder(CategoryPosition));
    EXPECT_EQ(document.title(CategoryPosition, 10), QString());
    EXPECT_EQ(document.title(CategoryPosition, 4), u"x"_qs); // found by number
    document.ClearCategory(CategoryPosition);
    EXPECT_TRUE(document.isInNumberOrder(CategoryPosition));
    EXPECT_EQ((QStringList{document.title(CategoryPosition, 4), document.title(CategoryHome, 2)}),
              (QStringList{{}, u"h"_qs}));
    document.ClearAllTitles();
    EXPECT_EQ(document.title(CategoryHome, 2), QString());
}

TEST(TitleSlots, OpenFilesAreComparedAcrossSlots) {
    TitleSlots titleSlots;
    titleSlots.setTitleFileName(3, u"/a.ttl"_qs);
    EXPECT_TRUE(titleSlots.isOpenInOtherSlot(u"/a.ttl"_qs, 1));
    EXPECT_FALSE(titleSlots.isOpenInOtherSlot(u"/a.ttl"_qs, 3));
    EXPECT_FALSE(titleSlots.isOpenInOtherSlot(u"/A.ttl"_qs, 1)); // exact comparison
    EXPECT_FALSE(titleSlots.isOpenInOtherSlot(QString(), 1));    // windows without a file
    titleSlots.setTitleFileName(9, u"/b.ttl"_qs);                // no such slot
    EXPECT_FALSE(titleSlots.isOpenInOtherSlot(u"/b.ttl"_qs, 1));
    titleSlots.setTitleFileName(3, QString()); // its window closed
    EXPECT_FALSE(titleSlots.isOpenInOtherSlot(u"/a.ttl"_qs, 1));
}

TEST(TitleCheck, AllCategoriesAndResultMessage) {
    const TitleCharTable table(0);
    LanguageTables language;
    TitleDocument document;
    EXPECT_TRUE(CheckAllCategories(document, table).passed()); // empty titles pass
    document.setTitle(CategoryCamera, 1, u"ABCDEFGHIJ"_qs);
    document.setTitle(CategoryAux, 8, u"~"_qs);
    const TitleCheckCounts counts = CheckAllCategories(document, table);
    EXPECT_EQ(std::pair(counts.characterErrors, counts.lengthErrors), std::pair(1, 1));
    EXPECT_EQ(CheckResultText(language, counts),
              u"\"input character error          \""_qs + QString(15, QLatin1Char(' ')) +
                  u"1 titles "_qs + u"\r\r\"exceeded character number\""_qs +
                  QString(15, QLatin1Char(' ')) + u"1 titles "_qs);
    RecordingSink sink;
    EXPECT_FALSE(ShowCheckResult(sink, language, counts));
    EXPECT_TRUE(ShowCheckResult(sink, language, TitleCheckCounts{}));
    EXPECT_EQ(sink.numbers(), (QList<int>{17, 18}));
    EXPECT_EQ(sink.shown[1].extra, u"No Error"_qs);
}
