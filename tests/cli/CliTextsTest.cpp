// zelctl's own texts: every one in both languages, with the same placeholders.
#include "CliTexts.h"
#include "shell/LanguageTables.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

using namespace zel;
using namespace zel::cli;

namespace {

QStringList placeholders(const QString& text) {
    static const QRegularExpression marker(QStringLiteral("%\\d"));
    QStringList found;
    for (const QRegularExpressionMatch& match : marker.globalMatch(text))
        found.append(match.captured());
    found.sort();
    return found;
}

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
        EXPECT_EQ(placeholders(en), placeholders(ja)) << id;
    }
    EXPECT_TRUE(cliText(english, CliText::Count).isEmpty());
}

} // namespace
