// zelctl's help in Japanese: every declared text has one, and the layout holds in both languages.
#include "CliHelpTexts.h"
#include "CliHelp.h"
#include "TextPlaceholders.h"

#include <gtest/gtest.h>

using namespace zel::cli;

namespace {

constexpr int kJapanese = 1;

// Every text the help shows from the declarations: option descriptions, and each paragraph of
// a command's description (a form's help shows only its own paragraphs).
QStringList declaredHelpTexts() {
    QStringList texts;
    for (const CliOption& option : GlobalOptionDeclarations())
        texts.append(option.description);
    for (const CliCommand& command : RegisteredCommands()) {
        texts.append(command.description.split(QLatin1Char('\n')));
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
        EXPECT_TRUE(HasJapaneseHelpText(english)) << english.toStdString();
        const QString japanese = HelpText(english, kJapanese);
        EXPECT_EQ(zel::test::Placeholders(english), zel::test::Placeholders(japanese))
            << english.toStdString();
        EXPECT_EQ(HelpText(english, 0), english);
    }
}

// In both languages every command's help starts with its synopsis and is part of the manual,
// names and describes each option, and keeps each line but the synopses within 79 columns.
TEST(CliHelpTextsTest, EveryCommandsHelpNamesItsOptionsWithinTheLineWidth) {
    ASSERT_FALSE(RegisteredCommands().empty());
    const QString synopsisStart[] = {QStringLiteral("zelctl [global options]"),
                                     QStringLiteral("zelctl [共通オプション]")};
    const QString usage[] = {QStringLiteral("Usage: "), QStringLiteral("使い方: ")};
    for (const int language : {0, kJapanese}) {
        const QString manual = ManualText(language);
        for (const CliCommand& command : RegisteredCommands()) {
            SCOPED_TRACE(command.name.toStdString());
            const QString help = CommandHelp(command, {}, language);
            EXPECT_TRUE(help.startsWith(usage[language] + synopsisStart[language] + u' ' +
                                        command.synopses.value(0)))
                << help.toStdString();
            EXPECT_TRUE(manual.contains(help));
            for (const CliOption& option : command.options) {
                EXPECT_FALSE(option.description.isEmpty()) << option.written().toStdString();
                EXPECT_TRUE(help.contains(option.written())) << option.written().toStdString();
            }
            for (const QString& line : help.split(QLatin1Char('\n'))) {
                const bool synopsis = line.contains(synopsisStart[language]);
                EXPECT_TRUE(synopsis || DisplayWidth(line) <= 79) << line.toStdString();
                // A line never starts with the punctuation that closes a clause.
                EXPECT_FALSE(line.trimmed().startsWith(QStringLiteral("、")) ||
                             line.trimmed().startsWith(QStringLiteral("。")))
                    << line.toStdString();
            }
        }
    }
    for (const CliOption& option : GlobalOptionDeclarations())
        EXPECT_TRUE(GlobalHelp().contains(option.written()));
    EXPECT_TRUE(GlobalHelp(kJapanese).contains(QStringLiteral("\nコマンド:\n")));
    // The English help is untouched by the table.
    EXPECT_EQ(GlobalHelp(0), GlobalHelp());
    EXPECT_TRUE(GlobalHelp().startsWith(QStringLiteral("Usage: zelctl [global options]")));
}

TEST(CliHelpTextsTest, WrappingBreaksJapaneseBetweenCharactersAndCountsTwoColumns) {
    EXPECT_EQ(DisplayWidth(QStringLiteral("abc")), 3);
    EXPECT_EQ(DisplayWidth(QStringLiteral("カメラ 1")), 8);
    const CliOptions table{
        {{QStringLiteral("x")},
         {},
         QString(60, QChar(u'あ')) + QStringLiteral("、") + QString(10, QChar(u'い'))}};
    const QStringList lines = OptionTable(table).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    for (const QString& line : lines)
        EXPECT_LE(DisplayWidth(line), 79) << line.toStdString();
    EXPECT_TRUE(lines[1].startsWith(QString(24, QLatin1Char(' ')) + QChar(u'あ')));
    EXPECT_FALSE(lines.join(QString()).contains(QLatin1Char(' ') + QStringLiteral("、")));
}

} // namespace
