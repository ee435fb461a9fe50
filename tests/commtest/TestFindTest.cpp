// Find and replace over the send-data lines (context 5): byte-boundary matching and the
// hexadecimal replacement.
#include "commtest/TestFindTarget.h"
#include "commtest/TestScreen.h"

#include "RecordingSink.h"
#include "common/MessageNumber.h"
#include "find/FindState.h"
#include "find/TextFinder.h"
#include "shell/LanguageTables.h"

#include <gtest/gtest.h>

using namespace zel;
using namespace zel::test;

namespace {

class TestFindTest : public ::testing::Test {
protected:
    TestFindTest() {
        state.FindContext = FindContextTest;
        target.onHit = [this](int line) { hits.append(line); };
        target.onChanged = [this](int line) { changed.append(line); };
    }
    FindOptions partial(const char* text) const {
        return FindRulesFor(FindContextTest).options(QString::fromLatin1(text), false);
    }

    TestScreen screen;
    TestFindTarget target{screen};
    FindState state;
    RecordingSink sink;
    LanguageTables language;
    TextFinder finder{state, sink, language};
    QList<int> hits;
    QList<int> changed;
};

TEST_F(TestFindTest, MatchesOnlyOnByteBoundaries) {
    screen.setRowText(1, u"0A1B"_qs);
    screen.setRowText(2, u"A1B0"_qs);
    screen.setRowText(3, u"0A1A1B"_qs); // A1 at positions 2 and 4 only
    screen.setRowText(4, u"0A1BA1"_qs);
    EXPECT_EQ(finder.find(target, partial("A1")), 2);
    EXPECT_EQ(finder.find(target, partial("A1")), 4); // at position 5
    EXPECT_EQ(finder.find(target, partial("A1")), 0);
    EXPECT_EQ(sink.numbers(), QList<int>{MessageReachedLastLine});
    EXPECT_EQ(state.FindStartLine, 1);
    EXPECT_EQ(finder.find(target, partial("A1")), 2); // from the top again
    EXPECT_EQ(hits, (QList<int>{2, 4, 2}));
}

TEST_F(TestFindTest, ReplacementRewritesEveryOccurrenceOfAMatchingLine) {
    screen.setRowText(1, u"0A1B"_qs);
    screen.setRowText(2, u"A1A1"_qs);
    screen.setRowText(3, u"0A1BA1"_qs);
    EXPECT_EQ(finder.replaceNext(target, partial("A1"), u"FF"_qs), 2);
    EXPECT_EQ(screen.row(2).text, u"FFFF"_qs);
    EXPECT_EQ(finder.replaceNext(target, partial("A1"), u"FF"_qs), 3);
    EXPECT_EQ(screen.row(3).text, u"0FFBFF"_qs); // position 2 too
    EXPECT_EQ(screen.row(1).text, u"0A1B"_qs);
    EXPECT_EQ(changed, (QList<int>{2, 3}));
}

TEST_F(TestFindTest, ReplaceAllCountsLinesAndWholeMatch) {
    screen.setRowText(1, u"0102"_qs);
    screen.setRowText(5, u"0201"_qs);
    screen.setRowText(9, u"10"_qs);
    EXPECT_EQ(finder.replaceAll(target, partial("01"), u"AA"_qs), 2);
    EXPECT_EQ(sink.shown.last().extra, u"2 pieces replaced."_qs);
    EXPECT_EQ(screen.row(9).text, u"10"_qs);
    sink.clear();
    const FindOptions whole = FindRulesFor(FindContextTest).options(u"10"_qs, true);
    EXPECT_EQ(finder.replaceAll(target, whole, u"BEEF"_qs), 1);
    EXPECT_EQ(screen.row(9).text, u"BEEF"_qs);
    sink.clear();
    EXPECT_EQ(finder.replaceAll(target, partial("77"), u"88"_qs), 0);
    EXPECT_EQ(sink.numbers(), QList<int>{MessageReachedLastLine});
    EXPECT_FALSE(CheckHexReplacement(u"0g"_qs));
    EXPECT_TRUE(CheckHexReplacement(u"0AFF"_qs));
}

// Where the caret goes when the dialog closes: the line whose highlight comes off, else the
// line the next search starts at; Replace All takes the highlights off.
TEST_F(TestFindTest, CaretAfterTheDialogGoesToTheHighlightedLineOrTheStartLine) {
    screen.setRowText(3, u"A1"_qs);
    screen.setRowText(7, u"A1A1"_qs);
    EXPECT_EQ(target.caretLineAfterFind(state.FindStartLine), 1); // nothing searched yet
    EXPECT_EQ(finder.find(target, partial("A1")), 3);
    EXPECT_EQ(finder.find(target, partial("A1")), 7);
    EXPECT_EQ(target.caretLineAfterFind(state.FindStartLine), 7);
    EXPECT_EQ(finder.replaceAll(target, partial("A1"), u"FF"_qs), 2);
    // Replace All left nothing highlighted: the start line, not the last hit.
    EXPECT_EQ(state.FindStartLine, 1);
    EXPECT_EQ(target.caretLineAfterFind(state.FindStartLine), 1);
    // A hit on the last line leaves the start past the lines: the caret stays on them.
    screen.setRowText(16, u"B2"_qs);
    EXPECT_EQ(finder.find(target, partial("B2")), 16);
    target.forgetHighlight();
    EXPECT_EQ(target.caretLineAfterFind(state.FindStartLine), 16);
}

} // namespace
