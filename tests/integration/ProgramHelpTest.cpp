// What a new user first runs: help, version and the port list, with and without a display.
#include "ZelctlTest.h"

#include <QFile>
#include <QRegularExpression>

using namespace zel::test;

namespace {

constexpr int kRunTimeoutMs = 30000;

class ProgramHelpTest : public ZelctlTest {};

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
    const ProgramRun run = RunProgram(BuiltProgram(QStringLiteral("zel")),
                                      {QStringLiteral("--open"), QStringLiteral("backpu")},
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
    EXPECT_EQ(run({QStringLiteral("ports"), QStringLiteral("extra")}).exitCode, 2);
}

TEST_F(ProgramHelpTest, NoCommandIsAUsageErrorOnStderr) {
    const ProgramRun none = run({});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_TRUE(none.out.isEmpty()) << none.out.toStdString();
    EXPECT_TRUE(none.err.startsWith(QStringLiteral("Usage: zelctl"))) << none.err.toStdString();
}

TEST_F(ProgramHelpTest, EachCommandHasItsOwnHelp) {
    const ProgramRun backup = run({QStringLiteral("backup"), QStringLiteral("--help")});
    EXPECT_EQ(backup.exitCode, 0);
    EXPECT_TRUE(backup.out.startsWith(QStringLiteral(
        "Usage: zelctl [global options] backup download --camera N --remote N FILE\n")))
        << backup.out.toStdString();
    EXPECT_TRUE(backup.out.contains(QStringLiteral("backup upload [--no-verify]")));
    EXPECT_FALSE(backup.out.contains(QStringLiteral("titles")));

    const ProgramRun download =
        run({QStringLiteral("titles"), QStringLiteral("download"), QStringLiteral("--help")});
    EXPECT_EQ(download.exitCode, 0);
    EXPECT_TRUE(download.out.contains(QStringLiteral("titles download --camera N")));
    EXPECT_FALSE(download.out.contains(QStringLiteral("titles upload")));
    EXPECT_FALSE(download.out.contains(QStringLiteral("encode")));

    const ProgramRun all = run({QStringLiteral("--help")});
    EXPECT_EQ(all.exitCode, 0);
    EXPECT_TRUE(all.out.contains(QStringLiteral("Global options:")));
    EXPECT_TRUE(all.out.contains(QStringLiteral("ports")));
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

} // namespace
