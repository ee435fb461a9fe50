// The one option parser of zelctl: both spellings of a value, aliases, defaults, "--", and
// the same refusal wording for every command.
#include "CommandLine.h"
#include "CliArguments.h"
#include "CliHelp.h"
#include "CliUsageLanguage.h"
#include "TestFiles.h"
#include "Words.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace zel::cli;
using zel::test::Words;

static const CliOptions& options() {
    static const CliOptions declared{
        {{u"camera"_qs}, u"N"_qs, u"camera"_qs},
        {Words("o output"), u"FILE"_qs, u"out"_qs},
        {{u"rounds"_qs}, u"N"_qs, u"rounds"_qs, u"1"_qs},
        {{u"no-verify"_qs}, {}, u"skip"_qs, {}, {u"upload"_qs}},
        {{u"find"_qs}, u"TEXT"_qs, u"find"_qs},
    };
    return declared;
}

TEST(CommandLineTest, ReadsBothSpellingsAliasesDefaultsAndTheEndOfOptions) {
    // The arguments, an option, its value, whether it is given, the words left (joined).
    const std::tuple<const char*, const char*, const char*, bool, const char*> cases[] = {
        {"--camera 5 FILE", "camera", "5", true, "FILE"},
        {"--camera=5 FILE", "camera", "5", true, "FILE"},
        {"FILE --camera=", "camera", "", true, "FILE"},
        {"-o out.bin in.mot", "o", "out.bin", true, "in.mot"},
        {"--output=out.bin in.mot", "o", "out.bin", true, "in.mot"},
        {"in.mot", "rounds", "1", false, "in.mot"},
        {"--rounds 3 --rounds 7", "rounds", "7", true, ""},
        {"--find -x F", "find", "-x", true, "F"},
        {"--camera --bogus", "camera", "--bogus", true, ""}, // a value is taken as it stands
        {"-- --camera 5", "camera", "", false, "--camera 5"},
        {"upload - --no-verify", "no-verify", "", true, "upload -"},
    };
    for (const auto& [args, option, value, given, positional] : cases) {
        SCOPED_TRACE(args);
        CommandLine line;
        QString error;
        ASSERT_TRUE(line.parse(options(), Words(args), &error)) << error.toStdString();
        EXPECT_EQ(line.isSet(QLatin1String(option)), given);
        EXPECT_EQ(line.value(QLatin1String(option)), QLatin1String(value));
        EXPECT_EQ(line.positional().join(u' '), QLatin1String(positional));
    }
}

TEST(CommandLineTest, RefusesWithOneWordingNamingTheArgumentInTheLinesLanguage) {
    // The line's language, the arguments, the refusal.
    const std::tuple<int, const char*, QString> cases[] = {
        {0, "--bogus FILE", u"unknown option '--bogus'"_qs},
        {0, "FILE --bogus=3", u"unknown option '--bogus'"_qs},
        {0, "-x FILE", u"unknown option '-x'"_qs},
        {0, "FILE --camera", u"--camera needs a value"_qs},
        {0, "-o", u"-o needs a value"_qs},
        {0, "--no-verify=yes", u"--no-verify takes no value"_qs},
        {1, "--bogus FILE", u"不明なオプション '--bogus'"_qs},
        {1, "FILE --camera", u"--camera には値が必要です"_qs},
        {1, "--no-verify=yes", u"--no-verify に値は指定できません"_qs},
    };
    for (const auto& [language, args, expected] : cases) {
        SCOPED_TRACE(args);
        CommandLine line(language);
        QString error;
        EXPECT_FALSE(line.parse(options(), Words(args), &error));
        EXPECT_EQ(error, expected);
    }
}

TEST(CommandLineTest, AnOptionOfAnotherFormIsNamedWithItsForm) {
    CommandLine line;
    QString error;
    ASSERT_TRUE(line.parse(options(), Words("download --no-verify FILE"), &error));
    EXPECT_EQ(line.misplacedOption(u"backup"_qs, u"download"_qs),
              u"--no-verify belongs to backup upload"_qs);
    EXPECT_TRUE(line.misplacedOption(u"backup"_qs, u"upload"_qs).isEmpty());
    EXPECT_EQ(line.subcommand(), u"download"_qs);
    EXPECT_EQ(line.operands(), QStringList{u"FILE"_qs});
}

