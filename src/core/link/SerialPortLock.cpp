#include "SerialPortLock.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStringList>

namespace zel {

namespace {

const QStringList& usualLockFolders() {
    static const QStringList folders{
        QStringLiteral("/var/lock"),       QStringLiteral("/run/lock"),
        QStringLiteral("/etc/locks"),      QStringLiteral("/var/spool/locks"),
        QStringLiteral("/var/spool/uucp"), QStringLiteral("/tmp"),
        QStringLiteral("/var/tmp"),        QStringLiteral("/var/lock/lockdev")};
    return folders;
}

} // namespace

QString SerialLockFileName(const QString& device) {
    QString name = device;
    const QString devPrefix = QStringLiteral("/dev/");
    if (name.startsWith(devPrefix))
        name.remove(0, devPrefix.size());
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return QStringLiteral("LCK..") + name;
}

std::optional<SerialLockHolder> FindSerialLockHolder(const QString& device,
                                                     const QStringList& folders) {
    const QString name = SerialLockFileName(device);
    for (const QString& folder : folders.isEmpty() ? usualLockFolders() : folders) {
        const QString path = QDir(folder).filePath(name);
        if (!QFileInfo(path).isFile())
            continue;
        SerialLockHolder holder;
        holder.lockPath = path;
        QString host;
        QLockFile lock(path);
        if (lock.getLockInfo(&holder.pid, &host, &holder.application))
            return holder;
    }
    return std::nullopt;
}

QString DescribeSerialLockHolder(const SerialLockHolder& holder) {
    const QString who =
        holder.application.isEmpty()
            ? QStringLiteral("process %1").arg(holder.pid)
            : QStringLiteral("%1 (process %2)").arg(holder.application).arg(holder.pid);
    return QStringLiteral("held by %1 through the lock %2").arg(who, holder.lockPath);
}

} // namespace zel
