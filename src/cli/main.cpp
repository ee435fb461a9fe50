// zelctl: the command-line tool for scripted work on the camera line.
#include "CliCommand.h"
#include "CliContext.h"
#include "CliHelp.h"
#include "CliTexts.h"
#include "CliUsageLanguage.h"
#include "CommandLine.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <memory>

using namespace zel::cli;

namespace {

void print(const QString& text, std::FILE* stream = stdout) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

// The arguments after the program name, decoded as QCoreApplication::arguments() does.
QStringList argumentsOf(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    return args;
}

// The offscreen platform's notice about a missing runtime folder says nothing to a user.
void dropPlatformNotices(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QStringLiteral("QStandardPaths:")))
        return;
    print(qFormatLogMessage(type, context, text) + QLatin1Char('\n'), stderr);
}

// Painting commands get a GUI application on the offscreen platform: fonts and PDF output
// work without a display. The others stay console programs.
std::unique_ptr<QCoreApplication> makeApplication(const CliCommand& command, int& argc,
                                                  char** argv) {
    if (command.needs == CommandNeeds::Painting) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(&dropPlatformNotices);
        return std::make_unique<QGuiApplication>(argc, argv);
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

// Where the first argument naming a command stands, or -1.
qsizetype commandIndex(const QStringList& args) {
    for (qsizetype i = 0; i < args.size(); ++i)
        if (FindCommand(args[i]))
            return i;
    return -1;
}

// "zelctl backup --help", "zelctl titles download --help".
void printCommandHelp(const CliCommand& command, const QStringList& args, qsizetype at,
                      int languageIndex) {
    const QString form = args.value(at + 1);
    print(
        CommandHelp(command, form.startsWith(QLatin1Char('-')) ? QString() : form, languageIndex));
}

// Only global options and no command: the help on stderr, or what is wrong.
int withoutCommand(const QStringList& args, int languageIndex) {
    CommandLine line(languageIndex);
    QString error;
    if (!line.parse(GlobalOptionDeclarations(), args, &error)) {
        CliContext::printUsageError(error + cliText(languageIndex, CliText::SeeHelp));
        return ExitUsage;
    }
    if (line.positional().isEmpty()) {
        print(GlobalHelp(languageIndex), stderr);
        return ExitUsage;
    }
    CliContext::printUsageError(
        cliText(languageIndex, CliText::UnknownCommand).arg(line.positional().first()));
    return ExitUsage;
}

bool asksHelp(const QStringList& args) {
    return args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"));
}

// --help, --help-all: in the run's language, which zel.ini beside the program may choose.
int printHelp(int argc, char** argv, const QStringList& args, const CliCommand* command,
              qsizetype at) {
    const QCoreApplication app(argc, argv);
    const int languageIndex = UsageLanguageIndex(args, QCoreApplication::applicationDirPath());
    if (args.contains(QStringLiteral("--help-all")))
        print(ManualText(languageIndex));
    else if (command)
        printCommandHelp(*command, args, at, languageIndex);
    else
        print(GlobalHelp(languageIndex));
    return ExitOk;
}

} // namespace

int main(int argc, char** argv) {
    QStringList args = argumentsOf(argc, argv);
    const qsizetype at = commandIndex(args);
    const CliCommand* command = at >= 0 ? FindCommand(args[at]) : nullptr;
    if (args.contains(QStringLiteral("--help-all")) || asksHelp(args))
        return printHelp(argc, argv, args, command, at);
    if (args.contains(QStringLiteral("--version"))) {
        std::printf("zelctl %s\n", ZEL_VERSION);
        return ExitOk;
    }
    // The application first: the usage errors' language may come from zel.ini beside it.
    const std::unique_ptr<QCoreApplication> app =
        command ? makeApplication(*command, argc, argv)
                : std::make_unique<QCoreApplication>(argc, argv);
    const int languageIndex = UsageLanguageIndex(args, QCoreApplication::applicationDirPath());
    if (!command)
        return withoutCommand(args, languageIndex);
    args.remove(at);
    CommandLine line(languageIndex);
    QString error;
    if (!line.parse(GlobalOptionDeclarations() + command->options, args, &error))
        return UsageError(command->name, error);
    CliContext context;
    if (!context.applyGlobalOptions(line))
        return ExitUsage;
    return command->run(context, line);
}
