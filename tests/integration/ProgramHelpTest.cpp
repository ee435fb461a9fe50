// What a new user first runs: help, version and the port list, with and without a display.
#include "ZelctlTest.h"

#include <QFile>
#include <QRegularExpression>

using namespace zel::test;

namespace {

constexpr int kRunTimeoutMs = 30000;

class ProgramHelpTest : public ZelctlTest {};

using CliName = const char*;
constexpr CliName kCommands[] = {"backup", "test", "flash", "frame",    "log",  "panel", "ports",
                                 "print",  "scan", "send",  "settings", "srec", "titles"};

// zel with neither a display nor a platform chosen: a GUI start would fail.
ProgramRun runZelWithoutDisplay(const QStringList& args) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    return RunProgram(BuiltProgram(QStringLiteral("zel")), args, kRunTimeoutMs, environment);
}

TEST_F(ProgramHelpTest, ZelHelpAndVersionNeedNoDisplay) {
    if (!QFile::exists(BuiltProgram(QStringLiteral("zel"))))
        GTEST_SKIP() << "zel is not built";
    const ProgramRun help = runZelWithoutDisplay({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0) << help.err.toStdString();
    for (const char* option : {"--simulate", "--port", "--open", "--screenshot", "--lang"})
        EXPECT_TRUE(help.out.contains(QLatin1String(option))) << option;
    const ProgramRun version = runZelWithoutDisplay({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QStringLiteral("zel %1\n").arg(QStringLiteral(ZEL_VERSION)));
}

TEST_F(ProgramHelpTest, ZelOpenWithAnUnknownScreenListsTheScreens) {
    if (!QFile::exists(BuiltProgram(QStringLiteral("zel"))))
        GTEST_SKIP() << "zel is not built";
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const ProgramRun run = RunProgram(BuiltProgram(QStringLiteral("zel")), Words("--open backpu"),
                                      kRunTimeoutMs, environment);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("'backpu'"))) << run.err.toStdString();
    for (const char* name : {"panel", "title", "backup", "cpuwriter", "option", "test", "log"})
        EXPECT_TRUE(run.err.contains(QLatin1String(name))) << name;
}

TEST_F(ProgramHelpTest, PortsPrintsFiveTabFieldsPerPortOrSaysNoneFound) {
    ASSERT_TRUE(QFile(path("zel.ini")).open(QIODevice::WriteOnly));
    const ProgramRun ports = run({QStringLiteral("ports")});
    EXPECT_EQ(ports.exitCode, 0) << ports.err.toStdString();
    const QStringList lines = ports.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (lines.isEmpty()) {
        EXPECT_TRUE(ports.err.contains(QStringLiteral("no serial port found")));
    }
    static const QRegularExpression line(
        QStringLiteral("^/dev/[^\\t]+(\\t[^\\t]*){3}\\t(COM[1-4])?$"));
    for (const QString& text : lines)
        EXPECT_TRUE(line.match(text).hasMatch()) << text.toStdString();
    EXPECT_EQ(run(Words("ports extra")).exitCode, 2);
}

TEST_F(ProgramHelpTest, NoCommandIsAUsageErrorOnStderr) {
    const ProgramRun none = run({});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_TRUE(none.out.isEmpty()) << none.out.toStdString();
    EXPECT_TRUE(none.err.startsWith(QStringLiteral("Usage: zelctl"))) << none.err.toStdString();
}

