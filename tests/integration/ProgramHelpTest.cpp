// What a new user first runs: help, version and the port list, with and without a display.
// The help's texts and layout are pinned on the help tables; here, that each program and
// command reaches them.
#include "ZelctlTest.h"

#include <QFile>
#include <QRegularExpression>

using namespace zel::test;

constexpr int kRunTimeoutMs = 30000;

class ProgramHelpTest : public ZelctlTest {};

constexpr const char* kCommands[] = {"backup",   "test",  "flash", "frame", "log",
                                     "panel",    "ports", "print", "scan",  "send",
                                     "settings", "srec",  "titles"};

// zel with neither a display nor a platform chosen unless `platform` is given.
static ProgramRun runZel(const QStringList& args, const QString& platform = {}) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(u"DISPLAY"_qs);
    environment.remove(u"WAYLAND_DISPLAY"_qs);
    environment.remove(u"QT_QPA_PLATFORM"_qs);
    if (!platform.isEmpty())
        environment.insert(u"QT_QPA_PLATFORM"_qs, platform);
    return RunProgram(BuiltProgram(u"zel"_qs), args, kRunTimeoutMs, environment);
}

TEST_F(ProgramHelpTest, ZelHelpVersionAndAnUnknownScreen) {
    if (!QFile::exists(BuiltProgram(u"zel"_qs)))
        GTEST_SKIP() << "zel is not built";
    // Help and version need no display: a GUI start would fail.
    const ProgramRun help = runZel({u"--help"_qs});
    EXPECT_EQ(help.exitCode, 0) << help.err.toStdString();
    for (const char* option : {"--simulate", "--port", "--open", "--screenshot", "--lang"})
        EXPECT_TRUE(help.out.contains(QLatin1String(option))) << option;
    EXPECT_TRUE(Ended(runZel({u"--version"_qs}), 0, {}, u"zel " ZEL_VERSION "\n"_qs));
    const ProgramRun open = runZel(Words("--open backpu"), u"offscreen"_qs);
    EXPECT_TRUE(Ended(open, 2, "'backpu'"));
    for (const char* name : {"panel", "title", "backup", "cpuwriter", "option", "test", "log"})
        EXPECT_TRUE(open.err.contains(QLatin1String(name))) << name;
}

TEST_F(ProgramHelpTest, PortsPrintsFiveTabFieldsPerPortOrSaysNoneFound) {
    ASSERT_TRUE(writeBytes(path("zel.ini"), QByteArray()));
    const ProgramRun ports = run({u"ports"_qs});
    EXPECT_EQ(ports.exitCode, 0) << ports.err.toStdString();
    const QStringList lines = ports.out.split(u'\n', Qt::SkipEmptyParts);
    if (lines.isEmpty()) {
        EXPECT_TRUE(Holds(ports.err, "no serial port found"));
    }
    static const QRegularExpression line(u"^/dev/[^\\t]+(\\t[^\\t]*){3}\\t(COM[1-4])?$"_qs);
    for (const QString& text : lines)
        EXPECT_TRUE(line.match(text).hasMatch()) << text.toStdString();
    EXPECT_EQ(run(Words("ports extra")).exitCode, 2);
}

TEST_F(ProgramHelpTest, UsageErrorsAndAMissingSettingsFile) {
    const ProgramRun none = run({});
    EXPECT_TRUE(Ended(none, 2, "", ""));
    EXPECT_TRUE(StartsWith(none.err, "Usage: zelctl"));
    EXPECT_TRUE(Ended(run({u"settings"_qs}), 1,
                      u"Confirmation Message: No Setting File exists.\n"
                      "zelctl: settings file: %1\n"_qs.arg(path("zel.ini"))));
    expectRuns({
        {"--bogus", 2, "zelctl: unknown option '--bogus' (see --help)\n"},
        {"bogus", 2, "unknown command 'bogus'"},
        // Options of one form of a command are refused on its other forms, naming the owner.
        {"backup download --no-verify --camera=1 --remote=1 f.bin", 2,
         "zelctl: backup: --no-verify belongs to backup upload\n"},
        {"backup diff --no-verify a.bin b.bin", 2,
         "zelctl: backup diff: --no-verify belongs to backup upload\n"},
        {"titles export --category=1 a.ttl a.csv", 2,
         "zelctl: titles: --category belongs to titles "},
    });
}

