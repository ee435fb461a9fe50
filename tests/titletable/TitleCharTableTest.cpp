#include "titletable/TitleCharTable.h"
#include "titletable/TitleCharSource.h"

#include <gtest/gtest.h>

using namespace zel;

namespace {

const TitleCharTable& english() {
    static const TitleCharTable table(0);
    return table;
}

const TitleCharTable& japanese() {
    static const TitleCharTable table(1);
    return table;
}

QString codesText(const TitleCharTable& table, const QString& title) {
    TitleCodes codes{};
    if (!table.TitleTextToCodes(title, codes))
        return QStringLiteral("refused");
    return TitleCharTable::TitleCodesToHex(codes);
}

QString typed(const TitleCharTable& table, char16_t key) {
    int code = key;
    table.NormalizeTitleKey(code);
    return QString(QChar(static_cast<char16_t>(code)));
}

} // namespace

TEST(TitleCharTable, SourceListAndTableSizes) {
    const auto rows = TitleSourceRows();
    ASSERT_EQ(rows.size(), 513);
    EXPECT_EQ(rows.first().code, 0x000);
    EXPECT_EQ(rows.last().code, 0x1FF);
    EXPECT_EQ(rows[0x69].code, 0x69);
    EXPECT_EQ(rows[0x6A].code, 0x69); // the second row of 0069
    EXPECT_EQ(english().size(), 358);
    EXPECT_EQ(japanese().size(), 513);
    for (int i = 0; i < japanese().size(); ++i)
        EXPECT_FALSE(japanese().entry(i).Char.isEmpty());
    EXPECT_EQ(english().entry(0x24).Char, QStringLiteral("{024}"));
    EXPECT_EQ(japanese().entry(0x24).Char, QStringLiteral("｛０２４｝"));
    EXPECT_EQ(english().entry(0x24).Code, QStringLiteral("0024"));
}

TEST(TitleCharTable, WorkedExampleInBothLanguages) {
    EXPECT_EQ(codesText(english(), QStringLiteral("AB{024}")),
              QStringLiteral("000A000B802400FD00FD00FD00FD00FD"));
    const QString codes = QStringLiteral("000A000B802400FD00FD00FD00FD00FD");
    EXPECT_EQ(english().TitleCodesToText(codes), QStringLiteral("AB{024}"));
    EXPECT_EQ(japanese().TitleCodesToText(codes), QStringLiteral("ＡＢ｛０２４｝"));
    EXPECT_EQ(codesText(japanese(), QStringLiteral("ＡＢ｛０２４｝")), codes);
}

TEST(TitleCharTable, FirstMatchLookups) {
    // 0069 decodes to the first row; both Japanese dashes encode to 0069.
    EXPECT_EQ(japanese().TitleCodesToText(QStringLiteral("8069")), QStringLiteral("－"));
    EXPECT_EQ(codesText(japanese(), QStringLiteral("ー")).left(4), QStringLiteral("8069"));
    EXPECT_EQ(codesText(japanese(), QStringLiteral("－")).left(4), QStringLiteral("8069"));
    // Every space code decodes to the language's space.
    EXPECT_EQ(english().TitleCodesToText(QStringLiteral("008A81FF")), QStringLiteral("  "));
    EXPECT_EQ(japanese().TitleCodesToText(QStringLiteral("80FB")), QStringLiteral("\u3000"));
    // Letters, quotes and the yen sign.
    EXPECT_EQ(english().TitleCodesToText(QStringLiteral("010A8123")), QStringLiteral("az"));
    EXPECT_EQ(english().TitleCodesToText(QStringLiteral("8073")), QStringLiteral("\""));
    EXPECT_EQ(japanese().TitleCodesToText(QStringLiteral("8073")), QStringLiteral("″"));
    EXPECT_EQ(japanese().TitleCodesToText(QStringLiteral("807C")), QStringLiteral("￥"));
    EXPECT_EQ(japanese().TitleCodesToText(QStringLiteral("0096809E")), QStringLiteral("①⑨"));
    EXPECT_EQ(english().TitleCodesToText(QStringLiteral("8096")), QStringLiteral("{096}"));
}

