#include "PortListing.h"

#include "NetworkPortName.h"
#include "shell/Settings.h"

#include <QStringList>

#include <algorithm>

namespace zel {

namespace {

QString oneLineField(QString text) {
    for (QChar& c : text)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    return text.trimmed();
}

} // namespace

QString portListingLine(const DetectedPort& port, const Settings& settings) {
    const int comPort = settings.portOfDevice(port.device);
    const QStringList fields{oneLineField(port.device), oneLineField(port.description),
                             oneLineField(port.manufacturer), oneLineField(port.serialNumber),
                             comPort > 0 ? QStringLiteral("COM%1").arg(comPort) : QString()};
    return fields.join(QLatin1Char('\t'));
}

QList<DetectedPort> configuredNetworkPorts(const Settings& settings) {
    QStringList names;
    for (int port = 1; port <= 4; ++port)
        names << settings.deviceOfPort(port);
    names << settings.PortOverride;
    QList<DetectedPort> ports;
    for (const QString& name : names) {
        const auto parsed = ParseNetworkPortName(name);
        if (!parsed || std::any_of(ports.begin(), ports.end(),
                                   [&](const DetectedPort& p) { return p.device == name; }))
            continue;
        DetectedPort port;
        port.device = name;
        port.description = parsed->mode == NetworkPortName::Mode::Rfc2217
                               ? QStringLiteral("network port (RFC 2217)")
                               : QStringLiteral("network port (raw TCP)");
        ports << port;
    }
    return ports;
}

QString portDisplayText(const DetectedPort& port, const QString& busyMark) {
    QStringList details;
    for (const QString& detail : {port.description, port.manufacturer, port.serialNumber})
        if (!oneLineField(detail).isEmpty())
            details.append(oneLineField(detail));
    QString text = port.device;
    if (!details.isEmpty())
        text += QStringLiteral("  ") + details.join(QStringLiteral(", "));
    if (port.busy)
        text += QStringLiteral("  ") + busyMark;
    return text;
}

} // namespace zel
