#include "find/TextFinder.h"

#include "RecordingSink.h"
#include "Words.h"
#include "common/MessageNumber.h"
#include "find/FindDialogSeat.h"
#include "find/FindState.h"
#include "find/FindTarget.h"
#include "shell/LanguageTables.h"
#include "titletable/TitleCharTable.h"

#include <gtest/gtest.h>

using namespace zel;
using zel::test::RecordingSink;
using zel::test::Words;

// Lines in memory, recording what the finder asks of the editor.
class LinesTarget : public FindTarget {
public:
    explicit LinesTarget(QStringList lines, bool walks = true)
        : m_lines(std::move(lines)), m_walks(walks) {}
    int lineCount() const override { return int(m_lines.size()); }
    QString lineText(int line) const override { return m_lines.at(line - 1); }
    void replaceLine(int line, const QString& text) override { m_lines[line - 1] = text; }
    void showHit(int line) override { hits.append(line); }
    void beforeReplace(int line) override { snapshots.append(line); }
    void beginReplaceAll() override { ++allSnapshots; }
    void endReplaceAll(int count) override { endCounts.append(count); }
    bool walks() const override { return m_walks; }

    QStringList m_lines;
    bool m_walks;
    QList<int> hits;
    QList<int> snapshots;
    QList<int> endCounts;
    int allSnapshots = 0;
};

class TextFinderTest : public ::testing::Test {
protected:
    FindOptions titleOptions(const char* text, bool whole = false) const {
        return FindRulesFor(FindContextTitle).options(QString::fromUtf8(text), whole);
    }
    FindOptions hexOptions(const char* text, bool whole = false) const {
        return FindRulesFor(FindContextTest).options(QString::fromLatin1(text), whole);
    }

    FindState state;
    RecordingSink sink;
    LanguageTables language;
    TextFinder finder{state, sink, language};
};

TEST_F(TextFinderTest, FindWalksForwardWrapsWithAMessageAndRestartsAtTheTop) {
    LinesTarget target(Words("ab x cab"));
    EXPECT_EQ(finder.find(target, titleOptions("ab")), 1);
    EXPECT_EQ(state.FindStartLine, 2);
    EXPECT_EQ(finder.find(target, titleOptions("ab")), 3);
    EXPECT_TRUE(sink.shown.isEmpty());
    EXPECT_EQ(finder.find(target, titleOptions("ab")), 0);
    EXPECT_EQ(sink.numbers(), QList<int>{MessageReachedLastLine});
    EXPECT_EQ(state.FindStartLine, 1);
    EXPECT_EQ(finder.find(target, titleOptions("ab")), 1);
    EXPECT_EQ(target.hits, (QList<int>{1, 3, 1}));
}

TEST_F(TextFinderTest, SearchStartsAtFindStartLineAndIsCaseSensitive) {
    LinesTarget target(Words("Gate gate GATE"));
    state.FindStartLine = 2;
    EXPECT_EQ(finder.find(target, titleOptions("GATE")), 3);
    state.FindStartLine = 7; // beyond the last line: nothing to test
    EXPECT_EQ(finder.find(target, titleOptions("gate")), 0);
    EXPECT_EQ(state.FindStartLine, 1);
}

TEST_F(TextFinderTest, WholeMatchAgainstPartialMatch) {
    LinesTarget target({u"DOOR 1"_qs, u"DOOR"_qs});
    EXPECT_EQ(finder.find(target, titleOptions("DOOR", true)), 2);
    state.FindStartLine = 1;
    EXPECT_EQ(finder.find(target, titleOptions("DOOR")), 1);
    EXPECT_FALSE(TextMatches(u"DOOR 1"_qs, titleOptions("DOOR", true)));
    EXPECT_FALSE(TextMatches(u"DOOR"_qs, titleOptions("")));
}

TEST_F(TextFinderTest, HexTextMatchesOnlyOnByteBoundaries) {
    EXPECT_FALSE(TextMatches(u"0A1B"_qs, hexOptions("A1")));
    EXPECT_TRUE(TextMatches(u"A1B0"_qs, hexOptions("A1")));
    EXPECT_TRUE(TextMatches(u"0AA1"_qs, hexOptions("A1")));
    // Partial replacement rewrites every occurrence, also one off the byte boundary.
    EXPECT_EQ(ReplaceMatches(u"A1A1"_qs, hexOptions("A1"), u"FF"_qs), u"FFFF"_qs);
    EXPECT_EQ(ReplaceMatches(u"A10A1B"_qs, hexOptions("A1"), u"FF"_qs), u"FF0FFB"_qs);
}

TEST_F(TextFinderTest, ReplaceNextSnapshotsReplacesAndMovesOn) {
    LinesTarget target({u"x"_qs, u"CAM A A"_qs, u"A"_qs});
    EXPECT_EQ(finder.replaceNext(target, titleOptions("A"), u"B"_qs), 2);
    EXPECT_EQ(std::tuple(target.m_lines[1], target.snapshots, target.hits, state.FindStartLine),
              std::tuple(u"CBM B B"_qs, QList<int>{2}, QList<int>{2}, 3));
    EXPECT_EQ(finder.replaceNext(target, titleOptions("A", true), u"Z"_qs), 3);
    EXPECT_EQ(target.m_lines[2], u"Z"_qs);
    EXPECT_EQ(finder.replaceNext(target, titleOptions("A"), u"B"_qs), 0);
    EXPECT_EQ(sink.numbers(), QList<int>{MessageReachedLastLine});
    EXPECT_EQ(state.FindStartLine, 1);
}