TEST(CommandLineTest, UsageErrorsAreWordedInTheLinesLanguage) {
    CommandLine line(1);
    QString error;
    ASSERT_TRUE(line.parse(options() + CliOptions{RemoteOption()},
                           Words("download --no-verify --camera 300 --remote 1"), &error));
    EXPECT_EQ(line.misplacedOption(u"backup"_qs, u"download"_qs),
              u"--no-verify は backup upload のオプションです"_qs);
    EXPECT_EQ(CameraAddress::from(line).rangeError(),
              u"--camera は 1 から 255 までの数で指定してください (指定値 '300')"_qs);
    EXPECT_EQ(OneFile(line, true, u"FILE"_qs, &error), QString());
    EXPECT_EQ(error, u"FILE を指定してください"_qs);
}

TEST(CommandLineTest, UsageLanguageComesFromLangElseTheSettingsFile) {
    QTemporaryDir japanese;
    QTemporaryDir english;
    for (const auto& [dir, mode] : {std::pair{&japanese, "1"}, std::pair{&english, "0"}})
        ASSERT_TRUE(zel::test::writeBytes(dir->filePath(u"zel.ini"_qs),
                                          QByteArray("[LANGUAGE]\r\nMode=") + mode + "\r\n"));
    const QString ja = japanese.path();
    const QString en = english.path();
    // The arguments, the program's folder, the language the usage errors take.
    const std::tuple<QStringList, QString, int> cases[] = {
        {Words("--lang ja scan"), en, 1},
        {Words("scan --lang=ja"), en, 1},
        {{u"scan"_qs}, ja, 1},
        {Words("--folder") << ja << Words("scan"), en, 1},
        {{u"--folder="_qs + ja, u"--lang"_qs, u"en"_qs}, en, 0},
        {Words("-- --lang ja"), en, 0},
        {{u"--lang"_qs}, en, 0}, // the value is missing: the refusal in English
    };
    for (const auto& [args, executableFolder, expected] : cases)
        EXPECT_EQ(UsageLanguageIndex(args, executableFolder), expected)
            << args.join(u' ').toStdString();
}

TEST(CliHelpTest, OptionTableWrapsDescriptionsBesideTheNames) {
    const CliOptions table{
        {{u"o"_qs}, u"IMAGE.bin"_qs, QStringList(30, u"word"_qs).join(u' '), u"x.bin"_qs},
        {{u"a-very-long-option-name"_qs}, u"VALUE"_qs, u"d"_qs}};
    const QStringList lines = OptionTable(table).split(u'\n', Qt::SkipEmptyParts);
    EXPECT_TRUE(lines[0].startsWith(u"  -o IMAGE.bin          word word"_qs));
    EXPECT_TRUE(lines.join(u' ').simplified().contains(u"word (default: x.bin)"_qs));
    for (const QString& line : lines.mid(1, lines.size() - 3))
        EXPECT_TRUE(line.startsWith(QString(24, u' '))) << line.toStdString();
    // A name too long for the column: the description starts on the next line.
    EXPECT_EQ(lines.last(), QString(24, u' ') + u"d"_qs);
}

TEST(CliHelpTest, ASubcommandsHelpShowsOnlyItsLinesAndOptions) {
    const CliCommand* titles = FindCommand(u"titles"_qs);
    ASSERT_NE(titles, nullptr);
    const QString download = CommandHelp(*titles, u"download"_qs);
    EXPECT_TRUE(download.contains(u"titles download --camera LIST --remote N DIR"_qs));
    EXPECT_FALSE(download.contains(u"titles upload"_qs));
    EXPECT_TRUE(download.contains(u"--remote N"_qs));
    EXPECT_FALSE(download.contains(u"--category"_qs));
    // An unknown form shows the whole command.
    EXPECT_EQ(CommandHelp(*titles, u"bogus"_qs), CommandHelp(*titles));
}
