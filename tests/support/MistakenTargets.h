#pragma once
// Files and folders the output tests hand to zelctl and the output-path rule.
#include <QByteArray>
#include <QString>

namespace zel::test {

// A send-data file (.trf): one write row (W 2000), the other fifteen empty; `continuous`
// turns continuous send on.
QByteArray SendDataFileBytes(bool continuous = false);

// A folder below `parent` that no file can be created in, even by root: a folder without
// write permission, or /proc/self where root ignores the permission.
QString ReadOnlyFolder(const QString& parent);

} // namespace zel::test
