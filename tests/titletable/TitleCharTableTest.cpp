#include "titletable/TitleCharTable.h"
#include "titletable/TitleCharSource.h"

#include <gtest/gtest.h>

using namespace zel;

namespace {

const TitleCharTable& table(int language) {
    static const TitleCharTable english(0), japanese(1);
    return language == 1 ? japanese : english;
}

QString codesText(const TitleCharTable& table, const QString& title) {
    TitleCodes codes{};
    if (!table.TitleTextToCodes(title, codes))
        return u"refused"_qs;
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
    // Row 6A is the second row of 0069.
    EXPECT_EQ((QList<int>{rows.first().code, rows.last().code, rows[0x69].code, rows[0x6A].code}),
              (QList<int>{0x000, 0x1FF, 0x69, 0x69}));
    EXPECT_EQ(std::tuple(table(0).size(), table(1).size()), std::tuple(358, 513));
    for (int i = 0; i < table(1).size(); ++i)
        EXPECT_FALSE(table(1).entry(i).Char.isEmpty());
    EXPECT_EQ((QStringList{table(0).entry(0x24).Char, table(1).entry(0x24).Char,
                           table(0).entry(0x24).Code}),
              (QStringList{u"{024}"_qs, u"｛０２４｝"_qs, u"0024"_qs}));
}

TEST(TitleCharTable, WorkedExampleInBothLanguages) {
    const QString codes = u"000A000B802400FD00FD00FD00FD00FD"_qs;
    EXPECT_EQ(codesText(table(0), u"AB{024}"_qs), codes);
    EXPECT_EQ(table(0).TitleCodesToText(codes), u"AB{024}"_qs);
    EXPECT_EQ(table(1).TitleCodesToText(codes), u"ＡＢ｛０２４｝"_qs);
    EXPECT_EQ(codesText(table(1), u"ＡＢ｛０２４｝"_qs), codes);
}

TEST(TitleCharTable, CodesDecodeToTheFirstMatchingCharacter) {
    // 0069 decodes to the first row; both Japanese dashes encode to 0069.
    EXPECT_EQ(codesText(table(1), u"ー"_qs).left(4), u"8069"_qs);
    EXPECT_EQ(codesText(table(1), u"－"_qs).left(4), u"8069"_qs);
    const std::tuple<int, const char*, const char16_t*> cases[] = {
        // language, codes, text
        // clang-format off
        {1, "8069", u"－"}, {1, "807C", u"￥"}, {1, "0096809E", u"①⑨"}, {0, "8096", u"{096}"},
        {0, "008A81FF", u"  "}, {1, "80FB", u"\u3000"}, // every space code: the language's space
        {0, "010A8123", u"az"}, {0, "8073", u"\""}, {1, "8073", u"″"},
        {0, "000A00A0800B", u"AB"}, {0, "00A081A0", u""}, {1, "00A081A0", u"アあ"}, // kana
        {0, "0FFFzz0A800A", u"A"}, {0, "000A00", u""}, // above 01FF or garbage: nothing
        // clang-format on
    };
    for (const auto& [language, codes, text] : cases)
        EXPECT_EQ(table(language).TitleCodesToText(QString::fromLatin1(codes)),
                  QString::fromUtf16(text))
            << codes;
}

TEST(TitleCharTable, EmptyAndSpaceTitles) {
    EXPECT_EQ(codesText(table(0), QString()), u"00FD"_qs.repeated(8));
    EXPECT_EQ(table(0).TitleCodesToText(u"00FD"_qs.repeated(8)), QString());
    const QString twoSpaces = u"00FD80FD"_qs + u"00FD"_qs.repeated(6);
    EXPECT_EQ(codesText(table(0), u"  "_qs), twoSpaces);
    EXPECT_EQ(table(0).TitleCodesToText(twoSpaces), u"  "_qs);
}

TEST(TitleCharTable, CharacterCheckPerLanguage) {
    // Escapes are checked upper-cased and narrowed; the fifth character, narrowed (not
    // upper-cased), closes one when it is "}" or a hex digit 0-9, A-F.
    const std::tuple<int, const char16_t*, bool> cases[] = {
        // language, text, passes
        // clang-format off
        {0, u"{02}", false}, {0, u"{0G0}", false}, {0, u"{02", false}, {0, u"{FFF}", false},
        {1, u"{0a0}", true}, {1, u"｛０ａ０｝", true}, {0, u"｛０２４｝", true},
        {0, u"{0A0}", false}, {1, u"{0A0}", true}, // a kana code
        {1, u"A", false}, {0, u"Ａ", false}, {0, u"é", false},
        {0, u"CAM-1 \"x\"", true}, {1, u"カメラ１\u3000", true},
        {0, u"{024}", true}, {0, u"{024｝", true}, {0, u"｛024}", true}, {0, u"{024A", true},
        {0, u"{0249", true}, {0, u"{024Ｆ", true}, {0, u"{024}A", true}, {0, u"{024", false},
        {0, u"{024)", false}, {0, u"{024]", false}, {0, u"{024 ", false}, {0, u"{024a", false},
        {0, u"{024G", false}, {0, u"{024{", false}, {0, u"{024}}", false},
        // clang-format on
    };
    for (const auto& [language, text, ok] : cases)
        EXPECT_EQ(table(language).CheckTitleChars(QString::fromUtf16(text)), ok)
            << language << " " << QString::fromUtf16(text).toStdString();
    // The escape is upper-cased and narrowed when encoded too; the encoder skips the closer.
    EXPECT_EQ(codesText(table(1), u"｛０ａ０｝"_qs).left(4), u"80A0"_qs);
    EXPECT_EQ(codesText(table(0), u"{024A"_qs).left(4), u"8024"_qs);
    EXPECT_EQ(codesText(table(0), u"{024}A"_qs).left(8), u"0024800A"_qs);
}

TEST(TitleCharTable, LengthRuleCountsBraces) {
    for (const QString& fits :
         {u"ABCDEFGH"_qs, u"{024}"_qs.repeated(8), u"｛０２４｝"_qs.repeated(8)})
        EXPECT_TRUE(TitleCharTable::CheckTitleLength(fits)) << fits.toStdString();
    for (const QString& tooLong : {u"ABCDEFGHI"_qs, u"{024}"_qs.repeated(8) + u'A'})
        EXPECT_FALSE(TitleCharTable::CheckTitleLength(tooLong)) << tooLong.toStdString();
}

TEST(TitleCharTable, EncodingRefusesWhatCannotFit) {
    TitleCodes codes{};
    codes[1] = 0x1234;
    // Nine characters, a ninth code, a bad escape, nothing encodable: the codes stay untouched.
    for (const QString& text : {u"ABCDEFGHI"_qs, u"ABCDEFGH{"_qs, u"AB{0G0}"_qs, u"ア"_qs})
        EXPECT_FALSE(table(0).TitleTextToCodes(text, codes)) << text.toStdString();
    EXPECT_EQ(codes[1], 0x1234);
    // An unknown character among known ones is dropped.
    EXPECT_EQ(codesText(table(0), u"AéB"_qs).left(8), u"000A800B"_qs);
    EXPECT_EQ(codesText(table(0), u"{024}"_qs.repeated(8)), u"0024"_qs.repeated(7) + u"8024"_qs);
}

TEST(TitleCharTable, JapaneseKeyNormaliser) {
    const std::pair<char16_t, const char16_t*> keys[] = {
        {u'a', u"ａ"},     {u'7', u"７"},  {u'\\', u"￥"},    {u'"', u"″"},
        {u'\uFF02', u"″"}, {u'、', u"，"}, {u'\u0392', u"β"}, {u' ', u"\u3000"},
        {u'ｶ', u"カ"},     {u'ﾝ', u"ン"},  {u'\'', u"’"}};
    for (const auto& [key, normalised] : keys)
        EXPECT_EQ(typed(table(1), key), QString::fromUtf16(normalised)) << int(key);
    EXPECT_EQ(typed(table(0), u'a'), u"a"_qs);
    int backspace = 8;
    table(1).NormalizeTitleKey(backspace);
    EXPECT_EQ(backspace, 8);
    // Every typed ASCII sign that the table knows becomes a character of the table.
    for (char16_t key : u"0aZ/!?()<>[]*+-=',.;:$%#&\\\"") // the last is the closing zero
        EXPECT_TRUE(key == 0 || table(1).CheckTitleChars(typed(table(1), key))) << char(key);
}
