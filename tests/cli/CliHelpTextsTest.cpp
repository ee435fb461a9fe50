// zelctl's texts and help in Japanese: every declared text has one with the same placeholders,
// and the help's layout holds in both languages.
#include "CliHelpTexts.h"
#include "CliHelp.h"
#include "CliTexts.h"
#include "TextPlaceholders.h"
#include "shell/LanguageTables.h"

#include <gtest/gtest.h>

using namespace zel;
using namespace zel::cli;

constexpr int kJapanese = 1;

// Every text the help shows from the declarations: option descriptions, and each paragraph of
// a command's description (a form's help shows only its own paragraphs).
static QStringList declaredHelpTexts() {
    QStringList texts;
    for (const CliOption& option : GlobalOptionDeclarations())
        texts.append(option.description);
    for (const CliCommand& command : RegisteredCommands()) {
        texts.append(command.description.split(u'\n'));
        for (const CliOption& option : command.options)
            texts.append(option.description);
    }
    texts.removeAll(QString());
    texts.removeDuplicates();
    return texts;
}

TEST(CliHelpTextsTest, EveryDeclaredDescriptionHasItsJapaneseText) {
    const QStringList texts = declaredHelpTexts();
    ASSERT_GT(texts.size(), 20);
    for (const QString& english : texts) {
        SCOPED_TRACE(english.toStdString());
        EXPECT_TRUE(HasJapaneseHelpText(english));
        EXPECT_EQ(test::Placeholders(english), test::Placeholders(HelpText(english, kJapanese)));
        EXPECT_EQ(HelpText(english, 0), english);
    }
}

// In both languages every command's help starts with its synopsis and is part of the manual,
// names and describes each option, and keeps each line but the synopses within 79 columns.
TEST(CliHelpTextsTest, EveryCommandsHelpNamesItsOptionsWithinTheLineWidth) {
    ASSERT_FALSE(RegisteredCommands().empty());
    const QString synopsisStart[] = {u"zelctl [global options]"_qs, u"zelctl [共通オプション]"_qs};
    const QString usage[] = {u"Usage: "_qs, u"使い方: "_qs};
    for (const int language : {0, kJapanese}) {
        const QString manual = ManualText(language);
        for (const CliCommand& command : RegisteredCommands()) {
            SCOPED_TRACE(command.name.toStdString());
            const QString help = CommandHelp(command, {}, language);
            EXPECT_TRUE(help.startsWith(usage[language] + synopsisStart[language] + u' ' +
                                        command.synopses.value(0)))
                << help.toStdString();
            EXPECT_TRUE(manual.contains(help));
            for (const CliOption& option : command.options)
                EXPECT_TRUE(!option.description.isEmpty() && help.contains(option.written()))
                    << option.written().toStdString();
            for (const QString& line : help.split(u'\n')) {
                const bool synopsis = line.contains(synopsisStart[language]);
                EXPECT_TRUE(synopsis || DisplayWidth(line) <= 79) << line.toStdString();
                // A line never starts with the punctuation that closes a clause.
                EXPECT_FALSE(line.trimmed().startsWith(u"、"_qs) ||
                             line.trimmed().startsWith(u"。"_qs))
                    << line.toStdString();
            }
        }
    }
    for (const CliOption& option : GlobalOptionDeclarations())
        EXPECT_TRUE(GlobalHelp().contains(option.written()));
    EXPECT_TRUE(GlobalHelp(kJapanese).contains(u"\nコマンド:\n"_qs));
    // The English help is untouched by the table.
    EXPECT_EQ(GlobalHelp(0), GlobalHelp());
    EXPECT_TRUE(GlobalHelp().startsWith(u"Usage: zelctl [global options]"_qs));
}

TEST(CliHelpTextsTest, WrappingBreaksJapaneseBetweenCharactersAndCountsTwoColumns) {
    EXPECT_EQ(DisplayWidth(u"abc"_qs), 3);
    EXPECT_EQ(DisplayWidth(u"カメラ 1"_qs), 8);
    const CliOptions table{
        {{u"x"_qs}, {}, QString(60, QChar(u'あ')) + u"、"_qs + QString(10, QChar(u'い'))}};
    const QStringList lines = OptionTable(table).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    for (const QString& line : lines)
        EXPECT_LE(DisplayWidth(line), 79) << line.toStdString();
    EXPECT_TRUE(lines[1].startsWith(QString(24, u' ') + QChar(u'あ')));
    EXPECT_FALSE(lines.join(QString()).contains(u' ' + u"、"_qs));
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
        EXPECT_EQ(test::Placeholders(en), test::Placeholders(ja)) << id;
    }
    EXPECT_TRUE(cliText(english, CliText::Count).isEmpty());
}