// Every command goes through the one option parser (both spellings of a value are pinned in
// CommandLineTest): it refuses what it does not know in one wording, and has its own help.
TEST_F(ProgramHelpTest, EveryCommandParsesAndHelpsTheSameWay) {
    const ProgramRun all = run({u"--help-all"_qs});
    EXPECT_EQ(all.exitCode, 0);
    for (const char* name : kCommands) {
        SCOPED_TRACE(name);
        const QString command = QLatin1String(name);
        EXPECT_TRUE(Ended(run({command, u"--bogus"_qs}), 2,
                          u"zelctl: %1: unknown option '--bogus'\n"_qs.arg(command)));
        EXPECT_TRUE(Ended(run({command, u"--port"_qs}), 2,
                          u"zelctl: %1: --port needs a value\n"_qs.arg(command)));
        const ProgramRun help = run({command, u"--help"_qs});
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_TRUE(StartsWith(help.out, u"Usage: zelctl [global options] "_qs + command));
        EXPECT_TRUE(Holds(all.out, help.out));
        // Its synopsis lines, from its declarations, name no other command.
        const QRegularExpression synopsis(u"zelctl \\[global options\\] %1( |$)"_qs.arg(command));
        for (const QString& line : help.out.split(u'\n'))
            EXPECT_TRUE(!line.contains(u"zelctl [global options]"_qs) ||
                        synopsis.match(line).hasMatch())
                << line.toStdString();
    }
}

TEST_F(ProgramHelpTest, AFormsHelpShowsOnlyThatForm) {
    const ProgramRun backup = run(Words("backup --help"));
    EXPECT_TRUE(StartsWith(
        backup.out, "Usage: zelctl [global options] backup download --camera N --remote N FILE\n"));
    EXPECT_TRUE(Holds(backup.out, "backup upload [--no-verify]"));
    EXPECT_FALSE(Holds(backup.out, "titles"));
    const ProgramRun download = run(Words("titles download --help"));
    EXPECT_EQ(download.exitCode, 0);
    EXPECT_TRUE(Holds(download.out, "titles download --camera N"));
    EXPECT_FALSE(Holds(download.out, "titles upload"));
    // Where a script finds the file a download wrote.
    EXPECT_TRUE(download.out.simplified().contains(u"then \"file written: FILE.ttl\" on stderr"_qs))
        << download.out.toStdString();
    // The events themselves are listed in PanelScriptTest.
    EXPECT_TRUE(Holds(run(Words("panel --help")).out, "press:K"));
}

// The help is in the run's language: --lang, else [LANGUAGE] Mode of zel.ini; names stay.
TEST_F(ProgramHelpTest, HelpIsJapaneseWithLangJaOrTheSettingsMode) {
    const ProgramRun backup = run(Words("--lang ja backup --help"));
    EXPECT_EQ(backup.exitCode, 0);
    const QStringList lines = backup.out.split(u'\n');
    for (const char* line :
         {"使い方: zelctl [共通オプション] backup download --camera N --remote N FILE",
          "        zelctl [共通オプション] backup upload [--no-verify] --camera N --remote N FILE",
          "  --remote N            カメラコントローラのリモート番号、1～99"})
        EXPECT_TRUE(lines.contains(QString::fromUtf8(line))) << line << "\n"
                                                             << backup.out.toStdString();

    const ProgramRun english = run({u"--help"_qs});
    EXPECT_EQ(english.exitCode, 0);
    EXPECT_TRUE(Holds(english.out, "Global options:"));
    ASSERT_TRUE(writeBytes(path("zel.ini"), "[LANGUAGE]\r\nMode=1\r\n"));
    EXPECT_TRUE(run({u"--help"_qs}).out.contains(u"\nコマンド:\n"_qs));
    const ProgramRun all = run(Words("--lang en --help-all"));
    EXPECT_TRUE(StartsWith(all.out, "Usage: zelctl [global options]"));
    EXPECT_FALSE(Holds(all.out, "カメラ"));
    // Usage errors follow the settings language too, unless --lang says otherwise.
    expectRuns({
        {"scan --bogus", 2, "zelctl: scan: 不明なオプション '--bogus'\n"},
        {"backup download --camera", 2, "zelctl: backup: --camera には値が必要です\n"},
        {"--lang en scan --bogus", 2, "zelctl: scan: unknown option '--bogus'\n"},
    });
}