TEST(TitleCharTable, EmptyAndSpaceTitles) {
    EXPECT_EQ(codesText(english(), QString()), QStringLiteral("00FD").repeated(8));
    EXPECT_EQ(english().TitleCodesToText(QStringLiteral("00FD").repeated(8)), QString());
    EXPECT_EQ(codesText(english(), QStringLiteral("  ")),
              QStringLiteral("00FD80FD") + QStringLiteral("00FD").repeated(6));
    EXPECT_EQ(
        english().TitleCodesToText(QStringLiteral("00FD80FD") + QStringLiteral("00FD").repeated(6)),
        QStringLiteral("  "));
}

TEST(TitleCharTable, KanaAbsentInEnglish) {
    // A received kana code is dropped; a title made only of kana decodes empty.
    EXPECT_EQ(english().TitleCodesToText(QStringLiteral("000A00A0800B")), QStringLiteral("AB"));
    EXPECT_EQ(english().TitleCodesToText(QStringLiteral("00A081A0")), QString());
    EXPECT_EQ(japanese().TitleCodesToText(QStringLiteral("00A081A0")), QStringLiteral("アあ"));
    EXPECT_FALSE(english().CheckTitleChars(QStringLiteral("{0A0}")));
    EXPECT_TRUE(japanese().CheckTitleChars(QStringLiteral("{0A0}")));
    // Codes above 01FF and garbage groups give nothing; the end mark still ends the title.
    EXPECT_EQ(english().TitleCodesToText(QStringLiteral("0FFFzz0A800A")), QStringLiteral("A"));
    EXPECT_EQ(english().TitleCodesToText(QStringLiteral("000A00")), QString());
}

TEST(TitleCharTable, EscapeChecksUpperCaseAndNarrow) {
    EXPECT_FALSE(english().CheckTitleChars(QStringLiteral("{02}")));
    EXPECT_FALSE(english().CheckTitleChars(QStringLiteral("{0G0}")));
    EXPECT_FALSE(english().CheckTitleChars(QStringLiteral("{02")));
    EXPECT_FALSE(english().CheckTitleChars(QStringLiteral("{FFF}"))); // no such code
    EXPECT_TRUE(japanese().CheckTitleChars(QStringLiteral("{0a0}")));
    EXPECT_TRUE(japanese().CheckTitleChars(QStringLiteral("｛０ａ０｝")));
    EXPECT_TRUE(english().CheckTitleChars(QStringLiteral("｛０２４｝")));
    // The escape is upper-cased and narrowed when encoded too.
    EXPECT_EQ(codesText(japanese(), QStringLiteral("｛０ａ０｝")).left(4), QStringLiteral("80A0"));
}

TEST(TitleCharTable, EscapeClosingPositionTakesABraceOrAHexDigitOnly) {
    // The fifth character, narrowed (not upper-cased), closes the escape when it is "}" or a
    // hex digit 0-9, A-F; the encoder then skips it as it skips the brace.
    for (const char16_t* good :
         {u"{024}", u"｛０２４｝", u"{024｝", u"｛024}", u"{024A", u"{0249", u"{024Ｆ", u"{024}A"})
        EXPECT_TRUE(english().CheckTitleChars(QString::fromUtf16(good)))
            << QString::fromUtf16(good).toStdString();
    for (const char16_t* bad :
         {u"{024", u"{024)", u"{024]", u"{024 ", u"{024a", u"{024G", u"{024{", u"{024}}"})
        EXPECT_FALSE(english().CheckTitleChars(QString::fromUtf16(bad)))
            << QString::fromUtf16(bad).toStdString();
    EXPECT_EQ(codesText(english(), QStringLiteral("{024A")).left(4), QStringLiteral("8024"));
    EXPECT_EQ(codesText(english(), QStringLiteral("{024}A")).left(8), QStringLiteral("0024800A"));
}

