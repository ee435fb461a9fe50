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
    screen.setRowText(1, QStringLiteral("0A1B"));
    screen.setRowText(2, QStringLiteral("A1B0"));
    screen.setRowText(3, QStringLiteral("0A1A1B")); // A1 at positions 2 and 4 only
    screen.setRowText(4, QStringLiteral("0A1BA1"));
    EXPECT_EQ(finder.find(target, partial("A1")), 2);
    EXPECT_EQ(finder.find(target, partial("A1")), 4); // at position 5
    EXPECT_EQ(finder.find(target, partial("A1")), 0);
    EXPECT_EQ(sink.numbers(), QList<int>{MessageReachedLastLine});
    EXPECT_EQ(state.FindStartLine, 1);
    EXPECT_EQ(finder.find(target, partial("A1")), 2); // from the top again
    EXPECT_EQ(hits, (QList<int>{2, 4, 2}));
}

TEST_F(TestFindTest, ReplacementRewritesEveryOccurrenceOfAMatchingLine) {
    screen.setRowText(1, QStringLiteral("0A1B"));
    screen.setRowText(2, QStringLiteral("A1A1"));
    screen.setRowText(3, QStringLiteral("0A1BA1"));
    EXPECT_EQ(finder.replaceNext(target, partial("A1"), QStringLiteral("FF")), 2);
    EXPECT_EQ(screen.row(2).text, QStringLiteral("FFFF"));
    EXPECT_EQ(finder.replaceNext(target, partial("A1"), QStringLiteral("FF")), 3);
    EXPECT_EQ(screen.row(3).text, QStringLiteral("0FFBFF")); // position 2 too
    EXPECT_EQ(screen.row(1).text, QStringLiteral("0A1B"));
    EXPECT_EQ(changed, (QList<int>{2, 3}));
}

TEST_F(TestFindTest, ReplaceAllCountsLinesAndWholeMatch) {
    screen.setRowText(1, QStringLiteral("0102"));
    screen.setRowText(5, QStringLiteral("0201"));
    screen.setRowText(9, QStringLiteral("10"));
    EXPECT_EQ(finder.replaceAll(target, partial("01"), QStringLiteral("AA")), 2);
    EXPECT_EQ(sink.shown.last().extra, QStringLiteral("2 pieces replaced."));
    EXPECT_EQ(screen.row(9).text, QStringLiteral("10"));
    sink.clear();
    const FindOptions whole = FindRulesFor(FindContextTest).options(QStringLiteral("10"), true);
    EXPECT_EQ(finder.replaceAll(target, whole, QStringLiteral("BEEF")), 1);
    EXPECT_EQ(screen.row(9).text, QStringLiteral("BEEF"));
    sink.clear();
    EXPECT_EQ(finder.replaceAll(target, partial("77"), QStringLiteral("88")), 0);
    EXPECT_EQ(sink.numbers(), QList<int>{MessageReachedLastLine});
    EXPECT_FALSE(CheckHexReplacement(QStringLiteral("0g")));
    EXPECT_TRUE(CheckHexReplacement(QStringLiteral("0AFF")));
}

// Where the caret goes when the dialog closes: the line whose highlight comes off, else the
// line the next search starts at; Replace All takes the highlights off.
TEST_F(TestFindTest, CaretAfterTheDialogGoesToTheHighlightedLineOrTheStartLine) {
    screen.setRowText(3, QStringLiteral("A1"));
    screen.setRowText(7, QStringLiteral("A1A1"));
    EXPECT_EQ(target.caretLineAfterFind(state.FindStartLine), 1); // nothing searched yet
    EXPECT_EQ(finder.find(target, partial("A1")), 3);
    EXPECT_EQ(finder.find(target, partial("A1")), 7);
    EXPECT_EQ(target.caretLineAfterFind(state.FindStartLine), 7);
    EXPECT_EQ(finder.replaceAll(target, partial("A1"), QStringLiteral("FF")), 2);
    // Replace All left nothing highlighted: the start line, not the last hit.
    EXPECT_EQ(state.FindStartLine, 1);
    EXPECT_EQ(target.caretLineAfterFind(state.FindStartLine), 1);
    // A hit on the last line leaves the start past the lines: the caret stays on them.
    screen.setRowText(16, QStringLiteral("B2"));
    EXPECT_EQ(finder.find(target, partial("B2")), 16);
    target.forgetHighlight();
    EXPECT_EQ(target.caretLineAfterFind(state.FindStartLine), 16);
}

} // namespace
