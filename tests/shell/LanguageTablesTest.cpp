// The program's texts: the language tables, the tool's own texts and the message catalogue.
#include "shell/LanguageTables.h"
#include "RecordingSink.h"
#include "TextPlaceholders.h"
#include "shell/MessageCatalog.h"
#include "shell/ToolTexts.h"

#include <gtest/gtest.h>

using namespace zel;

TEST(LanguageTablesTest, BothRecordsHoldEveryTextOfEveryGroup) {
    const LanguageTables tables;
    int total = 0;
    for (int g = 0; g < static_cast<int>(LangGroup::Count); ++g) {
        const auto group = static_cast<LangGroup>(g);
        EXPECT_EQ(LanguageTables::groupOffset(group), total);
        total += LanguageTables::groupSize(group);
        for (int language = 0; language < 2; ++language)
            for (int i = 0; i < LanguageTables::groupSize(group); ++i) {
                const bool mayBeEmpty =
                    (group == LangGroup::ProgressLabels && i == 8) ||
                    (group == LangGroup::Messages && i >= 45); // unused tail of the group
                EXPECT_TRUE(mayBeEmpty || !tables.text(language, group, i).isEmpty())
                    << "group " << g << " index " << i << " language " << language;
            }
    }
    EXPECT_EQ(total, LanguageTables::kTextsPerRecord);
    EXPECT_TRUE(tables.text(2, LangGroup::Menu, 0).isEmpty()); // record 2 stays empty
    EXPECT_TRUE(tables.text(0, LangGroup::Menu, 7).isEmpty()); // past the group
    EXPECT_TRUE(tables.text(0, LangGroup::Menu, -1).isEmpty());
}

TEST(LanguageTablesTest, IndexOneIsJapaneseAndAnyOtherIndexIsEnglish) {
    LanguageTables t;
    t.setLanguageIndex(1);
    EXPECT_EQ(t.languageIndex(), 1);
    EXPECT_EQ(t.text(LangGroup::Menu, MenuBackup), u"設定データバックアップ"_qs);
    t.setLanguageIndex(5);
    EXPECT_EQ(t.languageIndex(), 0);
    EXPECT_EQ(t.text(LangGroup::Menu, MenuBackup), t.text(0, LangGroup::Menu, MenuBackup));
}

// The tool's own texts: every one in both languages, with the same placeholders (a table
// shorter than its enum leaves the last texts empty).
TEST(ToolTextsTest, EveryTextHasBothLanguagesWithTheSamePlaceholders) {
    for (int id = 0; id < int(ToolText::Count); ++id) {
        const QString en = toolText(0, ToolText(id));
        const QString ja = toolText(1, ToolText(id));
        EXPECT_FALSE(en.isEmpty()) << id;
        EXPECT_NE(en, ja) << id;
        EXPECT_EQ(test::Placeholders(en), test::Placeholders(ja)) << id;
    }
    EXPECT_TRUE(toolText(0, ToolText::Count).isEmpty());
}

TEST(MessageCatalogTest, ExtraTextRules) {
    const LanguageTables english;
    const auto m1 = ComposeMessage(english, 1, u"LINE 12"_qs);
    ASSERT_TRUE(m1);
    EXPECT_EQ(std::tuple(m1->text, m1->title, m1->buttons, m1->icon),
              std::tuple(u"LINE 12\r\nKeep file reading ?"_qs, u"File input error"_qs,
                         MessageButtons::YesNo, MessageIcon::Warning));
    EXPECT_EQ(ComposeMessage(english, 20, u"x"_qs)->text, u"x\r\nNo more data is read."_qs);
    for (int number : {4, 14, 17, 18})
        EXPECT_EQ(ComposeMessage(english, number, u"only"_qs)->text, u"only"_qs);
    EXPECT_EQ(ComposeMessage(english, 36, u"ignored"_qs)->text,
              u"Other window in action\r\nEnd current window in action"_qs);
    EXPECT_EQ(ComposeMessage(english, 2, u"ignored"_qs)->text, u"Timeout error"_qs);
    EXPECT_EQ(ComposeMessage(english, 19, {})->buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(ComposeMessage(english, 7, {})->icon, MessageIcon::Question);
    EXPECT_EQ(ComposeMessage(english, 21, {})->text, u"\"BUSY\" is received."_qs);
}

TEST(MessageCatalogTest, EveryNumberHasATitleAndOnlyOneToThirtySixExist) {
    LanguageTables tables;
    for (int language = 0; language < 2; ++language) {
        tables.setLanguageIndex(language);
        for (int number = 1; number <= 36; ++number) {
            const auto m = ComposeMessage(tables, number, u"E"_qs);
            ASSERT_TRUE(m);
            EXPECT_FALSE(m->title.isEmpty() || m->text.isEmpty()) << number;
        }
        for (const int number : {0, 37, -1})
            EXPECT_FALSE(ComposeMessage(tables, number)) << number;
    }
}

TEST(MessageCatalogTest, JapaneseTextsAndTheJapaneseOnlyMessages) {
    LanguageTables tables;
    tables.setLanguageIndex(1);
    const auto m2 = ComposeMessage(tables, 2);
    EXPECT_EQ((QStringList{m2->title, m2->text}),
              (QStringList{u"通信エラー"_qs, u"タイムアウトエラーが発生しました。"_qs}));
    tables.setLanguageIndex(0);
    const auto m5 = ComposeMessage(tables, 5);
    EXPECT_EQ((QStringList{m5->title, m5->text}),
              (QStringList{u"送信データ異常"_qs, u"連続送信できるデータがありません。"_qs}));
    EXPECT_EQ(ComposeMessage(tables, 9)->text, u"連続送信中です。"_qs);
}

TEST(MessageCatalogTest, RangeErrorInBothLanguages) {
    LanguageTables tables;
    test::RecordingSink sink;
    ShowRangeError(sink, tables, u"1"_qs, u"99"_qs);
    const auto m4 = ComposeMessage(tables, 4, sink.shown.value(0).extra);
    EXPECT_EQ(std::tuple(m4->text, m4->title, m4->icon),
              std::tuple(u"1 to 99 Setting data is beyond the setting range"_qs,
                         u"Error message"_qs, MessageIcon::Stop));
    tables.setLanguageIndex(1);
    ShowRangeError(sink, tables, u"1"_qs, u"99"_qs);
    EXPECT_EQ(sink.shown[1].extra, u"1～99の設定範囲を超えています。"_qs);
}
