#include "PortDevice.h"

#include "shell/Settings.h"

namespace zel {

QString ResolvePortDevice(const Settings& settings) {
    const QString device = settings.portDevice();
#ifndef Q_OS_WIN
    const QString upper = device.toUpper();
    if (upper.size() == 4 && upper.startsWith(QStringLiteral("COM")) &&
        upper[3] >= QLatin1Char('1') && upper[3] <= QLatin1Char('4')) {
        const int index = upper[3].unicode() - '1';
        const QString& configured = settings.Device[static_cast<size_t>(index)];
        return configured.isEmpty() ? QStringLiteral("/dev/ttyS%1").arg(index) : configured;
    }
#endif
    return device;
}

} // namespace zel