TEST_F(TextFinderTest, ReplaceAllCountsLinesNotOccurrences) {
    LinesTarget target(Words("AA b xA A"));
    state.FindStartLine = 4; // replace all always starts at the top
    EXPECT_EQ(finder.replaceAll(target, titleOptions("A"), u"AB"_qs), 3);
    EXPECT_EQ(target.m_lines, Words("ABAB b xAB AB"));
    EXPECT_EQ(sink.numbers(), QList<int>{MessageReplace});
    EXPECT_EQ(sink.shown.value(0).extra, u"3 pieces replaced."_qs);
    EXPECT_EQ(std::tuple(target.allSnapshots, target.endCounts, state.FindStartLine),
              std::tuple(1, QList<int>{3}, 1));
}

TEST_F(TextFinderTest, ReplaceAllWithoutAHitChangesNothing) {
    LinesTarget target(Words("a b"));
    EXPECT_EQ(finder.replaceAll(target, titleOptions("z"), u"y"_qs), 0);
    EXPECT_EQ(target.m_lines, Words("a b"));
    EXPECT_EQ(sink.numbers(), QList<int>{MessageReachedLastLine});
    language.setLanguageIndex(1);
    EXPECT_EQ(TextFinder::ReplacedCountText(language, 2), u"2個置換しました"_qs);
}

TEST_F(TextFinderTest, HexReplaceSkipsLinesTheReplacementLeavesUnchanged) {
    LinesTarget target(Words("A1 0A1B A1A1"));
    EXPECT_EQ(finder.replaceNext(target, hexOptions("A1", true), u"A1"_qs), 0);
    EXPECT_EQ(finder.replaceAll(target, hexOptions("A1"), u"FF"_qs), 2);
    EXPECT_EQ(target.m_lines, Words("FF 0A1B FFFF"));
}

TEST_F(TextFinderTest, SingleBoxIgnoresFindStartLine) {
    LinesTarget box({u"LOBBY"_qs}, false);
    state.FindStartLine = 9;
    EXPECT_EQ(finder.find(box, titleOptions("OB")), 1);
    EXPECT_EQ(finder.find(box, titleOptions("OB")), 1); // the same box again
    EXPECT_EQ(state.FindStartLine, 9);
    EXPECT_EQ(finder.find(box, titleOptions("Q")), 0);
    EXPECT_EQ(state.FindStartLine, 9);
    EXPECT_EQ(finder.replaceAll(box, titleOptions("B"), u"b"_qs), 1);
    EXPECT_EQ(box.m_lines[0], u"LObbY"_qs);
}

TEST(FindRules, EachContextHasItsLimitsKeysAndButtons) {
    const TitleCharTable english(0);
    const FindDialogRules titleRules = FindRulesFor(FindContextTitle);
    const FindDialogRules testRules = FindRulesFor(FindContextTest);
    const FindDialogRules logRules = FindRulesFor(FindContextLog);
    EXPECT_EQ((QList<int>{titleRules.maxLength, testRules.maxLength, logRules.maxLength}),
              (QList<int>{128, 494, 504}));
    EXPECT_FALSE(logRules.canReplace || logRules.startsWithLastFind);
    EXPECT_EQ((QList<bool>{testRules.textUsable(u"A1"_qs), testRules.textUsable(u"A1B"_qs),
                           titleRules.textUsable(u"A1B"_qs), titleRules.textUsable(QString())}),
              (QList<bool>{true, false, true, false}));
    EXPECT_EQ((QList<int>{FilterFindKey(FindContextLog, 'a', english),
                          FilterFindKey(FindContextLog, 'b', english),
                          FilterFindKey(FindContextTest, 'f', english),
                          FilterFindKey(FindContextTest, 'g', english),
                          FilterFindKey(FindContextTitle, 'a', english)}),
              (QList<int>{'A', 'B', 'F', 0, 'a'}));
    EXPECT_TRUE(CheckHexReplacement(u"09AF"_qs));
    EXPECT_FALSE(CheckHexReplacement(u"0a"_qs));
}

TEST(FindDialogSeatTest, ADialogTakingTheSeatClosesTheOneOpenOnce) {
    FindDialogSeat seat;
    QStringList closed;
    const int title = 1, test = 2;
    // Closing a dialog leaves the seat too, as a real dialog's finished() does.
    seat.take(&title, [&] {
        closed.append(u"title"_qs);
        seat.leave(&title);
    });
    EXPECT_EQ(seat.holder(), &title);
    seat.take(&title, [&] { closed.append(u"title again"_qs); }); // same dialog
    EXPECT_TRUE(closed.isEmpty());
    seat.take(&test, [&] { closed.append(u"test"_qs); });
    EXPECT_EQ(std::tuple(closed, seat.holder()), std::tuple(QStringList{u"title again"_qs}, &test));
    seat.leave(&title); // a late goodbye of the closed dialog frees nothing
    EXPECT_EQ(seat.holder(), &test);
    seat.closeOpen();
    EXPECT_EQ(closed.last(), u"test"_qs);
    EXPECT_FALSE(seat.isTaken());
    seat.closeOpen(); // nothing open: nothing runs
    EXPECT_EQ(closed.size(), 2);
}
