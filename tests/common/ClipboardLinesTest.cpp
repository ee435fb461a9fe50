#include "common/ClipboardLines.h"

#include <gtest/gtest.h>

using namespace zel;

namespace {
class TextClipboard : public Clipboard {
public:
    QString text() const override { return m_text; }
    void setText(const QString& text) override { m_text = text; }
    QString m_text;
};
} // namespace

TEST(ClipboardLines, CopyOneTextAsItIsAndSeveralEachWithCrLf) {
    TextClipboard clipboard;
    CopyLinesToClipboard(clipboard, {QStringLiteral("GATE")});
    EXPECT_EQ(clipboard.m_text, QStringLiteral("GATE"));
    CopyLinesToClipboard(clipboard, {QStringLiteral("A"), QString(), QStringLiteral("C")});
    EXPECT_EQ(clipboard.m_text, QStringLiteral("A\r\n\r\nC\r\n"));
    QStringList lines;
    ASSERT_TRUE(PasteLinesFromClipboard(clipboard, false, lines));
    EXPECT_EQ(lines, (QStringList{QStringLiteral("A"), QString(), QStringLiteral("C")}));
    clipboard.m_text.clear(); // an empty clipboard pastes nothing
    EXPECT_FALSE(PasteLinesFromClipboard(clipboard, false, lines));
    EXPECT_TRUE(lines.isEmpty());
}

TEST(ClipboardLines, PasteDropsTextAfterTheLastBreak) {
    EXPECT_EQ(ClipboardTextToLines(QStringLiteral("A\r\nB"), false), QStringList{u"A"_qs});
    EXPECT_EQ(ClipboardTextToLines(QStringLiteral("A B"), false), QStringList{u"A B"_qs});
    EXPECT_EQ(ClipboardTextToLines(QStringLiteral("A\nB\n"), false),
              (QStringList{u"A"_qs, u"B"_qs}));
    EXPECT_EQ(ClipboardTextToLines(QStringLiteral("A\r\nB\r\n"), true), QStringList{u"A"_qs});
    EXPECT_EQ(ClipboardTextToLines(QStringLiteral("\r\n"), false), QStringList{QString()});
}