TEST(TitleCharTable, CharacterSetsPerLanguage) {
    EXPECT_FALSE(japanese().CheckTitleChars(QStringLiteral("A")));
    EXPECT_FALSE(english().CheckTitleChars(QStringLiteral("Ａ")));
    EXPECT_TRUE(english().CheckTitleChars(QStringLiteral("CAM-1 \"x\"")));
    EXPECT_TRUE(japanese().CheckTitleChars(QStringLiteral("カメラ１\u3000")));
    EXPECT_FALSE(english().CheckTitleChars(QStringLiteral("é")));
}

TEST(TitleCharTable, LengthRuleCountsBraces) {
    EXPECT_TRUE(TitleCharTable::CheckTitleLength(QStringLiteral("ABCDEFGH")));
    EXPECT_FALSE(TitleCharTable::CheckTitleLength(QStringLiteral("ABCDEFGHI")));
    EXPECT_TRUE(TitleCharTable::CheckTitleLength(QStringLiteral("{024}").repeated(8)));
    EXPECT_TRUE(TitleCharTable::CheckTitleLength(QStringLiteral("｛０２４｝").repeated(8)));
    EXPECT_FALSE(TitleCharTable::CheckTitleLength(QStringLiteral("{024}").repeated(8) + u'A'));
}

TEST(TitleCharTable, EncodingRefusesWhatCannotFit) {
    TitleCodes codes{};
    codes[1] = 0x1234;
    EXPECT_FALSE(english().TitleTextToCodes(QStringLiteral("ABCDEFGHI"), codes));
    EXPECT_FALSE(english().TitleTextToCodes(QStringLiteral("ABCDEFGH{"), codes)); // 9th code
    EXPECT_FALSE(english().TitleTextToCodes(QStringLiteral("AB{0G0}"), codes));
    EXPECT_FALSE(english().TitleTextToCodes(QStringLiteral("ア"), codes)); // nothing encodable
    EXPECT_EQ(codes[1], 0x1234);                                           // untouched
    // An unknown character among known ones is dropped.
    EXPECT_EQ(codesText(english(), QStringLiteral("AéB")).left(8), QStringLiteral("000A800B"));
    EXPECT_EQ(codesText(english(), QStringLiteral("{024}").repeated(8)),
              QStringLiteral("0024").repeated(7) + QStringLiteral("8024"));
}

TEST(TitleCharTable, JapaneseKeyNormaliser) {
    EXPECT_EQ(typed(japanese(), u'a'), QStringLiteral("ａ"));
    EXPECT_EQ(typed(japanese(), u'7'), QStringLiteral("７"));
    EXPECT_EQ(typed(japanese(), u'\\'), QStringLiteral("￥"));
    EXPECT_EQ(typed(japanese(), u'"'), QStringLiteral("″"));
    EXPECT_EQ(typed(japanese(), u'\uFF02'), QStringLiteral("″"));
    EXPECT_EQ(typed(japanese(), u'、'), QStringLiteral("，"));
    EXPECT_EQ(typed(japanese(), u'\u0392'), QStringLiteral("β"));
    EXPECT_EQ(typed(japanese(), u' '), QStringLiteral("\u3000"));
    EXPECT_EQ(typed(japanese(), u'ｶ'), QStringLiteral("カ"));
    EXPECT_EQ(typed(japanese(), u'ﾝ'), QStringLiteral("ン"));
    EXPECT_EQ(typed(japanese(), u'\''), QStringLiteral("’"));
    EXPECT_EQ(typed(english(), u'a'), QStringLiteral("a"));
    int backspace = 8;
    japanese().NormalizeTitleKey(backspace);
    EXPECT_EQ(backspace, 8);
    // Every typed ASCII sign that the table knows becomes a character of the table.
    for (char16_t key : u"0aZ/!?()<>[]*+-=',.;:$%#&\\\"")
        if (key != 0) {
            EXPECT_TRUE(japanese().CheckTitleChars(typed(japanese(), key))) << char(key);
        }
}
