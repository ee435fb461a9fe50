#include "shell/LanguageTables.h"
#include "TextPlaceholders.h"
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
        for (int language = 0; language < 2; ++language) {
            for (int i = 0; i < LanguageTables::groupSize(group); ++i) {
                const bool mayBeEmpty =
                    (group == LangGroup::ProgressLabels && i == 8) ||
                    (group == LangGroup::Messages && i >= 45); // unused tail of the group
                if (!mayBeEmpty) {
                    EXPECT_FALSE(tables.text(language, group, i).isEmpty())
                        << "group " << g << " index " << i << " language " << language;
                }
            }
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