TEST_F(ProgramHelpTest, EachCommandHasItsOwnHelp) {
    const ProgramRun backup = run(Words("backup --help"));
    EXPECT_EQ(backup.exitCode, 0);
    EXPECT_TRUE(backup.out.startsWith(QStringLiteral(
        "Usage: zelctl [global options] backup download --camera N --remote N FILE\n")))
        << backup.out.toStdString();
    EXPECT_TRUE(backup.out.contains(QStringLiteral("backup upload [--no-verify]")));
    EXPECT_FALSE(backup.out.contains(QStringLiteral("titles")));

    const ProgramRun download = run(Words("titles download --help"));
    EXPECT_EQ(download.exitCode, 0);
    EXPECT_TRUE(download.out.contains(QStringLiteral("titles download --camera N")));
    EXPECT_FALSE(download.out.contains(QStringLiteral("titles upload")));
    EXPECT_FALSE(download.out.contains(QStringLiteral("encode")));
    // Where a script finds the file a download wrote.
    EXPECT_TRUE(download.out.simplified().contains(
        QStringLiteral("then \"file written: FILE.ttl\" on stderr")))
        << download.out.toStdString();

    const ProgramRun all = run({QStringLiteral("--help")});
    EXPECT_EQ(all.exitCode, 0);
    EXPECT_TRUE(all.out.contains(QStringLiteral("Global options:")));
    EXPECT_TRUE(all.out.contains(QStringLiteral("ports")));
}

