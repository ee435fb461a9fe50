// zelctl log decode: what every frame of a saved traffic log (".log") means.
#include "CliCommand.h"
#include "CliContext.h"
#include "CliInputFile.h"
#include "CommandLine.h"
#include "link/CommLogFile.h"
#include "link/CommLogStore.h"
#include "link/FrameDecoder.h"

#include <cstdio>

namespace zel::cli {

namespace {

int runDecode(CliContext& context, const QString& path) {
    CommLogStore store;
    QString why;
    if (!CommLogFile::load(path, store, context.messages(), &why)) {
        CliContext::printUsageError(QStringLiteral("log: %1: %2").arg(path, why));
        return ExitFailed;
    }
    // A reader message means the file was not read to its end (or a line was emptied).
    const bool readWhole = !context.messages().anyShown();
    if (store.count() == 0) {
        CliContext::printUsageError(QStringLiteral("log: %1 holds no log entries").arg(path));
        return ExitFailed;
    }
    FrameDecoder decoder(context.settings().languageIndex());
    const QVector<DecodedFrame> decoded = decoder.decodeAll(store);
    QString text;
    for (int i = 0; i < store.count(); ++i)
        text += store.entry(i).unit + QLatin1Char('\t') + store.entry(i).data + QLatin1Char('\t') +
                decoded[i].meaning + QLatin1Char('\n');
    std::fputs(text.toUtf8().constData(), stdout);
    return readWhole ? ExitOk : ExitFailed;
}

int runLog(CliContext& context, const CommandLine& line) {
    const QStringList& args = line.positional();
    if (args.size() != 2 || args[0] != QStringLiteral("decode"))
        return UsageError(QStringLiteral("log"), QStringLiteral("decode FILE.log expected"));
    if (!context.loadSettings(false) || !CheckInputFile(context, QStringLiteral("log"), args[1]))
        return ExitFailed;
    return runDecode(context, args[1]);
}

const CommandRegistrar registrar{
    {.name = QStringLiteral("log"),
     .synopses = {QStringLiteral("log decode FILE.log")},
     .description = QStringLiteral("Prints the unit, the data and the meaning of every frame of "
                                   "a traffic log saved by the communication log window, one "
                                   "tab-separated line each."),
     .run = &runLog}};

} // namespace

} // namespace zel::cli
