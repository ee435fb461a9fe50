#pragma once
// Who holds a serial device: the "LCK..<name>" lock file that serial programs (this one
// included) leave in the system's lock folder while they have the device open.
#include <QString>
#include <QStringList>
#include <optional>

namespace zel {

struct SerialLockHolder {
    QString lockPath;    // the lock file
    qint64 pid = 0;      // process that holds it
    QString application; // its program name, when the lock names one
};

// The lock file name for `device`: "/dev/ttyUSB0" gives "LCK..ttyUSB0", "/dev/pts/3"
// "LCK..pts_3".
QString SerialLockFileName(const QString& device);

// The holder of `device`'s lock in the first of `folders` that has one; std::nullopt when
// none does or the lock cannot be read. Empty `folders`: the usual lock folders.
std::optional<SerialLockHolder> FindSerialLockHolder(const QString& device,
                                                     const QStringList& folders = {});

// "held by zelctl (process 42) through the lock /run/lock/LCK..pts_3".
QString DescribeSerialLockHolder(const SerialLockHolder& holder);

} // namespace zel