// The help is in the run's language: --lang, else [LANGUAGE] Mode of zel.ini; names stay.
TEST_F(ProgramHelpTest, HelpIsJapaneseWithLangJaOrTheSettingsMode) {
    const ProgramRun backup = run({QStringLiteral("--lang"), QStringLiteral("ja"),
                                   QStringLiteral("backup"), QStringLiteral("--help")});
    EXPECT_EQ(backup.exitCode, 0);
    const QStringList lines = backup.out.split(QLatin1Char('\n'));
    for (const char* line :
         {"使い方: zelctl [共通オプション] backup download --camera N --remote N FILE",
          "        zelctl [共通オプション] backup upload [--no-verify] --camera N --remote N FILE",
          "upload は FILE (32000 バイト) をカメラに書き込み、読み戻して照合します。",
          "オプション:", "  --remote N            カメラコントローラのリモート番号、1～99",
          "  --bytes               違いのあるバイトを 1 行ずつ表示: オフセットと両方の値",
          "終了コード: 0 成功、1 メッセージを表示して終了、2 使い方の誤り、"})
        EXPECT_TRUE(lines.contains(QString::fromUtf8(line))) << line << "\n"
                                                             << backup.out.toStdString();

    QFile ini(path("zel.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[LANGUAGE]\r\nMode=1\r\n");
    ini.close();
    EXPECT_TRUE(run({QStringLiteral("--help")}).out.contains(QStringLiteral("\nコマンド:\n")));
    const ProgramRun english =
        run({QStringLiteral("--lang"), QStringLiteral("en"), QStringLiteral("--help-all")});
    EXPECT_TRUE(english.out.startsWith(QStringLiteral("Usage: zelctl [global options]")));
    EXPECT_FALSE(english.out.contains(QStringLiteral("カメラ")));
}

TEST_F(ProgramHelpTest, MissingSettingsFileIsNamed) {
    const ProgramRun settings = run({QStringLiteral("settings")});
    EXPECT_EQ(settings.exitCode, 1);
    EXPECT_EQ(settings.err, QStringLiteral("Confirmation Message: No Setting File exists.\n"
                                           "zelctl: settings file: %1\n")
                                .arg(path("zel.ini")));
}

TEST_F(ProgramHelpTest, UnknownOptionIsCalledAnOption) {
    const ProgramRun bogus = run({QStringLiteral("--bogus")});
    EXPECT_EQ(bogus.exitCode, 2);
    EXPECT_EQ(bogus.err, QStringLiteral("zelctl: unknown option '--bogus' (see --help)\n"));
    const ProgramRun command = run({QStringLiteral("bogus")});
    EXPECT_EQ(command.exitCode, 2);
    EXPECT_TRUE(command.err.contains(QStringLiteral("unknown command 'bogus'")));
}

// Every command reads "--opt=V" as "--opt V" and refuses what it does not know in one wording.
TEST_F(ProgramHelpTest, EveryCommandTakesBothSpellingsAndRefusesTheSameWay) {
    const std::pair<QStringList, QStringList> spellings[] = {
        {Words("scan --remote 100"), Words("scan --remote=100")},
        {Words("send --camera 256 --remote 1 00"), Words("send --camera=256 --remote=1 00")},
        {Words("flash --cpu both x.mot"), Words("flash --cpu=both x.mot")},
    };
    for (const auto& [spaced, joined] : spellings) {
        const ProgramRun a = run(spaced);
        const ProgramRun b = run(joined);
        EXPECT_NE(a.exitCode, 0) << a.err.toStdString();
        EXPECT_EQ(a.exitCode, b.exitCode);
        EXPECT_EQ(a.err, b.err);
    }
    for (const CliName name : kCommands) {
        const QString command = QLatin1String(name);
        const ProgramRun bogus = run({command, QStringLiteral("--bogus")});
        EXPECT_EQ(bogus.exitCode, 2) << name;
        EXPECT_EQ(bogus.err, QStringLiteral("zelctl: %1: unknown option '--bogus'\n").arg(command));
        const ProgramRun missing = run({command, QStringLiteral("--port")});
        EXPECT_EQ(missing.exitCode, 2) << name;
        EXPECT_EQ(missing.err, QStringLiteral("zelctl: %1: --port needs a value\n").arg(command));
    }
    // Options of one form of a command are refused on its other forms, naming the owner.
    const std::pair<QStringList, const char*> misplaced[] = {
        {Words("backup upload --no-verify=1"), "zelctl: backup: --no-verify takes no value\n"},
        {Words("backup download --no-verify --camera=1 --remote=1 f.bin"),
         "zelctl: backup: --no-verify belongs to backup upload\n"},
        {Words("backup download --bytes --camera=1 --remote=1 f.bin"),
         "zelctl: backup: --bytes belongs to backup diff\n"},
        {Words("backup diff --no-verify a.bin b.bin"),
         "zelctl: backup diff: --no-verify belongs to backup upload\n"},
    };
    for (const auto& [args, error] : misplaced) {
        const ProgramRun refused = run(args);
        EXPECT_EQ(refused.exitCode, 2) << error;
        EXPECT_EQ(refused.err, QString::fromLatin1(error));
    }
    const ProgramRun categoryInExport = run(Words("titles export --category=1 a.ttl a.csv"));
    EXPECT_EQ(categoryInExport.exitCode, 2);
    EXPECT_TRUE(categoryInExport.err.startsWith(
        QStringLiteral("zelctl: titles: --category belongs to titles ")))
        << categoryInExport.err.toStdString();
}

// The help of every command comes from its declarations: its synopsis lines, then its
// options, each explained.
TEST_F(ProgramHelpTest, EveryCommandsHelpIsGeneratedWithItsOptionsExplained) {
    for (const CliName name : kCommands) {
        const QString command = QLatin1String(name);
        const ProgramRun help = run({command, QStringLiteral("--help")});
        EXPECT_EQ(help.exitCode, 0) << name;
        const QRegularExpression synopsis(
            QStringLiteral("zelctl \\[global options\\] %1( |$)").arg(command));
        for (const QString& line : help.out.split(QLatin1Char('\n'))) {
            const bool named = !line.contains(QStringLiteral("zelctl [global options]")) ||
                               synopsis.match(line).hasMatch();
            EXPECT_TRUE(named) << line.toStdString();
        }
    }
    const ProgramRun backup = run(Words("backup --help"));
    EXPECT_TRUE(backup.out.contains(QStringLiteral("--no-verify           do not read the camera")))
        << backup.out.toStdString();
    const ProgramRun panel = run(Words("panel --help"));
    for (const char* event : {"press:K", "click:NAME", "keydown:K", "wait:MS", "up-left", "menu"})
        EXPECT_TRUE(panel.out.contains(QLatin1String(event))) << event;
    const ProgramRun all = run({QStringLiteral("--help-all")});
    EXPECT_EQ(all.exitCode, 0);
    for (const CliName name : kCommands)
        EXPECT_TRUE(all.out.contains(QStringLiteral("Usage: zelctl [global options] ") +
                                     QLatin1String(name)))
            << name;
}

} // namespace
