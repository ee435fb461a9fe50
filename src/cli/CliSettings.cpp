// zelctl settings: every field of zel.ini after normalisation, one SECTION/Key=value a line.
#include "CliCommand.h"
#include "CliContext.h"
#include "CommandLine.h"

#include <cstdio>

namespace zel::cli {

namespace {

QStringList settingsLines(const Settings& s) {
    QStringList lines{
        QStringLiteral("SOFT/Mode=") + s.SoftMode,
        QStringLiteral("LANGUAGE/Mode=") + s.LanguageMode,
        QStringLiteral("RS232C/ComPort=") + s.ComPort,
        QStringLiteral("RS232C/Rate=") + s.Rate,
        QStringLiteral("RS232C/AutoSave=") + s.AutoSave,
        QStringLiteral("TIMEOUT/TimeOutDsp=") + s.TimeOutDsp,
    };
    for (size_t i = 0; i < s.Read.size(); ++i) {
        const QString n = QString::number(i + 1);
        lines << QStringLiteral("RsWait/Read") + n + QLatin1Char('=') + s.Read[i]
              << QStringLiteral("RsWait/Write") + n + QLatin1Char('=') + s.Write[i];
    }
    lines << QStringLiteral("RsWait/TimeOutWait=") + s.TimeOutWait
          << QStringLiteral("RsWait/RetryCnt=") + s.RetryCnt
          << QStringLiteral("RsWait/TimeOutRetry=") + s.TimeOutRetry
          << QStringLiteral("CurrentWriteWait=") + QString::number(s.CurrentWriteWait);
    return lines;
}

int runSettings(CliContext& context, const CommandLine& line) {
    if (!CliContext::takesNoArguments(QStringLiteral("settings"), line))
        return ExitUsage;
    if (!context.loadSettings(true))
        return ExitFailed;
    const QString text =
        settingsLines(context.settings()).join(QLatin1Char('\n')) + QLatin1Char('\n');
    std::fputs(text.toUtf8().constData(), stdout);
    return ExitOk;
}

const CommandRegistrar registrar{
    {.name = QStringLiteral("settings"),
     .synopses = {QStringLiteral("settings")},
     .description = QStringLiteral("Prints zel.ini of the program folder as the programs read "
                                   "it, after normalisation."),
     .run = &runSettings}};

} // namespace

} // namespace zel::cli
