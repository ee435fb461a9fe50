#include "SystemPortSource.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#endif

namespace zel {

namespace {

constexpr qint64 kLockFileLimit = 256; // a pid, a program name and a host name

bool processAlive(qint64 pid) {
#ifdef Q_OS_UNIX
    if (pid <= 0)
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
#else
    Q_UNUSED(pid);
    return false;
#endif
}

// The pid on the first line of a lock file (blank-padded text), or 0.
qint64 lockOwner(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray head = file.read(kLockFileLimit);
    bool ok = false;
    const qint64 pid = head.split('\n').value(0).trimmed().toLongLong(&ok);
    return ok ? pid : 0;
}

} // namespace

SystemPortSource::SystemPortSource()
    : SystemPortSource({QStringLiteral("/var/lock"), QStringLiteral("/run/lock"),
                        QStringLiteral("/etc/locks"), QStringLiteral("/var/spool/locks"),
                        QStringLiteral("/var/spool/uucp"), QDir::tempPath()}) {}

SystemPortSource::SystemPortSource(QStringList lockFolders)
    : m_lockFolders(std::move(lockFolders)) {}

bool SystemPortSource::isLocked(const QString& device) const {
    const QString name = QStringLiteral("LCK..") + QFileInfo(device).fileName();
    return std::any_of(m_lockFolders.begin(), m_lockFolders.end(), [&name](const QString& folder) {
        return processAlive(lockOwner(QDir(folder).filePath(name)));
    });
}

QList<DetectedPort> SystemPortSource::ports() const {
    QList<DetectedPort> found;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        DetectedPort port;
        port.device = info.systemLocation();
        port.description = info.description();
        port.manufacturer = info.manufacturer();
        port.serialNumber = info.serialNumber();
        port.busy = isLocked(port.device);
        found.append(port);
    }
    std::sort(found.begin(), found.end(),
              [](const DetectedPort& a, const DetectedPort& b) { return a.device < b.device; });
    return found;
}

} // namespace zel
