// zelctl ports: the serial ports the system has now and the network ports zel.ini names,
// and which COMn of zel.ini stands for each.
#include "CliCommand.h"
#include "CliContext.h"
#include "link/PortListing.h"
#include "link/SystemPortSource.h"

#include <cstdio>

namespace zel::cli {

namespace {

int runPorts(CliContext& context, const QStringList& args) {
    if (!CliContext::takesNoArguments(QStringLiteral("ports"), args))
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
    {QStringLiteral("ports"),
     QStringLiteral("ports                   list serial ports and configured network ports: "
                    "DEVICE, DESCRIPTION, MANUFACTURER, SERIAL, COMn (tab-separated)"),
     &runPorts}};

} // namespace

} // namespace zel::cli
