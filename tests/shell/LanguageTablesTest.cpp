#include "shell/LanguageTables.h"

#include <gtest/gtest.h>

using namespace zel;

namespace {

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

TEST(LanguageTablesTest, SpotChecksPerGroup) {
    LanguageTables t;
    EXPECT_EQ(t.text(LangGroup::Menu, MenuCaption), QStringLiteral("CAMERA CONTROLLER"));
    EXPECT_EQ(t.text(LangGroup::Panel, 64), QStringLiteral("Operation panel"));
    EXPECT_EQ(t.text(LangGroup::Panel, 116), QStringLiteral("P"));
    EXPECT_EQ(t.text(LangGroup::Panel, 103), QStringLiteral("0°"));
    EXPECT_EQ(t.text(LangGroup::Backup, 7), QStringLiteral("Verification after UPLOAD"));
    EXPECT_EQ(t.text(LangGroup::CpuWriter, 10), QStringLiteral("Write"));
    EXPECT_EQ(t.text(LangGroup::Option, OptionRate0 + 3), QStringLiteral("38400bps"));
    EXPECT_EQ(t.text(LangGroup::TitleSet, TitleSetHeader1 + 6), QStringLiteral("AUX No."));
    EXPECT_EQ(t.text(LangGroup::TitleFileDialogs, 0), QStringLiteral("ID setting"));
    EXPECT_EQ(t.progress(ProgressLabel::UploadCompleted), QStringLiteral("UPLOAD is completed."));
    EXPECT_EQ(t.piece(MessagePiece::CheckError1).size(), 33);
    EXPECT_EQ(t.piece(MessagePiece::CheckError2).size(), 27);

    t.setLanguageIndex(1);
    EXPECT_EQ(t.text(LangGroup::Menu, MenuBackup), QStringLiteral("設定データバックアップ"));
    EXPECT_EQ(t.text(LangGroup::Panel, 99), QStringLiteral("旋回範囲"));
    EXPECT_EQ(t.text(LangGroup::Panel, 112), QStringLiteral("左回転"));
    EXPECT_EQ(t.text(LangGroup::Panel, 113), QStringLiteral("RE")); // unchanged in Japanese
    EXPECT_EQ(t.text(LangGroup::Option, OptionSave0 + 1), QStringLiteral("3分"));
    EXPECT_EQ(t.text(LangGroup::Replace, ReplaceCommandCancel), QStringLiteral("取消"));
    EXPECT_EQ(t.text(LangGroup::TitleFileDialogs, 0), QStringLiteral("ID入力画面"));
    EXPECT_EQ(t.text(LangGroup::TitleFileLabels, 1), QStringLiteral(":カメラ番号"));
    EXPECT_EQ(t.progress(ProgressLabel::InSaving), QStringLiteral("保存しています..."));
    EXPECT_EQ(t.text(LangGroup::TransMit, 3), QStringLiteral("保存しています...."));

    t.setLanguageIndex(5); // anything else is English
    EXPECT_EQ(t.languageIndex(), 0);
}

} // namespace
