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
    CopyLinesToClipboard(clipboard, {u"GATE"_qs});
    EXPECT_EQ(clipboard.m_text, u"GATE"_qs);
    CopyLinesToClipboard(clipboard, {u"A"_qs, QString(), u"C"_qs});
    EXPECT_EQ(clipboard.m_text, u"A\r\n\r\nC\r\n"_qs);
    QStringList lines;
    ASSERT_TRUE(PasteLinesFromClipboard(clipboard, false, lines));
    EXPECT_EQ(lines, (QStringList{u"A"_qs, QString(), u"C"_qs}));
    clipboard.m_text.clear(); // an empty clipboard pastes nothing
    EXPECT_FALSE(PasteLinesFromClipboard(clipboard, false, lines));
    EXPECT_TRUE(lines.isEmpty());
}

TEST(ClipboardLines, PasteDropsTextAfterTheLastBreak) {
    EXPECT_EQ(ClipboardTextToLines(u"A\r\nB"_qs, false), QStringList{u"A"_qs});
    EXPECT_EQ(ClipboardTextToLines(u"A B"_qs, false), QStringList{u"A B"_qs});
    EXPECT_EQ(ClipboardTextToLines(u"A\nB\n"_qs, false), (QStringList{u"A"_qs, u"B"_qs}));
    EXPECT_EQ(ClipboardTextToLines(u"A\r\nB\r\n"_qs, true), QStringList{u"A"_qs});
    EXPECT_EQ(ClipboardTextToLines(u"\r\n"_qs, false), QStringList{QString()});
}
