// zelctl: the command-line tool for scripted work on the camera line.
#include "CliCommand.h"
#include "CliContext.h"

#include <QCoreApplication>
#include <cstdio>

using namespace zel::cli;

namespace {

void printHelp() {
    QString text = QStringLiteral(
        "Usage: zelctl [global options] COMMAND [arguments]\n\n"
        "Global options:\n"
        "  --folder DIR     program folder holding zel.ini (default: the executable's folder)\n"
        "  --port DEVICE    serial device path or COMn\n"
        "  --rate BPS       4800, 9600, 19200 or 38400\n"
        "  --lang en|ja     language of messages, file labels and the title table\n"
        "  --yes            answer Yes to the questions (default: No)\n"
        "  --quiet          no progress bar\n"
        "  --help, --version\n\n"
        "Commands:\n");
    for (const CliCommand& command : RegisteredCommands())
        text += QStringLiteral("  ") + command.usage + QLatin1Char('\n');
    text += QStringLiteral("\nExit status: 0 success, 1 the operation ended with a message, "
                           "2 usage error.\n");
    std::fputs(text.toLocal8Bit().constData(), stdout);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
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
        printHelp();
        return ExitUsage;
    }
    const QString name = args.takeFirst();
    for (const CliCommand& command : RegisteredCommands())
        if (command.name == name)
            return command.run(context, args);
    CliContext::printUsageError(QStringLiteral("unknown command '%1' (see --help)").arg(name));
    return ExitUsage;
}
