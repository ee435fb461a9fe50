// zelctl: the command-line tool for scripted work on the camera line.
#include "CliCommand.h"
#include "CliContext.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <memory>

using namespace zel::cli;

namespace {

const QString kExitStatus = QStringLiteral(
    "Exit status: 0 success, 1 the operation ended with a message, 2 usage error.\n");

// On stdout when asked for; on stderr when given for a missing command.
void printHelp(std::FILE* stream = stdout) {
    QString text = QStringLiteral(
        "Usage: zelctl [global options] COMMAND [arguments]\n\n"
        "Global options:\n"
        "  --folder DIR     program folder holding zel.ini (default: the executable's folder)\n"
        "  --port DEVICE    serial device path, COMn, or a serial device server's port:\n"
        "                   tcp://HOST:PORT (raw) or rfc2217://HOST:PORT\n"
        "  --rate BPS       4800, 9600, 19200 or 38400\n"
        "  --lang en|ja     language of messages, file labels and the title table\n"
        "  --yes            answer Yes to the questions (default: No)\n"
        "  --quiet          no progress lines\n"
        "  --help, --version\n\n"
        "Commands:\n");
    for (const CliCommand& command : RegisteredCommands())
        text += QStringLiteral("  ") + command.usage + QLatin1Char('\n');
    text +=
        QStringLiteral("\nzelctl COMMAND --help shows the usage of one command.\n") + kExitStatus;
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
    std::fputs(
        (qFormatLogMessage(type, context, text) + QLatin1Char('\n')).toLocal8Bit().constData(),
        stderr);
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

// The command the first argument naming one names, or null.
const CliCommand* commandIn(const QStringList& args) {
    for (const QString& arg : args)
        for (const CliCommand& command : RegisteredCommands())
            if (command.name == arg)
                return &command;
    return nullptr;
}

// "zelctl backup --help": that command's usage; with a subcommand ("titles download
// --help") only its lines when the usage has any.
void printCommandHelp(const CliCommand& command, const QStringList& args) {
    QStringList lines = command.usage.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = line.trimmed();
    const qsizetype at = args.indexOf(command.name);
    const QString sub = args.value(at + 1);
    if (!sub.isEmpty() && !sub.startsWith(QLatin1Char('-'))) {
        const QString prefix = command.name + QLatin1Char(' ') + sub;
        QStringList matching;
        for (const QString& line : lines)
            if (line.startsWith(prefix))
                matching.append(line);
        if (!matching.isEmpty())
            lines = matching;
    }
    QString text = QStringLiteral("Usage: zelctl [global options] ") +
                   lines.join(QStringLiteral("\n       zelctl [global options] ")) +
                   QStringLiteral("\n\nSee zelctl --help for the global options.\n") + kExitStatus;
    std::fputs(text.toLocal8Bit().constData(), stdout);
}

bool asksHelp(const QStringList& args) {
    return args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"));
}

} // namespace

int main(int argc, char** argv) {
    QStringList args = argumentsOf(argc, argv);
    if (asksHelp(args)) {
        if (const CliCommand* command = commandIn(args))
            printCommandHelp(*command, args);
        else
            printHelp();
        return ExitOk;
    }
    if (args.contains(QStringLiteral("--version"))) {
        std::printf("zelctl %s\n", ZEL_VERSION);
        return ExitOk;
    }
    CliContext context;
    if (!context.parseGlobalOptions(args))
        return ExitUsage;
    if (args.isEmpty()) {
        printHelp(stderr);
        return ExitUsage;
    }
    const QString name = args.takeFirst();
    const CliCommand* command = commandIn({name});
    if (!command) {
        const QString what = name.startsWith(QLatin1Char('-')) ? QStringLiteral("option")
                                                               : QStringLiteral("command");
        CliContext::printUsageError(QStringLiteral("unknown %1 '%2' (see --help)").arg(what, name));
        return ExitUsage;
    }
    const std::unique_ptr<QCoreApplication> app = makeApplication(*command, argc, argv);
    return command->run(context, args);
}
