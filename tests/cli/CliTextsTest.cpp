// zelctl's own texts: every one in both languages, with the same placeholders.
#include "CliTexts.h"
#include "TextPlaceholders.h"
#include "shell/LanguageTables.h"

#include <gtest/gtest.h>

using namespace zel;
using namespace zel::cli;

namespace {

TEST(CliTextsTest, EveryTextHasBothLanguagesWithTheSamePlaceholders) {
    LanguageTables english;
    english.setLanguageIndex(0);
    LanguageTables japanese;
    japanese.setLanguageIndex(1);
    for (int id = 0; id < int(CliText::Count); ++id) {
        const QString en = cliText(english, CliText(id));
        const QString ja = cliText(japanese, CliText(id));
        EXPECT_FALSE(en.isEmpty()) << id;
        EXPECT_NE(en, ja) << id;
        EXPECT_EQ(test::Placeholders(en), test::Placeholders(ja)) << id;
    }
    EXPECT_TRUE(cliText(english, CliText::Count).isEmpty());
}

} // namespace
