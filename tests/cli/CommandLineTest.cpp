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

namespace {

const CliOptions& options() {
    static const CliOptions declared{
        {{QStringLiteral("camera")}, QStringLiteral("N"), QStringLiteral("camera")},
        {Words("o output"), QStringLiteral("FILE"), QStringLiteral("out")},
        {{QStringLiteral("rounds")},
         QStringLiteral("N"),
         QStringLiteral("rounds"),
         QStringLiteral("1")},
        {{QStringLiteral("no-verify")}, {}, QStringLiteral("skip"), {}, {QStringLiteral("upload")}},
        {{QStringLiteral("find")}, QStringLiteral("TEXT"), QStringLiteral("find")},
    };
    return declared;
}

struct ValueCase {
    const char* args;
    const char* option;
    const char* value;
    bool given;
    const char* positional; // joined with spaces
};

TEST(CommandLineTest, ReadsBothSpellingsAliasesDefaultsAndTheEndOfOptions) {
    const ValueCase cases[] = {
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
    for (const ValueCase& c : cases) {
        CommandLine line;
        QString error;
        ASSERT_TRUE(line.parse(options(), Words(c.args), &error))
            << c.args << ": " << error.toStdString();
        EXPECT_EQ(line.isSet(QLatin1String(c.option)), c.given) << c.args;
        EXPECT_EQ(line.value(QLatin1String(c.option)), QLatin1String(c.value)) << c.args;
        EXPECT_EQ(line.positional().join(QLatin1Char(' ')), QLatin1String(c.positional)) << c.args;
    }
}

TEST(CommandLineTest, RefusesWithOneWordingNamingTheArgument) {
    const std::pair<const char*, const char*> cases[] = {
        {"--bogus FILE", "unknown option '--bogus'"},
        {"FILE --bogus=3", "unknown option '--bogus'"},
        {"-x FILE", "unknown option '-x'"},
        {"FILE --camera", "--camera needs a value"},
        {"-o", "-o needs a value"},
        {"--no-verify=yes", "--no-verify takes no value"},
    };
    for (const auto& [args, expected] : cases) {
        CommandLine line;
        QString error;
        EXPECT_FALSE(line.parse(options(), Words(args), &error)) << args;
        EXPECT_EQ(error, QLatin1String(expected)) << args;
    }
}

TEST(CommandLineTest, AnOptionOfAnotherFormIsNamedWithItsForm) {
    CommandLine line;
    QString error;
    ASSERT_TRUE(line.parse(options(), Words("download --no-verify FILE"), &error));
    EXPECT_EQ(line.misplacedOption(QStringLiteral("backup"), QStringLiteral("download")),
              QStringLiteral("--no-verify belongs to backup upload"));
    EXPECT_TRUE(line.misplacedOption(QStringLiteral("backup"), QStringLiteral("upload")).isEmpty());
    EXPECT_EQ(line.subcommand(), QStringLiteral("download"));
    EXPECT_EQ(line.operands(), QStringList{QStringLiteral("FILE")});
}

TEST(CommandLineTest, UsageErrorsAreWordedInTheLinesLanguage) {
    const std::pair<const char*, QString> refusals[] = {
        {"--bogus FILE", QStringLiteral("不明なオプション '--bogus'")},
        {"FILE --camera", QStringLiteral("--camera には値が必要です")},
        {"--no-verify=yes", QStringLiteral("--no-verify に値は指定できません")},
    };
    for (const auto& [args, expected] : refusals) {
        CommandLine line(1);
        QString error;
        EXPECT_FALSE(line.parse(options(), Words(args), &error)) << args;
        EXPECT_EQ(error, expected) << args;
    }
    CommandLine line(1);
    QString error;
    ASSERT_TRUE(line.parse(options() + CliOptions{RemoteOption()},
                           Words("download --no-verify --camera 300 --remote 1"), &error));
    EXPECT_EQ(line.misplacedOption(QStringLiteral("backup"), QStringLiteral("download")),
              QStringLiteral("--no-verify は backup upload のオプションです"));
    EXPECT_EQ(CameraAddress::from(line).rangeError(),
              QStringLiteral("--camera は 1 から 255 までの数で指定してください (指定値 '300')"));
    EXPECT_EQ(OneFile(line, true, QStringLiteral("FILE"), &error), QString());
    EXPECT_EQ(error, QStringLiteral("FILE を指定してください"));
}

TEST(CommandLineTest, UsageLanguageComesFromLangElseTheSettingsFile) {
    QTemporaryDir japanese;
    QTemporaryDir english;
    for (const auto& [dir, mode] : {std::pair{&japanese, "1"}, std::pair{&english, "0"}}) {
        ASSERT_TRUE(zel::test::writeBytes(dir->filePath(QStringLiteral("zel.ini")),
                                          QByteArray("[LANGUAGE]\r\nMode=") + mode + "\r\n"));
    }
    const QString ja = japanese.path();
    const QString en = english.path();
    const struct {
        QStringList args;
        QString executableFolder;
        int expected;
    } cases[] = {
        {Words("--lang ja scan"), en, 1},
        {Words("scan --lang=ja"), en, 1},
        {{QStringLiteral("scan")}, ja, 1},
        {Words("--folder") << ja << Words("scan"), en, 1},
        {{QStringLiteral("--folder=") + ja, QStringLiteral("--lang"), QStringLiteral("en")}, en, 0},
        {Words("-- --lang ja"), en, 0},
        {{QStringLiteral("--lang")}, en, 0}, // the value is missing: the refusal in English
    };
    for (const auto& c : cases)
        EXPECT_EQ(UsageLanguageIndex(c.args, c.executableFolder), c.expected)
            << c.args.join(QLatin1Char(' ')).toStdString();
}

TEST(CliHelpTest, OptionTableWrapsDescriptionsBesideTheNames) {
    const CliOptions table{{{QStringLiteral("o")},
                            QStringLiteral("IMAGE.bin"),
                            QStringList(30, QStringLiteral("word")).join(QLatin1Char(' ')),
                            QStringLiteral("x.bin")},
                           {{QStringLiteral("a-very-long-option-name")},
                            QStringLiteral("VALUE"),
                            QStringLiteral("d")}};
    const QStringList lines = OptionTable(table).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("  -o IMAGE.bin          word word")));
    EXPECT_TRUE(lines.join(QLatin1Char(' '))
                    .simplified()
                    .contains(QStringLiteral("word (default: x.bin)")));
    for (const QString& line : lines.mid(1, lines.size() - 3))
        EXPECT_TRUE(line.startsWith(QString(24, QLatin1Char(' ')))) << line.toStdString();
    // A name too long for the column: the description starts on the next line.
    EXPECT_EQ(lines.last(), QString(24, QLatin1Char(' ')) + QStringLiteral("d"));
}

TEST(CliHelpTest, ASubcommandsHelpShowsOnlyItsLinesAndOptions) {
    const CliCommand* titles = FindCommand(QStringLiteral("titles"));
    ASSERT_NE(titles, nullptr);
    const QString download = CommandHelp(*titles, QStringLiteral("download"));
    EXPECT_TRUE(download.contains(QStringLiteral("titles download --camera LIST --remote N DIR")));
    EXPECT_FALSE(download.contains(QStringLiteral("titles upload")));
    EXPECT_TRUE(download.contains(QStringLiteral("--remote N")));
    EXPECT_FALSE(download.contains(QStringLiteral("--category")));
    // An unknown form shows the whole command.
    EXPECT_EQ(CommandHelp(*titles, QStringLiteral("bogus")), CommandHelp(*titles));
}

} // namespace
