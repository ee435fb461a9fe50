#include "shell/MessageCatalog.h"
#include "RecordingSink.h"
#include "shell/LanguageTables.h"

#include <gtest/gtest.h>

using namespace zel;

TEST(MessageCatalogTest, ExtraTextRules) {
    const LanguageTables english;
    const auto m1 = ComposeMessage(english, 1, QStringLiteral("LINE 12"));
    ASSERT_TRUE(m1);
    EXPECT_EQ(m1->text, QStringLiteral("LINE 12\r\nKeep file reading ?"));
    EXPECT_EQ(m1->title, QStringLiteral("File input error"));
    EXPECT_EQ(m1->buttons, MessageButtons::YesNo);
    EXPECT_EQ(m1->icon, MessageIcon::Warning);

    const auto m20 = ComposeMessage(english, 20, QStringLiteral("x"));
    EXPECT_EQ(m20->text, QStringLiteral("x\r\nNo more data is read."));
    for (int number : {4, 14, 17, 18})
        EXPECT_EQ(ComposeMessage(english, number, QStringLiteral("only"))->text,
                  QStringLiteral("only"));
    const auto m36 = ComposeMessage(english, 36, QStringLiteral("ignored"));
    EXPECT_EQ(m36->text, QStringLiteral("Other window in action\r\nEnd current window in action"));
    EXPECT_EQ(ComposeMessage(english, 2, QStringLiteral("ignored"))->text,
              QStringLiteral("Timeout error"));
    EXPECT_EQ(ComposeMessage(english, 19, {})->buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(ComposeMessage(english, 7, {})->icon, MessageIcon::Question);
    EXPECT_EQ(ComposeMessage(english, 21, {})->text, QStringLiteral("\"BUSY\" is received."));
}

TEST(MessageCatalogTest, EveryNumberHasATitleAndOnlyOneToThirtySixExist) {
    LanguageTables tables;
    for (int language = 0; language < 2; ++language) {
        tables.setLanguageIndex(language);
        for (int number = 1; number <= 36; ++number) {
            const auto m = ComposeMessage(tables, number, QStringLiteral("E"));
            ASSERT_TRUE(m);
            EXPECT_FALSE(m->title.isEmpty()) << number;
            EXPECT_FALSE(m->text.isEmpty()) << number;
        }
        EXPECT_FALSE(ComposeMessage(tables, 0));
        EXPECT_FALSE(ComposeMessage(tables, 37));
        EXPECT_FALSE(ComposeMessage(tables, -1));
    }
}

TEST(MessageCatalogTest, JapaneseTextsAndTheJapaneseOnlyMessages) {
    LanguageTables tables;
    tables.setLanguageIndex(1);
    const auto m2 = ComposeMessage(tables, 2);
    EXPECT_EQ(m2->title, QStringLiteral("通信エラー"));
    EXPECT_EQ(m2->text, QStringLiteral("タイムアウトエラーが発生しました。"));

    tables.setLanguageIndex(0);
    const auto m5 = ComposeMessage(tables, 5);
    EXPECT_EQ(m5->title, QStringLiteral("送信データ異常"));
    EXPECT_EQ(m5->text, QStringLiteral("連続送信できるデータがありません。"));
    EXPECT_EQ(ComposeMessage(tables, 9)->text, QStringLiteral("連続送信中です。"));
}

TEST(MessageCatalogTest, RangeErrorInBothLanguages) {
    LanguageTables tables;
    test::RecordingSink sink;
    ShowRangeError(sink, tables, QStringLiteral("1"), QStringLiteral("99"));
    const auto m4 = ComposeMessage(tables, 4, sink.shown.value(0).extra);
    EXPECT_EQ(m4->text, QStringLiteral("1 to 99 Setting data is beyond the setting range"));
    EXPECT_EQ(m4->title, QStringLiteral("Error message"));
    EXPECT_EQ(m4->icon, MessageIcon::Stop);

    tables.setLanguageIndex(1);
    ShowRangeError(sink, tables, QStringLiteral("1"), QStringLiteral("99"));
    EXPECT_EQ(sink.shown[1].extra, QStringLiteral("1～99の設定範囲を超えています。"));
}
