// zelctl log decode: what every frame of a saved traffic log (".log") means.
#include "CliCommand.h"
#include "CliContext.h"
#include "link/CommLogFile.h"
#include "link/CommLogStore.h"
#include "link/FrameDecoder.h"

#include <cstdio>

namespace zel::cli {

namespace {

int usage(const QString& text) {
    CliContext::printUsageError(QStringLiteral("log: ") + text);
    return ExitUsage;
}

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

int runLog(CliContext& context, const QStringList& args) {
    if (args.size() != 2 || args[0] != QStringLiteral("decode"))
        return usage(QStringLiteral("decode FILE.log expected"));
    if (!context.loadSettings(false))
        return ExitFailed;
    return runDecode(context, args[1]);
}

const CommandRegistrar registrar{
    {QStringLiteral("log"),
     QStringLiteral("log decode FILE.log   unit, data and meaning of every logged frame"),
     &runLog}};

} // namespace

} // namespace zel::cli
