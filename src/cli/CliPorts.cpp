// zelctl ports: the serial ports the system has now and the network ports zel.ini names,
// and which COMn of zel.ini stands for each.
#include "CliCommand.h"
#include "CliContext.h"
#include "CommandLine.h"
#include "link/PortListing.h"
#include "link/SystemPortSource.h"

#include <cstdio>

namespace zel::cli {

namespace {

int runPorts(CliContext& context, const CommandLine& line) {
    if (!CliContext::takesNoArguments(QStringLiteral("ports"), line))
        return ExitUsage;
    if (!context.loadSettings(false))
        return ExitFailed;
    const QList<DetectedPort> ports =
        SystemPortSource().ports() + configuredNetworkPorts(context.settings());
    if (ports.isEmpty()) {
        CliContext::printUsageError(QStringLiteral("no serial port found"));
        return ExitOk;
    }
    QString text;
    for (const DetectedPort& port : ports)
        text += portListingLine(port, context.settings()) + QLatin1Char('\n');
    std::fputs(text.toUtf8().constData(), stdout);
    return ExitOk;
}

const CommandRegistrar registrar{
    {.name = QStringLiteral("ports"),
     .synopses = {QStringLiteral("ports")},
     .description = QStringLiteral("Lists the serial ports of this computer and the network ports "
                                   "of zel.ini, one a line: DEVICE, "
                                   "DESCRIPTION, MANUFACTURER, SERIAL and the COMn name it has "
                                   "in zel.ini, tab-separated."),
     .run = &runPorts}};

} // namespace

} // namespace zel::cli
